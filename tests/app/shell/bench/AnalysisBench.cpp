// The speed of the frequency analysis. First 2048-point transforms of a real block a second,
// in one run: the analysis's Hartley transform, a direct sum of the Fourier coefficients
// and a plain radix-2 complex transform (each from a fresh copy of the block). Then, with a
// folder holding hour.wav (a one-hour 44.1 kHz 16-bit stereo file made by AudioFileBench),
// the milliseconds of the analysis of its whole selection on both channels, the file's
// pages cached, median of five.
// Usage: AnalysisBench [folder]
#include "shell/FFT3DDoc.h"
#include "shell/HartleyTransform.h"

#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "foundation/File.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

int const kSize = 2048;
double const kPi = 3.14159265358979323846;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// Runs of the transform a second, over at least a second.
double PerSecond(std::function<void()> const &transform) {
    transform();
    long runs = 0;
    double start = Now(), elapsed = 0;
    while (elapsed < 1.0) {
        for (int i = 0; i < 8; ++i)
            transform();
        runs += 8;
        elapsed = Now() - start;
    }
    return runs / elapsed;
}

// The coefficients summed one by one from a table of the N angles.
class DirectTransform {
public:
    DirectTransform() : cos_(kSize), sin_(kSize), out_(kSize) {
        for (int i = 0; i < kSize; ++i)
            cos_[i] = std::cos(2 * kPi * i / kSize), sin_[i] = std::sin(2 * kPi * i / kSize);
    }
    void Transform(double const *x) {
        for (int k = 0; k < kSize; ++k) {
            double re = 0, im = 0;
            for (int n = 0, a = 0; n < kSize; ++n, a = (a + k) & (kSize - 1))
                re += x[n] * cos_[a], im -= x[n] * sin_[a];
            out_[k] = std::complex<double>(re, im);
        }
    }

private:
    std::vector<double> cos_, sin_;
    std::vector<std::complex<double>> out_;
};

// The textbook iterative radix-2 transform of complex values, the block's as real parts.
class ComplexTransform {
public:
    ComplexTransform() : twiddle_(kSize / 2), data_(kSize) {
        for (int i = 0; i < kSize / 2; ++i)
            twiddle_[i] = std::polar(1.0, -2 * kPi * i / kSize);
    }
    void Transform(double const *x) {
        for (int i = 0, j = 0; i < kSize; ++i) {
            data_[j] = x[i];
            for (int bit = kSize >> 1; (j ^= bit) < bit; bit >>= 1) {
            }
        }
        for (int len = 2; len <= kSize; len <<= 1)
            for (int start = 0; start < kSize; start += len)
                for (int k = 0; k < len / 2; ++k) {
                    std::complex<double> t = twiddle_[k * (kSize / len)] * data_[start + k + len / 2];
                    data_[start + k + len / 2] = data_[start + k] - t;
                    data_[start + k] += t;
                }
    }

private:
    std::vector<std::complex<double>> twiddle_, data_;
};

void Transforms() {
    std::vector<double> block(kSize), work(kSize);
    for (int i = 0; i < kSize; ++i)
        block[i] = 16000 * std::sin(2 * kPi * 46.4 * i / kSize) + (i * 7919 % 2001) - 1000;
    HartleyTransform hartley(kSize);
    DirectTransform direct;
    ComplexTransform complex;
    double h = PerSecond([&] {
        std::memcpy(work.data(), block.data(), kSize * sizeof(double));
        hartley.Transform(work.data());
    });
    double d = PerSecond([&] { direct.Transform(block.data()); });
    double c = PerSecond([&] { complex.Transform(block.data()); });
    std::printf("2048-point transforms a second:\n");
    std::printf("  %-28s %12.0f\n  %-28s %12.0f  (%.0fx slower)\n  %-28s %12.0f  (%.2fx slower)\n",
                "Hartley (the analysis)", h, "direct sum", d, h / d, "plain complex radix-2", c, h / c);
}

void HourAnalysis(char const *folder) {
    TheAudioFileSettings().tempDir = FileName(folder);
    FileName name(folder);
    name += "\\hour.wav";
    if (!File::Exist(name)) {
        std::printf("no %s: make it with AudioFileBench <folder> make\n", name.c_str());
        return;
    }
    std::unique_ptr<Wave> wave(
        Wave::CreateWaveFromFile(OpenAudioFile(kAccessUnchosen, name, 0, 1), nullptr, 1, nullptr, 0));
    wave->SetSelection(0, wave->GetLength() - 1, 3, 0);
    std::vector<double> ms;
    for (int run = 0; run < 6; ++run) {
        FFT3DDoc doc;
        double start = Now();
        doc.Analyse(*wave);
        if (run)  // the first brings the pages in
            ms.push_back((Now() - start) * 1000);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("analysis of a one-hour selection (%d frames, both channels): %.1f ms (median of 5)\n",
                wave->GetLength(), ms[ms.size() / 2]);
}

}  // namespace

int main(int argc, char **argv) {
    Transforms();
    if (argc > 1)
        HourAnalysis(argv[1]);
    return 0;
}
