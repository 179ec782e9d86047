// The arrow control beside a spin edit (window class "SpinEditControl", id 999): two
// buttons that step the edit's value once per click and repeat while held.
#pragma once

#include "controls/Control.h"

class TSpinEdit;
class TDC;

// 1 when the display uses small fonts (dialog base width below 9), set when the library starts.
extern VELTRANE_API int _smallFontDisplay;

class VELTRANE_API TSpinner : public TControl, public ControlExtra {
    friend class TSpinEdit;

public:
    enum { SpinnerId = 999, StripWidth = 15, DelayTimer = 101, RepeatTimer = 102 };

    TSpinner(TWindow *parent, TSpinEdit *spinEdit, char const *title, int x, int y, int w, int h,
             TModule *module = 0);
    ~TSpinner() override;

    TSpinEdit *GetSpinEdit() const { return SpinEdit; }
    void MoveSpinner(int dx, int dy);
    // Button 0 down, 1 up; redrawn only when its state changes.
    void EnableButton(int button, int enable);
    int IsButtonEnabled(int button) const { return Enabled[button != 0]; }
    int GetPressedButton() const { return Pressed; }
    // The button under a client point: 0 down, 1 up, -1 none (disabled buttons count as none).
    int ButtonAt(TPoint const &point) const;
    // The delay before repeating and the repeat period, from the keyboard settings.
    static uint RepeatDelay();
    static uint RepeatPeriod();

    int UseRightMouseButton() override { return 1; }
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

protected:
    void ButtonRect(int button, TRect &rect) const;
    void PaintButton(TDC &dc, int button);

    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvRButtonDown(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvTimer(WPARAM id);
    void EvCaptureChanged(LPARAM newCapture);
    int EvEraseBkgnd(WPARAM);

    TSpinEdit *SpinEdit;
    int Enabled[2];
    int DrawnPressed[2];
    double Step;
    int Pressed;
    UINT_PTR Timer;

private:
    void StopPress();

    DECLARE_RESPONSE_TABLE(TSpinner);
};
