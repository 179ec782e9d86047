#include "waveview/MarkerWindow.h"

#include "audio/Marker.h"
#include "audio/MarkerSet.h"
#include "audio/PlayRequest.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "core/ImageList.h"
#include "core/Module.h"
#include "engine/BackgroundTaskWindow.h"
#include "foundation/Config.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/MarkerCommands.h"
#include "waveview/MarkerFilterDialog.h"
#include "waveview/MouseKeys.h"
#include "waveview/PositionText.h"
#include "waveview/WaveFrame.h"
#include "waveview/WaveWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

enum : unsigned {
    kTextNameColumn = 11028,
    kTextPositionColumn = 11029,
    kTextCaption = 11279,
    kTextNoWave = 11280,
    kTextDeleteMarker = 11313,
};
enum {
    kTypeImages = 211,  // two 16 x 16 pictures per type: plain, then locked
    kImageSize = 16,
    kListMenu = 108,
    kNameColumnUnits = 70,
    kPositionColumnUnits = 40,
    kPositionChars = 1000,
    kScreenEdge = 40,
};
COLORREF const kImageMask = RGB(255, 0, 255);

bool Held(int key) { return ::GetKeyState(key) < 0; }

void Warn(AException const &e) {
    if (_docManager)
        _docManager->WarnUser(e, 1);
}

int DialogUnitsToPixels(int units) { return ::MulDiv(units, LOWORD(::GetDialogBaseUnits()), 4); }

Wave *ActiveWave() {
    DoubleView *active = DoubleView::GetActive();
    return active ? &active->GetWave() : nullptr;
}

void CopyText(char *target, int size, char const *text) {
    if (target && size > 0)
        ::lstrcpynA(target, text, size);
}

// The sort of the list: marker indexes compared by name or by position.
struct SortOrder {
    MarkerSet const *markers;
    int byPosition;
};

int CALLBACK CompareMarkers(LPARAM a, LPARAM b, LPARAM order) {
    SortOrder const &o = *reinterpret_cast<SortOrder const *>(order);
    Marker const *first = o.markers->GetMarker(int(a)), *second = o.markers->GetMarker(int(b));
    if (!first || !second)
        return (first != nullptr) - (second != nullptr);
    if (!o.byPosition)
        return ::lstrcmpiA(first->name_.c_str(), second->name_.c_str());
    return (first->position_ > second->position_) - (first->position_ < second->position_);
}

}  // namespace

// ---- the list

DEFINE_RESPONSE_TABLE1(MarkerList, ListView)
    EV_WM_CHAR,
    EV_WM_KEYDOWN,
    EV_WM_RBUTTONDOWN,
END_RESPONSE_TABLE;

MarkerList::MarkerList(TWindow *parent) : ListView(parent, kMarkerListId, 0, 0, 0, 0) {
    Attr.Style &= ~(LVS_AUTOARRANGE | LVS_SORTASCENDING);
    Attr.Style |= WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
}

void MarkerList::EvChar(uint key, uint, uint) {
    if (key == VK_RETURN)
        ::PostMessageA(GetParentH(), WM_COMMAND, kCmEditListedMarker, 0);
    else
        DefaultProcessing();
}

void MarkerList::EvKeyDown(uint key, uint, uint) {
    if (key == VK_DELETE)
        ::PostMessageA(GetParentH(), WM_COMMAND, kCmDeleteListedMarker, 0);
    else
        DefaultProcessing();
}

void MarkerList::EvRButtonDown(uint, TPoint &point) {
    if (MarkerWindow *window = dynamic_cast<MarkerWindow *>(GetParentO()))
        window->OnRightClick(point);
}

// ---- the window

DEFINE_RESPONSE_TABLE1(MarkerWindow, TFrameWindow)
    EV_COMMAND(IDOK, CmEnter),
    EV_WM_ACTIVATE,
    EV_COMMAND(kCmMarkerFilter, CmFilter),
    EV_COMMAND(kCmEditListedMarker, CmEditMarker),
    EV_COMMAND_ENABLE(kCmEditListedMarker, CeMarkerSelected),
    EV_COMMAND(kCmDeleteListedMarker, CmDeleteMarker),
    EV_COMMAND_ENABLE(kCmDeleteListedMarker, CeMarkerSelected),
END_RESPONSE_TABLE;

