#include "engine/SamplerDialogs.h"

#include "audio/SamplerSampleInfo.h"
#include "audio/Wave.h"
#include "controls/ComboBox.h"
#include "controls/WindowUtilities.h"
#include "engine/SamplerDevice.h"
#include "engine/SamplerLink.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <commctrl.h>

namespace {

enum : int { kNameLimit = 64, kMaxInfoNumber = 99, kNoteCount = 128 };

LRESULT Send(TWindow *dialog, int id, UINT message, WPARAM wp = 0, LPARAM lp = 0) {
    return ::SendDlgItemMessageA(dialog->GetHandle(), id, message, wp, lp);
}

// Fills a combo box with the device names and selects one (none for -1).
void FillDeviceCombo(TWindow *dialog, int id, int selected) {
    Send(dialog, id, CB_RESETCONTENT);
    for (SamplerDevice *device = SamplerDevices().GetFirst(); device; device = SamplerDevices().GetNext(device))
        Send(dialog, id, CB_ADDSTRING, 0, LPARAM(device->name.c_str()));
    Send(dialog, id, CB_SETCURSEL, WPARAM(selected));
}

int SelectedItem(TWindow *dialog, int id) { return int(Send(dialog, id, CB_GETCURSEL)); }

// The number of an edit, clamped to its range; -1 when it holds no number.
int EditNumber(TWindow *dialog, int id, int highest) {
    char text[16] = {};
    ::GetDlgItemTextA(dialog->GetHandle(), id, text, sizeof text);
    char *end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text)
        return -1;
    return int(std::clamp<long>(value, 0, highest));
}

void SetEditNumber(TWindow *dialog, int id, int value) { ::SetDlgItemInt(dialog->GetHandle(), id, UINT(value), FALSE); }

// The spin control the templates place after an edit takes the edit's range.
void SetSpinRange(TWindow *dialog, int editId, int lowest, int highest) {
    HWND spin = ::GetWindow(::GetDlgItem(dialog->GetHandle(), editId), GW_HWNDNEXT);
    if (spin)
        ::SendMessageA(spin, UDM_SETRANGE32, WPARAM(lowest), LPARAM(highest));
}

String EntryName(char const *name, std::size_t width) { return TrimmedField(name, width); }

}  // namespace

String SamplerNoteName(int note) {
    static char const *const names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    note = std::clamp(note, 0, kNoteCount - 1);
    char text[8];
    std::snprintf(text, sizeof text, "%s%d", names[note % 12], note / 12 - 1);
    return String(text);
}

// ---- receive

DEFINE_RESPONSE_TABLE1(ReceiveSampleDialog, Dialog)
    EV_CHILD_NOTIFY(kDeviceCombo, CBN_SELCHANGE, CmDeviceChange),
    EV_COMMAND(kLoadLocations, CmLoadLocations),
    EV_CHILD_NOTIFY(kLocationCombo, CBN_SELCHANGE, CmLocationChange),
    EV_CHILD_NOTIFY(kSampleList, LBN_SELCHANGE, CmSamplePick),
    EV_COMMAND(kReceive, CmReceive),
    EV_CONTROL_ENABLE(kLoadLocations, CeLocationControl),
    EV_CONTROL_ENABLE(kLocationCombo, CeLocationControl),
    EV_CONTROL_ENABLE(kSampleList, CeLocationControl),
    EV_CONTROL_ENABLE(kSampleLabel, CeLocationControl),
    EV_CONTROL_ENABLE(kReceive, CeReceive),
END_RESPONSE_TABLE;

ReceiveSampleDialog::ReceiveSampleDialog(TWindow *parent, int deviceIndex, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kReceiveSampleDialog, module), deviceIndex_(deviceIndex) {
    // The enabling rules reach the controls that have objects.
    CreateButton(kLoadLocations);
    (new TComboBox(this, kLocationCombo, 0, module))->DisableTransfer();
    CreateListBox(kSampleList)->DisableTransfer();
    CreateStaticText(kSampleLabel);
    CreateButton(kReceive);
}

void ReceiveSampleDialog::SetupWindow() {
    Dialog::SetupWindow();
    FillDeviceCombo(this, kDeviceCombo, deviceIndex_);
    Send(this, kNumberEdit, EM_LIMITTEXT, 5);
    SetSpinRange(this, kNumberEdit, 0, QB_MAX_SAMPLE_NUMBER);
    ExecuteRules();
}

void ReceiveSampleDialog::ClearLists() {
    Send(this, kLocationCombo, CB_RESETCONTENT);
    Send(this, kSampleList, LB_RESETCONTENT);
    locations_.Clear();
    samples_.Clear();
    hasPicked_ = 0;
}

void ReceiveSampleDialog::CmDeviceChange() {
    deviceIndex_ = SelectedItem(this, kDeviceCombo);
    ClearLists();
    ExecuteRules();
}

void ReceiveSampleDialog::CmLoadLocations() {
    WaitCursor wait(*this);
    ClearLists();
    if (locations_.Load(deviceIndex_) != QB_OK)
        return;
    for (int i = 0; i < locations_.GetCount(); ++i) {
        String name = EntryName(locations_[i].name, sizeof locations_[i].name);
        int item = int(Send(this, kLocationCombo, CB_ADDSTRING, 0, LPARAM(name.c_str())));
        Send(this, kLocationCombo, CB_SETITEMDATA, WPARAM(item), LPARAM(i));
    }
    if (locations_.GetCount() > 0) {
        Send(this, kLocationCombo, CB_SETCURSEL, 0);
        LoadSamples();
    }
}

void ReceiveSampleDialog::CmLocationChange() {
    WaitCursor wait(*this);
    LoadSamples();
}

