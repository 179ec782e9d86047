// A bitmap that remembers the face colour it was drawn for and repaints its face-coloured
// pixels when the system's face colour changes.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Color.h"
#include "core/Dc.h"
#include "core/GdiObject.h"

class VELTRANE_API TBtnBitmap : public TBitmap {
public:
    TBtnBitmap(HINSTANCE instance, TResId resId, TColor const &faceColor = DefaultFaceColor);
    TBtnBitmap(HBITMAP bitmap, TColor const &faceColor = DefaultFaceColor, TAutoDelete autoDelete = NoAutoDelete);
    TBtnBitmap(TBtnBitmap const &src);

    void UpdateFaceColor();
    TColor GetFaceColor() const { return FaceColor; }
    // Paints new where src has old, copies src elsewhere.
    static void MapColor(TDC &dst, TDC &src, TColor const &newColor, TColor const &oldColor, int width, int height);

    static TColor DefaultFaceColor;

private:
    TColor FaceColor;
};
