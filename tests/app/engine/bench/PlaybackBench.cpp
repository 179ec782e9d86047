// Plays a 60-second 44.1 kHz 16-bit stereo WAV file through the playback and the wave-out
// device and reports the CPU it took (process times, and those of the playback's own
// threads), and the time from Play to the first buffer written to the device.
// Usage: PlaybackBench [folder] (default: the system's temporary folder)
#include "audio/AudioFile.h"
#include "audio/AudioObject.h"
#include "audio/SampleConversion.h"
#include "engine/AudioState.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int const kRate = 44100;
int const kFrames = 60 * kRate;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

double Seconds(FILETIME const &time) {
    return double((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
}

// User and kernel seconds of the process, or of one thread.
double ProcessCpu() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

double ThreadCpu(Thread const &thread) {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(thread.GetThreadHandle(), &created, &ended, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

double OwnThreadsCpu() {
    AudioState &state = TheAudioState();
    return ThreadCpu(state.playback) + ThreadCpu(state.playback.GetPlayer()) + ThreadCpu(state.server);
}

// A sweep in both channels.
void MakeFile(FileName const &name) {
    List<FileChunk> chunks;
    int64_t size = 0;
    delete CreateAudioFileForWriting(name, kAccessMapped, kTypeRiff, 0, SamplePattern(kPcm16, 2, 1, kRate), chunks,
                                     kFrames, size);
    File file(name, File::kReadWrite);
    file.SeekEnd();
    std::vector<int16_t> samples(2 * size_t(kFrames));
    for (int i = 0; i < kFrames; ++i)
        samples[2 * size_t(i)] = samples[2 * size_t(i) + 1] = int16_t(i % 65536 - 32768);
    file.Write(samples.data(), static_cast<unsigned long>(samples.size() * 2));
}

// The samples of an audio file, mapped whole, as an audio object.
class MappedFileObject : public AudioObject {
public:
    explicit MappedFileObject(AudioFile &file)
        : AudioObject(file), file_(file), mapping_(file.GetName(), File::kRead),
          data_(mapping_.GetStart() + file.GetDataOffset()) {}

    int GetLength() const override { return file_.GetLength(); }
    int ReadFloatFrames(Task *, float *const *outputs, int offset, int first, int count) override {
        DeinterleaveToFloat(data_, first, GetNumChannels(), -1, count, outputs, offset, 0, GetFlags());
        return count;
    }
    Task *CreateReadTask(ChannelSet const &) override { return new Task; }
    int GetChannelWithData(int channel) const override { return ChannelBitOfIndex(channel); }
    void SelectRegionAt(int, int, int) override {}
    void SetActiveChannels(int, int) override {}
    void NotifyViews(int, long, long) override {}
    int InsertAudioFile(int, int, int, AudioFile *, MarkerSet *, int, int, String const &) override { return 0; }

private:
    AudioFile &file_;
    MappedFile mapping_;
    char const *data_;
};

void WaitWhilePlaying(Playback &playback, MappedFileObject const &object) {
    while (playback.IsPlaying(&object) || IsWaveOutOpen())
        Sleep(10);
}

// Play to the first buffer on the device, rounds times; the times in ms, sorted.
std::vector<double> StartLatencies(Playback &playback, MappedFileObject &object, int rounds) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        object.Play(0, kPlayFromFrame, (round * 9973) % (kFrames / 2), 0, nullptr);
        while (playback.GetPlayer().GetFramesWritten() == 0 && Now() - start < 5)
            ;
        times.push_back((Now() - start) * 1000);
        playback.StopAndWait();
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace

int main(int argc, char **argv) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = argc > 1 ? argv[1] : temp;
    FileName name((folder + "\\tessaro-playback-bench.wav").c_str());
    if (!File::Exist(name, File::kFile))
        MakeFile(name);
    AudioFile *file = OpenAudioFile(kAccessMapped, name, 0, 1);
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", name.c_str());
        return 1;
    }
    AttachGuiThreadToAudio();
    Playback &playback = ThePlaybackEngine();
    {
        MappedFileObject object(*file);

        std::vector<double> latencies = StartLatencies(playback, object, 20);
        std::printf("Play to the first buffer written: median %.1f ms, fastest %.1f ms, slowest %.1f ms (20 starts)\n",
                    latencies[latencies.size() / 2], latencies.front(), latencies.back());

        double idleStart = Now(), idleCpu = ProcessCpu();
        Sleep(2000);
        double idleShare = (ProcessCpu() - idleCpu) / (Now() - idleStart);

        double start = Now(), cpu = ProcessCpu(), own = OwnThreadsCpu();
        object.Play(0, kPlayFromFrame, 0, 0, nullptr);
        Sleep(100);
        WaitWhilePlaying(playback, object);
        double wall = Now() - start;
        double used = ProcessCpu() - cpu;
        double ownUsed = OwnThreadsCpu() - own;
        double audio = double(kFrames) / kRate;
        std::printf("Playing %.0f s of 44.1 kHz 16-bit stereo took %.2f s on the device\n", audio, wall);
        std::printf("  process CPU %.2f s: %.1f %% of one core while playing, %.2f %% per second of audio\n", used,
                    100 * used / wall, 100 * used / audio);
        std::printf("  the playback, server and player threads %.3f s: %.2f %% of one core while playing, "
                    "%.3f %% per second of audio\n",
                    ownUsed, 100 * ownUsed / wall, 100 * ownUsed / audio);
        std::printf("  the process at rest: %.2f %% of one core\n", 100 * idleShare);
    }
    TheAudioState().playback.Shutdown();
    file->DetachFromWave();
    return 0;
}
