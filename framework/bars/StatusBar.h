// Status bars: the message bar with keyboard-mode indicators, a size grip and spacing
// rules; the tip status bar that splits hints into a status text and a tip; and the
// framework's status bar that carries the progress gauge of long operations.
#pragma once

#include "bars/MessageBar.h"

#include "foundation/Strings.h"

class AutoProgressBar;
class Gauge;
class TBitmapGadget;
class TControlGadget;
class TSeparatorGadget;
class TextGadget;
class TToolTipJq;

class VELTRANE_API TStatusBar : public TMessageBar {
public:
    enum TModeIndicator {
        ExtendSelection = 0x01,
        CapsLock = 0x02,
        NumLock = 0x04,
        ScrollLock = 0x08,
        Overtype = 0x10,
        RecordingMacro = 0x20,
        SizeGrip = 0x40,
    };
    // Space added before each mode indicator.
    struct TSpacing {
        TMargins::TUnits Units;
        int Value;
        TSpacing() : Units(TMargins::LayoutUnits), Value(0) {}
    };

    TStatusBar(TWindow *parent = 0, TGadget::TBorderStyle style = TGadget::Recessed, unsigned modeIndicators = 0,
               TFont *font = new TGadgetWindowFont, TModule *module = 0);

    // Takes the bar's border style; with no sibling the gadget goes next to the last
    // ordinary gadget, so the indicators stay at the right end.
    void Insert(TGadget &gadget, TPlacement placement = After, TGadget *sibling = 0) override;
    // With wide hints the hint covers the bar, else it is the message text.
    void SetHintText(char const *text) override;
    void PositionGadget(TGadget *previous, TGadget *next, TPoint &point) override;

    void SetSpacing(TSpacing const &spacing) { Spacing = spacing; }
    TSpacing const &GetSpacing() const { return Spacing; }
    void SetWideHints(int on) { WideHintText = on; }
    int GetWideHints() const { return WideHintText; }
    int GetModeIndicator(TModeIndicator indicator) const { return (ModeIndicatorState & indicator) != 0; }
    void SetModeIndicator(TModeIndicator indicator, int on);
    void ToggleModeIndicator(TModeIndicator indicator);
    unsigned GetNumModeIndicators() const { return NumModeIndicators; }
    unsigned GetModeIndicators() const { return ModeIndicators; }
    void SetModeIndicators(unsigned modeIndicators) { ModeIndicators = modeIndicators; }
    TGadget::TBorderStyle GetBorderStyle() const { return BorderStyle; }

    uint EvNCHitTest(TPoint &screenPoint);
    void EvYrtFrameSize(uint sizeType, TSize &size);
    void EvYrtFrameSizeRaw(WPARAM sizeType, LPARAM size) { EvYrtFrameSize(sizeType, *reinterpret_cast<TSize *>(size)); }

protected:
    // The gadget id of a mode indicator.
    static int IndicatorId(TModeIndicator indicator);
    int IsModeIndicator(TGadget const &gadget) const;
    void InsertSizeGrip();

    TGadget::TBorderStyle BorderStyle;
    TSpacing Spacing;
    unsigned NumModeIndicators;
    unsigned ModeIndicators;
    unsigned ModeIndicatorState;
    int WideHintText;

private:
    DECLARE_RESPONSE_TABLE(TStatusBar);
};

// A status bar that feeds the application's tip window: a hint's first line goes to
// the bar, the rest to the tip.
class VELTRANE_API TTipStatusBar : public TStatusBar {
public:
    TTipStatusBar(TToolTipJq *tip, TWindow *parent = 0, TGadget::TBorderStyle style = TGadget::Recessed,
                  unsigned modeIndicators = 0, TFont *font = new TGadgetWindowFont, TModule *module = 0);

    void UseTips();
    int GetUseTips() const { return UseTipsFlag; }
    TToolTipJq *GetTip() const { return Tip; }
    void SetHintText(char const *text) override;
    virtual void SetTextEx(char const *text);
    virtual int IsHintTextEnabled();

    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonDown(uint modKeys, TPoint &point);

