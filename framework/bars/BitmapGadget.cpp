#include "bars/BitmapGadget.h"

#include "core/Dib.h"
#include "bars/GadgetWindow.h"

TBitmapGadget::TBitmapGadget(TResId bitmap, int id, TBorderStyle style, int numImages, int startImage,
                             int sharedCels)
    : TGadget(id, style),
      ResId(sharedCels ? TResId() : bitmap),
      CelArray(0),
      ImageBase(sharedCels ? int((ULONG_PTR)(char const *)bitmap) : 0),
      CurrentImage(startImage),
      NumImages(numImages) {}

TBitmapGadget::~TBitmapGadget() { delete CelArray; }

void TBitmapGadget::SysColorChange() {
    delete CelArray;
    CelArray = 0;
    if (!ResId || !Window || !Window->GetCommonModule())
        return;
    TDib dib(*Window->GetCommonModule(), ResId);
    dib.MapUIColors(TDib::MapFace | TDib::MapText | TDib::MapShadow | TDib::MapHighlight);
    CelArray = new TCelArray(dib, NumImages);
}

TCelArray *TBitmapGadget::GetCels() {
    if (!ResId)
        return Window ? &Window->GetCelArray(0, 0) : 0;
    if (!CelArray)
        SysColorChange();
    return CelArray;
}

void TBitmapGadget::GetDesiredSize(TSize &size) {
    TGadget::GetDesiredSize(size);
    if (TCelArray *cels = GetCels()) {
        size.cx += cels->CelSize().cx;
        size.cy += cels->CelSize().cy;
    }
}

void TBitmapGadget::Paint(TDC &dc) {
    PaintBorder(dc);
    TCelArray *cels = GetCels();
    if (!cels)
        return;
    TRect inner;
    GetInnerRect(inner);
    cels->BitBlt(ImageBase + CurrentImage, dc, inner.left, inner.top);
}

void TBitmapGadget::SetBounds(TRect const &rect) {
    TGadget::SetBounds(rect);
    Invalidate(0);
}

int TBitmapGadget::SelectImage(int image, int immediate) {
    int previous = CurrentImage;
    if (image != CurrentImage) {
        CurrentImage = image;
        Invalidate(0);
        if (immediate)
            Update();
    }
    return previous;
}
