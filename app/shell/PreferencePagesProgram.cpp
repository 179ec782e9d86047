// The pages of the program as a whole: general (saving, logo, language), the audio card
// (devices and their buffers) and the tool bar (acting on the main frame at once).
#include "shell/PreferencesDialog.h"

#include "bars/StatusBar.h"
#include "bars/ToolbarList.h"
#include "controls/SpinEdit.h"
#include "core/MessageBoxSeam.h"
#include "engine/PlayerSettings.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "manager/MainFrame.h"
#include "manager/Registry.h"
#include "manager/View.h"
#include "shell/PreferencePageKit.h"
#include "shell/PreferenceValues.h"

#include <mmsystem.h>

#include <cstdio>

using namespace preferences;

namespace {

enum {
    kTextEnglish = 11118, kTextFrench = 11119, kTextGerman = 11120, kTextLatency = 11190,
    kEnglish = 9, kFrench = 12, kGerman = 7
};

// What the pages need of a wave device: its name, driver version and formats.
struct DeviceCaps {
    String name;
    unsigned version = 0;
    unsigned long formats = 0;
};

bool ReadCaps(bool output, long id, DeviceCaps &caps) {
    if (output) {
        WAVEOUTCAPSA c;
        if (::waveOutGetDevCapsA(UINT_PTR(id), &c, sizeof c) != MMSYSERR_NOERROR)
            return false;
        caps = {String(c.szPname), c.vDriverVersion, c.dwFormats};
    } else {
        WAVEINCAPSA c;
        if (::waveInGetDevCapsA(UINT_PTR(id), &c, sizeof c) != MMSYSERR_NOERROR)
            return false;
        caps = {String(c.szPname), c.vDriverVersion, c.dwFormats};
    }
    return true;
}

// Every device from the wave mapper (-1) on whose capabilities can be read.
ComboEntries Devices(bool output) {
    ComboEntries entries;
    long count = long(output ? ::waveOutGetNumDevs() : ::waveInGetNumDevs());
    DeviceCaps caps;
    for (long id = -1; id < count; ++id)
        if (ReadCaps(output, id, caps))
            entries.emplace_back(caps.name, id);
    return entries;
}

// The box of the device chosen in the combo box; none when nothing is chosen or the
// capabilities cannot be read.
void ShowDeviceInformation(Dialog &page, int combo, bool output) {
    if (::SendDlgItemMessageA(page.GetHandle(), combo, CB_GETCURSEL, 0, 0) < 0)
        return;
    DeviceCaps caps;
    if (!ReadCaps(output, page.GetComboValue(combo, 1), caps))
        return;
    String text = DeviceInformation(caps.version, caps.formats, output);
    ShowMessageBox(page.GetHandle(), text.c_str(), caps.name.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

// ---- general

GeneralPage::GeneralPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module), manager_(dialog.GetManager()) {
    CreateCheckBox(kAutoSavePref, manager_.GetAutoSavePref());
    CreateCheckBox(kAutoSaveLayout, manager_.GetAutoSaveLayout());
    CreateCheckBox(kLogo, manager_.GetLogo());
    FillCombo(*this, kLanguage,
              MessageEntries({{kTextEnglish, kEnglish}, {kTextFrench, kFrench}, {kTextGerman, kGerman}}),
              DocumentManager::GetLanguage());
}

// The logo and the language are read from the registry at start-up: they go there at once.
int GeneralPage::SaveData() {
    PropertyPage::SaveData();
    manager_.SetAutoSavePref(IsChecked(kAutoSavePref));
    manager_.SetAutoSaveLayout(IsChecked(kAutoSaveLayout));
    manager_.SetLogo(IsChecked(kLogo));
    SetRegistryInt("General", "Logo", manager_.GetLogo());
    long language = GetComboValue(kLanguage);
    if (language >= 0)
        DocumentManager::SetLanguage(int(language));
    SetRegistryInt("General", "Language", DocumentManager::GetLanguage());
    return 1;
}

// ---- audio card

DEFINE_RESPONSE_TABLE1(AudioCardPage, PropertyPage)
    EV_COMMAND(AudioCardPage::kOutInfo, CmOutInfo),
    EV_COMMAND(AudioCardPage::kInInfo, CmInInfo),
    EV_CHILD_NOTIFY(AudioCardPage::kOutSize, EN_CHANGE, EvBuffersChanged),
    EV_CHILD_NOTIFY(AudioCardPage::kOutCount, EN_CHANGE, EvBuffersChanged),
    EV_CONTROL_ENABLE(AudioCardPage::kMaxDropOut, CeDropOut),
    EV_CONTROL_ENABLE(AudioCardPage::kMaxDropOutLabel, CeDropOut),
END_RESPONSE_TABLE;

AudioCardPage::AudioCardPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    PlayerSettings const &s = ThePlayerSettings();
    FillCombo(*this, kOutDevice, Devices(true), long(int32_t(s.outDevice)));
    FillCombo(*this, kInDevice, Devices(false), long(int32_t(s.inDevice)));
    CreateButton(kOutInfo);
    CreateButton(kInInfo);
    for (TRangeSpinEdit **spin : {&outSize_, &inSize_}) {
        *spin = MakeSpin(*this, spin == &outSize_ ? kOutSize : kInSize, 2048, 65536,
                         spin == &outSize_ ? s.outBufferSize : s.inBufferSize);
        (*spin)->GetAttr().SetIncrement(2048);
        (*spin)->GetAttr().SetLargeIncrement(8192);
    }
    outCount_ = MakeSpin(*this, kOutCount, 3, 16, s.outBufferCount);
    inCount_ = MakeSpin(*this, kInCount, 3, 16, s.inBufferCount);
    SetRadioGroup(this, kResolution, 4, s.playbackBits, 8, 16, 20, 24);
    maxDropOut_ = MakeSpin(*this, kMaxDropOut, 1, 1000, s.maxDropOut);
    CreateCheckBox(kStopOnDrop, s.stopOnDrop != 0);
    CreateStaticText(kMaxDropOutLabel);
    CreateCheckBox(kDevicePosition, s.timedPosition == 0);
    CreateStaticControl(kLatency, "");
}

void AudioCardPage::SetupWindow() {
    PropertyPage::SetupWindow();
    EvBuffersChanged();
}

int AudioCardPage::SaveData() {
    PropertyPage::SaveData();
    PlayerSettings &s = ThePlayerSettings();
    s.outDevice = uint32_t(GetComboValue(kOutDevice));
    s.inDevice = uint32_t(GetComboValue(kInDevice));
    s.outBufferSize = BufferBytes(SpinValue(*outSize_));
    s.outBufferCount = SpinValue(*outCount_);
    s.inBufferSize = BufferBytes(SpinValue(*inSize_));
    s.inBufferCount = SpinValue(*inCount_);
    s.playbackBits = QueryRadioGroup(kResolution);
    s.maxDropOut = SpinValue(*maxDropOut_);
    s.stopOnDrop = IsChecked(kStopOnDrop);
    s.timedPosition = !IsChecked(kDevicePosition);
    return 1;
}

void AudioCardPage::CmOutInfo() { ShowDeviceInformation(*this, kOutDevice, true); }

void AudioCardPage::CmInInfo() { ShowDeviceInformation(*this, kInDevice, false); }

void AudioCardPage::EvBuffersChanged() {
    if (!GetHandle())
        return;
    String text(FindString(kTextLatency));
    char number[32];
    std::snprintf(number, sizeof number, "%d ms", OutputLatencyMs(SpinValue(*outSize_), SpinValue(*outCount_)));
    text.Append(number);
    SetText(kLatency, text, 1);
}

void AudioCardPage::CeDropOut(TCommandEnabler &ce) { ce.Enable(IsChecked(kStopOnDrop, 1)); }

// ---- tool bar

DEFINE_RESPONSE_TABLE1(ToolBarPage, PropertyPage)
    EV_COMMAND(ToolBarPage::kShowStatusBar, CmShowStatusBar),
    EV_COMMAND(ToolBarPage::kFont, CmFont),
    EV_COMMAND(ToolBarPage::kFont + 1, CmFont),
    EV_CHILD_NOTIFY(ToolBarPage::kButtonSize, EN_CHANGE, EvButtonSizeChanged),
    EV_CONTROL_ENABLE(ToolBarPage::kFont, CeFont),
    EV_CONTROL_ENABLE(ToolBarPage::kFont + 1, CeFont),
END_RESPONSE_TABLE;

ToolBarPage::ToolBarPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module), frame_(dialog.GetFrame()) {
    CreateCheckBox(kShowTips, frame_ ? frame_->GetShowTips() : 1);
    CreateCheckBox(kShowStatusBar, StatusBarShown());
    SetRadioGroup(this, kFont, 2, frame_ ? frame_->GetLargeStatusFont() : 0, 0, 1);
    buttonSize_ = MakeSpin(*this, kButtonSize, 0, 9, frame_ ? frame_->GetButtonSize() : 5);
}

