// The program's about box: the product line, copyright and a free text of the caller
// over the template's texts, from the version resource of the template's module.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/Dialog.h"

class VELTRANE_API AboutDialog : public Dialog {
public:
    // Control ids of the template: product line, free text, copyright.
    enum { ProductLine = 100, ExtraTextId = 101, Copyright = 102 };

    AboutDialog(TWindow *parent, int param, int templateId, TModule *module = 0);

    // Shown instead of the template's free text unless empty.
    void SetExtraText(String const &text) { ExtraText = text; }
    String const &GetExtraText() const { return ExtraText; }
    int GetParam() const { return Param; }

    void SetupWindow() override;

protected:
    String ExtraText;
    int Param;
};
