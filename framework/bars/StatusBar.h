// Status bars: the message bar with keyboard-mode indicators, a size grip and spacing
// rules; the tip status bar that splits hints into a status text and a tip; and the
// framework's status bar that carries the progress gauge of long operations.
#pragma once

#include "MessageBar.h"

#include "Strings.h"

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
    void EvYrtFrameSizeRaw(uint sizeType, long size) { EvYrtFrameSize(sizeType, *reinterpret_cast<TSize *>(size)); }

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
    static int _hintsFromMouse;

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
    int IsHintTextEnabled() override;
    int IdleAction(long idleCount) override;

    // ---- progress gauge (StatusBarGauge.cpp)

    // Starts a new operation of `total` steps; nothing shows before the first progress.
    // With holdMouse the bar holds the mouse for the operation.
    void OpenGauge(long total, String const &title, int cancelButton, long delay, int holdMouse);
    // Shows progress; with the hold-mouse flag the bar becomes the window that holds the input.
    void SetProgress(long value);
    // Ends the operation, releasing the mouse it held.
    void CloseGauge(int);
    int IsGaugeOpen() const { return gaugeOpen_; }
    long GetProgress() const { return value_; }

    // Break requests noted while an operation runs; Take... reads and clears one.
    static void NoteEscapePressed() { _escapePressed = 1; }
    static void NoteMouseClicked() { _mouseClicked = 1; }
    static int TakeEscapePressed();
    static int TakeMouseClicked();

private:
    void ReleaseInput();

    int gaugeOpen_;
    int holdMouse_;
    long total_;
    long value_;
    String title_;

    static int _escapePressed;
    static int _mouseClicked;
};

// Non-zero while an operation that blocks user input runs.
extern VELTRANE_API int _disableFrame;
