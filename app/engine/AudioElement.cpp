#include "engine/AudioElement.h"

#include "foundation/Exception.h"

#include <algorithm>
#include <cstring>
#include <new>

// ---- the meters

void KAudioElement::Meter::Allocate(int channels) {
    peaks.assign(size_t(channels), 0.0f);
    clips.assign(size_t(channels), 0);
    positions.assign(size_t(channels), 0);
    rings.assign(size_t(channels), std::vector<float>(size_t(delay), 0.0f));
}

void KAudioElement::Meter::Free() {
    peaks = std::vector<float>();
    clips = std::vector<int32_t>();
    positions = std::vector<int32_t>();
    rings = std::vector<std::vector<float>>();
}

bool KAudioElement::Meter::SetDelay(int32_t frames) {
    delay = std::max(frames, 0);
    if (!peaksOn && !clipsOn)
        return true;
    try {
        for (auto &ring : rings)
            ring.assign(size_t(delay), 0.0f);
        std::fill(positions.begin(), positions.end(), 0);
        return true;
    } catch (std::bad_alloc const &) {
        peaksOn = clipsOn = 0;
        return false;
    }
}

// Each sample passes the delay ring when there is one; what leaves it is measured.
void KAudioElement::Meter::Measure(float *const *channels, int count, int32_t frames) {
    if ((!peaksOn && !clipsOn) || frames <= 0)
        return;
    count = std::min(count, int(peaks.size()));
    for (int c = 0; c < count; ++c) {
        std::vector<float> &ring = rings[size_t(c)];
        int32_t &position = positions[size_t(c)];
        float peak = peaks[size_t(c)];
        int32_t clipped = 0;
        for (int32_t i = 0; i < frames; ++i) {
            float sample = channels[c][i];
            if (!ring.empty()) {
                std::swap(sample, ring[size_t(position)]);
                position = position + 1 == int32_t(ring.size()) ? 0 : position + 1;
            }
            peak = std::max(peak, sample < 0 ? -sample : sample);
            clipped += sample < -1.0f || sample > 1.0f;
        }
        if (peaksOn)
            peaks[size_t(c)] = peak;
        if (clipsOn)
            clips[size_t(c)] += clipped;
    }
}

void KAudioElement::Meter::TakePeaks(ElementCommandRecord &record) {
    std::fill(std::begin(record.peaks), std::end(record.peaks), 0.0f);
    record.count = std::min(int32_t(peaks.size()), int32_t(kElementMaxChannels));
    for (int32_t c = 0; c < record.count && peaksOn; ++c)
        record.peaks[c] = peaks[size_t(c)];
    std::fill(peaks.begin(), peaks.end(), 0.0f);
}

void KAudioElement::Meter::TakeClips(ElementCommandRecord &record) {
    std::fill(std::begin(record.clips), std::end(record.clips), 0);
    record.count = std::min(int32_t(clips.size()), int32_t(kElementMaxChannels));
    for (int32_t c = 0; c < record.count && clipsOn; ++c)
        record.clips[c] = clips[size_t(c)];
    std::fill(clips.begin(), clips.end(), 0);
}

// ---- the element

KAudioElement::KAudioElement(ElementEngineCallback callback, void *engineValue, int32_t construction)
    : record_(MakeElementRecord(kElementProgram, &CommandEntry, &ProcessEntry, &ProcessWithSourceEntry, &HookAEntry,
                                &HookBEntry, this)),
      callback_(callback), engineValue_(engineValue) {
    record_.construction = construction;
}

KAudioElement::~KAudioElement() = default;

void KAudioElement::SetIdentity(char const *name) {
    record_.kind = kElementProgram;
    record_.maker = ElementMaker("Zelk");
    std::memcpy(record_.name, name, strnlen(name, kElementNameSize));
}

int32_t KAudioElement::CallEngine(int32_t code, void *data, int32_t value) {
    return callback_ ? callback_(engineValue_, &record_, code, data, value) : 0;
}

