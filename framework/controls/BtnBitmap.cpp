#include "controls/BtnBitmap.h"

TColor TBtnBitmap::DefaultFaceColor(COLORREF(0xC0C0C0));

TBtnBitmap::TBtnBitmap(HINSTANCE instance, TResId resId, TColor const &faceColor)
    : TBitmap(instance, resId), FaceColor(faceColor) {
    UpdateFaceColor();
}

TBtnBitmap::TBtnBitmap(HBITMAP bitmap, TColor const &faceColor, TAutoDelete autoDelete)
    : TBitmap(bitmap, autoDelete), FaceColor(faceColor) {
    UpdateFaceColor();
}

TBtnBitmap::TBtnBitmap(TBtnBitmap const &src) : TBitmap(src), FaceColor(src.FaceColor) {}

void TBtnBitmap::UpdateFaceColor() {
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    if (face == FaceColor.GetValue())
        return;
    int w = Width(), h = Height();
    TMemoryDC own(*this);
    TMemoryDC copyDC(static_cast<TDC &>(own));
    TBitmap copy(own, w, h);
    copyDC.SelectObject(copy);
    ::BitBlt(copyDC.GetHDC(), 0, 0, w, h, own.GetHDC(), 0, 0, SRCCOPY);
    MapColor(own, copyDC, TColor(face), FaceColor, w, h);
    copyDC.RestoreBitmap();
    own.RestoreBitmap();
    FaceColor = TColor(face);
}

void TBtnBitmap::MapColor(TDC &dst, TDC &src, TColor const &newColor, TColor const &oldColor, int width,
                          int height) {
    HDC s = src.GetHDC(), d = dst.GetHDC();
    // mask: 1 where src has the old colour
    HDC maskDC = ::CreateCompatibleDC(d);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, 0);
    HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
    COLORREF oldBk = ::SetBkColor(s, oldColor.GetValue());
    ::BitBlt(maskDC, 0, 0, width, height, s, 0, 0, SRCCOPY);
    ::SetBkColor(s, oldBk);
    ::BitBlt(d, 0, 0, width, height, s, 0, 0, SRCCOPY);
    // brush where the mask is 1, dst elsewhere
    HBRUSH brush = ::CreateSolidBrush(newColor.GetValue());
    HGDIOBJ oldBrush = ::SelectObject(d, brush);
    COLORREF oldText = ::SetTextColor(d, RGB(0, 0, 0));
    COLORREF oldBack = ::SetBkColor(d, RGB(255, 255, 255));
    ::BitBlt(d, 0, 0, width, height, maskDC, 0, 0, 0xE20746);
    ::SetTextColor(d, oldText);
    ::SetBkColor(d, oldBack);
    ::SelectObject(d, oldBrush);
    ::DeleteObject(brush);
    ::SelectObject(maskDC, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(maskDC);
}
