// The pages of the wave documents and their windows: editing, files and the block cache,
// display, units and the time scale.
#include "shell/PreferencesDialog.h"

#include "audio/AudioFileSettings.h"
#include "audio/TimeSettings.h"
#include "audio/WaveSettings.h"
#include "controls/FileDialog.h"
#include "controls/PopupSlider.h"
#include "controls/SpinEdit.h"
#include "manager/DocumentManager.h"
#include "shell/PreferencePageKit.h"
#include "shell/PreferenceValues.h"
#include "shell/ShellSettings.h"
#include "shell/WFrameWindow.h"
#include "waveview/LevelFormat.h"
#include "waveview/WaveWindowSettings.h"

#include <algorithm>

using namespace preferences;

namespace {

enum { kTextFalling = 11124, kTextRising = 11125, kTextAnySlope = 11126, kFolderLength = 256 };

ComboEntries Slopes() { return MessageEntries({{kTextFalling, 0}, {kTextRising, 1}, {kTextAnySlope, 2}}); }

}  // namespace

// ---- editing

DEFINE_RESPONSE_TABLE1(EditingPage, PropertyPage)
    EV_CONTROL_ENABLE(EditingPage::kUndoLimit, CeUndoLimit),
    EV_CONTROL_ENABLE(EditingPage::kUndoLabel, CeUndoLimit),
END_RESPONSE_TABLE;

EditingPage::EditingPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    WaveSettings const &s = TheWaveSettings();
    CreateCheckBox(kSnapZoom, s.snapHZoom != 0);
    FillCombo(*this, kLeftSlope, Slopes(), s.leftSlope);
    FillCombo(*this, kRightSlope, Slopes(), s.rightSlope);
    scanRange_ = MakeSpin(*this, kScanRange, 1, 1000, s.scanRange, " ms");
    CreateCheckBox(kUnlimitedUndo, s.undoLimit >= kUnlimited);
    undoLimit_ = MakeSpin(*this, kUndoLimit, 0, kUnlimited - 1, std::min<int>(s.undoLimit, kUnlimited - 1));
    CreateStaticText(kUndoLabel);
    SetRadioGroup(this, kSliderOrientation, 2, PopupSlider::_horizontal, 0, 1);
    CreateCheckBox(kSelLevelShift, s.selLevelShift != 0);
    CreateCheckBox(kColorCursors, DocumentManager::UseColorCursors() != 0);
}

int EditingPage::SaveData() {
    PropertyPage::SaveData();
    WaveSettings &s = TheWaveSettings();
    s.snapHZoom = IsChecked(kSnapZoom);
    s.leftSlope = int32_t(GetComboValue(kLeftSlope));
    s.rightSlope = int32_t(GetComboValue(kRightSlope));
    s.scanRange = SpinValue(*scanRange_);
    s.undoLimit = IsChecked(kUnlimitedUndo) ? int32_t(kUnlimited) : SpinValue(*undoLimit_);
    PopupSlider::_horizontal = QueryRadioGroup(kSliderOrientation);
    s.selLevelShift = IsChecked(kSelLevelShift);
    DocumentManager::UseColorCursors(IsChecked(kColorCursors));
    return 1;
}

void EditingPage::CeUndoLimit(TCommandEnabler &ce) { ce.Enable(!IsChecked(kUnlimitedUndo, 1)); }

// ---- files

DEFINE_RESPONSE_TABLE1(FilePage, PropertyPage)
    EV_COMMAND(FilePage::kBrowse, CmBrowse),
END_RESPONSE_TABLE;

FilePage::FilePage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    AudioFileSettings const &files = TheAudioFileSettings();
    FileCacheSettings const &cache = TheFileCacheSettings();
    CreateCheckBox(kPadFiles, files.s8AudioFile != 0);
    CreateCheckBox(kTempFileRes, files.tempFileRes == 24);
    CreateCheckBox(kDualMono, TheWaveSettings().openDualMono != 0);
    CreateEditControl(kFolder, static_cast<String const &>(files.tempDir), kFolderLength);
    CreateButton(kBrowse);
    SetRadioGroup(this, kCacheMode, 3, cache.mode, 1, 2, 0);
    hugeSize_ = MakeSpin(*this, kHugeSize, 0, 400, double(cache.hugeSize / kMiB));
    cacheSize_ = MakeSpin(*this, kCacheSize, 0.25, 16, double(TheShellSettings().cacheBytes) / kMiB, ".2");
    cacheSize_->GetAttr().SetIncrement(0.25);
    cacheSize_->GetAttr().SetLargeIncrement(5.0);
}

FileName FilePage::TypedFolder() { return preferences::TypedFolder(GetText(kFolder, GetHandle() != nullptr)); }

void FilePage::CmBrowse() {
    String folder = GetPathFromUser(this, nullptr, static_cast<String const &>(TemporaryFolder()).c_str());
    if (!folder.IsEmpty())
        SetText(kFolder, folder, 1);
}