int32_t KAudioElement::OnUnknownCommand(int32_t, ElementCommandRecord *, int32_t) { return 0; }
int32_t KAudioElement::ReservedA() { return int32_t(kElementReservedA); }
int32_t KAudioElement::ReservedB() { return int32_t(kElementReservedB); }
int32_t KAudioElement::Query(ElementCommandRecord *) { return 0; }
void KAudioElement::OnMeterDelay(int32_t) {}
int32_t KAudioElement::SetValue(int32_t) { return 0; }
int32_t KAudioElement::OnParameterA(int32_t) { return 0; }
int32_t KAudioElement::OnParameterB(int32_t) { return 0; }

// ---- the entries the engine calls

int32_t WQ_CALL KAudioElement::CommandEntry(AudioElementRecord *record, int32_t command,
                                            ElementCommandRecord *argument, int32_t value) {
    return Guarded([&] {
        KAudioElement &element = Of(record);
        int32_t result = element.Dispatch(command, argument, value);
        if (command == kCommandDestroy)
            delete &element;
        return result;
    });
}

int32_t WQ_CALL KAudioElement::ProcessEntry(AudioElementRecord *record, ElementBlock *block) {
    return Guarded([&] { return Of(record).Around(*block, false); });
}

int32_t WQ_CALL KAudioElement::ProcessWithSourceEntry(AudioElementRecord *record, ElementBlock *block) {
    return Guarded([&] { return Of(record).Around(*block, true); });
}

int32_t WQ_CALL KAudioElement::HookAEntry(AudioElementRecord *record, ElementHookRecord *hook, int32_t value) {
    return Guarded([&] { return Of(record).AroundHook(&KAudioElement::OnRecordA, hook, value); });
}

int32_t WQ_CALL KAudioElement::HookBEntry(AudioElementRecord *record, ElementHookRecord *hook, int32_t value) {
    return Guarded([&] { return Of(record).AroundHook(&KAudioElement::OnRecordB, hook, value); });
}

// The hook's own call-back hears the value before the element's part and -1 after it.
int32_t KAudioElement::AroundHook(void (KAudioElement::*part)(ElementHookRecord *), ElementHookRecord *hook,
                                  int32_t value) {
    if (hook && hook->callback)
        hook->callback(hook, value);
    (this->*part)(hook);
    if (hook && hook->callback)
        hook->callback(hook, -1);
    return 0;
}

// The meters on the input before and on the output after; bypassed, the block passes,
// with the first channel copied into outputs the input does not have.
int32_t KAudioElement::Around(ElementBlock &block, bool withSource) {
    if (record_.bypass) {
        for (int32_t c = block.channels; c < outputChannels_ && c < kElementMaxChannels && block.channels > 0; ++c)
            std::copy(block.channel[0], block.channel[0] + block.frames, block.channel[c]);
        return block.frames;
    }
    {
        AutoCriticalSection hold(lock_);
        input_.Measure(block.channel, block.channels, block.frames);
    }
    int32_t frames;
    if (parameters_[1]) {
        frames = block.frames;
        for (int32_t c = 0; c < outputChannels_ && c < kElementMaxChannels; ++c)
            std::fill(block.channel[c], block.channel[c] + frames, 0.0f);
    } else {
        frames = withSource ? ProcessWithSource(block) : Process(block);
    }
    if (frames < 0)
        return frames;
    block.frames = frames;
    AutoCriticalSection hold(lock_);
    output_.Measure(block.channel, outputChannels_, frames);
    return frames;
}

// ---- commands

