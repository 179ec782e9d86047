#include "effects/QueryApplyPreferencesDialog.h"

#include "audio/Wave.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

namespace {

enum : unsigned { kTextCaption = 11225, kTextCaptionNoWave = 11226 };

// A group of radio buttons with consecutive ids and the value each stands for.
struct RadioGroup {
    int first;
    int count;
    int values[3];
    int32_t ApplyPreferences::*field;
};

using D = QueryApplyPreferencesDialog;

RadioGroup const kRadioGroups[] = {
    {D::kSourcePlayed, 2, {ApplyPreferences::kPlayedWave, ApplyPreferences::kActiveWave}, &ApplyPreferences::source},
    {D::kRangeSelection, 2, {ApplyPreferences::kSelection, ApplyPreferences::kWholeWave}, &ApplyPreferences::range},
    {D::kResultKeep, 2, {1, 0}, &ApplyPreferences::result},
    {D::kBoostFirst, 3, {0, 1, 2}, &ApplyPreferences::boost},
};

struct CheckBox {
    int id;
    int32_t ApplyPreferences::*field;
};

CheckBox const kCheckBoxes[] = {
    {D::kStopPlaybackBox, &ApplyPreferences::stopPlayback}, {D::kOpenTaskWindowBox, &ApplyPreferences::openTaskWindow},
    {D::kMinimizeBox, &ApplyPreferences::minimizeWindow},   {D::kBeepBox, &ApplyPreferences::beep},
    {D::kMessageBox, &ApplyPreferences::message},           {D::kRestoreBox, &ApplyPreferences::restoreWindow},
};

// Where the dialog stood when it last closed, for this run of the program.
bool _placed = false;
TPoint _position;

void Check(Dialog &dialog, int id, bool check) { dialog.SetCheck(id, check ? BST_CHECKED : BST_UNCHECKED, 1); }

}  // namespace

Wave *PlayedWave() {
    DocumentManager *manager = _docManager;
    for (Document *doc = manager ? manager->FindFirstDoc() : nullptr; doc; doc = manager->FindNextDoc(doc))
        if (auto *wave = dynamic_cast<Wave *>(doc))
            if (wave->IsPlaying())
                return wave;
    return nullptr;
}

DEFINE_RESPONSE_TABLE1(QueryApplyPreferencesDialog, Dialog)
    EV_CONTROL_ENABLE(kSourcePlayed, CeSourcePlayed),
    EV_CONTROL_ENABLE(kRangeSelection, CeRangeSelection),
    EV_CONTROL_ENABLE(kStopPlaybackBox, CePlaying),
END_RESPONSE_TABLE;

QueryApplyPreferencesDialog::QueryApplyPreferencesDialog(TWindow *parent, ApplyPreferences &preferences,
                                                         TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kDialog, module), preferences_(preferences) {
    for (RadioGroup const &g : kRadioGroups)
        SetRadioGroup(this, g.first, g.count, preferences.*g.field, g.values[0], g.values[1], g.values[2]);
    for (CheckBox const &box : kCheckBoxes)
        CreateCheckBox(box.id, preferences.*box.field ? BST_CHECKED : BST_UNCHECKED);
}

void QueryApplyPreferencesDialog::SetupWindow() {
    Dialog::SetupWindow();
    if (_placed)
        SetWindowPos(nullptr, _position.x, _position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowCaption();
}

void QueryApplyPreferencesDialog::CleanupWindow() {
    TRect rect = GetWindowRect();
    _position = TPoint(rect.left, rect.top);
    _placed = true;
    Dialog::CleanupWindow();
}

uint QueryApplyPreferencesDialog::TransferData(TTransferDirection direction) {
    uint result = Dialog::TransferData(direction);
    if (direction == tdGetData && GetHandle())
        ReadPreferences();
    return result;
}

void QueryApplyPreferencesDialog::ReadPreferences() {
    for (RadioGroup const &g : kRadioGroups)
        preferences_.*g.field = QueryRadioGroup(g.first);
    for (CheckBox const &box : kCheckBoxes)
        preferences_.*box.field = IsChecked(box.id, 1) ? 1 : 0;
}

Wave *QueryApplyPreferencesDialog::SourceWave() {
    return GetHandle() && IsChecked(kSourcePlayed, 1) ? PlayedWave() : GetActiveWave();
}

void QueryApplyPreferencesDialog::ShowCaption() {
    Wave *wave = SourceWave();
    if (captionShown_ && wave == captionWave_)
        return;
    captionWave_ = wave;
    captionShown_ = true;
    String text(FindString(wave ? kTextCaption : kTextCaptionNoWave).c_str());
    if (wave)
        text += wave->GetTitle();
    SetCaption(text.c_str());
}

// Nothing playing: the active wave is the only source.
void QueryApplyPreferencesDialog::CeSourcePlayed(TCommandEnabler &enabler) {
    bool playing = PlayedWave() != nullptr;
    if (!playing && IsChecked(kSourcePlayed, 1)) {
        Check(*this, kSourcePlayed, false);
        Check(*this, kSourceActive, true);
    }
    enabler.Enable(playing);
    ShowCaption();
}

// A source without a selection: only the whole wave.
void QueryApplyPreferencesDialog::CeRangeSelection(TCommandEnabler &enabler) {
    Wave *wave = SourceWave();
    bool selection = wave && wave->HasSelection();
    if (!selection && IsChecked(kRangeSelection, 1)) {
        Check(*this, kRangeSelection, false);
        Check(*this, kRangeWhole, true);
    }
    enabler.Enable(selection);
}

void QueryApplyPreferencesDialog::CePlaying(TCommandEnabler &enabler) { enabler.Enable(PlayedWave() != nullptr); }
