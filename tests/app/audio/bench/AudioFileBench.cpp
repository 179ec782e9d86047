// From a one-hour 44.1 kHz 16-bit stereo WAV file to a ready audio file with its peak file,
// per access kind, with the peak file built and with a valid one; beside them a plain
// ReadFile loop over the same file. Makes the file first when it is missing.
// Usage: AudioFileBench <folder> (audio-file-bench.sh runs it and times cat of the file)
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "foundation/File.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int const kFrames = 44100 * 3600;
int const kFrameBytes = 4;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

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

void ReadFileLoop(FileName const &name) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    std::vector<char> buffer(1 << 20);
    double start = Now();
    long long total = 0;
    DWORD got = 0;
    while (ReadFile(h, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got > 0)
        total += got;
    double seconds = Now() - start;
    CloseHandle(h);
    std::printf("%-40s %7.2f s  %7.1f MB/s\n", "ReadFile loop, 1 MB reads", seconds, total / 1048576.0 / seconds);
}

// Opens the file and its peaks; the seconds of each half.
void OpenWithPeaks(FileName const &name, int kind, char const *what) {
    double start = Now();
    AudioFile *file = OpenAudioFile(kind, name, 0, 1);
    double opened = Now();
    int peaks = file ? file->OpenPeakFile() : 0;
    double done = Now();
    double megabytes = double(kFrames) * kFrameBytes / 1048576.0;
    char label[64];
    std::snprintf(label, sizeof label, "kind %d, %s", kind, what);
    std::printf("%-40s %7.2f s  %7.1f MB/s  (open %.1f ms, peaks %d)\n", label, done - start,
                megabytes / (done - start), (opened - start) * 1000, peaks);
    if (file)
        file->DetachFromWave();
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: AudioFileBench <folder>\n");
        return 2;
    }
    TheAudioFileSettings().tempDir = FileName(argv[1]);
    FileName name(argv[1]);
    name += "\\hour.wav";
    FileName peaks(name);
    peaks.SetExtension("gpk");
    if (!File::Exist(name)) {
        double start = Now();
        MakeFile(name);
        std::printf("%-40s %7.2f s\n", "making the file", Now() - start);
    }
    ReadFileLoop(name);
    for (int kind : {kAccessMapped, kAccessMappedWindows, kAccessCached}) {
        File::Delete(peaks, 0);
        OpenWithPeaks(name, kind, "peak file built");
        OpenWithPeaks(name, kind, "peak file valid");
    }
    ReadFileLoop(name);
    return 0;
}
