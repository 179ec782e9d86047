#include "bars/ControlGadget.h"

#include "bars/GadgetWindow.h"
#include "bars/Tooltip.h"
#include "bars/TooltipInfo.h"

TControlGadget::TControlGadget(TWindow &control, TBorderStyle border)
    : TGadget(control.GetId(), border), WidthOverride(-1), HeightOverride(-1), Control(&control) {
    Control->ModifyStyle(0, WS_CLIPSIBLINGS);
}

TControlGadget::~TControlGadget() {
    Control->Destroy(0);
    delete Control;
}

void TControlGadget::GetDesiredSize(TSize &size) {
    TGadget::GetDesiredSize(size);
    if (ShrinkWrapWidth)
        size.cx += Control->Attr.W;
    if (ShrinkWrapHeight)
        size.cy += Control->Attr.H;
    if (WidthOverride >= 0)
        size.cx = WidthOverride;
    if (HeightOverride >= 0)
        size.cy = HeightOverride;
}

void TControlGadget::SetBounds(TRect const &bounds) {
    TGadget::SetBounds(bounds);
    int left, right, top, bottom;
    GetOuterSizes(left, right, top, bottom);
    // The control sits centred within the borders and margins.
    TRect inner(Bounds.left + (left + right) / 2, Bounds.top + (top + bottom) / 2,
                Bounds.right - (left + right) / 2, Bounds.bottom - (top + bottom) / 2);
    // (a control not made yet keeps the place in its attributes)
    Control->SetWindowPos(0, inner, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControlGadget::CreateControl() {
    Control->SetParent(Window);
    if (Window->GetHandle() && !Control->GetHandle())
        Control->Create();
    if (Control->GetHandle())
        Control->ShowWindow(SW_SHOWNA);
}

void TControlGadget::Inserted() { CreateControl(); }

void TControlGadget::Created() {
    CreateControl();
    SendTool(1);
}

void TControlGadget::Removed() {
    // Hidden first: without a parent the control would stand on the desktop.
    if (Control->GetHandle())
        Control->ShowWindow(SW_HIDE);
    Control->SetParent(0);
    if (Window && Window->GetHandle())
        SendTool(0);
}

void TControlGadget::SendTool(int add) {
    TTooltip *tip = Window->GetTooltip();
    if (!tip || !tip->GetHandle() || !Control->GetHandle())
        return;
    TToolInfo info(Window->GetHandle(), Control->GetHandle(), LPSTR_TEXTCALLBACKA);
    if (add)
        tip->AddTool(info);
    else
        tip->DeleteTool(info);
}

void TControlGadget::InvalidateRect(TRect const &rect, int erase) {
    TGadget::InvalidateRect(rect, erase);
    if (Control->GetHandle())
        ::InvalidateRect(Control->GetHandle(), &rect, erase);
}

void TControlGadget::Update() {
    if (Control->GetHandle())
        ::UpdateWindow(Control->GetHandle());
}
