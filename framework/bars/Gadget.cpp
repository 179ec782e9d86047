#include "bars/Gadget.h"

#include "bars/GadgetWindow.h"
#include "core/UIParts.h"

// ---- TMargins

void TMargins::GetPixels(int &left, int &right, int &top, int &bottom, int fontHeight) const {
    switch (Units) {
    case Pixels:
        left = Left, right = Right, top = Top, bottom = Bottom;
        break;
    case LayoutUnits:
        left = (Left * fontHeight + 4) / 8;
        right = (Right * fontHeight + 4) / 8;
        top = (Top * fontHeight + 4) / 8;
        bottom = (Bottom * fontHeight + 4) / 8;
        break;
    case BorderUnits: {
        int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
        left = Left * cx, right = Right * cx, top = Top * cy, bottom = Bottom * cy;
        break;
    }
    }
}

// ---- TGadget

namespace {
TGadget::TBorders BordersOf(TGadget::TBorderStyle style) {
    uint8_t n = style == TGadget::None ? 0 : style <= TGadget::Recessed ? 1 : style <= TGadget::WndRecessed ? 2 : 0;
    TGadget::TBorders b;
    b.Left = b.Right = b.Top = b.Bottom = n;
    return b;
}
}  // namespace

TGadget::TGadget(int id, TBorderStyle style)
    : Clip(0),
      WideAsPossible(0),
      ShrinkWrapWidth(1),
      ShrinkWrapHeight(1),
      Window(0),
      Bounds(0, 0, 0, 0),
      BorderStyle(style),
      Borders(BordersOf(style)),
      TrackMouse(0),
      Id(id),
      Next(0),
      Flags(Enabled | Visible) {}

TGadget::~TGadget() {
    if (Window)
        Window->Remove(*this);
}

void TGadget::SetEnabled(int enabled) {
    if (GetEnabled() == (enabled != 0))
        return;
    Flags = enabled ? (Flags | Enabled) : (Flags & ~Enabled);
    Invalidate(1);
}

void TGadget::GetDesiredSize(TSize &size) {
    int left = 0, right = 0, top = 0, bottom = 0;
    GetOuterSizes(left, right, top, bottom);
    size.cx = ShrinkWrapWidth ? left + right : Bounds.Width();
    size.cy = ShrinkWrapHeight ? top + bottom : Bounds.Height();
}

void TGadget::SetBounds(TRect const &rect) {
    if (rect == Bounds)
        return;
    Bounds = rect;
    Moved();
}

int TGadget::IdleAction(long idleCount) {
    if (idleCount == 0)
        CommandEnable();
    return 0;
}

void TGadget::CommandEnable() {}
void TGadget::SysColorChange() {}

void TGadget::Created() {
    if (Window)
        Window->AddTool(*this);
}

void TGadget::Inserted() {}

void TGadget::Moved() {
    if (Window)
        Window->MoveTool(*this);
}

void TGadget::Removed() {
    if (Window)
        Window->RemoveTool(*this);
}

int TGadget::PtIn(TPoint const &point) {
    return IsVisible() && point.x >= 0 && point.y >= 0 && point.x < Bounds.Width() && point.y < Bounds.Height();
}

void TGadget::Paint(TDC &dc) { PaintBorder(dc); }

