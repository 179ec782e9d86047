// The double view's edit commands: the clipboard, range edits, sample operations, undo
// and redo on the wave, and the effect commands handed to the effects' dialogs.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "bars/Progress.h"
#include "core/Application.h"
#include "core/MessageBoxSeam.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/EffectMenuLink.h"
#include "waveview/MultiPasteDialog.h"
#include "waveview/PasteGuards.h"
#include "waveview/UndoNameExclusion.h"
#include "waveview/WaveView.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

enum {
    kTextDcOffsetOne = 10055,
    kTextDcOffsetTwo = 10056,
    kTextNoDcOffset = 10057,
    kTextCut = 11031,
    kTextUndo = 11036,
    kTextRedo = 11037,
    kTextDelete = 11038,
    kTextCrop = 11039,
    kTextSilence = 11040,
    kTextPasteOver = 11078,
    kTextPasteAtEnd = 11079,
    kTextPasteAtStart = 11080,
    kTextPaste = 11033,
    kTextMultiPaste = 11074,
};

// Hands a failure of the operation to the user; the wave stays as the operation left it.
template <class Operation>
void Report(Operation operation) {
    try {
        operation();
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}

int ShowBox(HWND owner, String const &text, unsigned style) {
    return ShowMessageBox(owner, text.c_str(), GetApplicationObject()->GetName(), style);
}

// A DC offset as a percentage of full scale, as ready text.
std::string Percent(int offset) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", offset * 100 * 0.00003051850947599719);
    return text;
}

struct PasteCommand {
    unsigned id;
    int flags;
    int title;
};

PasteCommand const kPasteCommands[] = {
    {DoubleView::kCmPaste, 0, kTextPaste},
    {DoubleView::kCmPasteOver, Wave::kPasteOverwrite, kTextPasteOver},
    {DoubleView::kCmPasteAtEnd, Wave::kPasteAtEnd, kTextPasteAtEnd},
    {DoubleView::kCmPasteAtStart, Wave::kPasteAtStart, kTextPasteAtStart},
};

// Menu ids of the effects and their registry ids.
struct EffectCommand {
    unsigned id;
    int32_t registryId;
};

EffectCommand const kEffectCommands[] = {
    {204, 1}, {457, 6}, {487, 7}, {488, 8}, {490, 9}, {489, 10}, {493, 11}, {601, 13}, {607, 14}, {484, 16},
};

}  // namespace

int DoubleView::EditChannels() {
    return wave_->GetSelectionStart() >= 0 ? wave_->GetActiveChannels() : 0;
}

int DoubleView::HasData() const {
    Wave *clipboard = Wave::GetClipboardWave();
    return !wave_->IsClipboard() && clipboard && clipboard != wave_ && clipboard->GetLength() > 0;
}

void DoubleView::CmCopy() {
    if (wave_->HasSelection())
        Report([this] { wave_->Copy(); });
}

void DoubleView::CmCut() {
    if (!wave_->HasSelection())
        return;
    AutoDisplayDuration title(kTextCut);
    Report([this] { wave_->Cut(1); });
}

void DoubleView::CmPaste(uint id) {
    if (!HasData() || !CheckWavesCompatible(wave_, Wave::GetClipboardWave(), 1, 1))
        return;
    for (PasteCommand const &command : kPasteCommands)
        if (command.id == id) {
            AutoDisplayDuration title(command.title);
            Report([this, &command] { wave_->PasteClipboard(command.flags, 1); });
        }
}

// The clipboard n times at the caret, one undo step; n x its bytes are counted in 64 bits.
void DoubleView::CmMultiPaste() {
    Wave *clipboard = Wave::GetClipboardWave();
    if (!HasData() || !ConfirmDifferentSampleRates(wave_, clipboard))
        return;
    int count = RunMultiPasteDialog(GetApplicationObject()->GetMainWindow());
    if (count <= 0 || !CheckCombinedSize(CombinedBytes(wave_, clipboard, count)))
        return;
    AutoDisplayDuration title(kTextMultiPaste);
    Report([this, count] { wave_->PasteClipboard(0, count); });
}

void DoubleView::CmDelete() {
    AutoDisplayDuration title(kTextDelete);
    wave_->Delete(EditChannels(), wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1);
}

