#include "bars/Toolbar.h"

#include "foundation/Config.h"
#include "core/Dc.h"
#include "bars/DecoratedFrame.h"
#include "bars/DockStation.h"
#include "core/Application.h"
#include "core/Menu.h"
#include "bars/ToolbarFrame.h"
#include "bars/TooltipText.h"

#include <cstdio>
#include <cstring>

TDockStation *TToolbar::LeftDock;
TDockStation *TToolbar::TopDock;
TDockStation *TToolbar::RightDock;
TDockStation *TToolbar::BottomDock;
TDecoratedFrame *TToolbar::MainWindow;
TToolbarArray TToolbar::ToolbarArray(32, 0, 4);
int TToolbar::CreationCount;
int TToolbar::CascadeOffset = 120;

namespace {

// The application's "Main" store, when the application keeps one.
Config *MainStore() {
    TApplication *app = GetApplicationObject();
    return app ? app->GetSettingsStore() : 0;
}

// The gadget border width of the frame settings; -1 when the frame keeps none.
int UniformBorderWidth() {
    TApplication *app = GetApplicationObject();
    TFrameWindow *frame = app ? app->GetMainWindow() : 0;
    return frame ? frame->GetButtonSize() : -1;
}

TPoint ToClient(TWindow *window, TPoint p) {
    if (window && window->GetHandle())
        ::ScreenToClient(window->GetHandle(), &p);
    return p;
}

TPoint ToScreen(TWindow *window, TPoint p) {
    if (window && window->GetHandle())
        ::ClientToScreen(window->GetHandle(), &p);
    return p;
}

// The key of a bar's place in the "Main" store.
char *MakeSettingsKey(char const *name) {
    char const *title = name ? name : "";
    char *key = new char[std::strlen(title) + 32];
    std::sprintf(key, "\\Frame Window\\Toolbars\\%s", title);
    return key;
}

// The space round the gadgets, a pixel wider each way with the 3-D look.
TMargins BarMargins() {
    int h = _win95 ? 8 : 7, v = _win95 ? 6 : 5;
    return TMargins(TMargins::Pixels, h, h, v, v);
}

// The four dock stations of the main frame, made with its first tool bar.
void MakeDockStations(TDecoratedFrame *frame) {
    TToolbar::TopDock = new TDockStation(frame, TToolbar::DockTop | TToolbar::LineBottom);
    TToolbar::BottomDock = new TDockStation(frame, TToolbar::DockBottom | TToolbar::LineTop);
    TToolbar::LeftDock = new TDockStation(frame, TToolbar::DockLeft | TToolbar::LineRight);
    TToolbar::RightDock = new TDockStation(frame, TToolbar::DockRight | TToolbar::LineLeft);
    TDockStation *stations[4] = {TToolbar::TopDock, TToolbar::BottomDock, TToolbar::LeftDock, TToolbar::RightDock};
    TDecoratedFrame::TLocation const edges[4] = {TDecoratedFrame::Top, TDecoratedFrame::Bottom,
                                                 TDecoratedFrame::Left, TDecoratedFrame::Right};
    for (int i = 0; i < 4; ++i)
        frame->Insert(*stations[i], edges[i]);
    if (frame->GetHandle())
        for (TDockStation *station : stations)
            station->Create();
    TToolbar::MainWindow = frame;
}

}  // namespace

TToolbar::TToolbar(TDecoratedFrame *frame, char const *name, unsigned short style, int newRow, TFont *font,
                   TModule *module)
    : TWindow(0, name, module),
      TControlBar(0, TGadgetWindow::Horizontal, font, module),
      NewRow(newRow),
      DragStyle(style),
      Style(style),
      SettingsKey(MakeSettingsKey(name)) {
    ToolbarArray.Add(this);
    CreationCount++;

    Attr.Style = (Attr.Style | WS_CLIPSIBLINGS) & ~(WS_VISIBLE | WS_BORDER);
    SetHintMode(TGadgetWindow::EnterHints);
    SetBkgndColor(TColor::Sys3dFace);
    LoadPlace(style, newRow);
    if (_win95)
        Style |= Look3D;
    SetMargins(BarMargins());
    if (!MainWindow && frame)
        MakeDockStations(frame);

    DockPosition = NewRow ? 0 : -1;
    SetParent(GetDockedStation(Style & DockEdges));
    if (TDockStation *station = GetDockedStation(Style))
        station->Append(this, NewRow);
    ForgetOffscreenFloatingPos();
}

