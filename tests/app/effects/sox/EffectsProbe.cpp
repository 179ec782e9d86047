// Gain, normalize and the fades beside sox, and the benchmark of gain and normalize.
//   EffectsProbe make <folder>      writes the inputs (<fixture>.raw), our outputs
//                                   (<case>.ours.raw) and sox.txt, a line a sox run:
//                                   "<fixture> <channels> <output> <sox effect...>"
//   EffectsProbe measure <folder>   prints "<check> | max difference | identical | verdict"
//   EffectsProbe bench <wav file>   gain -6 dB, then normalize, of the file with undo on:
//                                   "gain <seconds>" and "normalize <seconds>"
// Raw files are 16-bit little-endian, channels interleaved.
#include "audio/Wave.h"
#include "effects/Fade.h"
#include "effects/Gain.h"
#include "effects/Normalize.h"

#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/effects/EffectTestKit.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace effecttest;
using Effect = std::function<void(Wave &)>;

// A constant the fade's length divides: both sides fade it in whole steps.
enum : int { kNoiseFrames = 44100, kConstantFrames = 10001, kConstant = 20000 };

struct Fixture {
    char const *name;
    std::vector<Samples> channels;
};

std::vector<Fixture> Fixtures() {
    return {
        {"noise", {Noise(kNoiseFrames, 12000, 1), Noise(kNoiseFrames, 9000, 2)}},
        {"constant", {Samples(kConstantFrames, kConstant)}},
    };
}

// One of our runs and the sox effects whose output it is measured against: at most
// maxDifference apart, and identical in at least identical of the samples.
struct Check {
    std::string sox;
    int maxDifference;
    double identical;
};

struct Case {
    std::string name;
    std::string fixture;
    Effect effect;
    std::vector<Check> checks;
};

Effect Gain(int decibels) {
    return [=](Wave &wave) {
        GainOpcodes record;
        record.factor = GainFactorOf(decibels);
        ApplyGain(wave, 3, 0, wave.GetLength() - 1, record, 1);
    };
}

Effect Normalize() {
    return [](Wave &wave) { NormalizeRange(wave, 3, 0, wave.GetLength() - 1, NormalizerOpcodes(), 1); };
}

Effect Fade(int fadeIn) {
    return [=](Wave &wave) {
        ApplyFade(wave, 3, 0, wave.GetLength() - 1, FadeOpcodes(kFadeLinearLevel, kFadeLinearTime, fadeIn, 0), 1, 1);
    };
}

int32_t PeakOf(Fixture const &fixture) {
    int32_t peak = 0;
    for (Samples const &channel : fixture.channels)
        for (int32_t v : channel)
            peak = std::max(peak, std::abs(v));
    return peak;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (int decibels : {1, -1, 6, -6, 12, -12}) {
        std::string gain = "gain " + std::to_string(decibels);
        cases.push_back({"gain" + std::to_string(decibels), "noise", Gain(decibels), {{gain, 1, 0}}});
    }
    char vol[64];
    std::snprintf(vol, sizeof vol, "vol %.12f", 32767.0 / PeakOf(Fixtures()[0]));
    cases.push_back({"normalize", "noise", Normalize(), {{vol, 1, 0.999}, {"gain -n", 1, 0}}});
    for (Fixture const &f : Fixtures()) {
        std::string last = std::to_string(f.channels[0].size() - 1) + "s";
        bool exact = std::string(f.name) == "constant";
        cases.push_back({std::string("fadein-") + f.name, f.name, Fade(1), {{"fade t " + last, 1, exact ? 1.0 : 0.0}}});
        cases.push_back({std::string("fadeout-") + f.name, f.name, Fade(0),
                         {{"reverse fade t " + last + " reverse", 1, exact ? 1.0 : 0.0}}});
    }
    return cases;
}

Fixture const &FixtureNamed(std::vector<Fixture> const &fixtures, std::string const &name) {
    return *std::find_if(fixtures.begin(), fixtures.end(), [&](Fixture const &f) { return name == f.name; });
}

