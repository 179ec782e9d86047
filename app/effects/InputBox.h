// A small modal box asking for one line of text.
#pragma once

#include "controls/Dialog.h"

// The program's input box template: edit 100, OK and Cancel.
enum : int { kInputBoxDialog = 59 };

class InputBox : public Dialog {
public:
    // at: the screen point the box centres on; null for where the last box stood.
    InputBox(TWindow *parent, int resId, unsigned maxLength, String &text, TPoint const *at, TModule *module);

    void SetupWindow() override;
    // The box's place when it closed.
    TPoint GetPlace() const { return place_; }

protected:
    void CeOk(TCommandEnabler &enabler);
    void CleanupWindow() override;

private:
    unsigned maxLength_;
    bool centre_;
    TPoint at_;
    TPoint place_;

    DECLARE_RESPONSE_TABLE(InputBox);
};

// Asks for a text (in: the text shown; out: the text typed, trimmed of blanks and tabs)
// under a caption (null: the template's). Non-zero when the user accepted a text that is
// not empty; a cancelled box leaves the text as it was.
int RunInputBox(char const *caption, int resId, unsigned maxLength, String &text, TPoint const *at = nullptr,
                TModule *module = nullptr);
