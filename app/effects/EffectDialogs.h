// The two bases of the effect dialogs and their opener. Opened from the menu, an effect's
// dialog is a modeless window on the effect's current record: OK applies the effect to the
// active wave (command 500) and leaves the dialog open, Cancel closes it. Opened by the
// batch on a task's record (the given-record mode), it is an ordinary modal dialog.
#pragma once

#include "audio/Wave.h"
#include "controls/PropertyDialog.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "foundation/Exception.h"

class Opcodes;

enum : int { kCmApplyEffect = 500 };

// The main window, which every effect dialog belongs to; null before there is one.
TFrameWindow *EffectDialogParent();
// The active wave when it has a selection, else null.
Wave *ActiveWaveWithSelection();

// Tells the user the peak of the active wave's selection in the dialogs' level unit.
void ShowSelectionPeak();

// Runs an effect routine on the active wave's selection (its first and last frame, the
// active channels): nothing without a selection, nor while the wave is busy (the user is
// told); a failure goes to the user, and the dialog stays open.
template <class Routine>
void ApplyToActiveWave(Routine routine) {
    Wave *wave = ActiveWaveWithSelection();
    if (!wave || !wave->CheckNotBusy(1))
        return;
    try {
        routine(*wave, wave->GetSelectedChannels(), wave->GetSelectionStart(), wave->GetSelectionEnd());
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}

// What both bases share: the given-record flag and the buttons' meaning in each mode.
class EffectDialogMode {
public:
    int IsGivenRecord() const { return givenRecord_; }
    void SetGivenRecord(int given) { givenRecord_ = given; }

protected:
    // On a task's record OK and Cancel take the batch's labels.
    void LabelButtons(TDialog &dialog) const;
    // OK is on for a task's record, else while the active wave has a selection.
    void EnableOk(TCommandEnabler &enabler, bool canApply) const;

private:
    int givenRecord_ = 0;
};

class OkApplyDialog : public Dialog, public EffectDialogMode {
public:
    OkApplyDialog(TWindow *parent, int resId, TModule *module);

    void SetupWindow() override;

protected:
    // Reads the controls into the record and applies the effect to the active wave.
    virtual void Apply() = 0;
    // Whether the controls ask for a change at all.
    virtual bool CanApply() { return true; }

    void CmOk();
    void CmCancel();
    void CmApply() { Apply(); }
    void CeOk(TCommandEnabler &enabler) { EnableOk(enabler, CanApply()); }

    DECLARE_RESPONSE_TABLE(OkApplyDialog);
};

class OkApplyTabDialog : public PropertyDialog, public EffectDialogMode {
public:
    OkApplyTabDialog(TWindow *parent, int resId, TModule *module);

    void SetupWindow() override;
    void CmOk() override;
    void CmCancel() override;

protected:
    virtual void Apply() = 0;

    void CmApply() { Apply(); }
    void CeOk(TCommandEnabler &enabler) { EnableOk(enabler, true); }

    DECLARE_RESPONSE_TABLE(OkApplyTabDialog);
};

// Finds the main window's open dialog of the id and base, or null.
template <class Base>
Base *FindEffectDialog(int dialogId) {
    TFrameWindow *parent = EffectDialogParent();
    return parent ? dynamic_cast<Base *>(parent->ChildWithId(dialogId)) : nullptr;
}

// The opener of every effect dialog: make(found) makes the dialog when found is null, and
// sets the record the dialog edits. A dialog open from the menu is closed before a task's
// record is edited in it. Modal on a task's record: 1 when accepted. Modeless on the
// wave: shown (made or brought up), 1.
template <class Base, class Make>
int ShowProcessorDialog(int dialogId, int givenRecord, Make make) {
    Base *found = FindEffectDialog<Base>(dialogId);
    if (found && found->GetHandle() && givenRecord)
        found->CloseWindow(IDCANCEL);
    Base *dialog = make(found);
    dialog->SetGivenRecord(givenRecord);
    if (givenRecord)
        return dialog->Execute() == IDOK;
    // The dialogs' resources are hidden until shown.
    dialog->ShowOrCreate();
    dialog->ShowWindow(SW_SHOW);
    return 1;
}
