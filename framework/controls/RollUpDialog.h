// A dialog that rolls up to its caption bar and down again, optionally animated. The
// system menu gets an entry that toggles it; minimise and maximise roll it instead.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/DialogWindow.h"

class VELTRANE_API TRollDialog : public TDialog {
public:
    enum { CmRollToggle = 0xFF00 };

    TRollDialog(TWindow *parent, TResId resId, int animate = 1, int startExpanded = 1, TModule *module = 0);

    void SetupWindow() override;
    int IsExpanded() const { return expanded_; }
    int GetRolledHeight() const { return rolledHeight_; }
    int HasMenuEntry() const { return menuEntry_; }

    void EvSysCommand(uint cmd, TPoint &point);

protected:
    void Shrink();
    void Expand();

private:
    void Resize(bool up);
    void SetMenuText(char const *text);

    int expanded_;
    int startExpanded_;
    int rolledHeight_;
    int menuEntry_;
    int animate_;

    DECLARE_RESPONSE_TABLE(TRollDialog);
};
