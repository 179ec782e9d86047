#include "effects/FadeDialogs.h"

#include "controls/Button.h"
#include "controls/PopupSlider.h"
#include "controls/SpinEdit.h"
#include "effects/Crossfade.h"
#include "effects/Fade.h"
#include "effects/FadePreviewLink.h"
#include "effects/ProcessorRegistry.h"

namespace {

enum : int { kTextSettingsTab = 11008, kPresetTab = 1 };

SpinListData const kLevelTexts[] = {
    {"-0.5 dB", 0}, {"-1 dB", 1},   {"-2 dB", 2},   {"-3 dB", 3},   {"-4 dB", 4},
    {"-5 dB", 5},   {"-6 dB", 6},   {"-7 dB", 7},   {"-8 dB", 8},   {"-9 dB", 9},
    {"-10 dB", 10}, {"-11 dB", 11}, {"-12 dB", 12}, {"-15 dB", 13}, {"-18 dB", 14},
    {nullptr, 0},
};

SpinListData const kTimeTexts[] = {
    {"10 %", 0}, {"20 %", 1}, {"30 %", 2}, {"40 %", 3}, {"50 %", 4},
    {"60 %", 5}, {"70 %", 6}, {"80 %", 7}, {"90 %", 8}, {nullptr, 0},
};

int ListValue(TListSpinEdit *list) {
    int index;
    list->GetValue(&index);
    return index;
}

TModule *Language() { return TModule::_localizedResourceDLL; }

}  // namespace

// ---- FadeDialogBase

DEFINE_RESPONSE_TABLE1(FadeDialogBase, OkApplyTabDialog)
    EV_WM_ACTIVATE,
END_RESPONSE_TABLE;

FadeDialogBase::FadeDialogBase(TWindow *parent, int resId, TModule *module)
    : TWindow(parent, 0, module), OkApplyTabDialog(parent, resId, module) {}

// The presets belong to the effect's own record, not to a batch task's.
void FadeDialogBase::SetupWindow() {
    OkApplyTabDialog::SetupWindow();
    if (PropertyPage *page = GetPageRef(kPresetTab))
        page->EnableTab(kPresetTab, !IsGivenRecord());
}

void FadeDialogBase::RefreshPreview() {
    SaveAllPages();
    MakePreview(preview_);
    ShowFadePreview(ActiveWaveWithSelection() ? &preview_ : nullptr);
}

// Giving the activation to the pop-up slider of one of its lists keeps the preview.
void FadeDialogBase::EvActivate(uint state, int minimized, HWND other) {
    OkApplyTabDialog::EvActivate(state, minimized, other);
    if (state != WA_INACTIVE) {
        UpdateAllPageControls();
        RefreshPreview();
    } else if (!dynamic_cast<PopupSlider *>(GetWindowPtr(other)))
        ShowFadePreview(nullptr);
}

void FadeDialogBase::CleanupWindow() {
    ShowFadePreview(nullptr);
    OkApplyTabDialog::CleanupWindow();
}

// ---- FadeDialog

FadeDialog::FadeDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), FadeDialogBase(parent, kDialog, module) {
    Add(kTextSettingsTab, new FadePage(this, module));
    Add(kTextPresetTab, new EffectPresetPage(this, *this, kFadeProcessor, module));
}

void FadeDialog::SetRecord(FadeOpcodes &record) {
    record_ = &record;
    if (GetHandle())
        UpdateAllPageControls();
}

void FadeDialog::Apply() {
    if (!record_ || !ActiveWaveWithSelection())
        return;
    SaveAllPages();
    FadeOpcodes const &record = *record_;
    ApplyToActiveWave([&](Wave &wave, int channels, int first, int last) {
        ApplyFade(wave, channels, first, last, record, 1, 1);
    });
}

void FadeDialog::MakePreview(FadePreview &preview) {
    static_cast<FadeOpcodes &>(preview) = *record_;
    preview.curves = 1;
}

// ---- XFadeDialog

DEFINE_RESPONSE_TABLE1(XFadeDialog, FadeDialogBase)
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

XFadeDialog::XFadeDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), FadeDialogBase(parent, kDialog, module) {
    Add(kTextSettingsTab, new XFadePage(this, module));
    Add(kTextPresetTab, new EffectPresetPage(this, *this, kXFadeProcessor, module));
}

void XFadeDialog::SetRecord(XFadeOpcodes &record) {
    record_ = &record;
    if (GetHandle())
        UpdateAllPageControls();
}

void XFadeDialog::Apply() {
    if (!record_ || !ActiveWaveWithSelection())
        return;
    SaveAllPages();
    CrossfadeFromClipboard(*record_);
}

