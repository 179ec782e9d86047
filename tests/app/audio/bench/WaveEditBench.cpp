// Edits of a stereo wave as the wave window makes them: cut one second and paste it back
// (Remove and Insert of both channels in an undo transaction), then undo and redo the
// paste, at the start, the middle and the end of waves of 1 minute, 10 minutes, 1 hour and
// 3 hours (44.1 kHz 16-bit) whose channels are 1, 100 or 10,000 segments of three files.
// Edits never touch samples, so the files are temporary and sparse. Prints the median of
// five runs of each operation in milliseconds.
// Usage: WaveEditBench [folder for the temporary files]
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "audio/WaveUndo.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int const kRate = 44100;
int const kCut = kRate;  // one second
int const kRuns = 5;
enum { kCutAction = 11031, kPasteAction = 11033 };

double NowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

SamplePattern Stereo16() { return SamplePattern(kPcm16, 2, 1, kRate); }

// Both channels of length frames in segments pieces, taken in turn from three files.
Wave *BuildWave(int length, int segments) {
    int piece = length / segments;
    int64_t fileFrames = segments == 1 ? length : int64_t((segments + 2) / 3) * piece + length % segments;
    // A file no segment uses would never go: only as many as there are segments.
    AudioFile *files[3] = {};
    for (int i = 0; i < std::min(segments, 3); ++i)
        files[i] = CreateWorkAudioFile(kAccessCached, nullptr, Stereo16(), fileFrames * 4);
    std::unique_ptr<Wave> wave(Wave::CreateEmptyWave(Stereo16()));
    for (int c = 0; c < 2; ++c) {
        VirtualFile list(TheSegmentFactory());
        for (int i = 0; i < segments; ++i) {
            int count = i == segments - 1 ? length - piece * (segments - 1) : piece;
            list.InsertSegment(new AudioFileSegment(files[i % 3], (i / 3) * piece, count, c), list.GetLength());
        }
        wave->GetChannel(c).InsertWith(list.Copy(0, length - 1), 0);
    }
    return wave.release();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Times {
    std::vector<double> cut, paste, undo, redo;
};

void EditAt(Wave &wave, int position, Times &times) {
    std::unique_ptr<VirtualFile> clip[2];
    double t0 = NowMs();
    {
        WaveUndoTransaction transaction(wave, WaveUndoMemento::kSamplesAndMarkers, kCutAction);
        for (int c = 0; c < 2; ++c)
            clip[c].reset(wave.GetChannel(c).Cut(position, position + kCut - 1));
        wave.UpdateLength(1);
        transaction.Commit();
    }
    double t1 = NowMs();
    {
        WaveUndoTransaction transaction(wave, WaveUndoMemento::kSamplesAndMarkers, kPasteAction);
        for (int c = 0; c < 2; ++c)
            wave.GetChannel(c).Insert(*clip[c], position);
        wave.UpdateLength(1);
        transaction.Commit();
    }
    double t2 = NowMs();
    wave.UndoCurrentState();
    double t3 = NowMs();
    wave.RedoLastUndoneState();
    double t4 = NowMs();
    times.cut.push_back(t1 - t0);
    times.paste.push_back(t2 - t1);
    times.undo.push_back(t3 - t2);
    times.redo.push_back(t4 - t3);
}

}  // namespace

int main(int argc, char **argv) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    TheAudioFileSettings().tempDir = FileName(argc > 1 ? argv[1] : folder);
    struct Length {
        char const *name;
        int frames;
    } const lengths[] = {{"1 min", 60 * kRate}, {"10 min", 600 * kRate}, {"1 h", 3600 * kRate}, {"3 h", 10800 * kRate}};
    std::printf("%-7s %9s %-6s %8s %8s %8s %8s  (ms, median of %d)\n", "length", "segments", "at", "cut", "paste",
                "undo", "redo", kRuns);
    for (Length const &length : lengths)
        for (int segments : {1, 100, 10000}) {
            std::unique_ptr<Wave> wave(BuildWave(length.frames, segments));
            struct At {
                char const *name;
                int position;
            } const places[] = {{"start", 0}, {"middle", length.frames / 2}, {"end", length.frames - kCut}};
            for (At const &at : places) {
                Times times;
                for (int run = 0; run < kRuns; ++run)
                    EditAt(*wave, at.position, times);
                std::printf("%-7s %9d %-6s %8.3f %8.3f %8.3f %8.3f\n", length.name, segments, at.name,
                            Median(times.cut), Median(times.paste), Median(times.undo), Median(times.redo));
                std::fflush(stdout);
            }
        }
    return 0;
}
