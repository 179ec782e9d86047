#include "core/LayoutWindow.h"

DEFINE_RESPONSE_TABLE1(TLayoutWindow, TWindow)
    EV_WM_SIZE,
END_RESPONSE_TABLE;

TLayoutWindow::TLayoutWindow() : ClientSize(0, 0), FontHeight(0) {}

TLayoutWindow::TLayoutWindow(TWindow *parent, char const *title, TModule *module)
    : TWindow(parent, title, module), ClientSize(0, 0), FontHeight(0) {
    TWindow::Init(parent, title, module);  // when a further class does not name the virtual base
}

TLayoutWindow::~TLayoutWindow() {}

void TLayoutWindow::SetChildLayoutMetrics(TWindow &child, TLayoutMetrics &metrics) {
    Solver.SetMetrics(child, metrics);
}

int TLayoutWindow::GetChildLayoutMetrics(TWindow &child, TLayoutMetrics &metrics) {
    return Solver.GetMetrics(child, metrics);
}

int TLayoutWindow::RemoveChildLayoutMetrics(TWindow &child) { return Solver.RemoveMetrics(child); }

void TLayoutWindow::RemoveChild(TWindow *child) {
    TWindow::RemoveChild(child);
    if (child)
        RemoveChildLayoutMetrics(*child);
}

int TLayoutWindow::GetFontHeight() {
    HFONT font = HWindow ? (HFONT)SendMessageA(WM_GETFONT) : 0;
    if (!font)
        font = (HFONT)::GetStockObject(SYSTEM_FONT);
    HDC dc = ::GetDC(0);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(0, dc);
    return tm.tmHeight;
}

void TLayoutWindow::Layout() {
    if (!Solver.GetCount())
        return;
    FontHeight = GetFontHeight();

    TLayoutSolver::TEdges own = {0, 0, ClientSize.cx - 1, ClientSize.cy - 1};
    uint32_t style = HWindow ? GetStyle() : Attr.Style;
    if (!(style & (WS_CHILD | WS_POPUP)) || (style & WS_BORDER)) {
        int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
        own.Left -= cx;
        own.Right += cx;
        own.Top -= cy;
        own.Bottom += cy;
    }
    Solver.Solve(own, FontHeight);

    int withWindows = 0;
    for (int i = 0; i < Solver.GetCount(); ++i)
        if (Solver.GetChild(i)->HWindow)
            ++withWindows;
    HDWP batch = withWindows ? ::BeginDeferWindowPos(withWindows) : 0;
    for (int i = 0; i < Solver.GetCount(); ++i) {
        TWindow *child = Solver.GetChild(i);
        TLayoutSolver::TEdges const &e = Solver.GetEdges(i);
        int w = e.Right - e.Left + 1, h = e.Bottom - e.Top + 1;
        if (child->HWindow) {
            if (batch)
                batch = ::DeferWindowPos(batch, child->HWindow, 0, e.Left, e.Top, w, h,
                                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            child->Attr.X = e.Left;
            child->Attr.Y = e.Top;
            child->Attr.W = w;
            child->Attr.H = h;
        }
    }
    if (batch)
        ::EndDeferWindowPos(batch);
}

void TLayoutWindow::ChildResized(TWindow &child) {
    TLayoutMetrics metrics;
    if (HWindow && Solver.GetMetrics(child, metrics))
        Layout();
}

void TLayoutWindow::EvSize(uint sizeType, TSize &size) {
    TWindow::EvSize(sizeType, size);
    if (sizeType != SIZE_MINIMIZED && size != ClientSize) {
        ClientSize = size;
        Layout();
    }
}
