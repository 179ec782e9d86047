// Helpers of the playback and recording tests: an audio object whose samples are a
// function of their frame, the stop messages the playback posts, the files of the test
// sound device, a stand-in for the shell's main window, and waiting with a time limit.
#pragma once

#include "audio/AudioObject.h"
#include "audio/PlaybackLink.h"
#include "audio/WaveLinks.h"
#include "engine/AudioMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class Wave;

namespace enginetest {

// The frame's own index: what the play-list tests read back.
float FrameIndex(int frame);
// A ramp inside full scale whose steps every device width tells apart.
float Ramp(int frame);

// The first channel's sample of a frame is value(frame), the second's its negative.
class FrameObject : public AudioObject {
public:
    explicit FrameObject(int length, int channels = 2, uint32_t rate = 44100,
                         std::function<float(int)> value = FrameIndex);
    // Like a document, it never goes while the playback may read it.
    ~FrameObject() override;

    int GetLength() const override { return length_; }
    int ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count) override;
    Task *CreateReadTask(ChannelSet const &request) override;
    int GetChannelWithData(int channel) const override { return ChannelBitOfIndex(channel); }
    void SelectRegionAt(int, int, int) override {}
    void SetActiveChannels(int channels, int) override { activeChannels_ = channels; }
    void NotifyViews(int, long, long) override {}
    int InsertAudioFile(int, int, int, AudioFile *, MarkerSet *, int, int, String const &) override { return 0; }

    float Sample(int channelBit, int frame) const { return channelBit == 2 ? -value_(frame) : value_(frame); }
    // Frames read so far, by any reader.
    std::atomic<int64_t> framesRead{0};

private:
    int length_;
    std::function<float(int)> value_;
};

// Makes the global playback the one audio objects ask while it lives; it stops what
// plays when it goes.
class PlaybackScope {
public:
    PlaybackScope();
    ~PlaybackScope();
    PlaybackScope(PlaybackScope const &) = delete;
    PlaybackScope &operator=(PlaybackScope const &) = delete;

private:
    PlaybackLink *previous_;
};

struct StopReport {
    AudioObject *object;
    int position;
    int restarted;
};

// Receives what the audio threads post while it lives.
class PostedMessages {
public:
    PostedMessages();
    ~PostedMessages();
    PostedMessages(PostedMessages const &) = delete;
    PostedMessages &operator=(PostedMessages const &) = delete;

    std::vector<StopReport> Stops();
    // Waits up to milliseconds for count stop messages in all.
    bool WaitForStops(size_t count, unsigned milliseconds);

private:
    static void Receive(InterThreadMessage *message);
    InterThreadReceiver previous_;
};

// Waits up to milliseconds for the condition, polling.
bool WaitUntil(std::function<bool()> const &condition, unsigned milliseconds);

// A file of the test sound device ("playback.raw", "capture.raw").
std::string SoundFile(char const *name);
// What the device wrote since the file was last emptied.
std::string PlayedBytes();
// Empties the playback file, so that the next playback stands at its start.
void ClearPlayed();
// The bytes the device format holds for frames first..first+count of the object.
std::string DeviceBytes(FrameObject const &object, SamplePattern const &device, int first, int count);

// seconds of a known 16-bit stereo signal, left and right apart, in the capture file.
std::vector<int16_t> CaptureSignal(int seconds);
// The test device reads its file ahead of time and skips what overflows: a recording is
// runs of the file, in order, each of whole frames. Holds when the interleaved 16-bit
// samples are so; runs tells how many runs they took.
::testing::AssertionResult IsRunsOfCapture(std::vector<int16_t> const &recorded, std::vector<int16_t> const &signal,
                                           int *runs = nullptr);

// Stands for the shell's main window while it lives: it takes the wave-in device's notices
// and the audio threads' messages (kind 0 handled as the shell does, the others dropped),
// keeps the waves opened in windows and the texts of the failures posted to the thread.
class MainWindowStandIn : public WaveWindowLink {
public:
    MainWindowStandIn();
    ~MainWindowStandIn() override;
    MainWindowStandIn(MainWindowStandIn const &) = delete;
    MainWindowStandIn &operator=(MainWindowStandIn const &) = delete;

    void OpenWaveWindow(Wave &wave, ViewMemento const *memento) override;
    // Handles what arrives until the condition holds, at most milliseconds.
    bool PumpUntil(std::function<bool()> const &condition, unsigned milliseconds);

    HWND window;
    std::vector<std::unique_ptr<Wave>> opened;
    std::vector<std::string> failures;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND previousWindow_;
    WaveWindowLink *previousLink_;
};

// What a background job told the GUI thread at its end.
struct JobEnd {
    int kept;
    int failed;
    int cancelled;
};

// Receives the audio engine's messages (apply asked, job started, job ended) while it
// lives; the others are dropped.
class JobMessages {
public:
    JobMessages();
    ~JobMessages();
    JobMessages(JobMessages const &) = delete;
    JobMessages &operator=(JobMessages const &) = delete;

    std::vector<JobEnd> Ends();
    int Starts();
    int ApplyRequests();

private:
    static void Receive(InterThreadMessage *message);
    InterThreadReceiver previous_;
};

// The background queues' tasks listed now, and the first one's progress (done, total).
int QueueTasks();

// Frames of a channel of a distinct wave (wavetest::DistinctWave(id, ...)) that are not
// its original scaled by factor over first..last and unchanged elsewhere, to one 16-bit step.
int FramesNotScaled(Wave &wave, int id, int channel, int first, int last, double factor);
std::pair<uint32_t, uint32_t> QueueProgress();
// The threads of this process.
int ThreadCount();
// The names of the files in a folder.
std::vector<std::string> FilesIn(std::string const &folder);

}  // namespace enginetest
