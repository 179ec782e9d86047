#include "effects/SamplerSetupDialog.h"

#include "controls/ComboBox.h"
#include "engine/SamplerLink.h"
#include "engine/SamplerScsiUnits.h"

#include <algorithm>
#include <vector>

#include <commctrl.h>

namespace {

enum : int { kChannelCount = 16, kTextSetupTab = 11008 };

LRESULT Send(TWindow *dialog, int id, UINT message, WPARAM wp = 0, LPARAM lp = 0) {
    return ::SendDlgItemMessageA(dialog->GetHandle(), id, message, wp, lp);
}

void FillCombo(TWindow *dialog, int id, std::vector<String> const &texts, int selected) {
    Send(dialog, id, CB_RESETCONTENT);
    for (String const &text : texts)
        Send(dialog, id, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    Send(dialog, id, CB_SETCURSEL, WPARAM(selected));
}

std::vector<String> ScsiUnitTexts() {
    std::vector<String> texts;
    for (int i = 0, n = CountScsiUnits(); i < n; ++i)
        texts.push_back(ScsiUnitText(i));
    return texts;
}

int Selected(TWindow *dialog, int id) { return int(Send(dialog, id, CB_GETCURSEL)); }

}  // namespace

// ---- dialog

SamplerSetupDialog::SamplerSetupDialog(TWindow *parent, SamplerDevice const &device, TModule *module)
    : TWindow(parent, 0, module), PropertyDialog(parent, kSamplerSetupDialog, Tab::Style(Tab::SingleHeight | Tab::UseTabBitmaps | Tab::Stacked), module), device_(device) {
    Add(kTextSetupTab, new SamplerSetupPage(this, device_, module));
    Add(kTextPresetTab, new SamplerSetupPresetPage(this, device_, module));
}

void SamplerSetupDialog::CmCancel() {
    SaveAllPages();
    PropertyDialog::CmCancel();
}

// ---- setup page

DEFINE_RESPONSE_TABLE1(SamplerSetupPage, PropertyPage)
    EV_CHILD_NOTIFY(kModelCombo, CBN_SELCHANGE, CmModelChange),
    EV_CONTROL_ENABLE(kScsiGroup, CeScsi),
    EV_CONTROL_ENABLE(kScsiLabel, CeScsi),
    EV_CONTROL_ENABLE(kScsiCombo, CeScsi),
    EV_CONTROL_ENABLE(kMidiInLabel, CeMidi),
    EV_CONTROL_ENABLE(kMidiInCombo, CeMidi),
    EV_CONTROL_ENABLE(kMidiOutLabel, CeMidi),
    EV_CONTROL_ENABLE(kMidiOutCombo, CeMidi),
END_RESPONSE_TABLE;

SamplerSetupPage::SamplerSetupPage(PropertyDialog *dialog, SamplerDevice &device, TModule *module)
    : TWindow(dialog, 0, module), PropertyPage(dialog, kSamplerSetupPageDialog, module), device_(device) {
    // The enabling rules reach the controls that have objects.
    CreateGroupBox(kScsiGroup);
    for (int label : {kScsiLabel, kMidiInLabel, kMidiOutLabel})
        CreateStaticText(label);
    for (int combo : {kScsiCombo, kMidiInCombo, kMidiOutCombo})
        (new TComboBox(this, combo, 0, module))->DisableTransfer();
}

void SamplerSetupPage::SetupWindow() {
    PropertyPage::SetupWindow();
    HWND spin = ::GetWindow(::GetDlgItem(GetHandle(), kChannelEdit), GW_HWNDNEXT);
    if (spin)
        ::SendMessageA(spin, UDM_SETRANGE32, 1, kChannelCount);
    UpdateControls();
}

// The working device into the controls (also after a preset was loaded).
int SamplerSetupPage::UpdateControls() {
    if (!GetHandle())
        return 1;
    FillCombo(this, kModelCombo, SamplerModelTexts(), device_.model);
    FillCombo(this, kMidiInCombo, SamplerMidiInputNames(), device_.midiIn);
    FillCombo(this, kMidiOutCombo, SamplerMidiOutputNames(), device_.midiOut);
    FillCombo(this, kScsiCombo, ScsiUnitTexts(), device_.scsiUnit);
    ::SetDlgItemInt(GetHandle(), kChannelEdit, UINT(device_.midiChannel + 1), FALSE);
    ExecuteRules();
    return 1;
}

int SamplerSetupPage::SaveData() {
    if (!GetHandle())
        return 1;
    device_.model = std::max(Selected(this, kModelCombo), 0);
    device_.midiIn = Selected(this, kMidiInCombo);
    device_.midiOut = Selected(this, kMidiOutCombo);
    device_.scsiUnit = Selected(this, kScsiCombo);
    BOOL read = FALSE;
    int channel = int(::GetDlgItemInt(GetHandle(), kChannelEdit, &read, FALSE));
    device_.midiChannel = read ? std::clamp<int>(channel, 1, kChannelCount) - 1 : 0;
    return 1;
}

void SamplerSetupPage::CmModelChange() {
    device_.model = std::max(Selected(this, kModelCombo), 0);
    ExecuteRules();
}

int SamplerSetupPage::ModelSpeaks(int scsi) {
    QbInterfaceInfo info;
    if (!GetSamplerModelInterface(device_.model, info))
        return 0;
    return scsi ? info.scsi != 0 : info.midi != 0;
}

void SamplerSetupPage::CeScsi(TCommandEnabler &enabler) { enabler.Enable(ModelSpeaks(1)); }

void SamplerSetupPage::CeMidi(TCommandEnabler &enabler) { enabler.Enable(ModelSpeaks(0)); }

// ---- preset page

SamplerSetupPresetPage::SamplerSetupPresetPage(PropertyDialog *dialog, SamplerDevice &device, TModule *module)
    : TWindow(dialog, 0, module),
      PresetPage(dialog, kPresetPageDialog, SamplerPresetFile(), kSamplerPresetRoot, module), device_(device) {}

void SamplerSetupPresetPage::ReadPresetValues(Config &store) {
    ReadSamplerDevice(store, device_);
    if (PropertyDialog *dialog = GetPropertyDialog())
        dialog->UpdateAllPageControls();
}

void SamplerSetupPresetPage::WritePresetValues(Config &store) { WriteSamplerDevice(store, device_); }

// ---- command

void StoreDefaultSamplerDevice(SamplerDevice const &device) {
    Config presets(kSamplerPresetRoot, SamplerPresetFile());
    presets.SetAutoCreate(1);
    presets.MoveDown(kDefaultSamplerPreset);
    WriteSamplerDevice(presets, device);
    presets.Save(SamplerPresetFile());
}

void RunSamplerSetupDialog(TWindow *parent) {
    LoadSamplerDevices(0);
    SamplerDevice *current = FindSamplerDevice(TheSamplerSettings().currentDevice);
    SamplerSetupDialog dialog(parent, current ? *current : DefaultSamplerDevice(), TModule::_localizedResourceDLL);
    dialog.Execute();
    // The pages have written their presets by now, so the default is not overwritten.
    StoreDefaultSamplerDevice(dialog.GetDevice());
    if (current)
        *current = dialog.GetDevice();
    LoadSamplerDevices(1);
}