int32_t KAudioElement::Dispatch(int32_t command, ElementCommandRecord *argument, int32_t value) {
    ElementCommandRecord scratch = {};
    ElementCommandRecord &record = argument ? *argument : scratch;
    switch (command) {
    case kCommandDestroy: ReleasePeer(); return 0;
    case kCommandOpen: return DoOpen(record);
    case kCommandClose: return DoClose();
    case kCommandReformat: return Reformat(record, value);
    case kCommandStart: return DoStart();
    case kCommandStop: return DoStop();
    case kCommandGetDelay: return record_.bypass ? 0 : GetDelay();
    case kCommandMeterDelay: {
        AutoCriticalSection hold(lock_);
        bool kept = input_.SetDelay(value) & output_.SetDelay(value);
        OnMeterDelay(value);
        return kept ? 1 : 0;
    }
    case kCommandInputChannels: return inputChannels_;
    case kCommandOutputChannels: return outputChannels_;
    case kCommandRate: return rate_;
    case kCommandHookB:
        attached_ = record.hook;
        OnRecordB(record.hook);
        return 0;
    case kCommandHookA: OnRecordA(record.hook); return 0;
    case kCommandCheck: return CheckFormat(value, record.channels, record.rate, record.extra);
    case kCommandSetValue: return SetValue(value);
    case kCommandGetRatio: record.ratio = GetRatio(); return 0;
    case kCommandBypass: return SetBypass(value);
    case kCommandQuery: return Query(&record);
    case kCommandLastError: return lastError_;
    default: break;
    }
    if (command >= kCommandInputPeaks && command <= kCommandOutputClipOff)
        return TakeMeter(command, &record);
    if (command == kCommandSetParameters)
        return SetParameters(record);
    if (command == kCommandGetParameters) {
        AutoCriticalSection hold(lock_);
        record.parameters[0] = parameters_[0];
        record.parameters[1] = parameters_[1];
        return parameters_[0] + 2 * parameters_[1];
    }
    if (command >= kCommandPeerFirst && command <= kCommandPeerLast)
        return Peer(command, argument, value);
    return OnUnknownCommand(command, argument, value);
}

int32_t KAudioElement::DoOpen(ElementCommandRecord &format) {
    if (open_)
        DoClose();
    int32_t result = Open(format.rate, format.channels, format.extra);
    lastError_ = result;
    if (result)
        return result;
    try {
        AutoCriticalSection hold(lock_);
        input_.Allocate(inputChannels_);
        output_.Allocate(outputChannels_);
    } catch (std::bad_alloc const &) {
        AutoCriticalSection hold(lock_);
        input_.Free();
        output_.Free();
        Close();
        return lastError_ = int32_t(kElementNoMemory);
    }
    format.rate = rate_;
    format.channels = inputChannels_;
    format.outChannels = outputChannels_;
    open_ = 1;
    return 0;
}

int32_t KAudioElement::DoClose() {
    if (!open_)
        return 0;
    if (attached_) {
        attached_->closed = 1;
        OnRecordB(attached_);
    }
    if (running_)
        DoStop();
    int32_t result = Close();
    AutoCriticalSection hold(lock_);
    input_.Free();
    output_.Free();
    open_ = 0;
    return result;
}

// A new format opens the element again when it takes it; a processor that refuses it is
// bypassed from then on.
int32_t KAudioElement::Reformat(ElementCommandRecord &format, int32_t reopen) {
    if (format.rate == rate_ && format.channels == inputChannels_ && !reopen) {
        format.rate = rate_;
        format.outChannels = outputChannels_;
        return 0;
    }
    if (int32_t refused = CheckFormat(reopen, format.channels, format.rate, format.extra)) {
        if (record_.kind != kElementProgram)
            record_.bypass = 1;
        return refused;
    }
    int32_t wasRunning = running_;
    DoClose();
    if (int32_t failed = DoOpen(format))
        return failed;
    TellPeer(kPeerFormatChanged);
    return wasRunning ? DoStart() : 0;
}

int32_t KAudioElement::DoStart() {
    if (running_)
        return 0;
    if (!record_.bypass) {
        if (int32_t failed = Start())
            return lastError_ = failed;
    }
    TellPeer(kPeerStarted);
    running_ = 1;
    return 0;
}

