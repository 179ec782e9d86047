#include "engine/SampleCollector.h"

#include "audio/AudioObject.h"
#include "audio/PlayRequest.h"
#include "foundation/Exception.h"

#include <algorithm>

namespace {

int Clamp(int value, int lo, int hi) { return std::min(std::max(value, lo), hi); }

}  // namespace

SampleCollector::SampleCollector(ASampleProvider *source, uint32_t channelMask, int withHistory)
    : queue_(withHistory), source_(source) {
    channels_.SetMask(channelMask & source->GetMask());
    queue_.ResetHistory();
    readTask_.reset(source->CreateReadTask(channels_));
}

SampleCollector::~SampleCollector() = default;

int SampleCollector::Read(float *const *channels, int frames) {
    try {
        AutoCriticalSection lock(source_->GetLock());
        int done = 0;
        while (frames > 0) {
            uint32_t start = 0;
            int n = queue_.Advance(frames, start);
            if (n == 0)
                break;
            source_->ReadFloatFrames(readTask_.get(), channels, done, int(start), n);
            done += n;
            frames -= n;
        }
        return done;
    } catch (...) {
        // The playback ends; the user learns why.
        PostCurrentFailure();
        return -1;
    }
}

void SampleCollector::Signal(FileObject const &file) {
    AutoCriticalSection lock(source_->GetLock());
    if (readTask_)
        readTask_->ReleaseFile(file);
}

// The final event stands after the last frame played, so that frame is heard too. A loop
// repeats the selection, or the whole object, without end.
void SampleCollector::LoadPlayList(int mode, int position, int end, int restart) {
    AutoCriticalSection sourceLock(source_->GetLock());
    AutoCriticalSection queueLock(queue_.GetLock());
    uint32_t from = restart ? uint32_t(std::max(position, 0)) : queue_.GetCurrentPosition();
    queue_.Clear();
    int length = source_->GetLength();
    auto const *object = dynamic_cast<AudioObject const *>(source_);
    bool hasSelection = object && object->GetSelectionStart() >= 0;
    if (mode != kPlayRange && object && object->GetLoop()) {
        int loopStart = hasSelection ? object->GetSelectionStart() : 0;
        int loopEnd = hasSelection ? object->GetSelectionEnd() : length - 1;
        if (loopStart > 0)
            queue_.AddEvent(0, FrameEvent::kOnce);
        queue_.AddEvent(uint32_t(loopStart), FrameEvent::kForever);
        if (loopEnd < length - 1)
            queue_.AddEvent(uint32_t(loopEnd + 1), FrameEvent::kOnce);
        queue_.AddEvent(uint32_t(length), FrameEvent::kStop);
    } else {
        int first = 0;
        int last = length;
        if (mode == kPlayRange) {
            first = Clamp(position, 0, length);
            last = Clamp(end < 0 ? length : end, first, length);
        } else if (mode == kPlaySelection && hasSelection) {
            first = object->GetSelectionStart();
            last = object->GetSelectionEnd() + 1;
        }
        queue_.AddEvent(uint32_t(first), FrameEvent::kOnce);
        queue_.AddEvent(uint32_t(last), FrameEvent::kStop);
    }
    queue_.Seek(from, restart);
}
