// The bar at the bottom of the main frame that shows status texts and command hints.
// The least the framework core needs of it: the text and the hint.
#pragma once

#include "Window.h"

class VELTRANE_API TMessageBar : public TWindow {
public:
    TMessageBar(TWindow *parent, TModule *module = 0);
    // Sets the bar's text; null clears it.
    void SetText(char const *text);
    String const &GetText() const { return Text; }
    // Shows a command hint in place of the text, even an empty one (a menu item without a
    // hint blanks the line); null clears it.
    virtual void SetHintText(char const *text);
    String const &GetHintText() const { return HintText; }

protected:
    void Paint(TDC &dc, int erase, TRect &rect) override;
    String Text;
    String HintText;
    bool HintShown;
};
