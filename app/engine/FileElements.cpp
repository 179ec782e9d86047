#include "engine/FileElements.h"

#include "audio/AudioObject.h"
#include "engine/AudioEngineEntries.h"
#include "engine/AudioQueueTask.h"
#include "engine/BackgroundQueueMessages.h"
#include "engine/EngineServices.h"
#include "engine/RecordingFile.h"
#include "engine/SampleCollector.h"
#include "foundation/Exception.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

enum { kUserPauseMs = 50 };

// A collector over the request's range: the play list's end is exclusive, the request's
// last frame is not.
std::unique_ptr<SampleCollector> CollectorOver(QueueRequest const &request) {
    std::unique_ptr<SampleCollector> collector(new SampleCollector(request.object, request.channelMask, 0));
    collector->LoadPlayList(kPlayRange, request.first, request.last + 1, 1);
    return collector;
}

}  // namespace

// ---- AE_FileReader

AE_FileReader::AE_FileReader(ElementEngineCallback callback, void *engineValue, QueueElementRecord &record)
    : ProgramAudioElement(callback, engineValue, kElementConstruction), job_(record) {
    SetIdentity("AE_FileReader");
    job_.element = this;
}

AE_FileReader::~AE_FileReader() { job_.element = nullptr; }

AudioElementRecord *WQ_CALL AE_FileReader::Factory(ElementEngineCallback callback, void *engineValue, void *element) {
    if (!element)
        return nullptr;
    return MakeAudioElement<AE_FileReader>(callback, engineValue, std::ref(*static_cast<QueueElementRecord *>(element)));
}

int32_t AE_FileReader::Open(int32_t, int32_t, int32_t) {
    {
        AutoCriticalSection hold(TheTaskList().lock);
        collector_ = CollectorOver(job_.request);
    }
    AudioObject &object = *job_.request.object;
    rate_ = int32_t(object.GetRate());
    inputChannels_ = 0;
    outputChannels_ = collector_->GetChannels().GetNumChannels();
    job_.task->total = uint32_t(std::max(job_.request.Length(), 0));
    job_.task->done = 0;
    return 0;
}

int32_t AE_FileReader::Close() {
    collector_.reset();
    return 0;
}

int32_t AE_FileReader::CheckFormat(int32_t, int32_t channels, int32_t, int32_t) {
    return IsOpen() && channels != outputChannels_ ? int32_t(kRefuseSourceChannels) : 0;
}

int32_t AE_FileReader::Process(ElementBlock &block) {
    int frames = collector_ ? collector_->Read(block.channel, block.frames) : -1;
    if (frames < 0)
        return int32_t(kElementFailed);
    if (frames == 0)
        return kElementEnd;
    job_.task->done += uint32_t(frames);
    return frames;
}

// ---- AE_FileWriter

AE_FileWriter::AE_FileWriter(ElementEngineCallback callback, void *engineValue, QueueElementRecord &record)
    : ProgramAudioElement(callback, engineValue, kElementConstruction), job_(record),
      end_(new MessOnEndOfBackgroundQueue(BackgroundJob(record.request, record.task->processor))) {
    SetIdentity("AE_FileWriter");
    job_.element = this;
}

AE_FileWriter::~AE_FileWriter() {
    AudioQueueTask &task = *job_.task;
    // The object is held (by the file or the record) until the file is finished.
    job_.request.object->ExchangeEngineApplied(0);
    try {
        if (file_)
            end_->kept = file_->Finish(KeepsResult() ? 1 : 0, /*replace=*/1, /*convert=*/0, nullptr);
    } catch (...) {
        PostCurrentFailure();
    }
    file_.reset();
    source_.reset();
    end_->cancelled = task.IsCancelled() ? 1 : 0;
    end_->failed = task.failed || IsQueueTaskFailed(task.queue) ? 1 : 0;
    PostToMainWindow(end_.release());
    job_.element = nullptr;
}

AudioElementRecord *WQ_CALL AE_FileWriter::Factory(ElementEngineCallback callback, void *engineValue, void *element) {
    if (!element)
        return nullptr;
    return MakeAudioElement<AE_FileWriter>(callback, engineValue, std::ref(*static_cast<QueueElementRecord *>(element)));
}

