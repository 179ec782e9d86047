// The fade and crossfade dialogs: the curves picked from the level and time lists, their
// presets, and the preview the active wave's view draws over the selection while the
// dialog is active.
#pragma once

#include "effects/EffectDialogs.h"
#include "effects/FadeOpcodes.h"
#include "effects/PresetPage.h"

class TListSpinEdit;

// The tabbed dialog of a fade effect: its record, its preview and the page that edits them.
class FadeDialogBase : public OkApplyTabDialog, public EffectRecordHolder {
public:
    FadeDialogBase(TWindow *parent, int resId, TModule *module);

    void SetupWindow() override;
    // The pages saved, the record's curves become the preview of the active wave's view
    // (none without a selection).
    void RefreshPreview();
    FadePreview const &GetPreview() const { return preview_; }

protected:
    // The record's curves as the views draw them.
    virtual void MakePreview(FadePreview &preview) = 0;
    void EvActivate(uint state, int minimized, HWND other);
    void CleanupWindow() override;

private:
    FadePreview preview_;

    DECLARE_RESPONSE_TABLE(FadeDialogBase);
};

class FadeDialog : public FadeDialogBase {
public:
    enum : int { kDialog = 54, kPage = 55 };

    FadeDialog(TWindow *parent, TModule *module);
    void SetRecord(FadeOpcodes &record);
    Opcodes &GetRecord() override { return *record_; }
    FadeOpcodes &GetFade() { return *record_; }

protected:
    void Apply() override;
    void MakePreview(FadePreview &preview) override;

private:
    FadeOpcodes *record_ = nullptr;
};

class XFadeDialog : public FadeDialogBase {
public:
    enum : int { kDialog = 56, kPage = 57 };

    XFadeDialog(TWindow *parent, TModule *module);
    void SetRecord(XFadeOpcodes &record);
    Opcodes &GetRecord() override { return *record_; }
    XFadeOpcodes &GetXFade() { return *record_; }

protected:
    void Apply() override;
    void MakePreview(FadePreview &preview) override;
    void CeOk(TCommandEnabler &enabler);

private:
    XFadeOpcodes *record_ = nullptr;

    DECLARE_RESPONSE_TABLE(XFadeDialog);
};

// A page whose controls show a fade record: filling them tells nobody, a change the user
// makes refreshes the dialog's preview.
class FadePageBase : public PropertyPage {
public:
    FadePageBase(FadeDialogBase *dialog, int resId, TModule *module);

    void SetupWindow() override;
    int UpdateControls() override;

protected:
    virtual void ShowRecord() = 0;
    // A list made over the control with the level or the time texts.
    TListSpinEdit *LevelList(int id);
    TListSpinEdit *TimeList(int id);
    void Changed();
    FadeDialogBase &Owner() const { return owner_; }

private:
    FadeDialogBase &owner_;
    bool filling_ = false;
};

class FadePage : public FadePageBase {
public:
    enum : int { kFadeIn = 100, kFadeOut = 101, kLevel = 900, kTime = 920 };

    FadePage(FadeDialog *dialog, TModule *module);
    // Fade in or out, level and time; never the inverse curve.
    int SaveData() override;

protected:
    void ShowRecord() override;

private:
    FadeOpcodes &Record() const;

    TListSpinEdit *level_;
    TListSpinEdit *time_;

    DECLARE_RESPONSE_TABLE(FadePage);
};

class XFadePage : public FadePageBase {
public:
    enum : int { kLevel = 960, kTime = 950, kInverse = 106, kNoFade = 159, kLevelLabel = 200, kTimeLabel = 202 };

    XFadePage(XFadeDialog *dialog, TModule *module);
    // Both curves; an inverse curve takes the other one's level and time, so that it is
    // the other's exact complement.
    int SaveData() override;

protected:
    void ShowRecord() override;
    void CmInverse(uint id);
    void CmNoFade(uint id);
    void CeCurve(TCommandEnabler &enabler);
    void CeInverse(TCommandEnabler &enabler);

private:
    XFadeOpcodes &Record() const;
    bool Checked(int id) const;
    void Check(int id, bool on);

    TListSpinEdit *level_[2];
    TListSpinEdit *time_[2];

    DECLARE_RESPONSE_TABLE(XFadePage);
};

int OpenFadeDialog(FadeOpcodes &record, int givenRecord);
int OpenXFadeDialog(XFadeOpcodes &record, int givenRecord);
