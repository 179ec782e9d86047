#include "engine/BackgroundTaskWindow.h"

#include "core/Dc.h"
#include "engine/BackgroundTask.h"
#include "engine/PerformanceView.h"
#include "engine/StatusWindowSettings.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace {

enum {
    kTextName = 11089,
    kTextResume = 11216,
    kTextPause = 11217,
    kTextDone = 11218,
    kTextCancelled = 11219,
    kTextPaused = 11220,
    kTextPriorityLow = 11221,  // 11222, 11223: normal and high
    kTextCaption = 11224,
    kTextResumeAll = 11227,
    kTextPauseAll = 11228,
    kTextProgress = 11229,
    kTextState = 11230,
    kListId = 100,
    kListMenu = 109,
    kTimerId = 1,
    kTimerMs = 500,
    kSplitterThickness = 4,
    kIconId = 22040,  // of the common resource module
    kImageSize = 16,
};

COLORREF const kProgressFill = RGB(192, 220, 192);
int const kZooms[] = {50, 100, 200, 400};

String Text(unsigned id) { return FindString(id); }

}  // namespace

// ---- the list

DEFINE_RESPONSE_TABLE1(ODListWindow, TListWindow)
    EV_WM_RBUTTONDOWN,
END_RESPONSE_TABLE;

ODListWindow::ODListWindow(TWindow *parent, int id) : TListWindow(parent, id, 0, 0, 0, 0) {
    Attr.Style |= LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER;
}

void ODListWindow::SetupWindow() {
    TListWindow::SetupWindow();
    struct Column {
        unsigned text;
        int width;
    } const columns[] = {{kTextName, 170}, {kTextProgress, 120}, {kTextState, 110}};
    for (int i = 0; i < 3; ++i) {
        String title = Text(columns[i].text);
        TListWindColumn column(title.c_str(), columns[i].width);
        InsertColumn(i, column);
    }
    images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 1, 1);
    TModule *common = TModule::_commonResourceDLL;
    HICON icon = common ? HICON(LoadImageA(common->GetHandle(), MAKEINTRESOURCEA(kIconId), IMAGE_ICON, kImageSize,
                                           kImageSize, 0))
                        : nullptr;
    if (images_ && icon)
        ImageList_AddIcon(images_, icon);
    if (icon)
        DestroyIcon(icon);
    SetImageList(images_, LVSIL_SMALL);
}

void ODListWindow::CleanupWindow() {
    if (images_)
        ImageList_Destroy(images_);
    images_ = nullptr;
    TListWindow::CleanupWindow();
}

void ODListWindow::MeasureItem(MEASUREITEMSTRUCT &measureInfo) { measureInfo.itemHeight = kImageSize + 4; }

void ODListWindow::Rebuild() {
    DeleteAllItems();
    List<Task> &tasks = TheTaskList().tasks;
    int row = 0;
    for (Task *task = tasks.GetFirst(); task; task = tasks.GetNext(task), ++row) {
        TListWindItem item("");
        item.SetItemData(LPARAM(task));
        item.SetImageIndex(0);
        InsertItem(item, row);
        task->lastProgress = double(task->GetProgress());
    }
}

void ODListWindow::RedrawMoved() {
    List<Task> &tasks = TheTaskList().tasks;
    for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
        TListWindItem item(LVIF_PARAM);
        Task *task = GetItem(item, row, 0) ? reinterpret_cast<Task *>(item.GetItemData()) : nullptr;
        if (!tasks.HasMember(task))
            continue;
        double progress = double(task->GetProgress());
        if (progress != task->lastProgress) {
            RedrawItems(row, row);
            task->lastProgress = progress;
        }
    }
}

Task *ODListWindow::SelectedTask() const {
    int row = GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return nullptr;
    TListWindItem item(LVIF_PARAM);
    auto *self = const_cast<ODListWindow *>(this);
    Task *task = self->GetItem(item, row, 0) ? reinterpret_cast<Task *>(item.GetItemData()) : nullptr;
    return TheTaskList().tasks.HasMember(task) ? task : nullptr;
}

void ODListWindow::RedrawSelected() {
    int row = GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        RedrawItems(row, row);
}

String ODListWindow::ProgressText(Task const &task) {
    long double progress = task.GetProgress();
    if (progress == 1.0L)
        return Text(kTextDone);
    char text[32];
    std::snprintf(text, sizeof text, "%.4lf %%", double(progress * 100));
    return String(text);
}

String ODListWindow::StateText(Task const &task) {
    if (task.IsCancelled())
        return Text(kTextCancelled);
    if (task.IsPaused())
        return Text(kTextPaused);
    return Text(kTextPriorityLow + unsigned(std::min(std::max(task.GetPriority(), 0), 2)));
}

