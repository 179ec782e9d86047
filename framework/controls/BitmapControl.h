// A control of a dialog resource that shows a device-independent bitmap resource with
// its own palette and an optional frame, and sizes its window to them.
#pragma once

#include "controls/Control.h"

class TBitmap;
class TDib;
class TPalette;

class VELTRANE_API TBitmapControl : public TControl {
public:
    enum Style { None = 0, Framed = 1, Sunken = 2, Raised3D = 3 };

    TBitmapControl(TWindow *parent, int controlId, int bitmapId, Style style = None, TModule *module = 0);
    ~TBitmapControl() override;

    // Realises the palette again; repaints when that maps any colour.
    void UpdatePalette();

    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

protected:
    TDib *Dib;
    TBitmap *Bitmap;
    TPalette *Palette;  // none for a true-colour picture
    TRect BitmapRect;  // the bitmap with its frame, client coordinates
    TResId BitmapId;
    Style BmStyle;

private:
    void FreeBitmap();
};