void XFadeDialog::CeOk(TCommandEnabler &enabler) {
    enabler.Enable(IsGivenRecord() || (ActiveWaveWithSelection() && ClipboardHoldsAudio()));
}

// Curve 0 fades the clipboard in; a curve without fade is not drawn.
void XFadeDialog::MakePreview(FadePreview &preview) {
    for (int i = 0; i < 2; ++i) {
        FadeOpcodes curve = record_->Curve(i);
        if (record_->noFade[i])
            curve.level = -1;
        if (i == 0)
            static_cast<FadeOpcodes &>(preview) = curve;
        else
            preview.second = curve;
    }
    preview.curves = 2;
}

// ---- FadePageBase

FadePageBase::FadePageBase(FadeDialogBase *dialog, int resId, TModule *module)
    : TWindow(dialog, 0, module), PropertyPage(dialog, resId, module), owner_(*dialog) {}

void FadePageBase::SetupWindow() {
    PropertyPage::SetupWindow();
    UpdateControls();
}

int FadePageBase::UpdateControls() {
    if (!GetHandle())
        return 1;
    filling_ = true;
    ShowRecord();
    filling_ = false;
    return 1;
}

TListSpinEdit *FadePageBase::LevelList(int id) {
    auto *list = new TListSpinEdit(this, id, 0, GetModule());
    list->RegisterEntries(kLevelTexts);
    return list;
}

TListSpinEdit *FadePageBase::TimeList(int id) {
    auto *list = new TListSpinEdit(this, id, 0, GetModule());
    list->RegisterEntries(kTimeTexts);
    return list;
}

// What the page shows while it fills itself, or while it is hidden, is not the user's.
void FadePageBase::Changed() {
    if (!filling_ && GetHandle() && IsWindowVisible())
        owner_.RefreshPreview();
}

// ---- FadePage

DEFINE_RESPONSE_TABLE1(FadePage, FadePageBase)
    EV_COMMAND(kFadeIn, Changed),
    EV_COMMAND(kFadeOut, Changed),
    EV_CHILD_NOTIFY(kLevel, EN_CHANGE, Changed),
    EV_CHILD_NOTIFY(kTime, EN_CHANGE, Changed),
END_RESPONSE_TABLE;

FadePage::FadePage(FadeDialog *dialog, TModule *module)
    : TWindow(dialog, 0, module), FadePageBase(dialog, FadeDialog::kPage, module), level_(LevelList(kLevel)),
      time_(TimeList(kTime)) {
    // The buttons show the record: the page's transfer buffers would set them back.
    for (int id : {kFadeIn, kFadeOut})
        (new TRadioButton(this, id, nullptr, module))->DisableTransfer();
}

FadeOpcodes &FadePage::Record() const { return static_cast<FadeDialog &>(Owner()).GetFade(); }

void FadePage::ShowRecord() {
    FadeOpcodes &record = Record();
    ::CheckRadioButton(GetHandle(), kFadeIn, kFadeOut, record.fadeIn ? kFadeIn : kFadeOut);
    level_->SetValue(ClampFadeLevel(record.level));
    time_->SetValue(ClampFadeTime(record.time));
}

int FadePage::SaveData() {
    if (!GetHandle())
        return 1;
    FadeOpcodes &record = Record();
    record.fadeIn = ::IsDlgButtonChecked(GetHandle(), kFadeIn) == BST_CHECKED;
    record.level = ClampFadeLevel(ListValue(level_));
    record.time = ClampFadeTime(ListValue(time_));
    record.inverse = 0;
    return 1;
}

// ---- XFadePage

DEFINE_RESPONSE_TABLE1(XFadePage, FadePageBase)
    EV_COMMAND_AND_ID(kInverse, CmInverse),
    EV_COMMAND_AND_ID(kInverse + 1, CmInverse),
    EV_COMMAND_AND_ID(kNoFade, CmNoFade),
    EV_COMMAND_AND_ID(kNoFade + 1, CmNoFade),
    EV_CHILD_NOTIFY(kLevel, EN_CHANGE, Changed),
    EV_CHILD_NOTIFY(kLevel + 1, EN_CHANGE, Changed),
    EV_CHILD_NOTIFY(kTime, EN_CHANGE, Changed),
    EV_CHILD_NOTIFY(kTime + 1, EN_CHANGE, Changed),
    EV_CONTROL_ENABLE(kLevel, CeCurve),
    EV_CONTROL_ENABLE(kLevel + 1, CeCurve),
    EV_CONTROL_ENABLE(kTime, CeCurve),
    EV_CONTROL_ENABLE(kTime + 1, CeCurve),
    EV_CONTROL_ENABLE(kLevelLabel, CeCurve),
    EV_CONTROL_ENABLE(kLevelLabel + 1, CeCurve),
    EV_CONTROL_ENABLE(kTimeLabel, CeCurve),
    EV_CONTROL_ENABLE(kTimeLabel + 1, CeCurve),
    EV_CONTROL_ENABLE(kInverse, CeInverse),
    EV_CONTROL_ENABLE(kInverse + 1, CeInverse),
