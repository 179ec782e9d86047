// The application's own tip window: the tip bars hand it the tip text of the command
// under the mouse, it shows the text beside the cursor after a short delay and hides
// on any key stroke (a keyboard hook of the thread that made it), on a new text and
// on demand. One instance per application; the main frame keeps it.
#pragma once

#include "core/Window.h"

#include "core/GdiObject.h"

namespace Tip {
// How the tip is drawn: a bit set; 0 is a plain rectangle.
enum Style : int { Plain = 0, Rounded = 1, Shadow = 2 };
inline Style operator|(Style a, Style b) { return Style(int(a) | int(b)); }
}  // namespace Tip

// The font of tips: 8-point "MS Sans Serif".
class VELTRANE_API TToolTipFont : public TFont {
public:
    TToolTipFont();
};

class VELTRANE_API TToolTipJq : public TWindow {
public:
    // Takes the font (deleted with the tip; null: a TToolTipFont). Installs the keyboard
    // hook and creates the window at once.
    explicit TToolTipJq(Tip::Style style = Tip::Plain, TFont *font = new TToolTipFont);
    ~TToolTipJq() override;

    // Every show and hide goes through here: a non-empty text (with tips enabled)
    // starts the delay after which the tip shows; null or "" hides it.
    void SetCaption(char const *text);
    void HideTip() { SetCaption(0); }
    int AreTipsEnabled() const { return TipsEnabled; }
    // Disabling leaves a shown tip up until the next SetCaption.
    void EnableTips(int enable) { TipsEnabled = enable; }

    Tip::Style GetTipStyle() const { return Style; }
    TFont *GetFont() const { return Font; }
    // The measured size of the current text with its margins.
    TSize GetTipSize() const { return TSize(TipWidth, TipHeight); }
    int IsTimerActive() const { return TimerActive; }

    void Paint(TDC &dc, int erase, TRect &rect) override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;

    enum {
        TimerId = 1000,
        ShowDelay = 600,       // ms after a new text
        QuickShowDelay = 150,  // ms when the text follows a hide at once
        MaxChars = 50,         // characters of the text that are shown
    };

protected:
    void EvTimer(WPARAM id);
    LRESULT EvHideTip(WPARAM, LPARAM);
    // Shows the tip at the cursor unless a mouse button is down, a menu is open or a
    // long operation holds the mouse.
    void ShowNow();
    // Where the tip goes for a cursor position on a screen of the given size.
    TRect PlaceAt(TPoint const &cursor, TSize const &screen) const;

    int TimerActive;
    int TipsEnabled;
    int TipWidth;
    int TipHeight;
    Tip::Style Style;
    TFont *Font;

private:
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp);

    static HHOOK HookHandle;
    static TToolTipJq *HookedTip;
    static DWORD LastHideTime;  // multimedia clock, 0 = none

    DECLARE_RESPONSE_TABLE(TToolTipJq);
};
