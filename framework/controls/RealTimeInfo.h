// A modeless box with one line of text that a long operation rewrites as it goes.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/Dialog.h"

class VELTRANE_API RealTimeInfoBox : public Dialog {
public:
    enum { TemplateId = 21001, InfoText = 100 };

    // Opens at once, from the template of the language module (the module the program
    // loaded at start-up; without one, the parent's or the application's).
    explicit RealTimeInfoBox(TWindow *parent);

    void Display(String const &text);
};
