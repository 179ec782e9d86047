#include "shell/FFT3DSettingsDialog.h"

#include "shell/FFT3DDoc.h"
#include "shell/FFT3DView.h"

#include "controls/BitmapControl.h"
#include "controls/SpinEdit.h"
#include "core/FrameWindow.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include <string>

namespace {

enum { kTextStyle = 11015, kTextVision = 11016, kTextFrequency = 11017, kTabValue = 1 };

char const *const kLowTexts[] = {"20 Hz", "40 Hz", "80 Hz", "160 Hz", "320 Hz", "640 Hz", "1.28 kHz", "2.5 kHz"};
char const *const kHighTexts[] = {"160 Hz", "320 Hz", "640 Hz", "1.28 kHz", "2.5 kHz", "5 kHz", "10 kHz", "20 kHz"};

// The dialog's place and open page for the life of the process.
struct Remembered {
    bool placed = false;
    TPoint position;
    int page = 0;
};
Remembered _remembered;

}  // namespace

// ---- the dialog

DEFINE_RESPONSE_TABLE1(PropertyFFT3D, PropertyDialog)
    EV_COMMAND(PropertyFFT3D::kCmApply, CmApply),
END_RESPONSE_TABLE;

PropertyFFT3D::PropertyFFT3D(TWindow *parent, FFT3DView *target, TModule *module)
    : TWindow(parent, 0, module),
      PropertyDialog(parent, kResource, Tab::Style(Tab::Stacked | Tab::SingleHeight), kTabPictures, kTabValue, module),
      style_(target ? target->GetStyle() : TheFFT3DStyle()), frequencies_(TheFFT3DFrequencies()), target_(target) {
    CreateButton(kCmApply);
    Add(kTextStyle, new StylePage(*this, module));
    Add(kTextVision, new VisionPage(*this, module));
    Add(kTextFrequency, new FrequencyPage(*this, module));
    Add(kTextPresetTab, new FFT3DPresetPage(*this, module));
}

void PropertyFFT3D::SetupWindow() {
    PropertyDialog::SetupWindow();
    Enable(kCmApply, target_ != nullptr);
    ::EnableWindow(::GetDlgItem(GetHandle(), kCmApply), target_ != nullptr);
}

void PropertyFFT3D::CleanupWindow() {
    _remembered.placed = true;
    _remembered.position = GetWindowRect().TopLeft();
    _remembered.page = GetCurrPage();
    PropertyDialog::CleanupWindow();
}

void PropertyFFT3D::LoadPreset(Config &config) {
    LoadFFT3DSettings(config, &style_, &frequencies_);
    UpdateAllPageControls();
}

void PropertyFFT3D::StorePreset(Config &config) {
    SaveAllPages();
    SaveFFT3DSettings(config, &style_, &frequencies_);
}

void PropertyFFT3D::Commit() {
    TheFFT3DFrequencies() = frequencies_;
    if (target_)
        target_->SetStyle(style_);
}

void PropertyFFT3D::CmApply() {
    if (!target_ || !SaveAllPages())
        return;
    Commit();
}

// The pages save and the dialog closes; then the style becomes the default of new views.
void PropertyFFT3D::CmOk() {
    PropertyDialog::CmOk();
    if (GetHandle() && IsWindowVisible())
        return;  // a page refused to close
    TheFFT3DStyle() = style_;
    Commit();
}

// ---- the pages

FFT3DPresetPage::FFT3DPresetPage(PropertyFFT3D &dialog, TModule *module)
    : TWindow(&dialog, 0, module),
      PresetPage(&dialog, kPresetPageDialog, FileName::CreateApplicationRelative("system\\fft3d.set"), "FFT3D Presets",
                 module),
      dialog_(dialog) {}

void FFT3DPresetPage::ReadPresetValues(Config &store) { dialog_.LoadPreset(store); }

void FFT3DPresetPage::WritePresetValues(Config &store) { dialog_.StorePreset(store); }

DEFINE_RESPONSE_TABLE1(StylePage, PropertyPage)
    EV_CONTROL_ENABLE(StylePage::kColorMode, CeColorMode), EV_CONTROL_ENABLE(StylePage::kColorMode + 1, CeColorMode),
        EV_CONTROL_ENABLE(StylePage::kColorGroup, CeColorMode),
END_RESPONSE_TABLE;

StylePage::StylePage(PropertyFFT3D &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module), style_(dialog.GetStyle()) {
    SetRadioGroup(this, kStyle, 3, style_.style, 2, 1, 0);
    SetRadioGroup(this, kColorMode, 2, style_.colorMode, 0, 1);
    SetRadioGroup(this, kBack, 2, style_.back, 0, 1);
    CreateGroupBox(kColorGroup);
}

