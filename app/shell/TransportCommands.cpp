// The MDI client's transport: play, stop (a pause first), record, loop, the play mode bits,
// the master section of the audio engine and the wave-out volume, with their enablers.
#include "shell/WaveMDIClient.h"

#include "audio/Wave.h"
#include "bars/ToolbarButtonGadget.h"
#include "bars/ToolbarControlBar.h"
#include "controls/WindowUtilities.h"
#include "engine/AudioState.h"
#include "engine/BackgroundTask.h"
#include "engine/PlugInLoader.h"
#include "engine/RecordDialog.h"
#include "manager/DocumentManager.h"
#include "shell/LiveInput.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveOutVolume.h"

namespace {

enum : int { kPlayCommand = 130, kWaitMs = 3000 };

int playModeBits = 0;

bool Held(int key) { return ::GetKeyState(key) < 0; }

int CheckState(bool on) { return on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked; }

// The play button stands pressed while something plays.
void ShowPlayButtonPressed(bool pressed) {
    WFrameWindow *frame = TheMainFrame();
    ControlBar *bar = frame ? frame->GetBar(WFrameWindow::kTransportBar) : nullptr;
    if (auto *button = bar ? dynamic_cast<TToolbarButtonGadget *>(bar->GadgetWithId(kPlayCommand)) : nullptr)
        if (button->GetButtonState() != (pressed ? TToolbarButtonGadget::Down : TToolbarButtonGadget::Up))
            button->SetButtonState(pressed ? TToolbarButtonGadget::Down : TToolbarButtonGadget::Up);
}

// A playback of a selection follows a change of the mode: the active wave plays anew.
void RestartSelectionPlayback() {
    Playback &playback = ThePlaybackEngine();
    if (!IsWaveOutOpen() || TheWaveRecorder().IsRecording() || playback.GetPlayMode() != kPlaySelection)
        return;
    playback.StopAndWait();
    if (Wave *wave = GetActiveWave())
        wave->Play(1, kPlayFromCaret, 0, 0, nullptr);
}

}  // namespace

int NextPlayModeBits(int bits, bool first) {
    int swapFrom = first ? 1 : 2;
    if (bits == swapFrom)
        return 3 - swapFrom;
    return bits ^ (first ? 1 : 2);
}

// The live input, while its window is the active one, is monitored. A held playback of the
// active wave plays on; otherwise the active wave plays its selection with Ctrl, else from
// the caret.
void WaveMDIClient::CmPlay() {
    if (MicroDoc::GetCurrent()) {
        MicroDoc::Play();
        return;
    }
    Wave *wave = GetActiveWave();
    if (!wave)
        return;
    Playback &playback = ThePlaybackEngine();
    if (playback.IsPaused() && wave->IsPlaying()) {
        playback.Resume();
        return;
    }
    bool selection = Held(VK_CONTROL) && wave->HasSelection();
    wave->Play(1, selection ? kPlaySelection : kPlayFromCaret, 0, 0, nullptr);
}

// The first stop holds a running playback; the next ends it.
void WaveMDIClient::CmStop() {
    Playback &playback = ThePlaybackEngine();
    if (!playback.Pause() && IsWaveOutOpen())
        playback.Stop();
}

void WaveMDIClient::CmRecord() {
    RecordDialog::Show(TheMainFrame(), TModule::_localizedResourceDLL);
}

// The loop follows at once in a running playback of the wave: from the selection start
// when it loops a selection, else from where it stands.
void WaveMDIClient::CmLoop() {
    Wave *wave = GetActiveWave();
    if (!wave)
        return;
    wave->SetLoop(!wave->GetLoop());
    if (!wave->IsPlaying())
        return;
    Playback &playback = ThePlaybackEngine();
    int position = wave->GetLoop() && wave->HasSelection() ? wave->GetSelectionStart() : playback.GetPosition();
    playback.RequeueFrom(position, 1);
    playback.Relocate(position);
}

void WaveMDIClient::CmPlayModeFirst() {
    playModeBits = NextPlayModeBits(playModeBits, true);
    RestartSelectionPlayback();
}

void WaveMDIClient::CmPlayModeSecond() {
    playModeBits = NextPlayModeBits(playModeBits, false);
    RestartSelectionPlayback();
}

// Opens the master section, loading the engine first; closes the engine again when it
// agrees, no background task runs and nothing plays.
void WaveMDIClient::CmMasterSection() {
    if (!IsAudioEngineLoaded()) {
        ThePlaybackEngine().StopAndWait();
        {
            WaitCursor waiting(*this);
            LoadPlugIns();
        }
        if (!IsAudioEngineLoaded())
            return;
        SetPlugInApplicationWindow(GetHandle());
        OpenMasterSection();
    } else if (CanCloseMasterSection(_docManager) && !AnyBackgroundTask() && !IsWaveOutOpen()) {
        UnloadPlugIns();
    }
}

void WaveMDIClient::CmShowMasterSection() {
    if (!IsAudioEngineLoaded())
        return;
    if (IsMasterSectionOpen())
        ShowMasterSection(1);
    else
        OpenMasterSection();
}

void WaveMDIClient::CmVolume() { ShowWaveOutVolumeSlider(); }

void WaveMDIClient::CePlay(TCommandEnabler &ce) {
    bool open = IsWaveOutOpen();
    Wave *wave = GetActiveWave();
    ce.Enable(open || (wave ? wave->GetLength() > 0 : MicroDoc::GetCurrent() != nullptr));
    ShowPlayButtonPressed(open);
}

void WaveMDIClient::CeStop(TCommandEnabler &ce) {
    ce.Enable(IsWaveOutOpen() || GetActiveWave() || MicroDoc::GetCurrent());
}

void WaveMDIClient::CeRecord(TCommandEnabler &ce) { ce.Enable(1); }

void WaveMDIClient::CeLoop(TCommandEnabler &ce) {
    Wave *wave = GetActiveWave();
    ce.Enable(wave != nullptr);
    ce.SetCheck(CheckState(wave && wave->GetLoop()));
}

void WaveMDIClient::CeMoveBackward(TCommandEnabler &ce) { ce.Enable(GetActiveWave() != nullptr); }

void WaveMDIClient::CeMoveForward(TCommandEnabler &ce) { CeMoveBackward(ce); }

void WaveMDIClient::CePlayModeFirst(TCommandEnabler &ce) {
    ce.Enable(1);
    ce.SetCheck(CheckState(playModeBits & 1));
}

void WaveMDIClient::CePlayModeSecond(TCommandEnabler &ce) {
    ce.Enable(1);
    ce.SetCheck(CheckState(playModeBits & 2));
}

void WaveMDIClient::CeMasterSection(TCommandEnabler &ce) {
    ce.Enable(!IsWaveOutOpen());
    ce.SetCheck(CheckState(IsAudioEngineLoaded()));
}