// What the job made goes into the object only when the queue ran to its end unharmed.
bool AE_FileWriter::KeepsResult() const {
    WqQueueQueryFn anyError = TheAudioEngine().entries.anyErrorInQueueOccured;
    AudioQueueTask const &task = *job_.task;
    return !abort_ && anyError && !anyError(task.queue) && !task.failed && !task.IsCancelled();
}

int32_t AE_FileWriter::Open(int32_t rate, int32_t channels, int32_t) {
    rate_ = rate;
    inputChannels_ = outputChannels_ = channels;
    return 0;
}

int32_t AE_FileWriter::CheckFormat(int32_t, int32_t channels, int32_t rate, int32_t) {
    if (!IsOpen())
        return 0;
    if (rate != rate_)
        return int32_t(kRefuseRate);
    return channels != inputChannels_ ? int32_t(kRefuseChannels) : 0;
}

// The range's length, or what a processor that changes the length makes of it; unknown
// for a ratio that is not positive.
int32_t AE_FileWriter::ExpectedFrames() {
    float ratio = 1.0f;
    CallEngine(kEngineSpeedRatio, &ratio, 0);
    int32_t length = job_.request.Length();
    if (ratio <= 0)
        return -1;
    return ratio == 1.0f ? length : int32_t(length / ratio) - 10;
}

int32_t AE_FileWriter::Start() {
    drop_ = std::max(CallEngine(kEngineDropFrames, nullptr, 0), 0);
    QueueRequest const &request = job_.request;
    try {
        int32_t expected = ExpectedFrames();
        // The file takes the object's hold, also when it cannot be made.
        job_.holdsObject = 0;
        file_.reset(new RecordingFile(request.object, request.first, request.last, request.channelMask, expected,
                                      inputChannels_, uint32_t(rate_), job_.task->processor));
        if (request.mixWithSource)
            source_ = CollectorOver(request);
        PostToMainWindow(new MessOnStartOfBackgroundQueue(end_->job));
        return 0;
    } catch (...) {
        file_.reset();
        source_.reset();
        PostCurrentFailure();
        return int32_t(kElementFailed);
    }
}

bool AE_FileWriter::MayGoOn() {
    AudioQueueTask const &task = *job_.task;
    if (!task.WaitWhilePaused())
        return false;
    while (task.GetPriority() != Task::kHigh && !task.IsCancelled() && int32_t(UserActivityDeadline() - GetTickCount()) > 0)
        Sleep(kUserPauseMs);
    return !task.IsCancelled();
}

int32_t AE_FileWriter::Process(ElementBlock &block) { return Write(block, false); }

int32_t AE_FileWriter::ProcessWithSource(ElementBlock &block) { return Write(block, true); }

// The frames still to drop at the start (the chain's delay) are not written; a cancel
// ends the queue and the file is given up.
int32_t AE_FileWriter::Write(ElementBlock &block, bool addSource) {
    if (!MayGoOn()) {
        abort_ = 1;
        return kElementEnd;
    }
    int32_t skip = std::min(drop_, block.frames);
    drop_ -= skip;
    int32_t frames = block.frames - skip;
    if (frames == 0)
        return block.frames;
    float *channels[kElementMaxChannels] = {};
    for (int32_t c = 0; c < inputChannels_ && c < kElementMaxChannels; ++c)
        channels[c] = block.channel[c] + skip;
    if (addSource && source_)
        AddSource(channels, frames);
    if (!file_ || !file_->WriteFloatBlock(channels, unsigned(frames))) {
        abort_ = 1;
        return int32_t(kElementFailed);
    }
    return block.frames;
}

// Channel by channel; a channel the source lacks takes its last one.
void AE_FileWriter::AddSource(float *const *channels, int32_t frames) {
    int count = source_->GetChannels().GetNumChannels();
    std::vector<std::vector<float>> dry(size_t(count), std::vector<float>(size_t(frames), 0.0f));
    std::vector<float *> into(static_cast<size_t>(count));
    for (int c = 0; c < count; ++c)
        into[size_t(c)] = dry[size_t(c)].data();
    source_->Read(into.data(), frames);
    for (int32_t c = 0; c < inputChannels_ && c < kElementMaxChannels && count > 0; ++c) {
        std::vector<float> const &from = dry[size_t(std::min(c, count - 1))];
        for (int32_t i = 0; i < frames; ++i)
            channels[c][i] += from[size_t(i)];
    }
}
