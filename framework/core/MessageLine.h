// The message line at the bottom of a frame (child 32040): the system's status window,
// showing command hints over its normal text while a menu is open.
#pragma once

#include "VeltraneDefs.h"

#include "Window.h"

#include <commctrl.h>

class VELTRANE_API TMessageLine : public TWindow {
public:
    explicit TMessageLine(TWindow *parent, TModule *module = 0);

    char const *GetClassNameA() override { return STATUSCLASSNAMEA; }
    void SetupWindow() override;

    // A hint replaces the text until it is cleared with null.
    virtual void SetHintText(char const *text);
    void SetText(char const *text);
    String const &GetText() const { return text_; }
    String const &GetHintText() const { return hint_; }

private:
    void Show();

    String text_;
    String hint_;
    bool hintShown_;
};
