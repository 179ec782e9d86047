// The wave as an audio object: its length, the float reading through which playback and
// the audio engine pull its samples, and the channel, selection and redraw operations the
// wave window calls.
#include "audio/Wave.h"

#include "audio/VirtualFileIterator.h"
#include "foundation/CriticalSection.h"

#include <windows.h>

#include <algorithm>
#include <memory>

// What one reader of a wave keeps: an iterator for each requested channel, in request
// order, over a buffer of its own.
class WaveSampleReadTask : public ASampleProvider::Task {
public:
    WaveSampleReadTask(Wave &wave, ChannelSet const &request) : requested(request), wave(wave) {}

    // Under the wave's lock: the buffers stop using a file that goes.
    void ReleaseFile(FileObject const &file) override {
        AutoCriticalSection lock(wave.GetLock());
        if (buffer)
            buffer->StopUsingFile(file);
    }

    ChannelSet requested;
    Wave &wave;
    std::unique_ptr<ExWaveInIterator> iterators[2];
    std::unique_ptr<FileReadBuffer> buffer;
};

int Wave::GetLength() const { return channels_.GetFirst() ? GetChannel(0).GetLength() : 0; }

ASampleProvider::Task *Wave::CreateReadTask(ChannelSet const &request) {
    std::unique_ptr<WaveSampleReadTask> task(new WaveSampleReadTask(*this, request));
    int slot = 0;
    for (int c = 0; c < 2; ++c)
        if (request.GetMask() & ChannelBitOfIndex(c))
            task->iterators[slot++].reset(new ExWaveInIterator);
    task->buffer.reset(new FileReadBuffer(GetNumChannels()));
    return task.release();
}

// Columns past a channel's end are silence.
int Wave::ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count) {
    WaveSampleReadTask &reader = static_cast<WaveSampleReadTask &>(*task);
    AutoCriticalSection lock(GetLock());
    int handled = 0;
    for (int c = 0; c < GetNumChannels() && c < 2; ++c) {
        if (!(reader.requested.GetMask() & ChannelBitOfIndex(c)) || !reader.iterators[handled])
            continue;
        VirtualWave &channel = GetChannel(c);
        int available = std::max(0, std::min(channel.GetLength() - first, count));
        if (available > 0) {
            ExWaveInIterator &it = *reader.iterators[handled];
            it.Init(*reader.buffer, c, channel, first, first + available - 1);
            it.outputIndex_ = handled;
            it.ReadFloats(outputs, outputOffset, available);
        }
        std::fill_n(outputs[handled] + outputOffset + available, count - available, 0.0f);
        ++handled;
    }
    return count;
}

// A channel that is empty, or one stretch of silence, is stood in for by the other.
int Wave::GetChannelWithData(int channel) const {
    if (GetNumChannels() < 2)
        return 1;
    auto hasData = [this](int c) {
        VirtualWave const &list = GetChannel(c);
        return list.GetSegmentCount() > 1 || (list.GetFirst() && !list.GetFirst()->IsSilent());
    };
    int other = 1 - channel;
    return ChannelBitOfIndex(!hasData(channel) && hasData(other) ? other : channel);
}

// Between the markers around position (Alt: the whole wave); Shift widens the selection.
void Wave::SelectRegionAt(int channels, int position, int extend) {
    int length = GetLength();
    int first = 0, last = length - 1;
    if (position >= 0 && GetKeyState(VK_MENU) >= 0 && markers_.GetCount() > 0) {
        if (Marker *before = markers_.FindAtOrBefore(position, nullptr, 1))
            first = std::min(before->position_, length - 1);
        if (Marker *after = markers_.FindAfter(position, nullptr, 1))
            last = std::min(after->position_ - 1, length - 1);
    }
    if (last < first)
        return;
    if (GetKeyState(VK_SHIFT) < 0 && selectionStart_ >= 0) {
        first = std::min(first, int(selectionStart_));
        last = std::max(last, int(selectionEnd_));
    }
    SetSelection(first, last, channels, extend);
}

void Wave::SetActiveChannels(int channels, int notify) {
    activeChannels_ = channels;
    if (!notify)
        return;
    NotifyViews(kNotifyHideCaret);
    NotifyViews(kNotifyBothRange, selectionStart_ < 2 ? 0 : selectionStart_ - 1,
                std::min(selectionEnd_ + 1, GetLength() - 1));
}

void Wave::RedrawRange(int first, int last) {
    int active = GetActiveChannels();
    NotifyViews(active == 1 ? kNotifyLeftRange : active == 2 ? kNotifyRightRange : kNotifyBothRange, first, last);
}

void Wave::NotifyViews(int code, long a, long b) { Document::NotifyViews(code, a, b); }
