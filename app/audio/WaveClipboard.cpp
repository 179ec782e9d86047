// Copy, cut and paste. Audio never goes through the system's clipboard: one hidden wave,
// made by the first copy, holds the segments of the last copied selection (they share the
// source files, no samples are copied). It is no user document: it has no file, is neither
// asked about nor remembered, and lives without views.
#include "audio/Wave.h"

#include "audio/WaveEdit.h"
#include "audio/WaveFactory.h"
#include "foundation/MessageCatalogue.h"

#include <memory>

namespace {

enum : int {
    kTextCut = 11031,
    kTextPaste = 11033,
    kTextClipboardName = 11143,
};

// Frames on the 24-bit scale: the clipboard takes any format.
uint32_t const kClipboardFormat = kPcm24;

Wave *clipboardWave = nullptr;

// The type's flags while the clipboard wave is made: it lives without views and has no file.
class ClipboardTypeScope {
public:
    explicit ClipboardTypeScope(DocumentModel &type)
        : type_(type), livesWithViews_(type.livesWithViews), noFile_(type.noFile) {
        type_.livesWithViews = 0;
        type_.noFile = 1;
    }
    ~ClipboardTypeScope() {
        type_.noFile = noFile_;
        type_.livesWithViews = livesWithViews_;
    }
    ClipboardTypeScope(ClipboardTypeScope const &) = delete;
    ClipboardTypeScope &operator=(ClipboardTypeScope const &) = delete;

private:
    DocumentModel &type_;
    unsigned livesWithViews_, noFile_;
};

// Ends the exclusion of the paste's steps from undo, however a run of pastes ends.
class PasteRunScope {
public:
    explicit PasteRunScope(Wave &wave) : wave_(wave) {}
    ~PasteRunScope() { wave_.SaveUndoMementosWithAnyName(); }
    PasteRunScope(PasteRunScope const &) = delete;
    PasteRunScope &operator=(PasteRunScope const &) = delete;

private:
    Wave &wave_;
};

}  // namespace

Wave *Wave::GetClipboardWave() { return clipboardWave; }

void Wave::DeleteClipboardWave() { delete clipboardWave; }

void Wave::ClipboardGone() { clipboardWave = nullptr; }

// The copy takes the channels the selection covers, in order, and the wave's rate: a copy
// of one channel makes a one-channel clipboard.
void Wave::Copy() {
    if (clipboard_ || selectionStart_ < 0)
        return;
    BusyHold busy(*this, BusyHold::kJoin);
    if (!clipboardWave) {
        std::unique_ptr<Wave> made;
        {
            ClipboardTypeScope scope(_factory);
            made.reset(CreateWaveFromSelection(*this, FileName(FindString(kTextClipboardName)), 0, 0, 0, 0));
        }
        made->ForgetSavedState();
        made->SetFlags(kClipboardFormat);
        made->clipboard_ = 1;
        clipboardWave = made.release();
    } else {
        Wave &clip = *clipboardWave;
        AutoCriticalSection clipLock(clip.GetLock());
        AutoCriticalSection lock(GetLock());
        int next = 0;
        for (int c = 0; c < GetNumChannels() && c < 2; ++c)
            if (HasSelectionIn(ChannelBitOfIndex(c)))
                clip.GetChannel(next++).TakeFrom(GetChannel(c).Copy(selectionStart_, selectionEnd_));
        for (int c = next; c < 2; ++c)
            clip.GetChannel(c).Clear();
        clip.SetNumChannels(next);
        clip.SetInterleaved(IsInterleaved());
        clip.SetRate(GetRate());
    }
    clipboardWave->UpdateLength(1);
    clipboardWave->NotifyViews(kNotifyAll);
}

void Wave::Cut(int undo) {
    if (clipboard_ || selectionStart_ < 0 || !WaveEdit::MayStart(*this, 1))
        return;
    WaveEdit edit(*this, WaveUndoMemento::kSamplesAndMarkers, kTextCut, undo);
    Copy();
    RemoveRange(GetActiveChannels(), selectionStart_, selectionEnd_);
    edit.Finish();
}