int32_t KAudioElement::DoStop() {
    TellPeer(kPeerStopped);
    running_ = 0;
    return record_.bypass ? 0 : Stop();
}

// The element's own start and stop run outside the lock: they reach the playback, whose
// lock comes before this one.
int32_t KAudioElement::SetBypass(int32_t bypass) {
    int32_t previous;
    {
        AutoCriticalSection hold(lock_);
        previous = record_.bypass;
        record_.bypass = bypass;
    }
    if (running_ && previous != bypass)
        bypass ? Stop() : Start();
    return previous;
}

// Commands 15 to 26: the peaks and clip counts of either side, and switching them.
int32_t KAudioElement::TakeMeter(int32_t command, ElementCommandRecord *argument) {
    AutoCriticalSection hold(lock_);
    bool outputSide = command >= kCommandOutputPeaks;
    Meter &meter = outputSide ? output_ : input_;
    int32_t step = command - (outputSide ? kCommandOutputPeaks : kCommandInputPeaks);
    switch (step) {
    case 0: meter.TakePeaks(*argument); return 0;
    case 1: meter.TakeClips(*argument); return 0;
    case 2: return Switch(meter.peaksOn, true, argument->parameters[0]);
    case 3: return Switch(meter.peaksOn, false, 0);
    case 4: return Switch(meter.clipsOn, true, argument->parameters[0]);
    default: return Switch(meter.clipsOn, false, 0);
    }
}

// Switching on with a value keeps the meter on for good.
int32_t KAudioElement::Switch(int32_t &state, bool on, int32_t value) {
    int32_t previous = state;
    if (on)
        state = value || state == -1 ? -1 : 1;
    else if (state != -1)
        state = 0;
    return previous;
}

int32_t KAudioElement::SetParameters(ElementCommandRecord const &argument) {
    {
        AutoCriticalSection hold(lock_);
        int32_t previous[2] = {parameters_[0], parameters_[1]};
        parameters_[0] = argument.parameters[0];
        parameters_[1] = argument.parameters[1];
        if (previous[0] != parameters_[0])
            OnParameterA(parameters_[0]);
        if (previous[1] != parameters_[1])
            OnParameterB(parameters_[1]);
    }
    TellPeer(kPeerParametersChanged);
    return 0;
}

// ---- the peer dispatcher: another element's record that hears of this one's changes

int32_t KAudioElement::Peer(int32_t command, ElementCommandRecord *argument, int32_t value) {
    auto *peer = static_cast<AudioElementRecord *>(record_.peer);
    switch (command) {
    case kCommandPeerMake:
        ReleasePeer();
        if (argument && argument->makePeer) {
            record_.peer = argument->makePeer(&record_);
            madePeer_ = record_.peer != nullptr;
        }
        return record_.peer ? 1 : 0;
    case kCommandPeerRelease: ReleasePeer(); return 0;
    case kCommandPeerAsk:
        if (argument)
            argument->peer = record_.peer;
        return record_.peer ? 1 : 0;
    case kCommandPeerSet:
        ReleasePeer();
        record_.peer = argument ? argument->peer : nullptr;
        return 0;
    default: return peer ? peer->command(peer, value, argument, 0) : 0;
    }
}

void KAudioElement::TellPeer(int32_t command) {
    if (auto *peer = static_cast<AudioElementRecord *>(record_.peer))
        peer->command(peer, command, nullptr, 0);
}

// A peer this element made goes with it; one that was handed over stays its owner's.
void KAudioElement::ReleasePeer() {
    auto *peer = static_cast<AudioElementRecord *>(record_.peer);
    record_.peer = nullptr;
    if (peer && madePeer_)
        peer->command(peer, kCommandDestroy, nullptr, 0);
    madePeer_ = 0;
}

// ---- the program's four types

int32_t ProgramAudioElement::ProcessWithSource(ElementBlock &) { return int32_t(kElementNoSecondProcess); }
