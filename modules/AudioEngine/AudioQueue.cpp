#include "AudioQueue.h"

#include "ElementTypes.h"

#include <process.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

double Seconds() {
    static LARGE_INTEGER const frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

AudioQueue::AudioQueue(std::int32_t number, bool master, std::int32_t blockFrames, EngineServiceTable const *services)
    : number_(number), master_(master), blockFrames_(std::max(blockFrames, 64)), services_(services),
      commandEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock_);
}

AudioQueue::~AudioQueue() {
    if (!thread_)
        DestroyElements();
    else
        CloseHandle(thread_);
    CloseHandle(commandEvent_);
    DeleteCriticalSection(&lock_);
}

bool AudioQueue::Build(AudioChainEntry const *chain, std::int32_t count, ElementTypes const &types) {
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name(chain[i].typeName, strnlen(chain[i].typeName, sizeof chain[i].typeName));
        ElementType type;
        Station station;
        station.name = name;
        station.record = types.Find(name, type) ? type.factory(&EngineCall, this, chain[i].element) : nullptr;
        if (!station.record) {
            Fail(type.factory ? kEngineErrorNoMemory : kEngineErrorNoQueue, station, 0);
            return false;
        }
        stations_.push_back(station);
        if (type.kind == kElementPlugIn && !type.valueName.empty()) {
            ElementCommandRecord values = {};
            values.parameters[0] = type.value;
            stations_.back().Command(kCommandSetParameters, &values);
        }
    }
    return stations_.size() >= 2;
}

bool AudioQueue::Launch() {
    if (services_ && services_->startThread)
        thread_ = services_->startThread(nullptr, 0, &ThreadStart, this, 0, &threadId_);
    else
        thread_ = HANDLE(_beginthreadex(nullptr, 0, &ThreadStart, this, 0, &threadId_));
    return thread_ != nullptr;
}

void AudioQueue::Post(std::int32_t command) {
    EnterCriticalSection(&lock_);
    commands_.push_back(command);
    LeaveCriticalSection(&lock_);
    SetEvent(commandEvent_);
}

void AudioQueue::Finish() {
    ending_ = 1;
    Post(kQuit);
}

