// A simple tip window for one tool rectangle: it shows under the tool (or at a given
// place) after a delay, polls the cursor while shown and hides once the cursor leaves
// the tool or a window takes the mouse capture. It never takes the mouse itself.
#pragma once

#include "core/Window.h"

class TFont;

class VELTRANE_API TTToolTip : public TWindow {
public:
    // Creates the window at once.
    TTToolTip();
    ~TTToolTip() override;

    // The tool the cursor must stay in (screen coordinates), where the tip goes (null:
    // under the tool) and its font (null: the stock variable-pitch font; not owned).
    void SetPosition(TRect &tool, TRect *tip, TFont *font);
    void SetTip(char const *text) { SetCaption(text); }
    void HideTip() { SetCaption(0); }
    // The same text again changes nothing; another text hides a shown tip and starts
    // the delay again.
    void SetCaption(char const *text);
    int AreTipsEnabled() const { return TipsEnabled; }
    void EnableTips(int enable) { TipsEnabled = enable; }
    int IsTimerRunning() const { return TimerHandle != 0; }

    void Paint(TDC &dc, int erase, TRect &rect) override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;

    enum {
        TimerId = 1000,
        ShowDelay = 600,       // ms after a new text
        QuickShowDelay = 50,   // ms when a tip hid less than ShowDelay ago
        PollDelay = 200,       // ms between cursor checks while shown
        MaxChars = 128,        // characters of the text that are shown
    };

protected:
    uint EvNCHitTest(TPoint &point);
    void EvTimer(WPARAM id);
    void ShowNow();
    void StartTimer(uint delay);
    void StopTimer();

    int TipsEnabled;
    UINT_PTR TimerHandle;   // what SetTimer gave; 0 = no timer
    DWORD LastHideTime;     // tick count
    TFont *Font;
    TRect ToolRect;
    TRect TipRect;
    int BelowTool;

    DECLARE_RESPONSE_TABLE(TTToolTip);
};