    // Shared by the tip bars: the hint being split, and whether the hint comes from
    // the mouse moving over a bar (only then does the tip show).
    enum { HintBufferSize = 260 };
    static char _hintBuffer[HintBufferSize];
    static int _enableHints;
    // Sets _enableHints for its lifetime.
    struct TEnableHints {
        TEnableHints() { _enableHints = 1; }
        ~TEnableHints() { _enableHints = 0; }
        TEnableHints(TEnableHints const &) = delete;
        TEnableHints &operator=(TEnableHints const &) = delete;
    };

protected:
    TToolTipJq *Tip;
    int UseTipsFlag;

private:
    DECLARE_RESPONSE_TABLE(TTipStatusBar);
};

// The framework's status bar: refuses hints while the progress gauge is open.
class VELTRANE_API StatusBar : public TTipStatusBar {
public:
    StatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style = TGadget::Recessed,
              unsigned modeIndicators = 0, TFont *font = new TGadgetWindowFont, TModule *module = 0);
    ~StatusBar() override;

    // Shows the text in the message gadget and repaints the bar at once.
    void SetInstantHintText(char const *text);
    int IdleAction(long idleCount) override;

    // ---- progress gauge (StatusBarGauge.cpp)
    // The cancel treatment of a report: 0 no check, 1 no check but keep the windows
    // painted, 2 check and throw on a cancel, 3 (and above) check and give the cancel back.
    typedef int Mode;
    enum { NoCancelCheck = 0, KeepPainted = 1, ThrowOnCancel = 2, ReturnOnCancel = 3 };

    // Starts a new operation of `total` steps; nothing shows until `delay` ms have passed.
    // With holdMouse the shown gauge captures the mouse and shows the wait cursor.
    void OpenGauge(long total, String title, int cancelButton, long delay, int holdMouse);
    // The caption format: the title followed by " %d%%" ("%d%%" for an empty title).
    void SetGaugeTitle(String const &title);
    // Restarts the measurement at 0 from now.
    void ResetGauge();
    void SetProgress(long value);
    // 1 to go on, 0 when the user cancelled (modes 3 and up); mode 2 throws on a cancel.
    int NotifyProgress(long value, Mode mode);
    // Removes the gauge's gadgets and releases the mouse.
    void CloseGauge(int = 0);
    int IsGaugeOpen() const { return GaugeWindow != 0; }
    Gauge *GetGauge() const { return GaugeWindow; }
    // Shows "<text><done in><duration>" as the hint text.
    void NotifyCompletedOperation(String const &text, long milliseconds);
    // Menu hints would overwrite the gauge.
    int IsHintTextEnabled() override { return GaugeGadget == 0; }
    String const &GetGaugeTitle() const { return GaugeTitle; }
    long GetGaugeTotal() const { return GaugeTotal; }

    // Break requests noted by the application's input filter while an operation runs;
    // Take... reads and clears one.
    static void NoteEscapePressed() { _escapePressed = 1; }
    static void NoteMouseClicked() { _mouseClicked = 1; }
    static int TakeEscapePressed();
    static int TakeMouseClicked();

private:
    friend class AutoProgressBar;
    friend VELTRANE_API int DetectUserCancel(Mode mode);
    void BuildGauge();
    void DiscardGaugeGadgets();
    void UpdateTimeTexts(unsigned long now, long value, int gaugeChanged);
    // The bar's own gadgets step aside while an AutoProgressBar shows its gauge.
    void SaveOwnGadgets();
    void RestoreOwnGadgets();

    HCURSOR SavedCursor;
    int HoldMouse;
    long Delay;
    unsigned long ShowTime;
    unsigned long NextReportTime;
    String GaugeTitle;
    long GaugeTotal;
    unsigned long LastReportTime;
    unsigned long LastTextTime;
    int LateOpenLimit;
    long PredictedValue;
    int Clamped;
    int CancelButton;
    long TextUpdates;
    enum { Samples = 100 };
    unsigned long SampleTimes[Samples];
    long SampleValues[Samples];
    long LastValue;
    int GaugeDue;
    Gauge *GaugeWindow;
    TControlGadget *GaugeGadget;
    TBitmapGadget *CancelGadget;
    TSeparatorGadget *Separator;
    TextGadget *RemainingGadget;
    TextGadget *ElapsedGadget;
    unsigned long ElapsedStart;
    AutoProgressBar *CurrentProgress;

    static int _escapePressed;
    static int _mouseClicked;
};

// Non-zero while an operation that blocks user input runs.
extern VELTRANE_API int _disableFrame;