void AudioQueue::Join() {
    if (!thread_)
        return;
    if (!IsGUIThread(FALSE)) {
        WaitForSingleObject(thread_, INFINITE);
        return;
    }
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool AudioQueue::HasEnded() const { return thread_ && WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }

HANDLE AudioQueue::DuplicateThreadHandle() const {
    HANDLE copy = nullptr;
    if (thread_)
        DuplicateHandle(GetCurrentProcess(), thread_, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

bool AudioQueue::TakeOutputPeaks(float peaks[2]) {
    if (!running_ || stations_.empty())
        return false;
    ElementCommandRecord meter = {};
    stations_.back().Command(kCommandOutputPeaks, &meter);
    peaks[0] = meter.peaks[0];
    peaks[1] = meter.count > 1 ? meter.peaks[1] : meter.peaks[0];
    return true;
}

// ---- the thread

unsigned __stdcall AudioQueue::ThreadStart(void *queue) {
    try {
        return static_cast<AudioQueue *>(queue)->Main();
    } catch (...) {
        return 1;
    }
}

unsigned AudioQueue::Main() {
    for (;;) {
        std::int32_t command = NextCommand();
        if (command == kQueueStart && !ending_) {
            Run();
        } else if (command == kQueueShown || command == kQueueHidden) {
            meterShown_ = command == kQueueShown;
            if (!stations_.empty())
                stations_.back().Command(meterShown_ ? kCommandOutputMeterOn : kCommandOutputMeterOff);
        } else if (command == kQueueEnd || command == kQuit) {
            DestroyElements();
            if (!master_)
                Notify(kNotifyGone);
            return 0;
        }
    }
}

std::int32_t AudioQueue::NextCommand() {
    for (;;) {
        EnterCriticalSection(&lock_);
        bool any = !commands_.empty();
        std::int32_t command = any ? commands_.front() : 0;
        if (any)
            commands_.pop_front();
        LeaveCriticalSection(&lock_);
        if (any)
            return command;
        WaitForSingleObject(commandEvent_, INFINITE);
    }
}

// ---- one run

void AudioQueue::Run() {
    Notify(kNotifyRunning);
    relocated_ = 0;
    if (OpenChain() && StartChain()) {
        running_ = 1;
        Cycles();
        running_ = 0;
    }
    StopChain();
    Notify(kNotifyFinished);
}

bool AudioQueue::OpenChain() {
    std::int32_t channels = 0;
    rate_ = 0;
    for (std::size_t i = 0; i < stations_.size(); ++i) {
        Station &station = stations_[i];
        ElementCommandRecord format = {};
        format.rate = rate_;
        format.channels = channels;
        if (i > 0) {
            if (std::int32_t refused = station.Command(kCommandCheck, &format)) {
                Fail(std::uint32_t(refused), station, refused);
                return false;
            }
        }
        if (std::int32_t failed = station.Command(kCommandOpen, &format)) {
            Fail(kEngineErrorOpen, station, failed);
            return false;
        }
        station.opened = true;
        station.inChannels = channels;
        rate_ = format.rate;
        channels = format.outChannels > 0 ? format.outChannels : format.channels;
        if (channels < 1 || channels > kElementMaxChannels) {
            Fail(kRefuseTooManyChannels, station, channels);
            return false;
        }
        if (rate_ <= 0) {
            Fail(kRefuseRateRange, station, rate_);
            return false;
        }
        ElementCommandRecord ratio = {};
        if (mixWithSource_ && i > 0 && i + 1 < stations_.size() && station.Command(kCommandGetRatio, &ratio) == 0 &&
            ratio.ratio != 1.0f) {
            Fail(kRefuseRatio, station, 0);
            return false;
        }
    }
    return true;
}

bool AudioQueue::StartChain() {
    for (Station &station : stations_) {
        if (std::int32_t failed = station.Command(kCommandStart)) {
            Fail(kEngineErrorStart, station, failed);
            return false;
        }
        station.started = true;
    }
    if (meterShown_)
        stations_.back().Command(kCommandOutputMeterOn);
    return true;
}

// Blocks from the source through the chain until the source ends, an element fails or
// the run is asked to end; a background queue then lets the processors' delay run out.
void AudioQueue::Cycles() {
    buffers_.assign(kElementMaxChannels, std::vector<float>(std::size_t(blockFrames_)));
    ElementBlock block = {};
    block.capacity = blockFrames_;
    block.rate = rate_;
    for (std::int32_t c = 0; c < kElementMaxChannels; ++c)
        block.channel[c] = buffers_[std::size_t(c)].data();
    Station &source = stations_.front();
    std::int32_t tail = -1;  // frames of silence still to pass after the source ended
    while (!ending_) {
        if (relocated_.exchange(0))
            FlushProcessors();
        double start = Seconds();
        block.frames = blockFrames_;
        block.channels = source.inChannels;
        std::int32_t frames = tail < 0 ? source.record->process(source.record, &block) : 0;
        if (tail < 0 && frames == kElementEnd) {
            if (master_)
                return;
            tail = DelayBefore(std::int32_t(stations_.size()) - 1);
        }
        if (tail >= 0) {
            if (tail == 0)
                return;
            frames = std::min(tail, blockFrames_);
            tail -= frames;
            for (auto &buffer : buffers_)
                std::fill(buffer.begin(), buffer.begin() + frames, 0.0f);
        }
        if (frames < 0) {
            Fail(kEngineErrorProcessing, source, frames);
            return;
        }
        block.sourceSeconds = float(Seconds() - start);
        if (frames == 0)
            Sleep(1);
        else if (!PassOn(block, frames))
            return;
    }
}

bool AudioQueue::PassOn(ElementBlock &block, std::int32_t frames) {
    double start = Seconds();
    std::size_t last = stations_.size() - 1;
    for (std::size_t i = 1; i < stations_.size(); ++i) {
        Station &station = stations_[i];
        block.frames = frames;
        block.channels = station.inChannels;
        if (i == last)
            block.chainSeconds = float(Seconds() - start);
        ElementProcessFn process = i == last && mixWithSource_ ? station.record->processWithSource
                                                                : station.record->process;
        std::int32_t result = process(station.record, &block);
        if (result == kElementEnd)
            return false;
        if (result < 0) {
            Fail(kEngineErrorProcessing, station, result);
            return false;
        }
        frames = result;
        if (frames == 0)
            return true;
    }
    return true;
}

void AudioQueue::StopChain() {
    for (auto station = stations_.rbegin(); station != stations_.rend(); ++station) {
        if (station->started)
            station->Command(kCommandStop);
        station->started = false;
    }
    for (auto station = stations_.rbegin(); station != stations_.rend(); ++station) {
        if (station->opened)
            station->Command(kCommandClose);
        station->opened = false;
    }
    buffers_.clear();
}

void AudioQueue::DestroyElements() {
    for (Station &station : stations_)
        station.Command(kCommandDestroy);
    stations_.clear();
}

// ---- telling the program

void AudioQueue::Fail(std::uint32_t code, Station const &station, std::int32_t detail) {
    error_ = 1;
    if (!services_ || !services_->reportEngineError)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(std::uint32_t(detail)));
    services_->reportEngineError(number_, station.name.c_str(), code, detail ? text : nullptr);
}

void AudioQueue::Notify(std::int32_t type) {
    if (services_ && services_->notification)
        services_->notification(number_, type);
}

// ---- what elements ask of the engine

std::int32_t WQ_CALL AudioQueue::EngineCall(void *engineValue, AudioElementRecord *record, std::int32_t code,
                                            void *data, std::int32_t) {
    AudioQueue *queue = static_cast<AudioQueue *>(engineValue);
    std::int32_t caller = queue ? queue->IndexOf(record) : -1;
    if (caller < 0)
        return std::int32_t(kElementFailed);
    switch (code) {
    case kEngineRelocation: queue->relocated_ = 1; return 0;
    case kEngineReformat:
        return data ? queue->Reformat(caller, *static_cast<ElementCommandRecord *>(data)) : 0;
    case kEngineDropFrames: return queue->DelayBefore(caller);
    case kEngineSpeedRatio:
        if (data)
            *static_cast<float *>(data) = queue->RatioBefore(caller);
        return 0;
    default: return 0;
    }
}

std::int32_t AudioQueue::IndexOf(AudioElementRecord const *record) const {
    for (std::size_t i = 0; i < stations_.size(); ++i) {
        if (stations_[i].record == record)
            return std::int32_t(i);
    }
    return -1;
}

std::int32_t AudioQueue::Reformat(std::int32_t caller, ElementCommandRecord &format) {
    rate_ = format.rate;
    std::int32_t channels = format.channels;
    for (std::size_t i = std::size_t(caller) + 1; i < stations_.size(); ++i) {
        ElementCommandRecord next = {};
        next.rate = rate_;
        next.channels = channels;
        if (std::int32_t refused = stations_[i].Command(kCommandReformat, &next))
            return refused;
        stations_[i].inChannels = channels;
        channels = next.outChannels > 0 ? next.outChannels : channels;
    }
    return 0;
}

std::int32_t AudioQueue::DelayBefore(std::int32_t caller) {
    std::int32_t frames = 0;
    for (std::int32_t i = 1; i < caller; ++i)
        frames += std::max(0, stations_[std::size_t(i)].Command(kCommandGetDelay));
    return frames;
}

float AudioQueue::RatioBefore(std::int32_t caller) {
    float ratio = 1.0f;
    for (std::int32_t i = 0; i < caller; ++i) {
        ElementCommandRecord answer = {};
        answer.ratio = 1.0f;
        if (stations_[std::size_t(i)].Command(kCommandGetRatio, &answer) == 0 && answer.ratio > 0)
            ratio *= answer.ratio;
    }
    return ratio;
}

void AudioQueue::FlushProcessors() {
    for (std::size_t i = 1; i + 1 < stations_.size(); ++i)
        stations_[i].Command(kCommandFlush);
}
