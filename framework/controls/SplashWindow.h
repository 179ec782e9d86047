// The start-up splash: a borderless topmost window showing a bitmap of the common
// resource module for at least a given time.
#pragma once

#include "core/LayoutWindow.h"

class TBitmap;
class TDib;
class TGauge;
class TPalette;
class TPictureWindow;
class TStatic;

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
    void EvTimer(WPARAM id);
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

// A general splash window: a picture with an optional text line and percent gauge,
// closed by a time-out or a click (once a gauge has passed 94 %).
class VELTRANE_API TSplashWindow : public TLayoutWindow {
public:
    enum TStyle { ShrinkToFit = 1, MakeGauge = 2, MakeStatic = 4, CaptureMouse = 8 };

    // Width and height apply without ShrinkToFit; a time-out of 0 never closes.
    TSplashWindow(TDib &dib, int width, int height, int style = ShrinkToFit, unsigned timeOut = 0,
                  char const *title = 0, TModule *module = 0);
    ~TSplashWindow() override;

    void SetText(char const *text);
    void SetPercentDone(int percent);

protected:
    uint GetStyle() const { return Style; }
    bool HasStyle(TStyle style) const { return (Style & style) == uint(style); }
    TStatic *GetStatic() const { return Static; }
    TGauge *GetGauge() const { return Gauge; }
    uint GetTimeOut() const { return TimeOut; }

    void SetupWindow() override;
    void CleanupWindow() override;
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvTimer(WPARAM id);

    uint Style;
    TStatic *Static;
    TGauge *Gauge;
    TPictureWindow *PictWindow;
    uint TimeOut;
    int Capturing;

private:
    bool GaugeHolds() const;
    DECLARE_RESPONSE_TABLE(TSplashWindow);
};