void ODListWindow::DrawCell(HDC dc, RECT cell, char const *text, bool selected) {
    cell.left += 3;
    cell.right -= 2;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// A row is drawn only while its task is listed: a task that left the list since the last
// rebuild is never touched.
void ODListWindow::DrawItem(DRAWITEMSTRUCT &d) {
    bool selected = (d.itemState & ODS_SELECTED) != 0;
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    Task *task = reinterpret_cast<Task *>(d.itemData);
    if (!list.tasks.HasMember(task))
        return;
    if (images_)
        ImageList_Draw(images_, 0, d.hDC, d.rcItem.left + 2,
                       d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - kImageSize) / 2, ILD_TRANSPARENT);
    String texts[3] = {task->GetName(), ProgressText(*task), StateText(*task)};
    for (int column = 0; column < 3; ++column) {
        RECT cell;
        ListView_GetSubItemRect(GetHandle(), int(d.itemID), column, column ? LVIR_BOUNDS : LVIR_LABEL, &cell);
        if (column == 1) {
            RECT bar = {cell.left, cell.top + 1, cell.left, cell.bottom - 1};
            bar.right += LONG(double(task->GetProgress()) * (cell.right - cell.left));
            HBRUSH fill = CreateSolidBrush(kProgressFill);
            FillRect(d.hDC, &bar, fill);
            DeleteObject(fill);
        }
        DrawCell(d.hDC, cell, texts[column].c_str(), selected);
    }
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &d.rcItem);
}

void ODListWindow::EvRButtonDown(uint, TPoint &point) {
    TLwHitTestInfo hit(point);
    int row = HitTest(hit);
    if (row >= 0) {
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        RedrawItems(row, row);
    }
    TrackTaskWindowMenu(kListMenu, GetHandle(), point, ::GetParent(GetParentH()));
}

// ---- the splitter and the client

StatusSplitter::StatusSplitter(StatusClientWindow &client) : Splitter(&client, 1, &client, 0), client_(client) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
}

void StatusSplitter::SetSplitPosition(int position) {
    if (position > 0)
        client_.SetSplit(position);
}

StatusClientWindow::StatusClientWindow(TWindow *parent) : TWindow(parent), TLayoutWindow(parent) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    graph = new PerformanceView(this);
    splitter = new StatusSplitter(*this);
    list = new ODListWindow(this, kListId);
    TLayoutMetrics graphMetrics;
    graphMetrics.X = PixelConstraint(nullptr, lmLeft, lmSameAs, lmLeft);
    graphMetrics.Y = PixelConstraint(nullptr, lmTop, lmSameAs, lmTop);
    graphMetrics.Width = PixelConstraint(nullptr, lmWidth, lmSameAs, lmWidth);
    graphMetrics.Height = PixelConstraint(nullptr, lmHeight, lmAbsolute, lmHeight, TheStatusWindowSettings().split);
    SetChildLayoutMetrics(*graph, graphMetrics);
    TLayoutMetrics splitterMetrics;
    splitterMetrics.X = PixelConstraint(nullptr, lmLeft, lmSameAs, lmLeft);
    splitterMetrics.Y = PixelConstraint(graph, lmTop, lmSameAs, lmBottom);
    splitterMetrics.Width = PixelConstraint(nullptr, lmWidth, lmSameAs, lmWidth);
    splitterMetrics.Height = PixelConstraint(nullptr, lmHeight, lmAbsolute, lmHeight, kSplitterThickness);
    SetChildLayoutMetrics(*splitter, splitterMetrics);
    TLayoutMetrics listMetrics;
    listMetrics.X = PixelConstraint(nullptr, lmLeft, lmSameAs, lmLeft);
    listMetrics.Y = PixelConstraint(splitter, lmTop, lmSameAs, lmBottom);
    listMetrics.Width = PixelConstraint(nullptr, lmWidth, lmSameAs, lmWidth);
    listMetrics.Height = PixelConstraint(nullptr, lmBottom, lmSameAs, lmBottom);
    SetChildLayoutMetrics(*list, listMetrics);
}

void StatusClientWindow::SetSplit(int split) {
    TheStatusWindowSettings().split = split;
    TLayoutMetrics metrics;
    GetChildLayoutMetrics(*graph, metrics);
    metrics.Height.Value = split;
    SetChildLayoutMetrics(*graph, metrics);
    Layout();
}

// ---- the frame

