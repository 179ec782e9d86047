// Speed of the processing modules over a long stereo file (not a test; the script
// processing-bench.sh runs it beside sox):
//   ProcessingBench resample|stretch|equalise <in.raw> <out.raw>
//       Pelrin 44.1 to 48 kHz, Dastrel to 0.8 of the length, the equaliser (a +6 dB band at
//       1 kHz, Q 2, and +6 dB above 3 kHz); prints seconds, times real time and peak memory
//   ProcessingBench thdn <file.raw> <channel> <rate> <Hz> <from seconds> <seconds>
//       THD+N of a tone in one channel of a stretch of the file
// Files are raw 16-bit little-endian stereo at 44.1 kHz.
#include "ProcessingCommon/ProcessingModule.h"
#include "tests/modules/SignalKit.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;

long long live = 0, peak = 0;

void *__cdecl Allocate(std::int32_t bytes) {
    auto *p = static_cast<long long *>(std::malloc(bytes + 16));
    *p = bytes;
    live += bytes;
    peak = live > peak ? live : peak;
    return p + 2;
}

void __cdecl Release(void *memory) {
    auto *p = static_cast<long long *>(memory) - 2;
    live -= *p;
    std::free(p);
}

std::int32_t __cdecl Progress(float) { return 1; }
std::int16_t __cdecl JobProgress(std::int32_t, float) { return 1; }

struct Files {
    FILE *in, *out;
};

std::int32_t __cdecl Read16(void *io, std::int16_t *buffer, std::int32_t frames) {
    return std::int32_t(std::fread(buffer, 4, frames, static_cast<Files *>(io)->in));
}
std::int32_t __cdecl Write16(void *io, std::int16_t *buffer, std::int32_t frames) {
    return std::int32_t(std::fwrite(buffer, 4, frames, static_cast<Files *>(io)->out));
}

std::int32_t __cdecl ReadFloat(void *io, float *buffer, std::int32_t frames) {
    std::vector<std::int16_t> s(2 * frames);
    std::int32_t const got = Read16(io, s.data(), frames);
    for (int i = 0; i < 2 * got; ++i)
        buffer[i] = s[i] / 32768.0f;
    return got;
}

std::int32_t __cdecl WriteFloat(void *io, float *buffer, std::int32_t frames) {
    std::vector<std::int16_t> s(2 * frames);
    for (int i = 0; i < 2 * frames; ++i) {
        float const v = buffer[i] * 32768;
        s[i] = std::int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
    }
    return Write16(io, s.data(), frames);
}

FARPROC Entry(char const *module, char const *name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of('\\'));
    path = path.substr(0, path.find_last_of('\\')) + "\\program\\system\\" + module;
    HMODULE const m = LoadLibraryA(path.c_str());
    return m ? GetProcAddress(m, name) : nullptr;
}

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

int Process(std::string const &what, char const *in, char const *out) {
    Files files = {std::fopen(in, "rb"), std::fopen(out, "wb")};
    if (!files.in || !files.out)
        return 1;
    std::fseek(files.in, 0, SEEK_END);
    long long const frames = std::ftell(files.in) / 4;
    std::fseek(files.in, 0, SEEK_SET);
    double const start = Seconds();
    if (what == "equalise") {
        FilterJob job = {Allocate, Release, JobProgress, ReadFloat, WriteFloat, 0, std::int32_t(frames), 2, kRate,
                         3000, 6, 200, 0, 1000, 6, 2, &files};
        reinterpret_cast<FilterEntry>(Entry("filter.dll", "_StartFilter"))(&job);
    } else {
        bool const resample = what == "resample";
        ModuleBlock block = {Allocate, Release, Progress, Read16, Write16, &files, &files, std::int32_t(frames), 2, kRate,
                             resample ? 0.0f : 0.8f, resample ? float(44100.0 / 48000) : 1.0f, 0};
        auto const entry = resample ? Entry("Pelrin.dll", "_TCProcessResampling") : Entry("Dastrel.dll", "_TCProcess");
        reinterpret_cast<ModuleProcessEntry>(entry)(&block);
    }
    double const seconds = Seconds() - start;
    std::fclose(files.in);
    std::fclose(files.out);
    std::printf("%.1f s, %.1f x real time, peak memory %.1f MiB\n", seconds, double(frames) / kRate / seconds,
                double(peak) / (1 << 20));
    return 0;
}

int Thdn(char const *file, int channel, double rate, double hz, double from, double seconds) {
    FILE *f = std::fopen(file, "rb");
    if (!f)
        return 1;
    std::vector<std::int16_t> s(std::size_t(2 * rate * seconds));
    std::fseek(f, long(from * rate) * 4, SEEK_SET);
    s.resize(std::fread(s.data(), 2, s.size(), f));
    std::fclose(f);
    std::vector<double> const y = signalkit::ToSignal(s, 2, channel);
    std::printf("%.1f dB\n", signalkit::FitSine(y, hz, rate, 0, long(y.size())).thdnDb);
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    std::string const what = argc > 1 ? argv[1] : "";
    if (argc == 4 && (what == "resample" || what == "stretch" || what == "equalise"))
        return Process(what, argv[2], argv[3]);
    if (argc == 8 && what == "thdn")
        return Thdn(argv[2], std::atoi(argv[3]), std::atof(argv[4]), std::atof(argv[5]), std::atof(argv[6]),
                    std::atof(argv[7]));
    std::fprintf(stderr, "usage: ProcessingBench resample|stretch|equalise <in> <out> | thdn <file> ...\n");
    return 2;
}
