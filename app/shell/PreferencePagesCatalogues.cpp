// The pages of the sound database and of CD writing.
#include "shell/PreferencesDialog.h"

#include "cd/CdSettings.h"
#include "controls/SpinEdit.h"
#include "database/DatabaseSettings.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"
#include "shell/PreferencePageKit.h"
#include "shell/PreferenceValues.h"
#include "waveview/PositionText.h"
#include "waveview/TimeSpinEdit.h"


using namespace preferences;

namespace {

enum { kCdFrameBytes = 2352 };

}  // namespace

// ---- database

DatabasePage::DatabasePage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module) {
    DatabaseSettings const &s = TheDatabaseSettings();
    CreateCheckBox(kWarnDelete, s.warnDel != 0);
    CreateCheckBox(kFloppy, s.floppy != 0);
    CreateEditControl(kFirstDrive, DriveText(s.fl1), 1);
    CreateEditControl(kSecondDrive, DriveText(s.fl2), 1);
    listMaxSize_ = MakeSpin(*this, kListMaxSize, 20, 2000, s.listMaxSize);
    CreateCheckBox(kBeepAtLimit, s.beepListLim != 0);
    CreateCheckBox(kTellAtLimit, s.messListLim != 0);
}

int DatabasePage::SaveData() {
    PropertyPage::SaveData();
    DatabaseSettings &s = TheDatabaseSettings();
    s.warnDel = IsChecked(kWarnDelete);
    s.floppy = IsChecked(kFloppy);
    s.fl1 = DriveFromText(GetText(kFirstDrive).c_str());
    s.fl2 = DriveFromText(GetText(kSecondDrive).c_str());
    s.listMaxSize = SpinValue(*listMaxSize_);
    s.beepListLim = IsChecked(kBeepAtLimit);
    s.messListLim = IsChecked(kTellAtLimit);
    return 1;
}

// ---- CD writing

DEFINE_RESPONSE_TABLE1(CdrPage, PropertyPage)
    EV_CONTROL_ENABLE(CdrPage::kBufferText, CeBufferText),
END_RESPONSE_TABLE;

CdrPage::CdrPage(PrefPropertyDialog &dialog, TModule *module)
    : TWindow(&dialog, 0, module), PropertyPage(&dialog, kResource, module),
      pause_(new TimeSpinEdit(this, kPause, kUnitCdTime, 44100, 0, module)) {
    CdSettings const &s = TheCdSettings();
    pause_->GetAttr().SetRange(0, 750);
    pause_->SetValue(s.defPause);
    preRoll_ = MakeSpin(*this, kPreRoll, 0, 20, s.preRoll);
    buffers_ = MakeSpin(*this, kBuffers, 2, 128, s.numBuf);
    framesInBuffer_ = MakeSpin(*this, kFramesInBuffer, 1, 128, s.framesInBuf);
    CreateStaticControl(kBufferText, "");
    CreateEditControl(kIsrc, s.isrc, 0);
    CreateCheckBox(kPlayMasterSection, s.playMS != 0);
}

int CdrPage::SaveData() {
    PropertyPage::SaveData();
    CdSettings &s = TheCdSettings();
    s.defPause = SpinValue(*pause_);
    s.preRoll = SpinValue(*preRoll_);
    s.numBuf = SpinValue(*buffers_);
    s.framesInBuf = SpinValue(*framesInBuffer_);
    s.isrc = GetText(kIsrc);
    s.playMS = IsChecked(kPlayMasterSection);
    return 1;
}

void CdrPage::CeBufferText(TCommandEnabler &ce) {
    double bytes = double(SpinValue(*buffers_)) * SpinValue(*framesInBuffer_) * kCdFrameBytes;
    String size = ByteSizeToString(bytes);
    SetText(kBufferText, String(BuildString(kTextBufferSize, size.c_str())), 1);
    ce.Enable(1);
}