void WriteRaw(std::string const &path, std::vector<Samples> const &channels) {
    std::string bytes;
    for (size_t i = 0; i < channels[0].size(); ++i)
        for (Samples const &channel : channels) {
            bytes += char(channel[i] & 0xFF);
            bytes += char(channel[i] >> 8 & 0xFF);
        }
    std::ofstream(path, std::ios::binary) << bytes;
}

Samples ReadRaw(std::string const &path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Samples values(bytes.size() / 2);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = int16_t(uint16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8));
    return values;
}

std::string OutputOf(Case const &c, size_t check) { return c.name + ".sox" + std::to_string(check) + ".raw"; }

int Make(std::string const &folder) {
    audiotest::SettingsScope settings(folder);
    wavetest::RecordingPoster poster;
    std::vector<Fixture> const fixtures = Fixtures();
    for (Fixture const &f : fixtures)
        WriteRaw(folder + "\\" + f.name + ".raw", f.channels);
    std::ofstream sox(folder + "\\sox.txt");
    for (Case const &c : Cases()) {
        Fixture const &f = FixtureNamed(fixtures, c.fixture);
        std::unique_ptr<Wave> wave(WaveOf(f.channels));
        c.effect(*wave);
        std::vector<Samples> ours;
        for (int channel = 0; channel < wave->GetNumChannels(); ++channel)
            ours.push_back(SamplesOf(*wave, channel));
        WriteRaw(folder + "\\" + c.name + ".ours.raw", ours);
        for (size_t k = 0; k < c.checks.size(); ++k)
            sox << f.name << " " << f.channels.size() << " " << OutputOf(c, k) << " " << c.checks[k].sox << "\n";
    }
    return 0;
}

int Measure(std::string const &folder) {
    int failed = 0;
    for (Case const &c : Cases())
        for (size_t k = 0; k < c.checks.size(); ++k) {
            Check const &check = c.checks[k];
            Samples ours = ReadRaw(folder + "\\" + c.name + ".ours.raw"), sox = ReadRaw(folder + "\\" + OutputOf(c, k));
            int largest = 0;
            size_t same = 0;
            for (size_t i = 0; i < std::min(ours.size(), sox.size()); ++i) {
                largest = std::max(largest, std::abs(ours[i] - sox[i]));
                same += ours[i] == sox[i];
            }
            double identical = sox.empty() ? 0 : double(same) / double(sox.size());
            bool ok = !sox.empty() && ours.size() == sox.size() && largest <= check.maxDifference &&
                      identical >= check.identical;
            failed += !ok;
            std::printf("%-16s %-38s | %3d | %8.4f %% | %s\n", c.name.c_str(), check.sox.c_str(), largest,
                        100 * identical, ok ? "ok" : "FAILED");
        }
    return failed ? 1 : 0;
}

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Each effect on the wave over the file, its work in temporary files and its undo step kept.
int Bench(std::string const &path) {
    std::string folder = path.substr(0, path.find_last_of('\\'));
    audiotest::SettingsScope settings(folder);
    wavetest::RecordingPoster poster;
    std::unique_ptr<Wave> wave(wavetest::OpenWave(path));
    if (!wave)
        return 1;
    struct Step {
        char const *name;
        Effect effect;
    } const steps[] = {{"gain", Gain(-6)}, {"normalize", Normalize()}};
    for (Step const &step : steps) {
        double start = Now();
        step.effect(*wave);
        std::printf("%s %.3f\n", step.name, Now() - start);
    }
    std::printf("undo %d\n", wave->GetNumUndoMementos());
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: EffectsProbe make|measure <folder> | bench <wav file>\n");
        return 2;
    }
    std::string what = argv[1];
    try {
        if (what == "make")
            return Make(argv[2]);
        if (what == "measure")
            return Measure(argv[2]);
        if (what == "bench")
            return Bench(argv[2]);
    } catch (Exception const &e) {
        std::fprintf(stderr, "%s\n", e.GetText().c_str());
        return 1;
    }
    return 2;
}
