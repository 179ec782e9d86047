// Progress controls: TGauge shows a value between a minimum and a maximum as a
// solid bar with a centred text or as a row of LED blocks, drawing itself or using
// the system's progress bar; Gauge adds the framework's own display modes.
#pragma once

#include "controls/Control.h"

class TBitmap;

class VELTRANE_API TGauge : public TControl {
public:
    // A solid gauge; the title is the text format, shown formatted with the value
    // (e.g. "%d%%"). A height of 0 is the height of a scroll-bar arrow; the margin is
    // counted in border widths.
    TGauge(TWindow *parent, char const *title, int id, int x, int y, int w, int h = 0, int horizontal = 1,
           int margin = 1, TModule *module = 0);
    // An LED gauge whose blocks follow its height.
    TGauge(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    // The gauge control of a dialog resource: LED blocks 10 apart, 90% thick.
    TGauge(TWindow *parent, int resourceId, TModule *module = 0);

    void GetRange(int &minValue, int &maxValue) const {
        minValue = Min;
        maxValue = Max;
    }
    // A maximum not above the minimum becomes minimum + 1.
    void SetRange(int minValue, int maxValue);
    int GetStep() const { return Step; }
    void SetStep(int step);
    int GetValue() const { return Value; }
    // Clamped to the range.
    void SetValue(int value);
    void DeltaValue(int delta);
    // Moves by the step, back to the minimum when that would reach the maximum.
    void StepIt();
    TGauge &operator++() {
        StepIt();
        return *this;
    }
    // spacing 0 makes a solid bar; the thickness is a percentage of the spacing
    void SetLed(int spacing, int thickPercent = 90);
    void SetColor(TColor const &color);
    // Before the window is created: whether the system's progress bar may be used.
    void SetNativeUse(TNativeUse use);
    void SetHorizontal(int horizontal) { IsHorizontal = horizontal; }
    bool IsNativeInUse() const { return NativeInUse; }

    // The system's progress bar when allowed and available, else the gauge's own class.
    char const *GetClassNameA() override;

    // The class-wide default of native use, taken by gauges made later.
    static TNativeUse ClassNativeUse;

protected:
    void SetupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;
    int EvEraseBkgnd(WPARAM hDC);

    // The 3-D frame and the margin; gives the inner rectangle.
    TRect PaintBorder(TDC &dc);
    void PaintLed(TDC &dc, TRect const &inner);
    void PaintSolid(TDC &dc, TRect const &inner);
    // The title formatted with the value ("" without a title).
    String FormattedText() const;
    // Where the value ends inside the rectangle: from the left, or from the bottom.
    int ValuePosition(TRect const &inner) const;
    int Range() const { return Max - Min; }
    // Sends the range to the system's bar; 0 when it refuses it.
    int SendRange(int minValue, int maxValue);

    TNativeUse GaugeNativeUse;
    bool NativeInUse;
    int Min;
    int Max;
    int Value;
    int Step;
    int Margin;
    int IsHorizontal;
    int LedSpacing;
    int LedThick;
    TColor BarColor;

private:
    void Init(int horizontal, int margin);

    DECLARE_RESPONSE_TABLE(TGauge);
};

// The framework's own gauge: a solid horizontal bar with display modes, used by
// the status bar's progress display.
class VELTRANE_API Gauge : public TGauge {
public:
    enum EMode {
        Solid,          // done part blue, the rest face-coloured
        Inverted,       // done part face-coloured, the rest dark blue
        StripesLeft,    // animated stripes running one way, no value
        StripesRight,   // and the other way
        Shine,          // solid with a glint sweeping over the done part
        Gradient,       // blue fading to black, with the text
        GradientPlain,  // the same without text
    };

    // A width of 0 fits the title (or "X") plus 20 pixels, a height of 0 the text,
    // both in the main frame status bar's font.
    Gauge(TWindow *parent, char const *title, int id, int border, int width = 0, int height = 0);
    ~Gauge() override;

    EMode GetMode() const { return Mode; }
    void SetMode(EMode mode);
    // 1 when the value changed (the window is then invalidated, not updated).
    int SetValue(int value);
    int GetAnimationPhase() const { return Phase; }
    int GetShineOffset() const { return ShineOffset; }
    bool IsAnimating() const { return TimerId != 0; }

    // The font gauges write their text with: the main frame status bar's, else the GUI font.
    static HFONT TextFont();

protected:
    void Paint(TDC &dc, int erase, TRect &rect) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void EvTimer(WPARAM id);

    void PaintStripes(TDC &dc, TRect const &inner);
    void PaintShine(TDC &dc, TRect const &done);
    void PaintGradient(TDC &dc, TRect const &inner);
    void PaintText(TDC &dc, TRect const &inner, TRect const &done);
    void StartTimer();
    void StopTimer();
    void DeleteBitmaps();
    // The bar's part that shows the value.
    TRect DonePart(TRect const &inner) const;
    // A bitmap of the window's resource module, loaded once.
    TBitmap *Picture(TBitmap *&cache, int resId);

    int Border;
    EMode Mode;
    UINT_PTR TimerId;
    int Phase;
    TBitmap *Stripes[2];
    TBitmap *Pattern;
    TBitmap *ShineBitmap;
    int ShineOffset;
    TRect LastPaint;
    TColor SecondColor;

private:
    DECLARE_RESPONSE_TABLE(Gauge);
};
