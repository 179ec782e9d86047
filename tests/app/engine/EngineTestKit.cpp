#include "tests/app/engine/EngineTestKit.h"

#include "audio/PlaybackLink.h"
#include "audio/SampleConversion.h"
#include "engine/AudioState.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <memory>

namespace enginetest {

namespace {

// The channels a reader asked for, in order.
class ChannelTask : public ASampleProvider::Task {
public:
    explicit ChannelTask(uint32_t mask) : mask(mask) {}
    uint32_t mask;
};

std::mutex postedLock;
std::vector<StopReport> posted;

}  // namespace

float FrameIndex(int frame) { return float(frame); }

float Ramp(int frame) { return float(frame % 4001 - 2000) / 2048.0f; }

FrameObject::FrameObject(int length, int channels, uint32_t rate, std::function<float(int)> value)
    : AudioObject(SamplePattern(kPcm16, channels, 1, rate)), length_(length), value_(std::move(value)) {}

FrameObject::~FrameObject() { ThePlayback().StopAndWait(); }

int FrameObject::ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count) {
    uint32_t mask = static_cast<ChannelTask *>(task)->mask;
    int output = 0;
    for (int bit = 1; bit <= 2; bit <<= 1) {
        if (!(mask & uint32_t(bit)))
            continue;
        for (int i = 0; i < count; ++i)
            outputs[output][outputOffset + i] = Sample(bit, first + i);
        ++output;
    }
    framesRead += count;
    return count;
}

ASampleProvider::Task *FrameObject::CreateReadTask(ChannelSet const &request) {
    return new ChannelTask(request.GetMask());
}

PlaybackScope::PlaybackScope() : previous_(SetPlaybackLink(&ThePlaybackEngine())) {}

PlaybackScope::~PlaybackScope() {
    ThePlaybackEngine().StopAndWait();
    SetPlaybackLink(previous_);
}

PostedMessages::PostedMessages() : previous_(SetInterThreadReceiver(&PostedMessages::Receive)) {
    std::lock_guard<std::mutex> hold(postedLock);
    posted.clear();
}

PostedMessages::~PostedMessages() { SetInterThreadReceiver(previous_); }

void PostedMessages::Receive(InterThreadMessage *message) {
    std::unique_ptr<InterThreadMessage> owned(message);
    if (auto *stop = dynamic_cast<MessStopPlayback *>(message)) {
        std::lock_guard<std::mutex> hold(postedLock);
        posted.push_back({stop->object, stop->position, stop->restarted});
    }
}

std::vector<StopReport> PostedMessages::Stops() {
    std::lock_guard<std::mutex> hold(postedLock);
    return posted;
}

bool PostedMessages::WaitForStops(size_t count, unsigned milliseconds) {
    return WaitUntil([&] { return Stops().size() >= count; }, milliseconds);
}

bool WaitUntil(std::function<bool()> const &condition, unsigned milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(2);
    }
    return true;
}

std::string SoundFile(char const *name) {
    // The folder is a Unix path; Z: is the whole Unix file system.
    std::string path = "Z:" + testsupport::Env("TESSARO_AUDIO_DIR") + "/" + name;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string PlayedBytes() { return testsupport::ReadBytes(SoundFile("playback.raw")); }

void ClearPlayed() { testsupport::WriteBytes(SoundFile("playback.raw"), ""); }

std::string DeviceBytes(FrameObject const &object, SamplePattern const &device, int first, int count) {
    std::vector<float> channels[2];
    float const *inputs[2];
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < count; ++i)
            channels[c].push_back(object.Sample(1 << c, first + i));
        inputs[c] = channels[c].data();
    }
    std::string bytes(size_t(count) * size_t(device.GetBytesPerFrame()), '\0');
    InterleaveFromFloat(inputs, 0, device.GetNumChannels(), count, &bytes[0], 0, device.GetFlags());
    return bytes;
}

}  // namespace enginetest
