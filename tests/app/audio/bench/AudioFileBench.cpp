// One case of the audio file benchmark on a one-hour 44.1 kHz 16-bit stereo WAV file
// (hour.wav in the folder); prints the case and its seconds. audio-file-bench.sh runs every
// case with the file's pages cached and, where it matters, not cached.
// Usage: AudioFileBench <folder> make | read | built <kind> | valid <kind>
//   make: writes the file when it is missing
//   read: a plain ReadFile loop over it, 1 MB a read
//   built: from the name to a ready audio file with its peak file built (none before)
//   valid: the same with a valid peak file beside it
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "foundation/File.h"

#include "tests/app/audio/bench/HourFileBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int const kFrames = 44100 * 3600;
int const kFrameBytes = 4;

// A slow sweep in both channels, so that every block has a peak of its own.
void MakeFile(FileName const &name) {
    List<FileChunk> chunks;
    int64_t size = 0;
    delete CreateAudioFileForWriting(name, kAccessMapped, kTypeRiff, 0, SamplePattern(kPcm16, 2, 1, 44100), chunks,
                                     kFrames, size);
    File file(name, File::kReadWrite);
    file.SeekEnd();
    std::vector<int16_t> samples(2 * 65536);
    for (int frame = 0; frame < kFrames; frame += 65536) {
        int n = std::min(65536, kFrames - frame);
        for (int i = 0; i < n; ++i)
            samples[2 * i] = samples[2 * i + 1] = int16_t((frame + i) % 65536 - 32768);
        file.Write(samples.data(), static_cast<unsigned long>(n * kFrameBytes));
    }
}

double ReadFileLoop(FileName const &name) {
    double start = hourbench::Seconds();
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    std::vector<char> buffer(1 << 20);
    DWORD got = 0;
    while (ReadFile(h, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got > 0) {
    }
    CloseHandle(h);
    return hourbench::Seconds() - start;
}

// From the name to an open file with its peaks; negative when either failed.
double OpenWithPeaks(FileName const &name, int kind) {
    double start = hourbench::Seconds();
    AudioFile *file = OpenAudioFile(kind, name, 0, 1);
    int peaks = file ? file->OpenPeakFile() : 0;
    double seconds = hourbench::Seconds() - start;
    if (file)
        file->DetachFromWave();
    return peaks ? seconds : -1;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: AudioFileBench <folder> make | read | built <kind> | valid <kind>\n");
        return 2;
    }
    FileName name = hourbench::HourFileIn(argv[1]);
    FileName peaks(name);
    peaks.SetExtension("gpk");
    std::string what = argv[2];
    int kind = argc > 3 ? std::atoi(argv[3]) : kAccessUnchosen;
    double seconds = 0;
    if (what == "make") {
        if (File::Exist(name))
            return 0;
        double start = hourbench::Seconds();
        MakeFile(name);
        seconds = hourbench::Seconds() - start;
    } else if (what == "read") {
        seconds = ReadFileLoop(name);
    } else if (what == "built") {
        File::Delete(peaks, 0);
        seconds = OpenWithPeaks(name, kind);
    } else if (what == "valid") {
        seconds = OpenWithPeaks(name, kind);
    } else {
        return 2;
    }
    std::printf("%s %d %.4f\n", what.c_str(), kind, seconds);
    return seconds < 0;
}