DEFINE_RESPONSE_TABLE1(BackgroundTaskWindow, TFrameWindow)
    EV_WM_TIMER,
    EV_WM_CLOSE,
    EV_COMMAND(kCmPauseTask, CmPauseTask),
    EV_COMMAND_ENABLE(kCmPauseTask, CePauseTask),
    EV_COMMAND(kCmPauseAll, CmPauseAll),
    EV_COMMAND_ENABLE(kCmPauseAll, CePauseAll),
    EV_COMMAND_AND_ID(kCmPriorityLow, CmPriority),
    EV_COMMAND_AND_ID(kCmPriorityNormal, CmPriority),
    EV_COMMAND_AND_ID(kCmPriorityHigh, CmPriority),
    EV_COMMAND_ENABLE(kCmPriorityLow, CePriority),
    EV_COMMAND_ENABLE(kCmPriorityNormal, CePriority),
    EV_COMMAND_ENABLE(kCmPriorityHigh, CePriority),
    EV_COMMAND(kCmCancelTask, CmCancelTask),
    EV_COMMAND_ENABLE(kCmCancelTask, CeCancelTask),
    EV_COMMAND_AND_ID(kCmSeriesFirst, CmOption),
    EV_COMMAND_AND_ID(kCmSeriesFirst + 1, CmOption),
    EV_COMMAND_AND_ID(kCmSeriesFirst + 2, CmOption),
    EV_COMMAND_AND_ID(kCmSmooth, CmOption),
    EV_COMMAND_ENABLE(kCmSeriesFirst, CeOption),
    EV_COMMAND_ENABLE(kCmSeriesFirst + 1, CeOption),
    EV_COMMAND_ENABLE(kCmSeriesFirst + 2, CeOption),
    EV_COMMAND_ENABLE(kCmSmooth, CeOption),
    EV_COMMAND_AND_ID(kCmZoom50, CmZoom),
    EV_COMMAND_AND_ID(kCmZoom50 + 1, CmZoom),
    EV_COMMAND_AND_ID(kCmZoom50 + 2, CmZoom),
    EV_COMMAND_AND_ID(kCmZoom400, CmZoom),
    EV_COMMAND_ENABLE(kCmZoom50, CeZoom),
    EV_COMMAND_ENABLE(kCmZoom50 + 1, CeZoom),
    EV_COMMAND_ENABLE(kCmZoom50 + 2, CeZoom),
    EV_COMMAND_ENABLE(kCmZoom400, CeZoom),
    EV_COMMAND_AND_ID(kCmScaleTop, CmDirection),
    EV_COMMAND_AND_ID(kCmScaleSide, CmDirection),
    EV_COMMAND_ENABLE(kCmScaleTop, CeDirection),
    EV_COMMAND_ENABLE(kCmScaleSide, CeDirection),
END_RESPONSE_TABLE;

BackgroundTaskWindow::BackgroundTaskWindow(TWindow *mainWindow)
    : TWindow(mainWindow, Text(kTextCaption).c_str()),
      TFrameWindow(mainWindow, Text(kTextCaption).c_str(), client_ = new StatusClientWindow(nullptr)) {
    StatusWindowSettings const &settings = TheStatusWindowSettings();
    Attr.Id = kBackgroundTaskWindowId;
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                 WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    Attr.ExStyle = WS_EX_TOOLWINDOW;
    Attr.X = settings.x;
    Attr.Y = settings.y;
    Attr.W = settings.width;
    Attr.H = settings.height;
    SetFlag(wfDeleteOnClose);
    if (TModule::_commonResourceDLL)
        SetIcon(TModule::_commonResourceDLL, kIconId);
}

HWND BackgroundTaskWindow::PerformCreate(HMENU menuOrId) {
    return TFrameWindow::PerformCreate(menuOrId == HMENU(INT_PTR(kBackgroundTaskWindowId)) ? nullptr : menuOrId);
}

void BackgroundTaskWindow::SetupWindow() {
    TFrameWindow::SetupWindow();
    TheTaskList().changed.exchange(1);
    Follow();
    SetTimer(kTimerId, kTimerMs);
}

void BackgroundTaskWindow::CleanupWindow() {
    KillTimer(kTimerId);
    StorePlacement();
    TFrameWindow::CleanupWindow();
}

void BackgroundTaskWindow::StorePlacement() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetHandle() || !GetWindowPlacement(&placement))
        return;
    StatusWindowSettings &settings = TheStatusWindowSettings();
    RECT const &r = placement.rcNormalPosition;
    settings.x = r.left;
    settings.y = r.top;
    settings.width = r.right - r.left;
    settings.height = r.bottom - r.top;
}

void BackgroundTaskWindow::Follow() {
    BackgroundTaskList &list = TheTaskList();
    {
        AutoCriticalSection hold(list.lock);
        if (list.changed.exchange(0))
            GetList().Rebuild();
        else
            GetList().RedrawMoved();
    }
    if (HasPerformanceHistoryChanged())
        GetGraph().Invalidate(false);
}

void BackgroundTaskWindow::EvTimer(WPARAM id) {
    if (id == kTimerId)
        Follow();
}

void BackgroundTaskWindow::EvClose() {
    StorePlacement();
    TFrameWindow::EvClose();
}

// ---- the tasks' commands, each under the list's lock

