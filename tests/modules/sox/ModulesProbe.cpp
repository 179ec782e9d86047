// Runs the processing modules on the cases of the sox comparison and measures both sides;
// the script runs sox on the Linux side over the same folder.
//   ModulesProbe make <manifest>      writes <name>.in.raw and our <name>.ours.raw per case
//   ModulesProbe measure <manifest>   prints "<name> | ours | sox | verdict" per case
// A manifest line: <name> <module> <rate> <time> <pitch> <signal> <measure>, where
//   module   pelrin | dastrel
//   signal   sine:<Hz>:<dB>:<seconds> | clicks:<seconds> | dc:<frames>:<value>
//   measure  thdn:<Hz>:<floor dB>:<margin dB> (of the tone near Hz; ours at least floor and at
//            least sox - margin)
//            length (ours as long as sox's, at least 1 frame, and the constant kept)
//            clicks:<stretch> (ours: 15 clicks each within 10 ms of time x stretch; sox's counted)
// Files are raw 16-bit little-endian mono.
#include "tests/modules/ModuleHarness.h"
#include "tests/modules/SignalKit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace modtest;
using namespace signalkit;

struct Case {
    std::string name, module, signal, measure;
    int rate = 44100;
    float time = 1, pitch = 1;
};

std::vector<std::string> Split(std::string const &s, char by) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, by);)
        parts.push_back(part);
    return parts;
}

std::vector<Case> ReadManifest(std::string const &path) {
    std::vector<Case> cases;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        Case c;
        if (words >> c.name >> c.module >> c.rate >> c.time >> c.pitch >> c.signal >> c.measure)
            cases.push_back(c);
    }
    return cases;
}

std::string Folder(std::string const &manifest) { return manifest.substr(0, manifest.find_last_of("\\/") + 1); }

void Save(std::string const &path, std::vector<std::int16_t> const &s) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const *>(s.data()), s.size() * 2);
}

std::vector<std::int16_t> Load(std::string const &path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> s(bytes.size() / 2);
    std::copy(bytes.begin(), bytes.begin() + s.size() * 2, reinterpret_cast<char *>(s.data()));
    return s;
}

std::vector<long> ClickTimes(double rate) {
    std::vector<long> at;
    for (int i = 0; i < 15; ++i)
        at.push_back(long(rate * (0.3 + 0.25 * i)));
    return at;
}

std::vector<std::int16_t> Signal(Case const &c) {
    std::vector<std::string> const p = Split(c.signal, ':');
    if (p[0] == "sine")
        return ToSamples(Sine(long(std::stod(p[3]) * c.rate), std::stod(p[1]), c.rate, FullScale(std::stod(p[2]))));
    if (p[0] == "clicks")
        return ToSamples(ClickTrack(long(std::stod(p[1]) * c.rate), c.rate, ClickTimes(c.rate)));
    return std::vector<std::int16_t>(std::stol(p[1]), std::int16_t(std::stoi(p[2])));
}

void Make(std::string const &manifest) {
    for (Case const &c : ReadManifest(manifest)) {
        Run16 run;
        run.input = Signal(c);
        Save(Folder(manifest) + c.name + ".in.raw", run.input);
        run.Run(c.module == "pelrin" ? Loaded().resample : Loaded().correct, c.rate, c.time, c.pitch);
        Save(Folder(manifest) + c.name + ".ours.raw", run.output);
    }
}

double Thdn(std::vector<std::int16_t> const &s, double hz, double rate) {
    std::vector<double> const y = ToSignal(s);
    long const edge = long(y.size()) / 10;
    if (y.size() < 100)
        return 0;
    // the tone's own frequency, which a float pitch ratio moves by a few millionths
    double const f = MeasureFrequency(y, hz, rate, edge, long(y.size()) - edge);
    return FitSine(y, f, rate, edge, long(y.size()) - edge).thdnDb;
}

// clicks found, and the largest distance (ms) of one from its place
std::string Clicks(std::vector<std::int16_t> const &s, double rate, double stretch, bool &inPlace) {
    std::vector<Peak> const peaks = FindPeaks(ToSignal(s), FullScale(-12), long(rate * 0.05));
    std::vector<long> const at = ClickTimes(rate);
    double worst = 0;
    for (size_t i = 0; i < peaks.size() && i < at.size(); ++i)
        worst = std::max(worst, std::fabs(peaks[i].at - at[i] * stretch) / rate * 1000);
    inPlace = peaks.size() == at.size() && worst <= 10;
    char text[64];
    std::snprintf(text, sizeof text, "%zu clicks, %.1f ms off", peaks.size(), worst);
    return text;
}

std::string Figure(double v, char const *unit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", v, unit);
    return text;
}

void Measure(std::string const &manifest) {
    for (Case const &c : ReadManifest(manifest)) {
        std::vector<std::int16_t> const ours = Load(Folder(manifest) + c.name + ".ours.raw");
        std::vector<std::int16_t> const sox = Load(Folder(manifest) + c.name + ".sox.raw");
        std::vector<std::string> const m = Split(c.measure, ':');
        double const outRate = c.module == "pelrin" ? std::round(c.rate / double(c.pitch)) : c.rate;
        std::string mine, theirs;
        bool ok = false;
        if (m[0] == "thdn") {
            double const a = Thdn(ours, std::stod(m[1]), outRate), b = Thdn(sox, std::stod(m[1]), outRate);
            mine = Figure(a, "dB"), theirs = Figure(b, "dB");
            ok = a >= std::stod(m[2]) && a >= b - std::stod(m[3]);
        } else if (m[0] == "length") {
            std::vector<std::int16_t> const in = Signal(c);
            bool const kept = !ours.empty() && std::all_of(ours.begin(), ours.end(), [&](std::int16_t v) { return v == in[0]; });
            mine = std::to_string(ours.size()) + " frames" + (kept ? "" : ", constant lost");
            theirs = std::to_string(sox.size()) + " frames";
            ok = kept && ours.size() == sox.size();
        } else {
            bool inPlace = false, unused;
            mine = Clicks(ours, c.rate, std::stod(m[1]), inPlace);
            theirs = Clicks(sox, c.rate, std::stod(m[1]), unused);
            ok = inPlace;
        }
        std::printf("%-18s | %-24s | %-24s | %s\n", c.name.c_str(), mine.c_str(), theirs.c_str(), ok ? "ok" : "FAIL");
    }
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3 || !Loaded().resample || !Loaded().correct) {
        std::fprintf(stderr, "usage: ModulesProbe make|measure <manifest> (with the modules in system\\)\n");
        return 2;
    }
    std::string const command = argv[1];
    if (command == "make")
        Make(argv[2]);
    else
        Measure(argv[2]);
    return 0;
}