int FilePage::SaveData() {
    PropertyPage::SaveData();
    AudioFileSettings &files = TheAudioFileSettings();
    files.s8AudioFile = IsChecked(kPadFiles);
    files.tempFileRes = IsChecked(kTempFileRes) ? 24 : 16;
    TheWaveSettings().openDualMono = IsChecked(kDualMono);
    files.tempDir = TypedFolder();
    FileCacheSettings &cache = TheFileCacheSettings();
    cache.mode = QueryRadioGroup(kCacheMode);
    cache.hugeSize = HugeBytesFromMiB(SpinValue(*hugeSize_));
    TheShellSettings().cacheBytes = CacheBytesFromMiB(cacheSize_->GetCurrentValue());
    return 1;
}

// ---- display

DisplayPage::DisplayPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    WaveWindowSettings const &s = TheWaveWindowSettings();
    CreateCheckBox(kOverView, s.openOverView != 0);
    CreateCheckBox(kOverView2, s.openOverView2 != 0);
    CreateCheckBox(kAutoZoom, s.autoZoom != 0);
    WFrameWindow *frame = dynamic_cast<WFrameWindow *>(dialog.GetFrame());
    CreateCheckBox(kMouseWindow, frame ? frame->IsMouseWindow() : 1);
    CreateCheckBox(kFlickerFree, TheShellSettings().flickerFree != 0);
    openSeconds_ = MakeSpin(*this, kOpenSeconds, 1, 999, std::min<int>(s.openSeconds, 999));
}

int DisplayPage::SaveData() {
    PropertyPage::SaveData();
    WaveWindowSettings &s = TheWaveWindowSettings();
    s.openOverView = IsChecked(kOverView);
    s.openOverView2 = IsChecked(kOverView2);
    s.autoZoom = IsChecked(kAutoZoom);
    if (auto *frame = dynamic_cast<WFrameWindow *>(static_cast<PrefPropertyDialog *>(GetPropertyDialog())->GetFrame()))
        frame->SetMouseWindow(IsChecked(kMouseWindow));
    TheShellSettings().flickerFree = IsChecked(kFlickerFree);
    s.openSeconds = SpinValue(*openSeconds_);
    return 1;
}

// ---- units

UnitsPage::UnitsPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    SetRadioGroup(this, kTimeUnit, 5, TheTimeSettings().dialUnit, 0, 3, 2, 1, 6);
    SetRadioGroup(this, kLevelUnit, 4, GetLevelDialUnit(), 0, 2, 1, 3);
    CreateCheckBox(kDropMarkers, TheShellSettings().dropMarkers != 0);
}

int UnitsPage::SaveData() {
    PropertyPage::SaveData();
    TheTimeSettings().dialUnit = QueryRadioGroup(kTimeUnit);
    SetLevelDialUnit(QueryRadioGroup(kLevelUnit));
    TheShellSettings().dropMarkers = IsChecked(kDropMarkers);
    return 1;
}

// ---- time scale

TimeScalePage::TimeScalePage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module),
      signature_(new TListSpinEdit(this, kSignature, 0, module)) {
    TimeSettings const &s = TheTimeSettings();
    SetRadioGroup(this, kFrameRate, 5, SmpteHundredths(s.framesPerSecond), 2400, 2500, 2997, 3000, 7500);
    ticks_ = MakeSpin(*this, kTicks, 64, 10000, s.ticks);
    tempo_ = MakeSpin(*this, kTempo, 10, 500, s.tempo / 1000.0, ".3");
    TSpinAttr &tempo = tempo_->GetAttr();
    tempo.SetIncrement(1.0);
    tempo.SetLargeIncrement(10.0);
    // added to the front: the whole beats last
    tempo.AddSlider(10, 300, 1, Slider::Color4);
    tempo.AddSlider(0, 9, 0.1, Slider::Color3);
    tempo.AddSlider(0, 9, 0.01, Slider::Color2);
    tempo.AddSlider(0, 9, 0.001, Slider::Color1);
    for (int i = 0; i < kSignatureCount; ++i)
        signature_->AddString(SignatureText(i).c_str());
}

// A signature the list does not hold leaves the edit empty and is kept.
void TimeScalePage::SetupWindow() {
    PropertyPage::SetupWindow();
    TimeSettings const &s = TheTimeSettings();
    int index = SignatureIndex(s.beatMeasure, s.beatWholeNote);
    if (index >= 0)
        signature_->SetValue(index);
    else
        signature_->SetWindowTextA("");
}

int TimeScalePage::SaveData() {
    PropertyPage::SaveData();
    TimeSettings &s = TheTimeSettings();
    s.framesPerSecond = QueryRadioGroup(kFrameRate) * 0.01;
    s.ticks = SpinValue(*ticks_);
    s.tempo = TempoThousandths(tempo_->GetCurrentValue());
    int exact = 0;
    int index = signature_->GetHandle() ? signature_->GetCurrentValue(&exact) : -1;
    if (exact) {
        Signature chosen = SignatureAt(index);
        s.beatMeasure = chosen.beatMeasure;
        s.beatWholeNote = chosen.beatWholeNote;
    }
    return 1;
}
