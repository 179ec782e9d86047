// A plain child window showing one device-independent bitmap at its natural size in the
// upper-left corner, centred, or stretched over the whole window.
#pragma once

#include "core/Window.h"

class TDib;

class VELTRANE_API TPictureWindow : public TWindow {
public:
    enum TDisplayHow { UpperLeft = 0, Center = 1, Stretch = 2 };

    // Takes the DIB; stretched, the window starts at the DIB's size.
    TPictureWindow(TWindow *parent, TDib *dib, TDisplayHow how = UpperLeft, char const *title = 0,
                   TModule *module = 0);
    ~TPictureWindow() override;

    TDib *GetDib() const { return Dib; }
    // Gives back the previous DIB, which the caller then owns; no repaint.
    TDib *SetDib(TDib *dib);
    TDisplayHow GetHowToDisplay() const { return HowToDisplay; }
    void SetHowToDisplay(TDisplayHow how);

    void Paint(TDC &dc, int erase, TRect &rect) override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;

protected:
    TDib *Dib;
    TDisplayHow HowToDisplay;
};