bool ToolBarPage::StatusBarShown() const {
    StatusBar *bar = frame_ ? frame_->GetStatusBar() : nullptr;
    return bar && bar->GetHandle() && bar->IsWindowVisible();
}

void ToolBarPage::RenewStatusBar() {
    frame_->RenewStatusBar();
    if (View *view = static_cast<PrefPropertyDialog *>(GetPropertyDialog())->GetManager().FindActiveView())
        view->SetStatusBar(1);
    frame_->SendMessageA(WM_COMMAND, kToggleStatusBar);
    frame_->SendMessageA(WM_COMMAND, kToggleStatusBar);
}

// The frame's own show and hide; a bar shown again is built anew, as the font asks.
void ToolBarPage::CmShowStatusBar() {
    if (!frame_)
        return;
    frame_->SetShowStatusBar(IsChecked(kShowStatusBar, 1));
    if (frame_->GetStatusBar()) {
        frame_->SendMessageA(WM_COMMAND, kToggleStatusBar);
        if (!StatusBarShown())
            return;
    }
    RenewStatusBar();
}

void ToolBarPage::CmFont() {
    if (!frame_)
        return;
    frame_->SetLargeStatusFont(QueryRadioGroup(kFont));
    RenewStatusBar();
}

void ToolBarPage::EvButtonSizeChanged() {
    int size = SpinValue(*buttonSize_);
    if (!frame_ || !GetHandle() || size == frame_->GetButtonSize())
        return;
    frame_->SetButtonSize(size);
    ResizeToolbarButtons(size, 1);
}

void ToolBarPage::CeFont(TCommandEnabler &ce) { ce.Enable(StatusBarShown()); }

// The page acts at once; only the tips and what the status bar is left as are kept here.
int ToolBarPage::SaveData() {
    if (!frame_)
        return 1;
    int tips = IsChecked(kShowTips, GetHandle() != nullptr);
    frame_->SetShowTips(tips);
    frame_->GetTooltip().EnableTips(tips);
    frame_->SetShowStatusBar(StatusBarShown());
    return 1;
}
