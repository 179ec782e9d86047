// A memory device context over a 32-bit top-down DIB section whose pixels a
// test reads back directly.
#pragma once

#include "core/Dc.h"

#include <string>

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : Width(width), Height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HBITMAP section = ::CreateDIBSection(0, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&Bits), 0, 0);
        Bitmap = new TBitmap(section, AutoDelete);
        Dc = new TMemoryDC;
        Dc->SelectObject(*Bitmap);
        Fill(fill);
    }
    ~Canvas() {
        delete Dc;
        delete Bitmap;
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    void Fill(COLORREF color) {
        for (int i = 0; i < Width * Height; ++i)
            Bits[i] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        DWORD p = Bits[y * Width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(COLORREF color) const;
    bool SameAs(const Canvas &other) const {
        ::GdiFlush();
        for (int i = 0; i < Width * Height; ++i)
            if ((Bits[i] & 0xFFFFFF) != (other.Bits[i] & 0xFFFFFF))
                return false;
        return true;
    }
    // Pixels drawn in each row as '#' (not the background) or '.'.
    std::string Row(int y, COLORREF background = RGB(255, 255, 255)) const {
        std::string row;
        for (int x = 0; x < Width; ++x)
            row += At(x, y) == background ? '.' : '#';
        return row;
    }
    // Writes the picture as a 24-bit BMP file.
    bool Save(const std::string &path) const;

    TDC &dc() { return *Dc; }
    const int Width, Height;

private:
    DWORD *Bits = 0;
    TBitmap *Bitmap;
    TMemoryDC *Dc;
};

// How many pixels of the rectangle have the colour.
inline int CountIn(Canvas const &canvas, TRect const &rect, COLORREF color) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += canvas.At(x, y) == color;
    return n;
}

inline int Canvas::Count(COLORREF color) const { return CountIn(*this, TRect(0, 0, Width, Height), color); }

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();
