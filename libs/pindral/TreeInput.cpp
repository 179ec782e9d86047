// The mouse, the keys and the scroll bars of a tree window.
#include "pindral/TreeWindow.h"

#include <algorithm>
#include <cstdlib>

namespace pindral {

namespace {

int const kLinePixels = 16;  // one step of the horizontal scroll bar
int const kFar = 1 << 30;    // beyond any row or pixel: scrolling clamps it

// Moves position as a scroll bar's request asks (rows or pixels); false for a request
// that moves nothing.
bool Requested(HWND window, int bar, int code, int line, int page, int &position) {
    SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (code) {
    case SB_LINEUP: position -= line; break;  // SB_LINELEFT alike, and so on
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = kFar; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        GetScrollInfo(window, bar, &info);
        position = info.nTrackPos;
        break;
    default: return false;
    }
    return true;
}

}  // namespace

void TreeWindow::ButtonDown(POINT at, bool doubleClick) {
    SetFocus(window_);
    if (destroyed_)
        return;
    PindralHit hit = layout_.HitTest(at, items_, Client());
    if (hit.area == PINDRAL_HIT_HEADER) {
        Notify(PTN_HEADERCLICK);
        return;
    }
    if (hit.item == PINDRAL_NONE)
        return;
    bool wasCaret = hit.item == caret_;
    SetCaret(hit.item);
    bool button = hit.area == PINDRAL_HIT_BUTTON && items_.HasChildren(hit.item) &&
                  (layout_.Look().options & PINDRAL_SHOW_BUTTONS);
    if (button || doubleClick) {
        Notify(button ? PTN_TOGGLECLICK : PTN_DOUBLECLICK);
        return;
    }
    if (!Notify(wasCaret ? PTN_CARETCLICK : PTN_CLICK))
        return;
    pressed_ = true;
    pressedAt_ = at;
    SetCapture(window_);
}

void TreeWindow::RightButtonDown(POINT at) {
    SetFocus(window_);
    if (destroyed_)
        return;
    int item = layout_.HitTest(at, items_, Client()).item;
    if (item != PINDRAL_NONE)
        SetCaret(item);
}

void TreeWindow::MouseMove(POINT at) {
    if (!pressed_)
        return;
    if (!dragging_) {
        if (std::abs(at.x - pressedAt_.x) < GetSystemMetrics(SM_CXDRAG) &&
            std::abs(at.y - pressedAt_.y) < GetSystemMetrics(SM_CYDRAG))
            return;
        dragging_ = true;
        if (!Notify(PTN_DRAGBEGIN))
            return;
    }
    AutoScroll(at);
    Notify(PTN_DRAGMOVE);
}

void TreeWindow::ButtonUp() { EndDrag(true); }

void TreeWindow::EndDrag(bool dropped) {
    bool wasDragging = dragging_;
    // cleared first: giving up the capture comes back here as WM_CAPTURECHANGED
    dragging_ = pressed_ = false;
    if (GetCapture() == window_)
        ReleaseCapture();
    if (!wasDragging)
        return;
    if (dropped && !Notify(PTN_DROP))
        return;
    Notify(PTN_DRAGEND);
}

void TreeWindow::AutoScroll(POINT at) {
    if (at.y < layout_.HeaderHeight())
        ScrollTo(layout_.TopRow() - 1, layout_.XOffset());
    else if (at.y >= Client().cy)
        ScrollTo(layout_.TopRow() + 1, layout_.XOffset());
}

void TreeWindow::ContextMenu(LPARAM at) {
    if (at == -1) {
        if (caret_ != PINDRAL_NONE)
            Notify(PTN_CONTEXTKEY);
        return;
    }
    POINT p = {short(LOWORD(at)), short(HIWORD(at))};
    ScreenToClient(window_, &p);
    if (layout_.HitTest(p, items_, Client()).item != PINDRAL_NONE)
        Notify(PTN_CONTEXTMENU);
}

void TreeWindow::KeyDown(UINT key) {
    HWND parent = GetParent(window_);
    if (parent) {
        WPARAM keyAndCaret = MAKEWPARAM(key, WORD(caret_));
        LRESULT answer = SendMessageA(parent, WM_VKEYTOITEM, keyAndCaret, reinterpret_cast<LPARAM>(window_));
        if (destroyed_ || answer == -2)
            return;
    }
    int page = std::max(1, layout_.PageRows(Client()) - 1);
    switch (key) {
    case VK_UP: MoveCaretBy(-1); break;
    case VK_DOWN: MoveCaretBy(1); break;
    case VK_PRIOR: MoveCaretBy(-page); break;
    case VK_NEXT: MoveCaretBy(page); break;
    case VK_HOME: MoveCaretBy(-kFar); break;
    case VK_END: MoveCaretBy(kFar); break;
    case VK_LEFT: ToggleOrStep(false); break;
    case VK_RIGHT: ToggleOrStep(true); break;
    case VK_ESCAPE: EndDrag(false); break;
    case VK_RETURN:
    case VK_SPACE:
    case VK_F2:
        if (caret_ != PINDRAL_NONE)
            Notify(key == VK_RETURN ? PTN_ENTER : key == VK_SPACE ? PTN_SPACE : PTN_EDITKEY);
        break;
    }
}

void TreeWindow::Char(char c) {
    int item = items_.ShownSelfOrAncestor(caret_);
    if (item == PINDRAL_NONE || !items_.HasChildren(item))
        return;
    bool expanded = items_[item].expanded;
    if ((c == '+' && !expanded) || (c == '-' && expanded)) {
        SetCaret(item);
        Notify(PTN_TOGGLEKEY);
    }
}

void TreeWindow::MoveCaretBy(int rows) {
    std::vector<int> const &shown = items_.Shown();
    if (shown.empty())
        return;
    int item = items_.ShownSelfOrAncestor(caret_);
    long row = item == PINDRAL_NONE ? -1L : long(items_.RowOf(item));
    row = std::max(0L, std::min(row + rows, long(shown.size()) - 1));
    SetCaret(shown[row]);
    EnsureVisible(caret_);
}

// Right opens a closed item or steps to the first child of an open one; Left closes an
// open item or steps to the parent. Opening and closing is the parent's to do.
void TreeWindow::ToggleOrStep(bool right) {
    int item = items_.ShownSelfOrAncestor(caret_);
    if (item == PINDRAL_NONE)
        return;
    SetCaret(item);
    bool children = items_.HasChildren(item);
    if (children && items_[item].expanded != right) {
        Notify(PTN_TOGGLEKEY);
        return;
    }
    int step = right ? (children ? item + 1 : int(PINDRAL_NONE)) : items_.Parent(item);
    if (step != PINDRAL_NONE)
        SetCaret(step);
    EnsureVisible(caret_);
}

void TreeWindow::VerticalScroll(int code) {
    int top = layout_.TopRow();
    if (Requested(window_, SB_VERT, code, 1, layout_.PageRows(Client()), top))
        ScrollTo(top, layout_.XOffset());
}

void TreeWindow::HorizontalScroll(int code) {
    int x = layout_.XOffset();
    if (Requested(window_, SB_HORZ, code, kLinePixels, Client().cx, x))
        ScrollTo(layout_.TopRow(), x);
}

void TreeWindow::Wheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ScrollTo(layout_.TopRow() - delta * int(lines) / WHEEL_DELTA, layout_.XOffset());
}

}  // namespace pindral
