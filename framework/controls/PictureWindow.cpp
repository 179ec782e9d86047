#include "PictureWindow.h"

#include "Dc.h"
#include "Dib.h"
#include "GdiObject.h"

#include <cstdlib>

TPictureWindow::TPictureWindow(TWindow *parent, TDib *dib, TDisplayHow how, char const *title, TModule *module)
    : TWindow(parent, title, module), Dib(dib), HowToDisplay(how) {
    if (how == Stretch && dib) {
        Attr.W = dib->Width();
        Attr.H = dib->Height();
    }
}

TPictureWindow::~TPictureWindow() { delete Dib; }

TDib *TPictureWindow::SetDib(TDib *dib) {
    TDib *old = Dib;
    Dib = dib;
    return old;
}

void TPictureWindow::SetHowToDisplay(TDisplayHow how) {
    HowToDisplay = how;
    if (GetHandle())
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
    TPalette *palette = 0;
    HPALETTE oldPalette = 0;
    if ((::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && Dib->NumColors() > 0) {
        palette = new TPalette(*Dib);
        oldPalette = ::SelectPalette(dc, *palette, FALSE);
        ::RealizePalette(dc);
    }
    TRect dest = GetClientRect();
    if (HowToDisplay == Stretch) {
        ::StretchDIBits(dc, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, Dib->Width(), Dib->Height(),
                        Dib->GetBits(), Dib->GetInfo(), Dib->Usage(), SRCCOPY);
    } else {
        TPoint source(0, 0);
        if (HowToDisplay == Center) {
            // a picture smaller than the window sits in its middle; a larger one shows its middle
            int dx = std::abs(Dib->Width() - dest.Width()) / 2, dy = std::abs(Dib->Height() - dest.Height()) / 2;
            (dest.Width() >= Dib->Width() ? dest.left : source.x) += dx;
            (dest.Height() >= Dib->Height() ? dest.top : source.y) += dy;
        }
        ::SetDIBitsToDevice(dc, dest.left - source.x, dest.top - source.y, Dib->Width(), Dib->Height(), 0, 0, 0,
                            Dib->NumScans(), Dib->GetBits(), Dib->GetInfo(), Dib->Usage());
    }
    if (palette) {
        ::SelectPalette(dc, oldPalette, FALSE);
        delete palette;
    }
}
