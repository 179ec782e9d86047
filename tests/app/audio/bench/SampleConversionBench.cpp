// Converts blocks of 2048 stereo frames of every standard word to floats and back, takes
// their peaks and reads them sample by sample, and prints million frames a second for each.
// Usage: SampleConversionBench [million frames a routine, default 20]
#include "audio/SampleConversion.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

int const kFrames = 2048;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Runs one block routine often enough for the frames asked; million frames a second.
template <class Routine>
double Rate(long blocks, Routine &&routine) {
    double start = Now();
    for (long i = 0; i < blocks; ++i)
        routine();
    return blocks * double(kFrames) / 1e6 / (Now() - start);
}

}  // namespace

int main(int argc, char **argv) {
    long blocks = (argc > 1 ? std::atol(argv[1]) : 20) * 1000000L / kFrames;
    struct {
        uint32_t word;
        char const *name;
    } const words[] = {{kUnsigned8, "8-bit unsigned"},   {kMuLaw8, "8-bit mu-law"}, {kPcm16, "16-bit"},
                       {kPcm16Big, "16-bit big-endian"}, {kPcm20, "20-bit"},        {kPcm24, "24-bit"},
                       {kInt32, "32-bit integer"},       {kFloat32, "32-bit float"}};
    std::vector<float> left(kFrames), right(kFrames);
    for (int i = 0; i < kFrames; ++i)
        left[i] = -(right[i] = float(i % 200 - 100) / 100.0f);
    float *outputs[] = {left.data(), right.data()};
    float const *inputs[] = {left.data(), right.data()};
    std::vector<char> data(size_t(kFrames) * 2 * 4);
    std::printf("%-20s %12s %12s %12s %12s   (million frames/s)\n", "word", "to float", "from float", "peak",
                "one by one");
    float peaks[2];
    long sum = 0;
    for (auto const &w : words) {
        double from = Rate(blocks, [&] { InterleaveFromFloat(inputs, 0, 2, kFrames, data.data(), 0, w.word); });
        double to = Rate(blocks, [&] { DeinterleaveToFloat(data.data(), 0, 2, -1, kFrames, outputs, 0, 0, w.word); });
        double peak = Rate(blocks, [&] { ComputeBlockPeak(data.data(), 2, kFrames, peaks, w.word); });
        VirtualFileIterator it;
        it.channelData_ = data.data();
        it.sampleFormat_ = int32_t(w.word);
        it.fileChannels_ = 2;
        double single = Rate(blocks, [&] {
            for (it.offset_ = 0; it.offset_ < kFrames; ++it.offset_)
                sum += ReadSampleValue(it);
        });
        std::printf("%-20s %12.1f %12.1f %12.1f %12.1f\n", w.name, to, from, peak, single);
    }
    std::printf("(check %ld %g)\n", sum, double(peaks[0] + left[1]));
    return 0;
}