void TToolbar::LoadPlace(unsigned short style, int newRow) {
    Config *store = MainStore();
    if (!store)
        return;
    store->MoveAbsolute(SettingsKey);
    unsigned short stored = store->GetValue((unsigned short)style, "Style");
    Style = (stored & PlaceBits) | (style & ~PlaceBits);
    NewRow = store->GetValue(newRow, "SNL");
    CurrentCase = store->GetValue(0, "FloatSize");
    FloatingPos.x = store->GetValue(-1, "X");
    FloatingPos.y = store->GetValue(-1, "Y");
    store->MoveToRoot();
}

void TToolbar::ForgetOffscreenFloatingPos() {
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    if (FloatingPos.x > screenW - 40 || FloatingPos.y > screenH - 40 || FloatingPos.x < -10 || FloatingPos.y < 0)
        FloatingPos = TPoint(-1, -1);
}

TToolbar::~TToolbar() {
    ToolbarArray.Detach(this);
    if (FloatingFrame)
        FloatingFrame->ToolbarGone();
    for (TDockStation *station : {LeftDock, TopDock, RightDock, BottomDock})
        if (station)
            station->Forget(this);
    if (DragBrush)
        ::DeleteObject(DragBrush);
    if (DragBitmap)
        ::DeleteObject(DragBitmap);
    delete[] SettingsKey;
}

TDockStation *TToolbar::GetDockedStation(unsigned short style) {
    switch (style & (DockEdges | Floating | Hidden)) {
    case DockLeft: return LeftDock;
    case DockTop: return TopDock;
    case DockRight: return RightDock;
    case DockBottom: return BottomDock;
    default: return 0;
    }
}

// ---- window

char const *TToolbar::GetClassNameA() { return "TToolbar"; }

