#include "controls/WindowUtilities.h"

#include <algorithm>
#include <cstring>

namespace {
int const kScreenMargin = 20;

// Keeps a w x h box at (x, y) 20 pixels inside the screen; the left and top margins
// win when the box is larger than the screen.
TPoint KeepOnScreen(int x, int y, int w, int h) {
    TRect screen = GetScreenRect();
    if (x + w > screen.Width() - kScreenMargin)
        x = screen.Width() - kScreenMargin - w;
    if (y + h > screen.Height() - kScreenMargin)
        y = screen.Height() - kScreenMargin - h;
    return TPoint(std::max(x, kScreenMargin), std::max(y, kScreenMargin));
}

TPoint CenteredOn(TRect const &on, int w, int h) {
    return TPoint(on.left + (on.right - on.left - w) / 2, on.top + (on.bottom - on.top - h) / 2);
}

TPoint CenteredOnPoint(TPoint const &p, int w, int h) {
    return TPoint(std::max<int>(p.x - w / 2, 0), std::max<int>(p.y - h / 2, 0));
}

TPoint CursorPosition() {
    POINT p = {0, 0};
    ::GetCursorPos(&p);
    return TPoint(p.x, p.y);
}
}  // namespace

TRect GetScreenRect() { return TRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

void CenterWindow(TWindow &window, CenterMode mode, TPoint const *point) {
    TRect client = window.GetClientRect();
    int w = client.Width(), h = client.Height();
    TPoint at = point ? *point : TPoint(0, 0);
    TPoint pos(0, 0);
    switch (mode) {
    case kCenterOnScreen:
        pos = CenteredOn(GetScreenRect(), w, h);
        break;
    case kCenterOnParent: {
        HWND parent = window.GetParentH();
        TRect on = GetScreenRect();
        if (parent)
            ::GetWindowRect(parent, &on);
        pos = CenteredOn(on, w, h);
        break;
    }
    case kCenterOnPoint:
        pos = CenteredOnPoint(at, w, h);
        break;
    case kCenterOnMouse:
        pos = CenteredOnPoint(CursorPosition(), w, h);
        break;
    case kTopLeftAtPoint:
        pos = at;
        break;
    default:
        break;
    }
    pos = KeepOnScreen(pos.x, pos.y, w, h);
    window.SetWindowPos(0, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GetCenteredRect(CenterMode mode, TRect &rect, TRect const *reference) {
    int w = rect.Width(), h = rect.Height();
    TPoint pos(rect.left, rect.top);
    switch (mode) {
    case kCenterOnScreen:
        pos = CenteredOn(GetScreenRect(), w, h);
        break;
    case kCenterOnRect:
        pos = CenteredOn(reference ? *reference : GetScreenRect(), w, h);
        break;
    case kCenterOnPoint:
        pos = CenteredOnPoint(TPoint(rect.left, rect.top), w, h);
        break;
    case kCenterOnMouse:
        pos = CenteredOnPoint(CursorPosition(), w, h);
        break;
    default:  // the top-left corner stays, for the parent mode too (there is no window)
        break;
    }
    pos = KeepOnScreen(pos.x, pos.y, w, h);
    rect = TRect(pos.x, pos.y, pos.x + w, pos.y + h);
}

// ---- WaitCursor

WaitCursor::WaitCursor(TWindow &window) : Window(&window), Previous(0) {
    window.SetCapture();
    Previous = ::SetCursor(::LoadCursorA(0, (LPCSTR)IDC_WAIT));
}

WaitCursor::~WaitCursor() {
    ::SetCursor(Previous);
    if (::GetCapture() == Window->GetHandle())
        ::ReleaseCapture();
}

// ---- FocusSaver

FocusSaver::FocusSaver() : Focus(::GetFocus()) {}

FocusSaver::~FocusSaver() {
    if (Focus && ::IsWindow(Focus))
        ::SetFocus(Focus);
}

// ---- SetWindowTextIfChanged

void SetWindowTextIfChanged(HWND window, char const *text) {
    if (!text)
        text = "";
    char current[500];
    current[0] = 0;
    // a text too long for the buffer is always set: a cut copy could match a cut new text
    size_t length = (size_t)::GetWindowTextLengthA(window);
    if (length != std::strlen(text) || length >= sizeof current ||
        (::GetWindowTextA(window, current, sizeof current), std::strcmp(current, text) != 0))
        ::SetWindowTextA(window, text);
}

// ---- SizeRule

SizeRule::SizeRule() : Id(-1), Value(0), Reserved(), Mode(-1) {}

SizeRule::SizeRule(int id, long value, int mode) : Id(id), Value(value), Reserved(), Mode(mode) {}

int SizeRule::Compare(CollectionElement const &other, int) const {
    int otherId = static_cast<SizeRule const &>(other).Id;
    return Id < otherId ? -1 : Id > otherId ? 1 : 0;
}
