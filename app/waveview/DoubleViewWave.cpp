// The double view's commands that play, measure, mix and save the wave, make CD tracks,
// clear the undo history, and hand the wave to the analysis and the sampler.
#include "waveview/DoubleView.h"

#include "audio/NewWaveDialog.h"
#include "audio/NewWaveFormat.h"
#include "audio/PlayRequest.h"
#include "audio/SamplerSampleInfo.h"
#include "audio/UndoHistoryFiles.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "audio/WaveUndo.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/CommandLinks.h"
#include "waveview/PasteGuards.h"
#include "waveview/WaveView.h"

namespace {

// Mixed as it is: the divisor that leaves a side unscaled.
int const kUnscaled = 16384;

enum { kTextClearUndo = 10019, kTextAddMarker = 11312 };

void Warn(AException const &e) { GetApplicationObject()->WarnUser(e, 1); }

void UpdateMainFrame() {
    if (TFrameWindow *frame = GetApplicationObject()->GetMainWindow())
        frame->UpdateWindow();
}

}  // namespace

void DoubleView::CmPlaySelection() { wave_->Play(1, kPlaySelection, 0, 0, nullptr); }

void DoubleView::CmLoopSelection() {
    wave_->SetLoop(1);
    CmPlaySelection();
}

// The clipboard mixed into the active channels from the selection start, else from the
// play-or-caret position.
void DoubleView::CmMixPaste() {
    Wave *clipboard = Wave::GetClipboardWave();
    if (!wave_->CheckNotBusy(1) || !HasData() || !CheckWavesCompatible(wave_, clipboard, 1, 1))
        return;
    UpdateMainFrame();
    int at = wave_->HasSelection() ? wave_->GetSelectionStart() : wave_->GetPlayOrCaretPosition();
    int sourceChannels = clipboard->GetNumChannels() > 1 ? 3 : 1;
    try {
        wave_->MixPaste(wave_->GetActiveChannels(), at, kUnscaled, *clipboard, sourceChannels, 0,
                        clipboard->GetLength() - 1, kUnscaled, 1, 1);
    } catch (AException const &e) {
        Warn(e);
    }
}

// The selection is set again on the channel that holds the peak, and the caret goes there.
void DoubleView::CmGoToPeak() {
    if (!wave_->HasSelection() || !wave_->CheckNotBusy(1))
        return;
    UpdateMainFrame();
    try {
        int channels = wave_->GetActiveChannels(), peak16 = 0;
        int32_t peak24 = 0;
        int start = wave_->GetSelectionStart(), end = wave_->GetSelectionEnd();
        int at = wave_->FindPeak(channels, start, end, peak16, peak24);
        if (peak24 == 0)  // silence holds no peak
            return;
        wave_->SetSelection(start, end, channels, 0);
        wave_->NotifyViews(kNotifyBothRange, start, end);
        wave_->SetCaret(channels, at);
        main_->ShowCaret();
    } catch (AException const &e) {
        Warn(e);
    }
}

void DoubleView::CmPeakAsLevel() {
    if (!wave_->HasSelection())
        return;
    try {
        int channels = wave_->GetActiveChannels(), peak16 = 0;
        int32_t peak24 = 0;
        wave_->FindPeak(channels, wave_->GetSelectionStart(), wave_->GetSelectionEnd(), peak16, peak24);
        if (peak16 > 0)
            wave_->SetLevel(peak16, 1);
    } catch (AException const &e) {
        Warn(e);
    }
}

void DoubleView::CmSaveCopy() {
    if (wave_->CheckNotBusy(1))
        wave_->SaveDocAs(0, smSaveCopy, nullptr);
}

void DoubleView::CmSavePart(uint id) {
    if (!wave_->CheckNotBusy(1))
        return;
    if (id == kCmSaveLeftPart)
        wave_->SaveDocAsKind1();
    else
        wave_->SaveDocAsKind2();
}

void DoubleView::CeTwoFiles(TCommandEnabler &ce) { ce.Enable(wave_->GetFileCount() == 2); }

// A track over the selection in one undo step; the CD programs that use the wave follow.
void DoubleView::CmCdTrackFromSelection() {
    if (!wave_->HasSelection())
        return;
    WaveUndoTransaction transaction(*wave_, WaveUndoMemento::kMarkers, kTextAddMarker);
    MarkerSet &markers = wave_->GetMarkers();
    if (markers.AddCdTrackFromRange(wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 0, 0) < 0)
        return;
    transaction.Commit();
    markers.UpdateModified();
    TheCdProgramLink().RefreshCdProgramsUsing(*wave_, nullptr);
}

void DoubleView::CeCdTrackFromSelection(TCommandEnabler &ce) {
    ce.Enable(wave_->HasSelection() &&
              wave_->GetMarkers().IsRangeFreeOfTracks(wave_->GetSelectionStart(), wave_->GetSelectionEnd()));
}

// Says what the history holds, in memory and in temporary files that only it still reads,
// before it goes.
void DoubleView::CmClearUndoHistory() {
    if (!wave_->CheckNotBusy(1))
        return;
    UndoOnlyFiles files = FindUndoOnlyFiles(*wave_);
    unsigned long memory = wave_->GetInvolvedUndoMemory();
    String format(FindString(kTextClearUndo));
    char text[1024];
    ::wsprintfA(text, format.c_str(), wave_->GetNumUndoMementos(), wave_->GetNumRedoMementos(), int(memory / 1000),
                int(memory % 1000), files.count, int(files.bytes / 1000000), int(files.bytes % 1000000 / 1000));
    String caption = wave_->GetTitle();
    if (ShowMessageBox(GetHandle(), text, caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    AutoCriticalSection lock(wave_->GetLock());
    wave_->ClearUndoMementos();
}

void DoubleView::CeClearUndoHistory(TCommandEnabler &ce) {
    ce.Enable(wave_->GetNumUndoMementos() > 0 || wave_->GetNumRedoMementos() > 0);
}

void DoubleView::CmFrequencyAnalysis() {
    if (AnalysisMenuLink *link = TheAnalysisMenuLink())
        if (wave_->HasSelection())
            link->OpenFrequencyAnalysis(*wave_);
}

void DoubleView::CeFrequencyAnalysis(TCommandEnabler &ce) {
    ce.Enable(TheAnalysisMenuLink() && wave_->HasSelection());
}

// A copy in a format chosen in the new-wave box, starting from the new-wave settings'.
void DoubleView::CmSaveInFormat() {
    if (!wave_->CheckNotBusy(1))
        return;
    SamplePattern pattern;
    GetNewWaveFormat(pattern);
    if (ExecuteNewWaveDialog(this, pattern, 0, 1))
        wave_->SaveDocAs(0, SaveMode(Wave::kSaveOtherFormat), &pattern);
}

// 862 has nothing to do yet; its place in the menu follows the wave's sampler record.
void DoubleView::CmSampler(uint id) {
    SamplerMenuLink *link = TheSamplerMenuLink();
    if (!link)
        return;
    if (id == kCmSamplerTarget)
        link->OpenTargetDialog(*wave_, this);
    else if (id == kCmSampleInfo)
        link->OpenSampleInfoDialog(*wave_, this);
}

void DoubleView::CeSampler(TCommandEnabler &ce) {
    ce.Enable(TheSamplerMenuLink() && (ce.GetId() != kCmSamplerStub || wave_->GetSampleInfo()));
}