MarkerWindow::MarkerWindow(TWindow *mainWindow)
    : TWindow(mainWindow, FindString(kTextNoWave).c_str()),
      TFrameWindow(mainWindow, FindString(kTextNoWave).c_str(), list_ = new MarkerList(nullptr)),
      timeUnit_(GetGlobalTimeUnit()) {
    Attr.Id = kMarkerWindowId;
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.ExStyle = WS_EX_TOOLWINDOW;
    MarkerWindowSettings const &s = TheMarkerWindowSettings();
    Attr.X = s.x;
    Attr.Y = s.y;
    Attr.W = s.x2 - s.x;
    Attr.H = s.y2 - s.y;
    SetFlag(wfDeleteOnClose);
}

MarkerWindow::~MarkerWindow() {}

HWND MarkerWindow::PerformCreate(HMENU menuOrId) {
    return TFrameWindow::PerformCreate(menuOrId == HMENU(INT_PTR(kMarkerWindowId)) ? nullptr : menuOrId);
}

void MarkerWindow::SetupWindow() {
    TFrameWindow::SetupWindow();
    TModule *language = TModule::_localizedResourceDLL;
    images_.reset(new ImageList(language ? language->GetHandle() : nullptr, kTypeImages, kImageMask, kImageSize,
                                kImageSize, Marker::kNumTypes * 2, ILC_COLOR24, 0));
    list_->SetImageList(images_.get(), LVSIL_SMALL);
    int width = TheWaveFrame().GetMarkerColumnWidth();
    struct Column {
        unsigned text;
        int width;
    } const columns[] = {{kTextNameColumn, width > 0 ? width : DialogUnitsToPixels(kNameColumnUnits)},
                         {kTextPositionColumn, DialogUnitsToPixels(kPositionColumnUnits)}};
    for (int i = 0; i < 2; ++i) {
        String title = FindString(columns[i].text);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char *>(title.c_str());
        column.cx = columns[i].width;
        column.iSubItem = i;
        list_->InsertColumn(i, column);
    }
    Refill(1);
}

void MarkerWindow::CleanupWindow() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(GetHandle(), &placement)) {
        MarkerWindowSettings &s = TheMarkerWindowSettings();
        RECT const &r = placement.rcNormalPosition;
        s.x = r.left, s.y = r.top, s.x2 = r.right, s.y2 = r.bottom;
    }
    if (list_->GetHandle())
        TheWaveFrame().SetMarkerColumnWidth(list_->GetColumnWidth(0));
    list_->SetImageList(nullptr, LVSIL_SMALL);
    TFrameWindow::CleanupWindow();
}

int MarkerWindow::IdleAction(long idleCount) {
    Refill();
    return TFrameWindow::IdleAction(idleCount);
}

void MarkerWindow::EvActivate(uint, int, HWND) {
    DefaultProcessing();
    Refill();
}

Wave *MarkerWindow::GetShownWave() const {
    if (!shown_.IsInitialized() || !_docManager || !_docManager->IsValidDocument(shown_, 1))
        return nullptr;
    return dynamic_cast<Wave *>(const_cast<Document *>(shown_.GetDocument()));
}

void MarkerWindow::Refill(int force) {
    if (!list_->GetHandle())
        return;
    Wave *wave = ActiveWave();
    Wave *shown = GetShownWave();
    if (!force && DocumentID(wave) == shown_ && !(shown && shown->GetMarkers().IsChanged()))
        return;
    SetCaptionFor(wave);
    shown_ = DocumentID(wave);
    list_->DeleteAll();
    if (wave) {
        wave->GetMarkers().ClearChanged();
        FillList(*wave);
    }
}

void MarkerWindow::SetCaptionFor(Wave const *wave) {
    String caption = FindString(wave ? kTextCaption : kTextNoWave);
    if (wave)
        caption.Append(wave->GetTitle());
    ::SetWindowTextA(GetHandle(), caption.c_str());
}

void MarkerWindow::FillList(Wave &wave) {
    MarkerSet const &markers = wave.GetMarkers();
    if (markers.IsEmpty())
        return;
    timeUnit_ = GetGlobalTimeUnit();
    for (int i = 0; i < markers.GetCount(); ++i) {
        Marker const &marker = *markers.GetMarker(i);
        if (!markers.IsVisible(marker))
            continue;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = list_->GetNumItem();
        item.pszText = LPSTR_TEXTCALLBACKA;
        item.iImage = marker.type_ * 2 + (marker.IsLocked() ? 1 : 0);
        item.lParam = i;
        int at = list_->Insert(item);
        if (at < 0)
            break;
        LVITEMA position = {};
        position.iSubItem = 1;
        position.pszText = LPSTR_TEXTCALLBACKA;
        list_->HandleMessage(LVM_SETITEMTEXTA, WPARAM(at), LPARAM(&position));
    }
}

int MarkerWindow::MarkerOfItem(int item) const {
    Wave *wave = GetShownWave();
    if (!wave || item < 0 || item >= list_->GetNumItem())
        return -1;
    int index = int(list_->GetItemData(item));
    return index >= 0 && index < wave->GetMarkers().GetCount() ? index : -1;
}

