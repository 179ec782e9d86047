#include "tests/modules/ModuleHarness.h"

#include <windows.h>

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

namespace modtest {

namespace {

std::string SystemFolder() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of('\\'));  // tests
    return path.substr(0, path.find_last_of('\\')) + "\\program\\system\\";
}

FARPROC Bind(char const *module, char const *entry) {
    HMODULE const m = LoadLibraryA((SystemFolder() + module).c_str());
    return m ? GetProcAddress(m, entry) : nullptr;
}

Ledger ledger;
std::map<void *, std::int32_t> blocks;
Trace *tracing = nullptr;

void *__cdecl Allocate(std::int32_t bytes) {
    void *p = std::malloc(bytes > 0 ? bytes : 1);
    blocks[p] = bytes;
    ++ledger.live;
    ledger.bytes += bytes;
    ledger.peak = ledger.bytes > ledger.peak ? ledger.bytes : ledger.peak;
    return p;
}

void __cdecl Release(void *p) {
    auto const it = blocks.find(p);
    if (it == blocks.end())
        return;  // not ours: the ledger shows it as still live
    ledger.bytes -= it->second;
    --ledger.live;
    blocks.erase(it);
    std::free(p);
}

std::int32_t __cdecl Progress(float fraction) {
    if (tracing)
        tracing->progress.push_back(fraction);
    return 1;
}

std::int16_t __cdecl JobProgress(std::int32_t, float fraction) { return std::int16_t(Progress(fraction)); }

// Moves frames between a run's arrays, with its faults.
template <class Run, class Sample>
std::int32_t Read(Run &run, Sample *buffer, std::int32_t frames) {
    Trace &t = run.trace;
    long const total = long(run.input.size()) / run.channels;
    long const done = t.readFrames;
    t.callsAfterStop += t.stopped;
    if (t.reads++ == run.cancelAtRead) {
        t.stopped = true;
        return 0;
    }
    if (frames < 0 || done + frames > total)
        t.pastEnd = true;
    long const n = frames < 0 ? 0 : std::min<long>(frames, total - done);
    std::memcpy(buffer, run.input.data() + done * run.channels, sizeof(Sample) * n * run.channels);
    t.readFrames += n;
    t.stopped = t.stopped || n < frames;
    return std::int32_t(n);
}

template <class Run, class Sample>
std::int32_t Write(Run &run, Sample const *buffer, std::int32_t frames) {
    Trace &t = run.trace;
    ++t.writes;
    t.callsAfterStop += t.stopped;
    long const written = long(run.output.size()) / run.channels;
    long n = frames;
    if (run.acceptFrames >= 0)
        n = std::max(0L, std::min(n, run.acceptFrames - written));
    run.output.insert(run.output.end(), buffer, buffer + n * run.channels);
    t.stopped = t.stopped || n < frames;
    return std::int32_t(n);
}

std::int32_t __cdecl Read16(void *io, std::int16_t *buffer, std::int32_t frames) {
    return Read(*static_cast<Run16 *>(io), buffer, frames);
}
std::int32_t __cdecl Write16(void *io, std::int16_t *buffer, std::int32_t frames) {
    return Write(*static_cast<Run16 *>(io), buffer, frames);
}
std::int32_t __cdecl ReadFloat(void *context, float *buffer, std::int32_t frames) {
    return Read(*static_cast<RunFloat *>(context), buffer, frames);
}
std::int32_t __cdecl WriteFloat(void *context, float *buffer, std::int32_t frames) {
    return Write(*static_cast<RunFloat *>(context), buffer, frames);
}

}  // namespace

Modules const &Loaded() {
    static Modules const modules = [] {
        Modules m;
        m.resample = reinterpret_cast<ModuleProcessEntry>(Bind("Pelrin.dll", "_TCProcessResampling"));
        m.correct = reinterpret_cast<ModuleProcessEntry>(Bind("Dastrel.dll", "_TCProcess"));
        m.expected = reinterpret_cast<ModuleExpectedSizeEntry>(Bind("Dastrel.dll", "_TCExpectedSize"));
        m.filter = reinterpret_cast<FilterEntry>(Bind("filter.dll", "_StartFilter"));
        return m;
    }();
    return modules;
}

Ledger &Memory() { return ledger; }

bool Trace::ProgressRises() const {
    for (size_t i = 0; i < progress.size(); ++i)
        if (progress[i] < 0 || progress[i] > 1 || (i > 0 && progress[i] < progress[i - 1]))
            return false;
    return true;
}

ModuleBlock Run16::Block(int rate, float timeFactor, float pitchRatio) {
    ModuleBlock b = {};
    b.allocate = Allocate;
    b.free = Release;
    b.progress = Progress;
    b.read = Read16;
    b.write = Write16;
    b.readIo = this;
    b.writeIo = this;
    b.frames = std::int32_t(input.size() / channels);
    b.channels = channels;
    b.rate = rate;
    b.timeFactor = timeFactor;
    b.pitchRatio = pitchRatio;
    b.framesOut = -1;
    return b;
}

std::int32_t Run16::Run(ModuleProcessEntry entry, int rate, float timeFactor, float pitchRatio) {
    return Run(entry, Block(rate, timeFactor, pitchRatio));
}

std::int32_t Run16::Run(ModuleProcessEntry entry, ModuleBlock block) {
    output.clear();
    trace = Trace();
    tracing = &trace;
    entry(&block);
    tracing = nullptr;
    framesOut = block.framesOut;
    return framesOut;
}

FilterJob RunFloat::Job(int rate) {
    FilterJob j = {};
    j.allocate = Allocate;
    j.release = Release;
    j.progress = JobProgress;
    j.read = ReadFloat;
    j.write = WriteFloat;
    j.frames = std::int32_t(input.size() / channels);
    j.channels = channels;
    j.rate = rate;
    j.upperCorner = 2000;
    j.lowerCorner = 200;
    j.bandCentre = 800;
    j.bandQuality = 5;
    j.context = this;
    return j;
}

void RunFloat::Run(FilterJob job) {
    output.clear();
    trace = Trace();
    tracing = &trace;
    Loaded().filter(&job);
    tracing = nullptr;
}

}  // namespace modtest