void Wave::Paste(int position, int channels, int flags, Wave &source, int sourceStart, int sourceEnd,
                 int sourceChannels, int notify, int select, int undo, int checkBusy) {
    if (!(sourceChannels & AllChannelsMask(source.GetNumChannels())) || !WaveEdit::MayStart(*this, checkBusy))
        return;
    bool inserting = !(flags & kPasteOverwrite);
    WaveEdit edit(*this, inserting ? WaveUndoMemento::kSamplesAndMarkers : WaveUndoMemento::kSamples, kTextPaste,
                  undo);
    AutoCriticalSection sourceLock(source.GetLock());
    position = flags & kPasteAtEnd ? GetLength() : flags & kPasteAtStart ? 0 : position;
    channels &= AllChannelsMask(GetNumChannels());
    sourceChannels &= AllChannelsMask(source.GetNumChannels());
    std::unique_ptr<VirtualFile> copies[2];
    for (int c = 0; c < 2; ++c)
        if (sourceChannels & ChannelBitOfIndex(c))
            copies[c].reset(source.GetChannel(c).Copy(sourceStart, sourceEnd));
    VirtualFile const *first = copies[0] ? copies[0].get() : copies[1].get();
    VirtualFile const *second = copies[1] ? copies[1].get() : first;
    // A selection replaced in every channel takes its markers with it.
    int replacedStart = selectionStart_, replacedEnd = selectionEnd_, replaced = 0;
    for (int c = 0; c < 2; ++c) {
        int bit = ChannelBitOfIndex(c);
        if (!(channels & bit))
            continue;
        if ((flags & kPasteReplace) && HasSelectionIn(bit)) {
            GetChannel(c).Remove(selectionStart_, selectionEnd_);
            position = selectionStart_;
            replaced |= bit;
        }
        if (inserting)
            GetChannel(c).Insert(c == 0 ? *first : *second, position);
        else
            GetChannel(c).Overwrite(c == 0 ? *first : *second, position);
    }
    int count = sourceEnd - sourceStart + 1;
    UpdateLength(1);
    if (replaced && replaced == AllChannelsMask(GetNumChannels()))
        markers_.DeleteRange(replacedStart, replacedEnd + 1);
    if (inserting) {
        markers_.ShiftAfter(position, count);
        MarkersFollowEdit();
    }
    if (notify && select)
        SetSelection(position, position + count - 1, channels, 0);
    edit.Finish(notify);
}

void Wave::PasteClipboard(int flags, int count) {
    Wave *clip = clipboardWave;
    if (!clip || !WaveEdit::MayStart(*this, 1))
        return;
    BusyHold busy(*this, BusyHold::kJoin);
    AutoCriticalSection lock(GetLock());
    PasteRunScope run(*this);
    int length = clip->GetLength(), position, targets;
    if (length == 0 || count < 1)
        return;
    if (!(flags & (kPasteAtEnd | kPasteAtStart))) {
        if (HasSelection()) {
            flags = (flags & ~kPasteOverwrite) | kPasteReplace;
            position = selectionStart_;
        } else {
            position = GetPlayOrCaretPosition();
        }
        targets = GetActiveChannels();
    } else {
        targets = GetNumChannels() == 1 ? 1 : GetActiveChannels();
        position = flags & kPasteAtEnd ? GetLength() : 0;
    }
    int sourceChannels = clip->GetChannelWithData(0) | clip->GetChannelWithData(1);
    AUndoMemento const *before = GetFirstUndoMemento();
    for (int i = 0; i < count; ++i) {
        Paste(position + i * length, targets, flags, *clip, 0, length - 1, sourceChannels, count == 1, 1, 1, 0);
        if (i == 0 && count > 1) {
            ClearSelection(0);
            flags &= ~kPasteReplace;
        }
        // The run is one step: once it has one, the later pastes join it. A paste that
        // changed nothing left none, and the next must not join an earlier Paste.
        if (count > 1 && GetFirstUndoMemento() != before)
            DoNotSaveUndoMementosWithName(kTextPaste);
    }
    if (count > 1) {
        SetSelection(position, position + length * count - 1, targets, 0);
        NotifyViews(kNotifyAll);
    }
    PostFlushPlayback();
}
