#include "controls/PictureWindow.h"

#include "core/Dc.h"
#include "core/Dib.h"
#include "core/GdiObject.h"

#include <cstdlib>
#include <memory>

TPictureWindow::TPictureWindow(TWindow *parent, TDib *dib, TDisplayHow how, char const *title, TModule *module)
    : TWindow(parent, title, module), Dib(dib), HowToDisplay(how) {
    if (how == Stretch && dib) {
        Attr.W = dib->Width();
        Attr.H = dib->Height();
    }
}

TPictureWindow::~TPictureWindow() { delete Dib; }

TDib *TPictureWindow::SetDib(TDib *dib) {
    TDib *previous = Dib;
    Dib = dib;
    return previous;
}

void TPictureWindow::SetHowToDisplay(TDisplayHow how) {
    HowToDisplay = how;
    if (HWindow)
        Invalidate(true);
}

char const *TPictureWindow::GetClassNameA() { return "Yrt_PictureWindow"; }

void TPictureWindow::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style |= CS_HREDRAW | CS_VREDRAW;
}

void TPictureWindow::Paint(TDC &dc, int, TRect &) {
    if (!Dib || !Dib->IsOK())
        return;
    HDC hdc = dc.GetHDC();
    std::unique_ptr<TPalette> palette;
    HPALETTE oldPalette = 0;
    if ((::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) && Dib->NumColors() > 0) {
        palette.reset(new TPalette(*Dib));
        oldPalette = ::SelectPalette(hdc, palette->GetHandle(), FALSE);
        ::RealizePalette(hdc);
    }
    TRect dest = GetClientRect();
    int width = Dib->Width(), height = Dib->Height();
    if (HowToDisplay == Stretch) {
        ::StretchDIBits(hdc, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, width, height, Dib->GetBits(),
                        Dib->GetInfo(), DIB_RGB_COLORS, SRCCOPY);
    } else {
        TPoint source(0, 0);
        if (HowToDisplay == Center) {
            // a small picture sits in the middle; of a large one the middle is shown
            int dx = std::abs(width - dest.Width()) / 2, dy = std::abs(height - dest.Height()) / 2;
            if (dest.Width() >= width)
                dest.left += dx;
            else
                source.x = dx;
            if (dest.Height() >= height)
                dest.top += dy;
            else
                source.y = dy;
        }
        dest.left -= source.x;
        dest.top -= source.y;
        ::SetDIBitsToDevice(hdc, dest.left, dest.top, width, height, 0, 0, 0, height, Dib->GetBits(), Dib->GetInfo(),
                            DIB_RGB_COLORS);
    }
    if (palette)
        ::SelectPalette(hdc, oldPalette, FALSE);
}
