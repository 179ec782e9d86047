#include "controls/BitmapControl.h"

#include "core/Dc.h"
#include "core/Dib.h"
#include "core/GdiObject.h"
#include "core/Module.h"

TBitmapControl::TBitmapControl(TWindow *parent, int controlId, int bitmapId, Style style, TModule *module)
    : TWindow(parent, 0, module), TControl(parent, controlId, module), Dib(0), Bitmap(0), Palette(0),
      BitmapRect(0, 0, 0, 0), BitmapId(bitmapId), BmStyle(style) {
    SetBkgndColor(TColor::Transparent);
}

TBitmapControl::~TBitmapControl() { FreeBitmap(); }

void TBitmapControl::FreeBitmap() {
    delete Bitmap;
    delete Dib;
    delete Palette;
    Bitmap = 0, Dib = 0, Palette = 0;
}

void TBitmapControl::SetupWindow() {
    TWindow::SetupWindow();
    FreeBitmap();
    Dib = new TDib(GetModule() ? GetModule()->GetHandle() : 0, BitmapId);
    Bitmap = new TBitmap(*Dib);
    if (Dib->NumColors() > 0)  // a true-colour picture has no palette
        Palette = new TPalette(*Dib);
    ClearFlag(wfPredefinedClass);  // painted here, not by the system's static class
    int frame = BmStyle == Framed ? 1 : BmStyle == Sunken || BmStyle == Raised3D ? 2 : 0;
    BitmapRect = TRect(0, 0, Bitmap->Width() + 2 * frame, Bitmap->Height() + 2 * frame);
    SetWindowPos(0, 0, 0, BitmapRect.Width(), BitmapRect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TBitmapControl::CleanupWindow() {
    FreeBitmap();
    TControl::CleanupWindow();
}

void TBitmapControl::Paint(TDC &dc, int, TRect &) {
    if (!Bitmap)
        return;
    HDC hdc = dc.GetHDC();
    TRect rect = BitmapRect;
    switch (BmStyle) {
    case Framed:
        ::FrameRect(hdc, &rect, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        rect.Inflate(-1, -1);
        break;
    case Sunken:
        ::DrawEdge(hdc, &rect, EDGE_SUNKEN, BF_RECT);
        rect.Inflate(-2, -2);
        break;
    case Raised3D: {
        // two rings: highlight and frame outside, face and shadow inside
        int const colors[2][2] = {{COLOR_3DHILIGHT, COLOR_WINDOWFRAME}, {COLOR_3DFACE, COLOR_3DSHADOW}};
        for (auto const &ring : colors) {
            HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(ring[0]));
            HPEN dark = ::CreatePen(PS_SOLID, 1, ::GetSysColor(ring[1]));
            HGDIOBJ old = ::SelectObject(hdc, light);
            ::MoveToEx(hdc, rect.right - 1, rect.top, 0);
            ::LineTo(hdc, rect.left, rect.top);
            ::LineTo(hdc, rect.left, rect.bottom - 1);
            ::SelectObject(hdc, dark);
            ::LineTo(hdc, rect.right - 1, rect.bottom - 1);
            ::LineTo(hdc, rect.right - 1, rect.top);
            ::SelectObject(hdc, old);
            ::DeleteObject(light);
            ::DeleteObject(dark);
            rect.Inflate(-1, -1);
        }
        ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
        break;
    }
    default:
        break;
    }
    HDC memory = ::CreateCompatibleDC(hdc);
    HGDIOBJ oldBitmap = ::SelectObject(memory, Bitmap->GetHandle());
    HPALETTE oldPalette = 0, oldMemoryPalette = 0;
    if (Palette) {
        oldPalette = ::SelectPalette(hdc, Palette->GetHandle(), FALSE);
        ::RealizePalette(hdc);
        oldMemoryPalette = ::SelectPalette(memory, Palette->GetHandle(), FALSE);
    }
    ::BitBlt(hdc, rect.left, rect.top, Bitmap->Width(), Bitmap->Height(), memory, 0, 0, SRCCOPY);
    if (Palette) {
        ::SelectPalette(memory, oldMemoryPalette, FALSE);
        ::SelectPalette(hdc, oldPalette, FALSE);
    }
    ::SelectObject(memory, oldBitmap);
    ::DeleteDC(memory);
}

void TBitmapControl::UpdatePalette() {
    if (!Palette || !HWindow)
        return;
    ::UnrealizeObject(Palette->GetHandle());
    TClientDC dc(HWindow);
    HPALETTE old = ::SelectPalette(dc.GetHDC(), Palette->GetHandle(), FALSE);
    UINT mapped = ::RealizePalette(dc.GetHDC());
    if (mapped != GDI_ERROR && mapped > 0)
        Invalidate(false);
    ::SelectPalette(dc.GetHDC(), old, FALSE);
}
