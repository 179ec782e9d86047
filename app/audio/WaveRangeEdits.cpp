// Edits that need no new samples: they cut, copy, move and silence segments of the
// channels' lists, so they take no time whatever the length of the range.
#include "audio/Wave.h"

#include "audio/WaveEdit.h"
#include "audio/WaveLinks.h"
#include "bars/Progress.h"

#include <memory>

namespace {

enum : int {
    kTextDelete = 11038,
    kTextSilence = 11040,
    kTextMove = 11068,
    kTextMoveOverwrite = 11069,
    kTextInsertSilence = 11071,
    kTextSwapChannels = 11072,
};

using Flags = WaveUndoMemento::Flags;

}  // namespace

void Wave::MarkersFollowEdit() {
    markers_.Validate(0, 1);
    markers_.NoteChange();
    TheCdProgramLink().RefreshCdProgramsUsing(*this, nullptr);
}

// The markers go with a range every channel loses; the selection goes, the caret stands
// where the range was.
void Wave::RemoveRange(int channels, int start, int end) {
    for (int c = 0; c < 2; ++c)
        if (channels & ChannelBitOfIndex(c))
            GetChannel(c).Remove(start, end);
    UpdateLength(1);
    if (channels == AllChannelsMask(GetNumChannels()))
        markers_.DeleteRange(start, end + 1);
    MarkersFollowEdit();
    ClearSelection(0);
    if (!IsPlaying())
        SetCaret(channels, start);
}

void Wave::Delete(int channels, int start, int end, int undo) {
    if (!WaveEdit::MayStart(*this, 1))
        return;
    WaveEdit edit(*this, Flags::kSamplesAndMarkers, kTextDelete, undo);
    RemoveRange(channels, start, end);
    edit.Finish();
}

// Silence up to the last frame of every channel is no sound at all: the tail goes.
void Wave::Silence(int channels, int start, int end, int undo) {
    if (GetLength() - end == 1 && channels == AllChannelsMask(GetNumChannels())) {
        Delete(channels, start, end, undo);
        return;
    }
    if (!WaveEdit::MayStart(*this, 1))
        return;
    WaveEdit edit(*this, Flags::kSamples, kTextSilence, undo);
    for (int c = 0; c < 2; ++c)
        if (channels & ChannelBitOfIndex(c))
            GetChannel(c).Silence(start, end);
    edit.Finish();
}

void Wave::InsertSilence(int channels, int start, int end, int undo) {
    if (!WaveEdit::MayStart(*this, 1))
        return;
    AutoDisplayDuration duration(kTextInsertSilence);
    WaveEdit edit(*this, Flags::kSamplesAndMarkers, kTextInsertSilence, undo);
    for (int c = 0; c < 2; ++c)
        if (channels & ChannelBitOfIndex(c))
            GetChannel(c).InsertSilence(start, end - start + 1);
    UpdateLength(1);
    if (channels == AllChannelsMask(GetNumChannels()))
        markers_.ShiftAfter(start, end - start + 1);
    MarkersFollowEdit();
    edit.Finish();
}

// Plain silence, not padding: it stays when later edits even the channels' lengths.
void Wave::InsertSilenceNoUndo(int channels, int count) {
    BusyHold busy(*this, BusyHold::kJoin);
    AutoCriticalSection lock(GetLock());
    for (int c = 0; c < GetNumChannels() && c < 2; ++c)
        if (channels & ChannelBitOfIndex(c))
            GetChannel(c).AppendSilence(count);
    UpdateLength(1);
}

void Wave::MoveRange(int targetChannels, int destination, int sourceChannels, int start, int end, int undo) {
    if (!WaveEdit::MayStart(*this, 1))
        return;
    WaveEdit edit(*this, Flags::kSamplesAndMarkers, kTextMove, undo);
    std::unique_ptr<VirtualFile> cut[2];
    for (int c = 0; c < GetNumChannels() && c < 2; ++c)
        if (sourceChannels & ChannelBitOfIndex(c))
            cut[c].reset(GetChannel(c).Cut(start, end));
    for (int c = 0; c < GetNumChannels() && c < 2; ++c)
        if (targetChannels & ChannelBitOfIndex(c))
            if (VirtualFile const *frames = cut[c] ? cut[c].get() : cut[1 - c].get())
                GetChannel(c).Insert(*frames, destination);
    UpdateLength(1);
    if (targetChannels == AllChannelsMask(GetNumChannels())) {
        markers_.MoveRange(start, end + 1, destination);
        MarkersFollowEdit();
    }
    SetSelection(destination, destination + end - start, targetChannels, 0);
    edit.Finish();
}

void Wave::MoveRangeOverwrite(int channels, int destination, int start, int end, int undo) {
    if (!WaveEdit::MayStart(*this, 1))
        return;
    WaveEdit edit(*this, Flags::kSamples, kTextMoveOverwrite, undo);
    for (int c = 0; c < GetNumChannels() && c < 2; ++c)
        if (channels & ChannelBitOfIndex(c))
            GetChannel(c).MoveOverwrite(start, end, destination);
    UpdateLength(1);
    SetSelection(destination, destination + end - start, channels, 0);
    edit.Finish();
}

void Wave::SwapChannels(int start, int end, int undo) {
    if (GetMask() != 3 || !WaveEdit::MayStart(*this, 1))
        return;
    AutoDisplayDuration duration(kTextSwapChannels);
    WaveEdit edit(*this, Flags::kSamples, kTextSwapChannels, undo);
    std::unique_ptr<VirtualFile> left(GetChannel(0).Copy(start, end)), right(GetChannel(1).Copy(start, end));
    GetChannel(0).OverwriteWith(right.release(), start);
    GetChannel(1).OverwriteWith(left.release(), start);
    SetSelection(start, end, 3, 0);
    edit.Finish();
}
