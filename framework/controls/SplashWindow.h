// The start-up splash: a borderless topmost window showing a bitmap of the common
// resource module for at least a given time.
#pragma once

#include "Window.h"

class TBitmap;
class TPalette;

class VELTRANE_API SplashWindow : public TWindow {
public:
    SplashWindow(int bitmapId, int capture);
    ~SplashWindow() override;

    // Keeps the splash up until minimum milliseconds have passed since it opened
    // (a click or key press ends the wait), then shuts it down. End(0) closes at once.
    void End(unsigned long minimum);

    static SplashWindow *Current() { return CurrentSplash; }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;
    void EvTimer(uint id);
    void EvLButtonDown(uint, TPoint &) { End(0); }
    void EvRButtonDown(uint, TPoint &) { End(0); }
    void EvKeyDown(uint, uint, uint) { End(0); }
    void EvSysKeyDown(uint, uint, uint) { End(0); }

    TBitmap *Bitmap;
    TPalette *Palette;
    DWORD StartTime;
    UINT_PTR TimerId;
    int Capture;

private:
    static SplashWindow *CurrentSplash;
    static int Waiting;
    DECLARE_RESPONSE_TABLE(SplashWindow);
};
