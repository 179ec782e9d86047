// A gadget that carries an ordinary control window (a combo box, an edit field, a gauge)
// inside a gadget window. The gadget owns the control: it destroys its window and
// deletes the object.
#pragma once

#include "bars/Gadget.h"
#include "core/Window.h"

class VELTRANE_API TControlGadget : public TGadget {
public:
    TControlGadget(TWindow &control, TBorderStyle border = None);
    ~TControlGadget() override;

    TWindow *GetControl() const { return Control; }
    void SetControl(TWindow *control) { Control = control; }
    // Forced sizes in pixels; -1 follows the control.
    void SetWidthOverride(int width) { WidthOverride = width; }
    void SetHeightOverride(int height) { HeightOverride = height; }

    void InvalidateRect(TRect const &rect, int erase = 1);
    void Update();

    void GetDesiredSize(TSize &size) override;
    void SetBounds(TRect const &bounds) override;
    void Created() override;
    void Inserted() override;
    void Removed() override;

private:
    void CreateControl();
    // Registers (add) or removes the control's tool with the window's tooltip.
    void SendTool(int add);

    int WidthOverride;
    int HeightOverride;
    TWindow *Control;
};