void BackgroundTaskWindow::CmPauseTask() {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    if (!task || task->IsCancelled())
        return;
    task->IsPaused() ? task->Resume() : task->Pause();
    GetList().RedrawSelected();
}

void BackgroundTaskWindow::CePauseTask(TCommandEnabler &ce) {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    ce.SetText(Text(task && task->IsPaused() ? kTextResume : kTextPause).c_str());
    ce.Enable(task != nullptr);
}

void BackgroundTaskWindow::CmPauseAll() {
    AreAllTasksPaused() ? ResumeAllTasks() : PauseAllTasks();
    GetList().Invalidate(false);
}

void BackgroundTaskWindow::CePauseAll(TCommandEnabler &ce) {
    ce.SetText(Text(AreAllTasksPaused() ? kTextResumeAll : kTextPauseAll).c_str());
    ce.Enable(GetList().GetItemCount() > 0);
}

void BackgroundTaskWindow::CmPriority(uint id) {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    if (!task || task->IsCancelled())
        return;
    task->SetPriority(int(id - kCmPriorityLow));
    task->Resume();
    GetList().RedrawSelected();
}

void BackgroundTaskWindow::CePriority(TCommandEnabler &ce) {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    ce.SetCheck(task && task->GetPriority() == int(ce.GetId() - kCmPriorityLow) ? TCommandEnabler::Checked
                                                                                 : TCommandEnabler::Unchecked);
    ce.Enable(task != nullptr);
}

void BackgroundTaskWindow::CmCancelTask() {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    if (!task || task->IsCancelled())
        return;
    task->Cancel();
    GetList().RedrawSelected();
}

void BackgroundTaskWindow::CeCancelTask(TCommandEnabler &ce) {
    AutoCriticalSection hold(TheTaskList().lock);
    Task *task = GetList().SelectedTask();
    ce.Enable(task && !task->IsCancelled());
}

// ---- the graph's commands

namespace {

int OptionBit(uint id) { return id == kCmSmooth ? StatusWindowSettings::kSmooth : 1 << (id - kCmSeriesFirst); }

}  // namespace

void BackgroundTaskWindow::CmOption(uint id) {
    TheStatusWindowSettings().options ^= OptionBit(id);
    GetGraph().Invalidate(false);
}

void BackgroundTaskWindow::CeOption(TCommandEnabler &ce) {
    bool on = (TheStatusWindowSettings().options & OptionBit(ce.GetId())) != 0;
    ce.SetCheck(on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(true);
}

void BackgroundTaskWindow::CmZoom(uint id) {
    TheStatusWindowSettings().zoom = kZooms[id - kCmZoom50];
    GetGraph().Invalidate(false);
}

void BackgroundTaskWindow::CeZoom(TCommandEnabler &ce) {
    bool on = TheStatusWindowSettings().zoom == kZooms[ce.GetId() - kCmZoom50];
    ce.SetCheck(on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(true);
}

void BackgroundTaskWindow::CmDirection(uint id) {
    TheStatusWindowSettings().dir = id == kCmScaleTop ? 1 : 0;
    GetGraph().Invalidate(false);
}

void BackgroundTaskWindow::CeDirection(TCommandEnabler &ce) {
    bool on = TheStatusWindowSettings().dir == (ce.GetId() == kCmScaleTop ? 1 : 0);
    ce.SetCheck(on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(true);
}

// ---- showing

BackgroundTaskWindow *FindBackgroundTaskWindow() {
    TFrameWindow *main = _docManager ? _docManager->GetMainWindow() : nullptr;
    return main ? dynamic_cast<BackgroundTaskWindow *>(main->ChildWithId(kBackgroundTaskWindowId)) : nullptr;
}

void ShowBackgroundTaskWindow(int show) {
    TFrameWindow *main = _docManager ? _docManager->GetMainWindow() : nullptr;
    if (!main)
        return;
    BackgroundTaskWindow *window = FindBackgroundTaskWindow();
    if (!show) {
        if (window)
            TWindow::ShutDownWindow(window);
        return;
    }
    if (!window)
        window = new BackgroundTaskWindow(main);
    if (!window->GetHandle())
        window->Create();
    window->ShowWindow(SW_RESTORE);
    ::BringWindowToTop(window->GetHandle());
}

void TrackTaskWindowMenu(int menuId, HWND window, POINT point, HWND owner) {
    TModule *module = TModule::_localizedResourceDLL;
    HMENU menu = module ? LoadMenuA(module->GetHandle(), MAKEINTRESOURCEA(menuId)) : nullptr;
    if (!menu)
        return;
    ClientToScreen(window, &point);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

void StoreBackgroundTaskWindowPlacement() {
    if (BackgroundTaskWindow *window = FindBackgroundTaskWindow())
        window->StorePlacement();
}