// The samples of the chosen location. The list call opens the interface itself, so that
// a location change after the locations were loaded finds it open.
void ReceiveSampleDialog::LoadSamples() {
    Send(this, kSampleList, LB_RESETCONTENT);
    hasPicked_ = 0;
    int item = SelectedItem(this, kLocationCombo);
    if (item < 0)
        return;
    int index = int(Send(this, kLocationCombo, CB_GETITEMDATA, WPARAM(item)));
    if (index < 0 || index >= locations_.GetCount() || samples_.Load(deviceIndex_, locations_[index].number) != QB_OK)
        return;
    for (int i = 0; i < samples_.GetCount(); ++i) {
        char text[96];
        std::snprintf(text, sizeof text, "%d %s", int(samples_[i].number),
                      EntryName(samples_[i].name, sizeof samples_[i].name).c_str());
        Send(this, kSampleList, LB_ADDSTRING, 0, LPARAM(text));
    }
}

void ReceiveSampleDialog::CmSamplePick() {
    int item = int(Send(this, kSampleList, LB_GETCURSEL));
    if (item < 0 || item >= samples_.GetCount())
        return;
    picked_ = samples_[item];
    hasPicked_ = 1;
    SetEditNumber(this, kNumberEdit, picked_.number);
}

int ReceiveSampleDialog::TypedNumber() { return EditNumber(this, kNumberEdit, QB_MAX_SAMPLE_NUMBER); }

void ReceiveSampleDialog::CmReceive() {
    int number = TypedNumber();
    deviceIndex_ = SelectedItem(this, kDeviceCombo);
    if (number < 0 || deviceIndex_ < 0)
        return;
    WaitCursor wait(*this);
    // A number typed after a pick is the one received: the picked entry is used only
    // while it is that sample.
    lastResult_ = ReceiveSamplerSample(deviceIndex_, number, hasPicked_ ? &picked_ : nullptr);
}

void ReceiveSampleDialog::CeLocationControl(TCommandEnabler &enabler) {
    enabler.Enable(SamplerOffersLocations(deviceIndex_) != 0);
}

void ReceiveSampleDialog::CeReceive(TCommandEnabler &enabler) {
    enabler.Enable(::GetWindowTextLengthA(::GetDlgItem(GetHandle(), kNumberEdit)) > 0);
}

// ---- a wave's destination

SamplerTargetDialog::SamplerTargetDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kSamplerTargetDialog, module) {}

void SamplerTargetDialog::SetupWindow() {
    Dialog::SetupWindow();
    FillDeviceCombo(this, kDeviceCombo, TheSamplerSettings().currentDevice);
    Send(this, kNumberEdit, EM_LIMITTEXT, 5);
    SetSpinRange(this, kNumberEdit, 0, QB_MAX_SAMPLE_NUMBER);
    SetEditNumber(this, kNumberEdit, TheSamplerSettings().currentSample);
}

void SamplerTargetDialog::CloseWindow(int result) {
    if (result == IDOK) {
        TheSamplerSettings().currentDevice = SelectedItem(this, kDeviceCombo);
        TheSamplerSettings().currentSample = std::max(EditNumber(this, kNumberEdit, QB_MAX_SAMPLE_NUMBER), 0);
    }
    Dialog::CloseWindow(result);
}

// ---- a wave's sample data

SampleInfoDialog::SampleInfoDialog(TWindow *parent, SamplerSampleInfo &info, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kSampleInfoDialog, module), info_(info) {}

void SampleInfoDialog::SetupWindow() {
    Dialog::SetupWindow();
    Send(this, kNameEdit, EM_LIMITTEXT, kNameLimit);
    ::SetDlgItemTextA(GetHandle(), kNameEdit, info_.name.c_str());
    Send(this, kNumberEdit, EM_LIMITTEXT, 2);
    SetSpinRange(this, kNumberEdit, 0, kMaxInfoNumber);
    SetEditNumber(this, kNumberEdit, std::clamp<int>(info_.number, 0, kMaxInfoNumber));
    for (int note = 0; note < kNoteCount; ++note)
        Send(this, kRootKeyEdit, CB_ADDSTRING, 0, LPARAM(SamplerNoteName(note).c_str()));
    Send(this, kRootKeyEdit, CB_SETCURSEL, WPARAM(std::clamp<int>(info_.rootKey, 0, kNoteCount - 1)));
}

void SampleInfoDialog::CloseWindow(int result) {
    if (result == IDOK) {
        char name[kNameLimit + 1] = {};
        ::GetDlgItemTextA(GetHandle(), kNameEdit, name, sizeof name);
        info_.name = name;
        info_.number = std::max(EditNumber(this, kNumberEdit, kMaxInfoNumber), 0);
        info_.rootKey = std::max(SelectedItem(this, kRootKeyEdit), 0);
    }
    Dialog::CloseWindow(result);
}

// ---- commands

void RunReceiveSampleDialog(TWindow *parent) {
    LoadSamplerDevices(0);
    ReceiveSampleDialog dialog(parent, TheSamplerSettings().currentDevice, TModule::_localizedResourceDLL);
    dialog.Execute();
    TheSamplerSettings().currentDevice = dialog.GetDeviceIndex();
}

void RunSamplerTargetDialog(Wave &wave, TWindow *parent) {
    LoadSamplerDevices(0);
    SamplerTargetDialog dialog(parent, TModule::_localizedResourceDLL);
    if (dialog.Execute() == IDOK)
        wave.EnsureSampleInfo();
}

void RunSampleInfoDialog(Wave &wave, TWindow *parent) {
    SampleInfoDialog dialog(parent, wave.EnsureSampleInfo(), TModule::_localizedResourceDLL);
    dialog.Execute();
}
