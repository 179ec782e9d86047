#include "core/Rubber.h"

#include "core/Dc.h"
#include "core/Window.h"

#include <algorithm>

Rubber::Rubber(TWindow &window, int style)
    : StartPoint(0, 0), Rect(0, 0, 0, 0), Window(&window), Hidden(1), Style(style), Limits(window.GetWindowRect()) {}

Rubber::~Rubber() {
    Stop();
    if (::GetCapture() == Window->GetHandle())
        ::ReleaseCapture();
}

void Rubber::CheckSize(TRect &r) const {
    r.left = std::max(r.left, Limits.left);
    r.top = std::max(r.top, Limits.top);
    r.right = std::min(r.right, Limits.right);
    r.bottom = std::min(r.bottom, Limits.bottom);
    if (Style & FullWidth)
        r.left = Limits.left, r.right = Limits.right;
    if (Style & FullHeight)
        r.top = Limits.top, r.bottom = Limits.bottom;
}

void Rubber::Start(TPoint &point, TRect *limits) {
    Stop();  // a band still on the screen would stay there
    ::SetCapture(Window->GetHandle());
    if (limits)
        Limits = *limits;
    StartPoint = point;
    ::ClientToScreen(Window->GetHandle(), &StartPoint);
    Rect = TRect(StartPoint, TSize(1, 1));
    CheckSize(Rect);
    Draw();
    Hidden = 0;
}

void Rubber::Track(unsigned modKeys, TPoint &point) {
    TPoint screen = point;
    ::ClientToScreen(Window->GetHandle(), &screen);
    if (!(modKeys & MK_LBUTTON)) {
        // the button went up before this move arrived: the owner ends the band
        Window->HandleMessage(WM_LBUTTONUP, modKeys, MAKELPARAM(screen.x, screen.y));
        return;
    }
    TRect r = TRect(StartPoint, screen).Normalized();
    CheckSize(r);
    if (r == Rect)
        return;
    if (!Hidden)
        Draw();
    Rect = r;
    Draw();
    Hidden = 0;
}

void Rubber::Stop() {
    if (Hidden)
        return;
    Draw();
    Hidden = 1;
}

void Rubber::Draw() {
    TDesktopDC dc;
    ::DrawFocusRect(dc, &Rect);
}

RubberHandle::RubberHandle(TWindow &window, int style, unsigned handleStyle, int thickness)
    : Rubber(window, style), Handle(TRect(0, 0, 0, 0), handleStyle, thickness), HandleStyle(handleStyle),
      Thickness(thickness) {}

RubberHandle::~RubberHandle() { Stop(); }

void RubberHandle::Draw() {
    TDesktopDC dc;
    dc.SetROP2(R2_NOTXORPEN);
    Handle = TUIHandle(Rect, HandleStyle, Thickness);
    Handle.Paint(dc);
}
