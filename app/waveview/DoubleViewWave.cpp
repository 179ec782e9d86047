// The double view's commands that play, measure, mix and save the wave.
#include "waveview/DoubleView.h"

#include "audio/PlayRequest.h"
#include "audio/Wave.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "foundation/Exception.h"
#include "waveview/PasteGuards.h"
#include "waveview/WaveView.h"

namespace {

// Mixed as it is: the divisor that leaves a side unscaled.
int const kUnscaled = 16384;

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
