// The base of the framework's wrappers of the system's common dialogs. The system runs
// the dialog modally and handles OK, Cancel and closing itself; every value travels in a
// data record the caller owns.
#pragma once

#include "VeltraneDefs.h"

#include "DialogWindow.h"

class VELTRANE_API TCommonDialog : public TDialog {
public:
    TCommonDialog(TWindow *parent, char const *title = 0, TModule *module = 0);

    char const *GetCDTitle() const { return CDTitle; }

    void SetupWindow() override;
    // A common dialog runs only modally: it creates no modeless window.
    HWND DoCreate() override;
    int DoExecute() override;

protected:
    void EvClose();
    void CmOkCancel();
    void CmHelp();

    char const *CDTitle;  // not owned

    DECLARE_RESPONSE_TABLE(TCommonDialog);
};

// Keeps the application's top-level windows disabled for a common dialog's run, also
// when the run raises.
class VELTRANE_API CommonDialogRun {
public:
    explicit CommonDialogRun(TDialog const *dialog);
    ~CommonDialogRun();

private:
    CommonDialogRun(CommonDialogRun const &) = delete;
    CommonDialogRun &operator=(CommonDialogRun const &) = delete;
    TDialog const *Owner;
};
