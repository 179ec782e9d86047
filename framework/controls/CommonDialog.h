// The base of the framework's wrappers of the system's common dialogs. The system runs
// the dialog modally and handles OK, Cancel and closing itself; every value travels in a
// data record the caller owns.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/CommonDialogSeam.h"
#include "core/DialogWindow.h"

class VELTRANE_API TCommonDialog : public TDialog {
public:
    TCommonDialog(TWindow *parent, char const *title = 0, TModule *module = 0);

    char const *GetCDTitle() const { return CDTitle; }

    void SetupWindow() override;
    // A common dialog runs only modally: it creates no modeless window.
    HWND DoCreate() override;
    int DoExecute() override;

protected:
    // Runs the system dialog with TDialog::StdDlgProc as its hook, which binds the window
    // to this object; the owner is the parent's window when none is set yet. A failure a
    // handler kept during the run is raised here. Non-zero on OK.
    int RunBound(TCommonDialogKind kind, void *block, HWND &owner, unsigned long &error);

    // RunBound on a system record (hook, owner and flags fields) for a data record that keeps
    // the flags and the error: false, with the error kept, when the dialog did not end with OK.
    template <class Record, class DataRecord>
    bool RunRecord(TCommonDialogKind kind, Record &record, DataRecord &data) {
        record.lpfnHook = reinterpret_cast<decltype(record.lpfnHook)>(&TDialog::StdDlgProc);
        unsigned long error;
        if (!RunBound(kind, &record, record.hwndOwner, error)) {
            data.Error = error;
            return false;
        }
        data.Flags = record.Flags;
        data.Error = 0;
        return true;
    }

    // The data's flags with the hook enabled; with a template id also the template enabled,
    // and the name set to the id.
    static unsigned long HookFlags(unsigned long flags, unsigned long hookFlag, unsigned long templateFlag,
                                   TResId templateId, char const *&templateName);

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