int MarkerWindow::SelectedMarker() const { return MarkerOfItem(list_->GetFirstSelectedItem()); }

void MarkerWindow::GoToMarker(int item) {
    int index = MarkerOfItem(item);
    if (index < 0)
        return;
    Wave &wave = *GetShownWave();
    SetCurrentMarker(&wave, index);
    wave.SetCaret(wave.GetActiveChannels(), wave.GetMarkers().GetMarker(index)->position_);
    TheWaveWindowLink().ShowCaretInActiveWindow(wave);
}

void MarkerWindow::SelectMarker(int index) {
    ++notificationHold_;
    int item = list_->FindItem(LPARAM(index));
    if (item >= 0) {
        list_->SelectItem(item, 1, 1);
        list_->EnsureVisible(item);
    }
    --notificationHold_;
}

LRESULT MarkerWindow::EvNotify(uint id, TNotify &info) {
    if (id != kMarkerListId || notificationHold_)
        return TFrameWindow::EvNotify(id, info);
    switch (info.code) {
    case LVN_GETDISPINFOA: {
        LVITEMA &item = reinterpret_cast<NMLVDISPINFOA &>(info).item;
        int index = MarkerOfItem(item.iItem);
        if (!(item.mask & LVIF_TEXT) || index < 0 || !item.pszText || item.cchTextMax <= 0)
            return 0;
        Wave &wave = *GetShownWave();
        Marker const &marker = *wave.GetMarkers().GetMarker(index);
        if (item.iSubItem == 0)
            CopyText(item.pszText, item.cchTextMax, marker.name_.c_str());
        else
            FormatPosition(item.pszText, size_t(std::min(item.cchTextMax, kPositionChars + 1)), marker.position_,
                           timeUnit_, 1000, wave);
        return 0;
    }
    case LVN_COLUMNCLICK: SortBy(reinterpret_cast<NMLISTVIEW &>(info).iSubItem); return 0;
    case LVN_BEGINLABELEDITA: suppressSelection_ = 1; return 1;
    case LVN_ITEMCHANGED: OnItemChanged(reinterpret_cast<NMLISTVIEW &>(info)); return 0;
    case NM_CLICK: {
        unsigned flags = 0;
        TPoint at(reinterpret_cast<NMITEMACTIVATE &>(info).ptAction);
        int item = list_->GetItemAtPoint(at, &flags);
        if (item >= 0 && (flags & LVHT_ONITEMLABEL))
            GoToMarker(item);
        return 0;
    }
    case NM_DBLCLK: OnDoubleClick(); return 0;
    default: return TFrameWindow::EvNotify(id, info);
    }
}