int StylePage::UpdateControls() {
    ResetRadioGroup(kStyle, style_.style);
    ResetRadioGroup(kColorMode, style_.colorMode);
    ResetRadioGroup(kBack, style_.back);
    TransferData(tdSetData);
    ExecuteRules();
    return 1;
}

int StylePage::SaveData() {
    if (GetHandle())
        TransferData(tdGetData);
    style_.style = QueryRadioGroup(kStyle);
    style_.colorMode = QueryRadioGroup(kColorMode);
    style_.back = QueryRadioGroup(kBack);
    return 1;
}

// Colouring by frequency or level means something for the spectral style only.
void StylePage::CeColorMode(TCommandEnabler &ce) { ce.Enable(IsChecked(kStyle, 1)); }

VisionPage::VisionPage(PropertyFFT3D &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module), style_(dialog.GetStyle()) {
    SetRadioGroup(this, kAngle, 12, style_.angle, 180, 150, 120, 90, 60, 30, 0, 330, 300, 270, 240, 210);
    SetRadioGroup(this, kAmpScale, 2, style_.ampScale, 0, 1);
    new TBitmapControl(this, kPicture, kPicture, TBitmapControl::None, module);
}

int VisionPage::UpdateControls() {
    ResetRadioGroup(kAngle, style_.angle);
    ResetRadioGroup(kAmpScale, style_.ampScale);
    TransferData(tdSetData);
    return 1;
}

int VisionPage::SaveData() {
    if (GetHandle())
        TransferData(tdGetData);
    style_.angle = QueryRadioGroup(kAngle);
    style_.ampScale = QueryRadioGroup(kAmpScale);
    return 1;
}

DEFINE_RESPONSE_TABLE1(FrequencyPage, PropertyPage)
    EV_CHILD_NOTIFY(FrequencyPage::kLow, EN_CHANGE, EvLowChanged),
        EV_CHILD_NOTIFY(FrequencyPage::kHigh, EN_CHANGE, EvHighChanged),
END_RESPONSE_TABLE;

FrequencyPage::FrequencyPage(PropertyFFT3D &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module), frequencies_(dialog.GetFrequencies()),
      low_(new TListSpinEdit(this, kLow, 0, module)), high_(new TListSpinEdit(this, kHigh, 0, module)) {
    SetRadioGroup(this, kLogFreq, 2, frequencies_.logFreq, 0, 1);
    for (char const *text : kLowTexts)
        low_->AddString(text);
    for (char const *text : kHighTexts)
        high_->AddString(text);
}

void FrequencyPage::SetupWindow() {
    PropertyPage::SetupWindow();
    UpdateControls();
}

int FrequencyPage::UpdateControls() {
    ResetRadioGroup(kLogFreq, frequencies_.logFreq);
    TransferData(tdSetData);
    low_->SetValue(frequencies_.lowFreq);
    high_->SetValue(frequencies_.highFreq - FFT3DFrequencies::kLeastOctaves);
    return 1;
}

int FrequencyPage::SaveData() {
    if (GetHandle()) {
        TransferData(tdGetData);
        frequencies_.lowFreq = low_->GetCurrentValue();
        frequencies_.highFreq = high_->GetCurrentValue() + FFT3DFrequencies::kLeastOctaves;
    }
    frequencies_.logFreq = QueryRadioGroup(kLogFreq);
    ClampFFT3DFrequencies(frequencies_);
    return 1;
}

// Entry i of the high list is 3 octaves above entry i of the low one.
void FrequencyPage::EvLowChanged() {
    if (high_->GetHandle() && high_->GetCurrentValue() < low_->GetCurrentValue())
        high_->SetValue(low_->GetCurrentValue());
}

void FrequencyPage::EvHighChanged() {
    if (low_->GetHandle() && low_->GetCurrentValue() > high_->GetCurrentValue())
        low_->SetValue(high_->GetCurrentValue());
}

// ---- command 486

int OpenFFT3DSettings(DocumentManager &manager) {
    TWindow *frame = manager.GetMainWindow();
    HWND focus = ::GetFocus();
    if (frame && frame->GetHandle())
        frame->UpdateWindow();
    View *active = manager.FindActiveView();
    bool analysis = active && std::string(active->GetDocument().GetModel().name) == FFT3DDoc::_type.name;
    PropertyFFT3D dialog(frame, analysis ? dynamic_cast<FFT3DView *>(active) : nullptr, TModule::_localizedResourceDLL);
    if (_remembered.placed)
        dialog.SetPosition(kTopLeftAtPoint, &_remembered.position);
    dialog.SetOpenPage(_remembered.page);
    int result = dialog.Execute();
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
    return result;
}