END_RESPONSE_TABLE;

XFadePage::XFadePage(XFadeDialog *dialog, TModule *module)
    : TWindow(dialog, 0, module), FadePageBase(dialog, XFadeDialog::kPage, module) {
    for (int i = 0; i < 2; ++i) {
        level_[i] = LevelList(kLevel + i);
        time_[i] = TimeList(kTime + i);
        // The boxes show the record: the page's transfer buffers would clear them.
        (new TCheckBox(this, kInverse + i, nullptr, module))->DisableTransfer();
        (new TCheckBox(this, kNoFade + i, nullptr, module))->DisableTransfer();
        CreateStaticText(kLevelLabel + i);
        CreateStaticText(kTimeLabel + i);
    }
}

XFadeOpcodes &XFadePage::Record() const { return static_cast<XFadeDialog &>(Owner()).GetXFade(); }

bool XFadePage::Checked(int id) const { return ::IsDlgButtonChecked(GetHandle(), id) == BST_CHECKED; }

void XFadePage::Check(int id, bool on) { ::CheckDlgButton(GetHandle(), id, on ? BST_CHECKED : BST_UNCHECKED); }

void XFadePage::ShowRecord() {
    XFadeOpcodes &record = Record();
    for (int i = 0; i < 2; ++i) {
        level_[i]->SetValue(ClampFadeLevel(record.level[i]));
        time_[i]->SetValue(ClampFadeTime(record.time[i]));
        Check(kInverse + i, record.inverse[i] != 0);
        Check(kNoFade + i, record.noFade[i] != 0);
    }
}

int XFadePage::SaveData() {
    if (!GetHandle())
        return 1;
    XFadeOpcodes &record = Record();
    for (int i = 0; i < 2; ++i) {
        record.level[i] = ClampFadeLevel(ListValue(level_[i]));
        record.time[i] = ClampFadeTime(ListValue(time_[i]));
        record.inverse[i] = Checked(kInverse + i);
        record.noFade[i] = Checked(kNoFade + i);
    }
    int inverse = record.inverse[0] ? 0 : record.inverse[1] ? 1 : -1;
    if (inverse >= 0) {
        record.level[inverse] = record.level[1 - inverse];
        record.time[inverse] = record.time[1 - inverse];
    }
    return 1;
}

// One inverse curve at most: checking one clears the other.
void XFadePage::CmInverse(uint id) {
    if (Checked(int(id)))
        Check(kInverse + (kInverse + 1 - int(id)), false);
    Changed();
}

// A curve without fade leaves the other nothing to be the inverse of.
void XFadePage::CmNoFade(uint id) {
    if (Checked(int(id)))
        Check(kInverse + (kNoFade + 1 - int(id)), false);
    Changed();
}

void XFadePage::CeCurve(TCommandEnabler &enabler) {
    int id = int(enabler.GetId());
    int curve = (id == kLevel + 1 || id == kTime + 1 || id == kLevelLabel + 1 || id == kTimeLabel + 1) ? 1 : 0;
    enabler.Enable(!Checked(kInverse + curve) && !Checked(kNoFade + curve));
}

void XFadePage::CeInverse(TCommandEnabler &enabler) { enabler.Enable(!Checked(kNoFade) && !Checked(kNoFade + 1)); }

// ---- openers

int OpenFadeDialog(FadeOpcodes &record, int givenRecord) {
    return ShowProcessorDialog<OkApplyTabDialog>(FadeDialog::kDialog, givenRecord, [&](OkApplyTabDialog *found) {
        auto *dialog = dynamic_cast<FadeDialog *>(found);
        if (!dialog)
            dialog = new FadeDialog(EffectDialogParent(), Language());
        dialog->SetRecord(record);
        return dialog;
    });
}

int OpenXFadeDialog(XFadeOpcodes &record, int givenRecord) {
    return ShowProcessorDialog<OkApplyTabDialog>(XFadeDialog::kDialog, givenRecord, [&](OkApplyTabDialog *found) {
        auto *dialog = dynamic_cast<XFadeDialog *>(found);
        if (!dialog)
            dialog = new XFadeDialog(EffectDialogParent(), Language());
        dialog->SetRecord(record);
        return dialog;
    });
}