void TGadget::PaintBorder(TDC &dc) {
    TRect area(0, 0, Bounds.Width(), Bounds.Height());
    if (BorderStyle == None)
        return;
    if (BorderStyle == Plain) {
        TBrush frame(TColor::SysWindowFrame);
        dc.YrtFastWindowFrame(frame, area, ::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
        return;
    }
    TUIBorder(area, BorderStyle).Paint(dc);
}

void TGadget::MouseEnter(uint, TPoint const &) {}
void TGadget::MouseMove(uint, TPoint const &) {}

void TGadget::MouseLeave(uint, TPoint const &) {
    // A shown tip disappears when the tooltip sees the mouse elsewhere.
    if (!Window || !Window->GetTooltip())
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    HWND under = ::WindowFromPoint(cursor);
    if (!under)
        return;
    POINT client = cursor;
    ::ScreenToClient(under, &client);
    MSG msg = {};
    msg.hwnd = under;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(client.x, client.y);
    msg.pt = cursor;
    Window->RelayToTooltip(msg);
}

void TGadget::LButtonDown(uint, TPoint const &) {
    if (TrackMouse && Window)
        Window->GadgetSetCapture(*this);
}

void TGadget::RButtonDown(uint, TPoint const &) {}

void TGadget::LButtonUp(uint, TPoint const &) {
    if (TrackMouse && Window)
        Window->GadgetReleaseCapture(*this);
}

void TGadget::RButtonUp(uint, TPoint const &) {}

void TGadget::CaptureLost() {}

void TGadget::SetVisible(int visible) { Flags = visible ? (Flags | Visible) : (Flags & ~Visible); }

void TGadget::SetEndOfRow(int end) { Flags = end ? (Flags | EndOfRow) : (Flags & ~EndOfRow); }

void TGadget::SetShrinkWrap(int width, int height) {
    ShrinkWrapWidth = width;
    ShrinkWrapHeight = height;
}

void TGadget::SetSize(TSize const &size) {
    SetBounds(TRect(Bounds.TopLeft(), size));
    if (Window)
        Window->GadgetChangedSize(*this);
}

void TGadget::SetBorders(TBorders const &borders) {
    Borders = borders;
    if (Window)
        Window->GadgetChangedSize(*this);
}

void TGadget::SetMargins(TMargins const &margins) {
    Margins = margins;
    if (Window)
        Window->GadgetChangedSize(*this);
}

void TGadget::SetBorderStyle(TBorderStyle style) {
    BorderStyle = style;
    Borders = BordersOf(style);
    if (Window)
        Window->GadgetChangedSize(*this);
}

void TGadget::GetOuterSizes(int &left, int &right, int &top, int &bottom) {
    if (!Window)
        return;
    Margins.GetPixels(left, right, top, bottom, Window->GetFontHeight());
    int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
    left += Borders.Left * cx;
    right += Borders.Right * cx;
    top += Borders.Top * cy;
    bottom += Borders.Bottom * cy;
}

void TGadget::GetInnerRect(TRect &rect) {
    int left = 0, right = 0, top = 0, bottom = 0;
    GetOuterSizes(left, right, top, bottom);
    rect = TRect(left, top, Bounds.Width() - right, Bounds.Height() - bottom);
}

void TGadget::Invalidate(int erase) { InvalidateRect(TRect(0, 0, Bounds.Width(), Bounds.Height()), erase); }

void TGadget::InvalidateRect(TRect const &rect, int erase) {
    if (Window && Window->GetHandle())
        Window->InvalidateRect(rect.OffsetBy(Bounds.left, Bounds.top), erase != 0);
}

void TGadget::Update() {
    if (Window && Window->GetHandle())
        Window->UpdateWindow();
}

// ---- TSeparatorGadget, TSizeGripGadget

TSeparatorGadget::TSeparatorGadget(int size, int id) : TGadget(id, None) {
    if (size == 0)
        size = 2 * ::GetSystemMetrics(SM_CXSIZEFRAME);
    ShrinkWrapWidth = ShrinkWrapHeight = 0;
    Flags &= ~(Enabled | Visible);
    Bounds = TRect(0, 0, size, size);
}

void TSeparatorGadget::Inserted() {
    BorderStyle = None;
    Borders = TBorders();
}

namespace {
int GripSize() {
    int arrow = ::GetSystemMetrics(SM_CXHSCROLL), thumb = ::GetSystemMetrics(SM_CYVSCROLL);
    return arrow > thumb ? arrow : thumb;
}
}  // namespace

TSizeGripGadget::TSizeGripGadget(int id) : TSeparatorGadget(GripSize(), id) { Flags |= Enabled; }

void TSizeGripGadget::Paint(TDC &dc) {
    TRect inner;
    GetInnerRect(inner);
    ++inner.right;
    ++inner.bottom;
    TUIPart::DrawFrameControl(dc, inner, TUIPart::Scroll, TUIPart::ScrollSizeGrip);
}