// The part after the selection goes first, then the part before it, under one undo name;
// when the second part fails the first comes back, so the wave is as it was.
void DoubleView::CmCrop() {
    if (!wave_->CheckNotBusy(1) || !wave_->HasSelection())
        return;
    AutoDisplayDuration title(kTextCrop);
    int channels = EditChannels();
    int start = wave_->GetSelectionStart();
    int end = wave_->GetSelectionEnd();
    int last = wave_->GetLength() - 1;
    int undoSteps = wave_->GetNumUndoMementos();
    try {
        // The head's delete joins the tail's step; alone it is a step of its own, and never
        // joins an earlier Delete.
        std::optional<UndoNameExclusion> joined;
        if (end < last) {
            wave_->Delete(channels, end + 1, last, 1);
            joined.emplace(*wave_, kTextDelete);
        }
        if (start >= 1)
            wave_->Delete(channels, 0, start - 1, 1);
    } catch (AException const &e) {
        if (wave_->GetNumUndoMementos() > undoSteps)
            wave_->UndoCurrentState();
        GetApplicationObject()->WarnUser(e, 1);
        return;
    }
    wave_->SetCaret(channels, 0);
    main_->ShowCaret();
}

void DoubleView::CmSilence() {
    if (!wave_->CheckNotBusy(1))
        return;
    AutoDisplayDuration title(kTextSilence);
    wave_->Silence(EditChannels(), wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1);
}

void DoubleView::CmInsertSilence() {
    if (!wave_->CheckNotBusy(1))
        return;
    int channels = wave_->GetNumChannels();
    int64_t bytes = Wave::FramesToBytes(wave_->GetSelectionLength(), *wave_, channels) +
                    Wave::FramesToBytes(wave_->GetLength(), *wave_, channels);
    if (!CheckCombinedSize(bytes))
        return;
    wave_->InsertSilence(EditChannels(), wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1);
}

void DoubleView::CmReverse() {
    Report([this] { wave_->Reverse(EditChannels(), wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1); });
}

void DoubleView::CmInvertPhase() {
    Report([this] { wave_->InvertPhase(EditChannels(), wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1); });
}

void DoubleView::CmSwapChannels() {
    Report([this] { wave_->SwapChannels(wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 1); });
}

// Offsets below 2 in size are no offset; others are asked about with their percentages.
void DoubleView::CmDcOffset() {
    if (!wave_->CheckNotBusy(1) || !wave_->HasSelection())
        return;
    int channels = EditChannels();
    int start = wave_->GetSelectionStart();
    int end = wave_->GetSelectionEnd();
    int left = 0, right = 0;
    wave_->MeasureDcOffset(channels, start, end, left, right);
    if (left > -2 && left < 2 && right > -2 && right < 2) {
        ShowBox(GetHandle(), String(FindString(kTextNoDcOffset)), MB_OK | MB_ICONASTERISK);
        return;
    }
    String question;
    if (channels == 1 || channels == 2) {
        int offset = channels == 2 ? right : left;
        question = String(BuildString(kTextDcOffsetOne, Percent(offset).c_str(), offset));
    } else {
        question = String(BuildString(kTextDcOffsetTwo, Percent(left).c_str(), left, Percent(right).c_str(), right));
    }
    if (ShowBox(GetHandle(), question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        wave_->RemoveDcOffset(channels, start, end, 1);
}

void DoubleView::CmUndo() {
    if (!wave_->CheckNotBusy(1))
        return;
    String text(FindString(kTextUndo));
    text += wave_->GetPendingUndoName();
    AutoDisplayDuration title(text);
    wave_->UndoCurrentState();
}

void DoubleView::CmRedo() {
    if (!wave_->CheckNotBusy(1))
        return;
    String text(FindString(kTextRedo));
    text += wave_->GetPendingRedoName();
    AutoDisplayDuration title(text);
    wave_->RedoLastUndoneState();
}

void DoubleView::CmEffect(uint id) {
    EffectMenuLink *link = TheEffectMenuLink();
    if (!link)
        return;
    if (id == kCmFadeIn || id == kCmFadeOut) {
        link->OpenFade(id == kCmFadeIn);
        return;
    }
    for (EffectCommand const &command : kEffectCommands)
        if (command.id == id)
            link->OpenEffect(command.registryId);
}

// ---- enablers

void DoubleView::CeSelection(TCommandEnabler &ce) { ce.Enable(wave_->HasSelection()); }

void DoubleView::CeData(TCommandEnabler &ce) { ce.Enable(HasData()); }

void DoubleView::CeCopy(TCommandEnabler &ce) { ce.Enable(!wave_->IsClipboard() && wave_->HasSelection()); }

void DoubleView::CeCrop(TCommandEnabler &ce) { ce.Enable(wave_->HasSelection() && !wave_->IsSelectionToEnd(3)); }

void DoubleView::CeSwapChannels(TCommandEnabler &ce) { ce.Enable(wave_->GetActiveChannels() == 3); }

void DoubleView::CeUndo(TCommandEnabler &ce) { ce.Enable(wave_->GetNumUndoMementos() > 0); }

void DoubleView::CeRedo(TCommandEnabler &ce) { ce.Enable(wave_->GetNumRedoMementos() > 0); }

void DoubleView::CeEffect(TCommandEnabler &ce) { ce.Enable(TheEffectMenuLink() != nullptr); }