void MarkerWindow::OnItemChanged(NMLISTVIEW const &change) {
    bool selected = (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                    !(change.uOldState & LVIS_SELECTED);
    if (!selected)
        return;
    if (suppressSelection_) {
        suppressSelection_ = 0;
        return;
    }
    if (!Held(VK_LBUTTON) && !Held(VK_RBUTTON))
        GoToMarker(change.iItem);
}

void MarkerWindow::OnDoubleClick() {
    if (ReadHeldKeys().alt) {
        CmEditMarker();
        return;
    }
    int index = SelectedMarker();
    if (index >= 0) {
        Wave &wave = *GetShownWave();
        wave.Play(1, kPlayFromFrame, wave.GetMarkers().GetMarker(index)->position_, 0, nullptr);
    }
}

void MarkerWindow::OnRightClick(TPoint const &point) {
    ++notificationHold_;
    unsigned flags = 0;
    int item = list_->GetItemAtPoint(point, &flags);
    if (item >= 0)
        list_->SelectItem(item, !ReadHeldKeys().shift && !ReadHeldKeys().ctrl, 1);
    --notificationHold_;
    int index = SelectedMarker();
    if (index >= 0)
        SetCurrentMarker(GetShownWave(), index);
    list_->SetFocus();
    TrackTaskWindowMenu(kListMenu, list_->GetHandle(), point, GetHandle());
}

void MarkerWindow::SortBy(int column) {
    Wave *wave = GetShownWave();
    if (!wave)
        return;
    SortOrder order = {&wave->GetMarkers(), column == 1};
    list_->SortItems(&CompareMarkers, LPARAM(&order));
}

void MarkerWindow::CmFilter() {
    if (Wave *wave = ActiveWave())
        RunFilterDialog(*wave);
}

void MarkerWindow::CmEditMarker() {
    int index = SelectedMarker();
    if (index < 0)
        return;
    Wave &wave = *GetShownWave();
    try {
        EditMarker(wave, index, 0);
    } catch (AException const &e) {
        Warn(e);
    }
    Refill(1);
    wave.NotifyViews(kNotifyAll);
    SelectMarker(index);
}

void MarkerWindow::CmDeleteMarker() {
    int index = SelectedMarker();
    if (index < 0)
        return;
    Wave &wave = *GetShownWave();
    bool changed = false;
    try {
        MarkerEdit edit(wave, kTextDeleteMarker);
        wave.GetMarkers().Remove(index);
        changed = edit.Commit();
    } catch (AException const &e) {
        Warn(e);
    }
    if (changed) {
        TellMarkersChanged(wave);
        Refill(1);
    }
}

void MarkerWindow::CeMarkerSelected(TCommandEnabler &ce) { ce.Enable(SelectedMarker() >= 0); }

void MarkerWindow::NoteWaveChanged(Wave const &wave) {
    MarkerWindow *window = FindMarkerWindow();
    if (window && window->shown_ == DocumentID(&wave))
        window->Refill(1);
}

// ---- showing

MarkerWindow *FindMarkerWindow() {
    TFrameWindow *main = _docManager ? _docManager->GetMainWindow() : nullptr;
    return main ? dynamic_cast<MarkerWindow *>(main->ChildWithId(kMarkerWindowId)) : nullptr;
}

bool IsMarkerWindowShown() {
    MarkerWindow *window = FindMarkerWindow();
    return window && window->GetHandle();
}

void ShowMarkerWindow(bool show) {
    TFrameWindow *main = _docManager ? _docManager->GetMainWindow() : nullptr;
    if (!main)
        return;
    MarkerWindow *window = FindMarkerWindow();
    if (!show) {
        if (window && window->GetHandle())
            TWindow::ShutDownWindow(window);
        return;
    }
    if (!window) {
        window = new MarkerWindow(main);
        window->Create();
        return;
    }
    if (!window->GetHandle()) {
        window->Create();
        return;
    }
    window->ShowWindow(SW_RESTORE);
    ::BringWindowToTop(window->GetHandle());
}

// ---- settings

MarkerWindowSettings &TheMarkerWindowSettings() {
    static MarkerWindowSettings settings;
    return settings;
}

bool IsUsablePlacement(RECT const &r, SIZE const &screen, RECT const &virtualScreen) {
    if (r.right <= r.left || r.bottom <= r.top)
        return false;
    if (r.left > screen.cx - kScreenEdge || r.top > screen.cy - kScreenEdge)
        return false;
    RECT on;
    if (!::IntersectRect(&on, &r, &virtualScreen))
        return false;
    int64_t area = int64_t(r.right - r.left) * (r.bottom - r.top);
    int64_t shown = int64_t(on.right - on.left) * (on.bottom - on.top);
    return shown * 2 >= area;
}

void LoadMarkerWindowSettings(Config &config) {
    MarkerWindowSettings &s = TheMarkerWindowSettings();
    MarkerWindowSettings const defaults;
    Config::PathSaver path(config);
    config.MoveDown("MarkerWindow");
    s.x = config.GetValue(long(defaults.x), "X");
    s.y = config.GetValue(long(defaults.y), "Y");
    s.x2 = config.GetValue(long(defaults.x2), "X2");
    s.y2 = config.GetValue(long(defaults.y2), "Y2");
    s.lastAutoName = config.GetSure(0, 0, 1, "LastAN");
    RECT stored = {s.x, s.y, s.x2, s.y2};
    SIZE screen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT virtualScreen = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)};
    virtualScreen.right = virtualScreen.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    virtualScreen.bottom = virtualScreen.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (!IsUsablePlacement(stored, screen, virtualScreen)) {
        s.x = defaults.x, s.y = defaults.y, s.x2 = defaults.x2, s.y2 = defaults.y2;
    }
}

void SaveMarkerWindowSettings(Config &config) {
    MarkerWindow *window = FindMarkerWindow();
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    MarkerWindowSettings &s = TheMarkerWindowSettings();
    if (window && window->GetHandle() && ::GetWindowPlacement(window->GetHandle(), &placement)) {
        RECT const &r = placement.rcNormalPosition;
        s.x = r.left, s.y = r.top, s.x2 = r.right, s.y2 = r.bottom;
    }
    Config::PathSaver path(config);
    config.MoveDown("MarkerWindow");
    config.SetValue(long(s.x), "X");
    config.SetValue(long(s.y), "Y");
    config.SetValue(long(s.x2), "X2");
    config.SetValue(long(s.y2), "Y2");
    config.SetValue(s.lastAutoName, "LastAN");
}
