// A gadget that shows one image of a strip of equal images: its own strip from a
// bitmap resource, or the window's shared cels.
#pragma once

#include "bars/Gadget.h"

#include "core/Module.h"

class TCelArray;

class VELTRANE_API TBitmapGadget : public TGadget {
public:
    // With sharedCels the bitmap argument is the index of the first image in the
    // window's shared cels.
    TBitmapGadget(TResId bitmap, int id, TBorderStyle style, int numImages, int startImage = 0, int sharedCels = 0);
    ~TBitmapGadget() override;

    // Gives the previous image; with immediate the window is updated at once.
    int SelectImage(int image, int immediate);
    int GetImage() const { return CurrentImage; }
    int GetNumImages() const { return NumImages; }

    void SysColorChange() override;
    void GetDesiredSize(TSize &size) override;
    void Paint(TDC &dc) override;
    void SetBounds(TRect const &rect) override;

protected:
    // The own strip, built on first need, or the window's shared cels.
    TCelArray *GetCels();

    TResId ResId;
    TCelArray *CelArray;
    int ImageBase;
    int CurrentImage;
    int NumImages;
};
