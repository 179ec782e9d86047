#include "engine/PlaybackElements.h"

#include "engine/AudioState.h"
#include "engine/PerformanceHistory.h"
#include "engine/PlayerSettings.h"

#include <windows.h>

#include <algorithm>

namespace {

enum { kDefaultRate = 44100, kMaxRate = 48000, kDefaultChannels = 2 };

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

int32_t HeldChannels(int32_t channels) { return channels < 1 || channels > 2 ? kDefaultChannels : channels; }

int32_t HeldRate(int32_t rate) { return rate <= 0 ? kDefaultRate : std::min(rate, int32_t(kMaxRate)); }

}  // namespace

// ---- AE_Micro

AE_Micro::AE_Micro(ElementEngineCallback callback, void *engineValue)
    : ProgramAudioElement(callback, engineValue, kElementConstruction) {
    SetIdentity("AE_Micro");
}

AudioElementRecord *WQ_CALL AE_Micro::Factory(ElementEngineCallback callback, void *engineValue, void *) {
    return MakeAudioElement<AE_Micro>(callback, engineValue);
}

int32_t AE_Micro::Open(int32_t, int32_t, int32_t) {
    SamplePattern request = TheAudioState().playback.GetSourcePattern();
    bool hasRequest = request.GetMask() != 0;
    rate_ = HeldRate(hasRequest ? int32_t(request.GetRate()) : kDefaultRate);
    inputChannels_ = outputChannels_ = HeldChannels(hasRequest ? request.GetNumChannels() : kDefaultChannels);
    return 0;
}

int32_t AE_Micro::CheckFormat(int32_t, int32_t channels, int32_t rate, int32_t) {
    if (channels != HeldChannels(channels))
        return int32_t(kRefuseChannels);
    return rate != HeldRate(rate) ? int32_t(kRefuseRate) : 0;
}

int32_t AE_Micro::Start() {
    Playback &playback = TheAudioState().playback;
    if (!playback.PrepareSource())
        return -1;
    SamplePattern source = playback.GetSourcePattern();
    int32_t rate = HeldRate(int32_t(source.GetRate()));
    int32_t channels = HeldChannels(source.GetNumChannels());
    if (rate == rate_ && channels == outputChannels_)
        return 0;
    int32_t previous[2] = {rate_, outputChannels_};
    rate_ = rate;
    inputChannels_ = outputChannels_ = channels;
    ElementCommandRecord format = {};
    format.rate = rate;
    format.channels = channels;
    if (int32_t refused = CallEngine(kEngineReformat, &format, 0)) {
        rate_ = previous[0];
        inputChannels_ = outputChannels_ = previous[1];
        return refused;
    }
    return 0;
}

int32_t AE_Micro::Process(ElementBlock &block) {
    AudioState &state = TheAudioState();
    Playback &playback = state.playback;
    if (playback.GetControl().stopRequested)
        return kElementEnd;
    bool monitoring = playback.GetPlayMode() == kPlayMonitor;
    int frames = monitoring ? state.recorder.Read(block.channel, block.frames, nullptr)
                            : state.server.Read(block.channel, unsigned(block.frames));
    if (monitoring && playback.TakeRelocation())
        CallEngine(kEngineRelocation, nullptr, 0);
    if (frames < 0)
        return int32_t(kElementFailed);
    if (frames == 0) {
        playback.GetPlayer().Drain();
        return kElementEnd;
    }
    return frames;
}

int32_t AE_Micro::Stop() {
    TheAudioState().playback.Finish();
    return 0;
}

// ---- AE_Speaker

AE_Speaker::AE_Speaker(ElementEngineCallback callback, void *engineValue)
    : ProgramAudioElement(callback, engineValue, kElementConstruction) {
    SetIdentity("AE_Speaker");
}

// It stops being the current speaker before it goes.
AE_Speaker::~AE_Speaker() {
    AudioState &state = TheAudioState();
    AutoCriticalSection hold(state.playback.GetLock());
    if (state.currentSpeaker == this)
        state.currentSpeaker = nullptr;
}

AudioElementRecord *WQ_CALL AE_Speaker::Factory(ElementEngineCallback callback, void *engineValue, void *) {
    AudioElementRecord *record = MakeAudioElement<AE_Speaker>(callback, engineValue);
    if (record) {
        AudioState &state = TheAudioState();
        AutoCriticalSection hold(state.playback.GetLock());
        state.currentSpeaker = static_cast<AE_Speaker *>(static_cast<KAudioElement *>(record->element));
    }
    return record;
}

int32_t AE_Speaker::Open(int32_t rate, int32_t channels, int32_t) {
    rate_ = rate;
    inputChannels_ = outputChannels_ = channels;
    return 0;
}

int32_t AE_Speaker::Start() {
    float ratio = 1.0f;
    CallEngine(kEngineSpeedRatio, &ratio, 0);
    Playback &playback = TheAudioState().playback;
    double speed = ratio;
    if (ratio <= 0) {
        uint32_t requested = playback.GetSourcePattern().GetRate();
        speed = rate_ > 0 && requested ? double(requested) / rate_ : 1.0;
    }
    SamplePattern pattern(kPcm16, outputChannels_, 1, uint32_t(rate_));
    pattern.GetFormat().SetBits(ThePlayerSettings().playbackBits, 1);
    return playback.OpenOutput(&pattern, speed) ? 0 : -1;
}

int32_t AE_Speaker::Process(ElementBlock &block) {
    Playback &playback = TheAudioState().playback;
    double start = Seconds();
    int written = playback.GetPlayer().Write(block.channel, block.frames, nullptr);
    double elapsed = Seconds() - start;
    if (!written)
        return playback.GetControl().stopRequested ? kElementEnd : int32_t(kElementFailed);
    AddPerformanceSample(GetCurrentThreadId(), block.sourceSeconds, block.chainSeconds, float(elapsed),
                         unsigned(block.frames), unsigned(rate_));
    if (playback.TakeRelocation())
        CallEngine(kEngineRelocation, nullptr, 0);
    return block.frames;
}

int32_t AE_Speaker::Stop() {
    TheAudioState().playback.StopOutput();
    return 0;
}

int32_t AE_Speaker::GetDelay() { return int32_t(TheAudioState().playback.GetOutputLatency()); }

bool ReadCurrentSpeakerPeaks(float peaks[2]) {
    AudioState &state = TheAudioState();
    AutoCriticalSection hold(state.playback.GetLock());
    if (!state.currentSpeaker)
        return false;
    ElementCommandRecord meter = {};
    AudioElementRecord *record = state.currentSpeaker->GetRecord();
    record->command(record, kCommandOutputPeaks, &meter, 0);
    peaks[0] = meter.peaks[0];
    peaks[1] = meter.count > 1 ? meter.peaks[1] : meter.peaks[0];
    return true;
}