void TToolbar::GetWindowClass(WNDCLASSA &wc) {
    TControlBar::GetWindowClass(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

void TToolbar::SetupWindow() {
    TControlBar::SetupWindow();
    int width = UniformBorderWidth();
    if (!KeepBorders && width >= 0)
        ResizeBorders(*this, width);
    CreateCases();
    if ((Style & (Floating | Hidden)) == Floating)
        SetStyle(Style, 1);
    static const WORD rows[8] = {0xAA, 0x00, 0x55, 0x00, 0xAA, 0x00, 0x55, 0x00};
    if (!DragBitmap)
        DragBitmap = ::CreateBitmap(8, 8, 1, 1, rows);
    if (!DragBrush)
        DragBrush = ::CreatePatternBrush(DragBitmap);
}

void TToolbar::CleanupWindow() {
    Config *store = MainStore();
    if (store && SettingsKey) {
        store->MoveAbsolute(SettingsKey);
        store->SetValue(Style, "Style");
        store->SetValue(NewRow, "SNL");
        store->SetValue(CurrentCase, "FloatSize");
        store->SetValue(int(FloatingPos.x), "X");
        store->SetValue(int(FloatingPos.y), "Y");
        store->MoveToRoot();
    }
    TControlBar::CleanupWindow();
}

void TToolbar::Paint(TDC &dc, int erase, TRect &rect) {
    TControlBar::Paint(dc, erase, rect);
    DrawBarEdges(dc, GetClientRect(), Style | Lines);
}

void TToolbar::EvSysColorChange() {
    SetBkgndColor(TColor::Sys3dFace);
    TControlBar::EvSysColorChange();
}

// ---- place

void TToolbar::SetStyle(unsigned short style, int rememberPosition) {
    TDockStation *oldStation = GetDockedStation(Style);
    TDockStation *newStation = GetDockedStation(style);
    TDockStation *edgeStation = GetDockedStation(style & DockEdges);
    Style = style;

    if (rememberPosition && GetHandle() && IsWindowVisible()) {
        if (oldStation)
            DockedPos = ToClient(oldStation, GetWindowRect().TopLeft());
        else if (FloatingFrame && FloatingFrame->GetHandle())
            FloatingPos = FloatingFrame->GetWindowRect().TopLeft();
    }
    if (oldStation)
        oldStation->Remove(this, (style & Hidden) || newStation != oldStation);

    if (FloatingFrame && (!(style & Floating) || (style & Hidden))) {
        if (GetHandle())
            ShowWindow(SW_HIDE);
        TToolbarFrame *frame = FloatingFrame;
        FloatingFrame = 0;
        SetParent(edgeStation);
        frame->ToolbarGone();
        frame->Destroy(0);
        if (GetApplication())
            GetApplication()->Condemn(frame);
        else
            delete frame;
    }

    if (!(style & Hidden)) {
        if (style & Floating) {
            if (FloatingPos == TPoint(-1, -1)) {
                FloatingPos = TPoint(-1 + CascadeOffset, -1 + CascadeOffset);
                CascadeOffset += 20;
            }
            if (FloatingFrame) {
                FloatingFrame->SetWindowPos(0, FloatingPos.x, FloatingPos.y, 0, 0,
                                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (MainWindow && MainWindow->GetHandle()) {
                FloatingFrame = new TToolbarFrame(MainWindow, Title, this, FloatingPos, 0);
                FloatingFrame->Create();
                FloatingFrame->SetWindowPos(0, 0, 0, 0, 0,
                                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
        } else if (newStation) {
            newStation->Insert(this, ToScreen(newStation, DockedPos));
            LayoutSession();
        }
    }
    if (MainWindow && MainWindow->GetHandle())
        MainWindow->Layout();
}

void TToolbar::SetCaseNo(int n) {
    if (!GetHandle()) {
        CurrentCase = n;
        return;
    }
    CurrentCase = n < CaseCount - 1 ? n : CaseCount - 1;
    if (CurrentCase < 0)
        CurrentCase = 0;
    if (FloatingFrame)
        FloatingFrame->ResizeWindow();
}

TSize TToolbar::GetCaseSize(int i) const { return i >= 0 && i < CaseCount ? CaseSizes[i] : TSize(0, 0); }

int TToolbar::IsEnabled() { return MainWindow && MainWindow->GetHandle() && MainWindow->IsWindowEnabled(); }

// ---- commands

LRESULT TToolbar::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl && id >= uint(FirstCommandId) && id <= uint(LastCommandId)) {
        // found by its identifier: a bar deleted earlier must not shift the others
        for (unsigned i = 0; i < ToolbarArray.GetItemsInContainer(); ++i) {
            TToolbar *bar = ToolbarArray[ToolbarArray.LowerBound() + int(i)];
            if (bar->GetCommandId() == int(id)) {
                bar->SetStyle(bar->GetStyle() ^ Hidden, 1);
                return 0;
            }
        }
    }
    return TControlBar::EvCommand(id, hWndCtl, notifyCode);
}

void TToolbar::EvCommandEnable(TCommandEnabler &ce) {
    ce.Enable(1);
    if (!dynamic_cast<TTooltipEnabler *>(&ce))
        TControlBar::EvCommandEnable(ce);
}

void TToolbar::CmToolbars() {
    if (MainWindow && MainWindow->GetHandle())
        ForwardMessage(MainWindow->GetHandle());
}

void TToolbar::GetContextMenu(TContextMenu &menu) {
    for (unsigned i = 0; i < ToolbarArray.GetItemsInContainer(); ++i) {
        TToolbar *bar = ToolbarArray[ToolbarArray.LowerBound() + int(i)];
        menu.AppendMenuA(MF_STRING | (bar->IsHidden() ? MF_UNCHECKED : MF_CHECKED), bar->GetCommandId(),
                         bar->GetTitle() ? bar->GetTitle() : "");
    }
}

int TToolbar::PreProcessMsg(MSG &msg) {
    if (TControlBar::PreProcessMsg(msg))
        return 1;
    if (Dragging && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        DragTo(TPoint(cursor.x, cursor.y), msg.message == WM_KEYDOWN);
    }
    if (!GetHandle() || ::GetCapture())
        return 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        TWindow *child = msg.hwnd != HWindow && ::IsChild(HWindow, msg.hwnd) ? GetWindowPtr(msg.hwnd) : 0;
        if (child && child->GetId() != -1) {
            if (child != HintedControl) {
                HintedControl = child;
                SetHintCommand(child->GetId());
            }
        } else if (HintedControl) {
            HintedControl = 0;
            SetHintCommand(-1);
        }
        return 0;
    }
    if (msg.message == WM_RBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN) {
        HWND parent = ::GetParent(HWindow);
        if (parent && (msg.hwnd == parent || ::IsChild(parent, msg.hwnd))) {
            TContextMenu menu;
            GetContextMenu(menu);
            POINT cursor;
            ::GetCursorPos(&cursor);
            ::TrackPopupMenu(menu.GetHandle(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, HWindow, 0);
            return 1;
        }
    }
    return 0;
}

DEFINE_RESPONSE_TABLE1(TToolbar, TControlBar)
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_MOUSEMOVE,
    EV_WM_PAINT,
    EV_MESSAGE(WM_SYSCOLORCHANGE, EvSysColorChange, v),
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
    EV_COMMAND(TToolbar::CmToolbarsId, CmToolbars),
END_RESPONSE_TABLE;
