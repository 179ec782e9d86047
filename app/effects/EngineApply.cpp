#include "effects/EngineApply.h"

#include "audio/Wave.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "effects/ApplyPreferences.h"
#include "effects/EffectDialogs.h"
#include "effects/QueryApplyPreferencesDialog.h"
#include "engine/AudioEngineEntries.h"
#include "foundation/MessageCatalogue.h"

namespace {

enum : int {
    kTextWaveBusy = 11195,
    kTextNoWave = 11210,
    kTextNoActiveWave = 11211,
    kTextNothingPlays = 11212,
    kTextNoSelection = 11213,
};

int AskWithDialog(ApplyPreferences &preferences) {
    QueryApplyPreferencesDialog dialog(EffectDialogParent(), preferences, TModule::_localizedResourceDLL);
    return dialog.Execute() == IDOK;
}

ApplyPreferencesAsker _asker = &AskWithDialog;

void Warn(char const *text) {
    TFrameWindow *parent = EffectDialogParent();
    TApplication *app = GetApplicationObject();
    ShowMessageBox(parent ? parent->GetHandle() : nullptr, text, app ? app->GetName() : "",
                   MB_OK | MB_ICONWARNING);
}

void Warn(int text) { Warn(FindString(unsigned(text)).c_str()); }

// The wave the answers name, or null after telling the user why there is none.
Wave *ChosenWave(ApplyPreferences const &preferences) {
    if (preferences.source == ApplyPreferences::kActiveWave) {
        Wave *wave = GetActiveWave();
        if (!wave)
            Warn(kTextNoActiveWave);
        return wave;
    }
    Wave *wave = PlayedWave();
    if (!wave)
        Warn(kTextNothingPlays);
    return wave;
}

// The engine takes the job when it answers more than 0; it clears the wave's flag when
// the job is done, we clear it when nothing was taken.
void Hand(Wave &wave, ApplyRequest const &request) {
    wave.ExchangeEngineApplied(1);
    WqConfirmApplyFn confirm = TheAudioEngine().entries.confirmApply;
    int32_t taken = confirm ? confirm(&request) : 0;
    if (taken <= 0)
        wave.ExchangeEngineApplied(0);
}

bool _running = false;

}  // namespace

ApplyPreferencesAsker SetApplyPreferencesAsker(ApplyPreferencesAsker asker) {
    ApplyPreferencesAsker previous = _asker;
    _asker = asker ? asker : &AskWithDialog;
    return previous;
}

ApplyRequest MakeApplyRequest(Wave &wave, int first, int last, char const *name, ApplyPreferences const &p) {
    DocumentID id(&wave);
    ApplyRequest request = {};
    request.object = static_cast<AudioObject *>(&wave);
    request.document = id.GetDocument();
    request.documentSerial = int32_t(id.GetSerial());
    request.first = first;
    request.last = last;
    request.name = name;
    request.channelMask = wave.GetMask();
    request.mixWithSource = p.result == 0 ? 1 : 0;
    request.stopPlayback = p.stopPlayback;
    request.openTaskWindow = p.openTaskWindow;
    request.minimizeWindow = p.minimizeWindow;
    request.beep = p.beep;
    request.message = p.message;
    request.restoreWindow = p.restoreWindow;
    request.priority = p.boost;
    return request;
}

void ApplyProcessor() {
    if (!PlayedWave() && !GetActiveWave()) {
        Warn(kTextNoWave);
        return;
    }
    ApplyPreferences answers = TheApplyPreferences();
    if (!_asker(answers))
        return;
    TheApplyPreferences() = answers;
    Wave *wave = ChosenWave(answers);
    if (!wave || wave->GetLength() == 0)
        return;
    String name = wave->GetTitle();
    if (wave->IsEngineApplied()) {
        Warn(BuildString(kTextWaveBusy, name.c_str()).c_str());
        return;
    }
    bool onSelection = answers.range == ApplyPreferences::kSelection;
    if (onSelection && !wave->HasSelection()) {
        Warn(BuildString(kTextNoSelection, name.c_str()).c_str());
        return;
    }
    int first = onSelection ? wave->GetSelectionStart() : 0;
    int last = onSelection ? wave->GetSelectionEnd() : wave->GetLength() - 1;
    Hand(*wave, MakeApplyRequest(*wave, first, last, name.c_str(), answers));
}

void ApplyProcessorGuarded() {
    if (_running)
        return;
    struct Running {
        Running() { _running = true; }
        ~Running() { _running = false; }
    } running;
    ApplyProcessor();
}
