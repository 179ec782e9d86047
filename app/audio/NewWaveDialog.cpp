#include "audio/NewWaveDialog.h"

#include "audio/NewWaveFormat.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "controls/BitmapControl.h"
#include "controls/SpinEdit.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/Module.h"

#include <memory>

namespace {

enum { kChannelsTwoFiles = 3, kRateDigits = 6, kLowestRate = 2000, kHighestRate = 48000 };

uint32_t const kRates[] = {48000, 44100, 32000, 22050, 11025};
int const kBits[] = {8, 16, 20, 24};

int RunModal(NewWaveDialog &dialog) { return dialog.Execute() == IDOK; }

TNewWaveDialogRunner runner = &RunModal;

int ChannelsOf(SamplePattern const &pattern) {
    if (pattern.GetMask() == 1)
        return 1;
    return pattern.GetMask() == 3 && !pattern.IsInterleaved() ? kChannelsTwoFiles : 2;
}

int ChooseRawFormatByDialog(SamplePattern &pattern) {
    TApplication *app = GetApplicationObject();
    return ExecuteNewWaveDialog(app ? app->GetMainWindow() : nullptr, pattern, 0, 1);
}

}  // namespace

GroupBox::GroupBox(NewWaveDialog &dialog, int id, TModule *module)
    : TWindow(&dialog, 0, module), TGroupBox(&dialog, id, module), dialog_(dialog) {}

void GroupBox::SelectionChanged(int) {
    dialog_.TransferData(tdGetData);
    dialog_.UpdateNewWaveControls();
}

NewWaveDialog::NewWaveDialog(TWindow *parent, SamplePattern const &pattern, int twoFilesAllowed, int eightBitAllowed,
                             TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kResource, module), twoFilesAllowed_(twoFilesAllowed),
      eightBitAllowed_(eightBitAllowed) {
    SetRadioGroup(this, kMono, 3, ChannelsOf(pattern), 1, 2, kChannelsTwoFiles);
    SetRadioGroup(this, kBits8, 4, pattern.GetBits(), kBits[0], kBits[1], kBits[2], kBits[3]);
    GroupBox *rates = new GroupBox(*this, kRateGroup, module);
    bool listed = false;
    for (int i = 0; i <= kOtherRate - kFirstRate; ++i) {
        new TRadioButton(this, kFirstRate + i, rates, module);
        bool checked = i < kOtherRate - kFirstRate ? pattern.GetRate() == kRates[i] : !listed;
        listed = listed || checked;
        SetCheck(kFirstRate + i, checked);
    }
    rateEdit_ = new TRangeSpinEdit(this, kRateEdit, kRateDigits, module);
    TSpinAttr &attr = rateEdit_->GetAttr();
    attr.SetRange(kLowestRate, kHighestRate);
    attr.SetInitial(int(pattern.GetRate()));
    attr.SetIncrement(5);
    attr.SetLargeIncrement(10000);
    rateEdit_->SetValue(int(pattern.GetRate()));
    new TBitmapControl(this, kPicture, kPictureBitmap, TBitmapControl::None, module);
}

void NewWaveDialog::SetupWindow() {
    Dialog::SetupWindow();
    UpdateNewWaveControls();
}

void NewWaveDialog::UpdateNewWaveControls() {
    Enable(kBits8, eightBitAllowed_);
    Enable(kTwoFiles, twoFilesAllowed_);
    Enable(kRateEdit, IsChecked(kOtherRate));
}

void NewWaveDialog::StoreChoice() {
    NewWaveSettings &s = TheNewWaveSettings();
    s.channels = IsChecked(kMono) ? 1 : IsChecked(kStereo) ? 2 : kChannelsTwoFiles;
    s.bits = eightBitAllowed_ && IsChecked(kBits8) ? 8 : IsChecked(kBits20) ? 20 : IsChecked(kBits24) ? 24 : 16;
    int rate = 0;
    rateEdit_->GetValue(&rate);
    s.freeRate = uint32_t(rate);
    s.rate = s.freeRate;
    for (int i = 0; i < kOtherRate - kFirstRate; ++i)
        if (IsChecked(kFirstRate + i))
            s.rate = kRates[i];
}

// ---- running it

TNewWaveDialogRunner SetNewWaveDialogRunner(TNewWaveDialogRunner newRunner) {
    TNewWaveDialogRunner previous = runner;
    runner = newRunner ? newRunner : &RunModal;
    return previous;
}

// Where two files may not be chosen, a stored choice of two files shows as stereo: the
// pattern is made again as with "Chan" 2, so that the disabled 109 is never the one checked.
int ExecuteNewWaveDialog(TWindow *parent, SamplePattern &pattern, int twoFilesAllowed, int eightBitAllowed) {
    SamplePattern shown(pattern);
    NewWaveSettings stereo = TheNewWaveSettings();
    if (!twoFilesAllowed && stereo.channels == kChannelsTwoFiles) {
        stereo.channels = 2;
        GetNewWaveFormat(shown, stereo);
    }
    if (!twoFilesAllowed && ChannelsOf(shown) == kChannelsTwoFiles)
        shown.SetInterleaved(1);
    NewWaveDialog dialog(parent, shown, twoFilesAllowed, eightBitAllowed, TModule::_localizedResourceDLL);
    if (!runner(dialog))
        return 0;
    dialog.StoreChoice();
    GetNewWaveFormat(pattern);
    return 1;
}

Wave *NewWave(TWindow *mainWindow) {
    SamplePattern pattern;
    GetNewWaveFormat(pattern);
    if (!ExecuteNewWaveDialog(mainWindow, pattern, 1, 1))
        return nullptr;
    std::unique_ptr<Wave> wave(Wave::CreateEmptyWave(pattern));
    TheWaveWindowLink().OpenWaveWindow(*wave, nullptr);
    return wave.release();
}

void RegisterNewWaveDialog() { SetRawFormatChooser(&ChooseRawFormatByDialog); }
