#include "effects/ModuleCalls.h"

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "bars/Progress.h"
#include "effects/EffectSamples.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include "malvane/Malvane.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

enum : unsigned { kTextModuleFailed = 11070 };

enum : long {
    kPerMille = 1000,
    kCancelCheckMs = 100,  // how often the read call-back asks about a cancel
};

// The run of a module: what the context-free progress call-back reports to.
struct ModuleRun {
    AutoProgressBar *progress = nullptr;
    long base = 0;
    unsigned long nextCancelCheck = 0;
};
ModuleRun *_run = nullptr;

// The run for the length of a module call; GUI thread only.
class RunScope {
public:
    RunScope(AutoProgressBar &progress, long base) : previous_(_run) {
        run_.progress = &progress;
        run_.base = base;
        run_.nextCancelCheck = ProgressClock();
        _run = &run_;
    }
    ~RunScope() { _run = previous_; }
    RunScope(RunScope const &) = delete;
    RunScope &operator=(RunScope const &) = delete;

private:
    ModuleRun run_;
    ModuleRun *previous_;
};

int Bits(int mask) { return (mask & 1) + (mask >> 1 & 1); }

// A cancel asked at most every kCancelCheckMs; the first read asks at once.
bool CancelRequested() {
    if (!_run || long(ProgressClock() - _run->nextCancelCheck) < 0)
        return false;
    _run->nextCancelCheck = ProgressClock() + kCancelCheckMs;
    return DetectUserCancel(StatusBar::ReturnOnCancel) != 0;
}

// ---- samples at an iterator: the 16-bit scale, or the 24-bit scale of a wide io

int32_t ReadScaled(WaveInIterator const &it, bool wide) { return wide ? ConvertSampleTo24(it) : ReadSampleValue(it); }

void StoreScaled(WaveOutIterator const &it, int32_t value, bool wide) {
    if (wide)
        WriteSample24(it, value);
    else
        WriteSample16(it, value);
}

// Calls body for each masked channel's iterator in order; false when one has left its range.
template <class It, class Body>
bool ForMasked(It *const (&its)[2], int mask, Body body) {
    int k = 0;
    for (int c = 0; c < 2; ++c) {
        if (!(mask & (1 << c)))
            continue;
        if (!its[c] || !its[c]->IsValid())
            return false;
        body(*its[c], k++);
    }
    return true;
}

template <class It>
void AdvanceMasked(It *const (&its)[2], int mask) {
    for (int c = 0; c < 2; ++c)
        if (mask & (1 << c))
            its[c]->Advance(1);
}

// A transfer call-back's body with every exception kept in the io record.
template <class Io, class Body>
int32_t Guarded(Io &io, Body body) {
    try {
        return body();
    } catch (...) {
        io.failure = std::current_exception();
        return 0;
    }
}

template <class Sample, class Convert>
int32_t ReadFrames(void *context, Sample *buffer, int32_t frames, Convert convert) {
    ModuleIo &io = *static_cast<ModuleIo *>(context);
    return Guarded(io, [&] {
        if (CancelRequested()) {
            io.cancelled = true;
            return 0;
        }
        int per = Bits(io.readChannels);
        int32_t done = 0;
        for (; done < frames; ++done) {
            Sample *frame = buffer + ptrdiff_t(done) * per;
            if (!ForMasked(io.read, io.readChannels,
                           [&](WaveInIterator &it, int k) { frame[k] = convert(io, ReadScaled(it, io.wide)); }))
                break;
            AdvanceMasked(io.read, io.readChannels);
        }
        return done;
    });
}

template <class Sample, class Convert>
int32_t WriteFrames(void *context, Sample const *buffer, int32_t frames, Convert convert) {
    ModuleIo &io = *static_cast<ModuleIo *>(context);
    return Guarded(io, [&] {
        int per = Bits(io.writeChannels);
        int32_t done = 0;
        for (; done < frames; ++done) {
            Sample const *frame = buffer + ptrdiff_t(done) * per;
            if (!ForMasked(io.write, io.writeChannels,
                           [&](WaveOutIterator &it, int k) { StoreScaled(it, convert(io, frame[k]), io.wide); })) {
                io.writeRefused = true;
                break;
            }
            AdvanceMasked(io.write, io.writeChannels);
        }
        io.framesWritten += done;
        return done;
    });
}

// ---- the call-backs of the block and the job

void *__cdecl Allocate(int32_t bytes) { return bytes < 0 ? nullptr : NH_Heap::GetDefault().AllocMem(bytes); }

void __cdecl Free(void *memory) { NH_Heap::FreeMem(memory); }

// The bar paces itself; a failing gauge is no reason to stop the module.
int32_t __cdecl Progress(float fraction) {
    if (_run) {
        try {
            _run->progress->NotifyProgress(long(fraction * kPerMille + _run->base), StatusBar::NoCancelCheck);
        } catch (...) {
        }
    }
    return 1;
}

int16_t __cdecl FilterJobProgress(int32_t, float fraction) { return int16_t(Progress(fraction)); }

int32_t Sample16(ModuleIo const &io, int32_t value) { return io.wide ? value >> 8 : value; }

int32_t __cdecl Read16(void *context, int16_t *buffer, int32_t frames) {
    return ReadFrames(context, buffer, frames, [](ModuleIo const &io, int32_t v) { return int16_t(Sample16(io, v)); });
}

int32_t __cdecl Write16(void *context, int16_t *buffer, int32_t frames) {
    return WriteFrames(context, static_cast<int16_t const *>(buffer), frames,
                       [](ModuleIo const &io, int16_t v) { return io.wide ? int32_t(v) * 256 : int32_t(v); });
}

double FullScale(ModuleIo const &io) { return io.wide ? 8388608.0 : 32768.0; }

int32_t __cdecl ReadFloat(void *context, float *buffer, int32_t frames) {
    return ReadFrames(context, buffer, frames, [](ModuleIo &io, int32_t v) {
        float value = float(v / FullScale(io));
        io.largestInput = std::max(io.largestInput, std::fabs(value));
        return value;
    });
}

int32_t __cdecl WriteFloat(void *context, float *buffer, int32_t frames) {
    return WriteFrames(context, static_cast<float const *>(buffer), frames, [](ModuleIo const &io, float v) {
        double full = FullScale(io);
        double value = std::min(std::max(double(v) * full, -full), full - 1);
        return int32_t(value);
    });
}

// ---- the mix writer

// The buffer's values of a frame for the left and the right side.
void SidesOf(MixIo const &mix, int16_t const *frame, int32_t (&side)[2]) {
    if (mix.mono)
        side[0] = side[1] = frame[0];
    else {
        int k = 0;
        for (int s = 0; s < 2; ++s)
            side[s] = mix.bufferChannels & (1 << s) ? frame[k++] : 0;
    }
    if (mix.swap)
        std::swap(side[0], side[1]);
}

void StoreInt32(WaveOutIterator const &it, int32_t value) {
    std::memcpy(it.channelData_ + 4 * (ptrdiff_t(it.fileChannels_) * it.offset_), &value, sizeof value);
}

// One output side of a frame: false when its work channel is full.
bool MixSide(MixIo &mix, int s, int32_t value) {
    WaveOutIterator *out = mix.write[s];
    if (!out || !out->IsValid() || !out->channelData_)
        return false;
    int64_t sum = 0;
    if (mix.dryLeft[s] > 0 && mix.dry[s]) {
        sum = ReadSampleValue(*mix.dry[s]);
        mix.dry[s]->Advance(1);
        --mix.dryLeft[s];
    }
    if (mix.mono || (mix.bufferChannels & (1 << s)))
        sum += int64_t(value) * mix.percent[s] / 100;
    int32_t stored = int32_t(std::min<int64_t>(std::max<int64_t>(sum, INT32_MIN), INT32_MAX));
    mix.largest = std::max(mix.largest, stored == INT32_MIN ? INT32_MAX : std::abs(stored));
    StoreInt32(*out, stored);
    out->Advance(1);
    ++mix.written[s];
    return true;
}

int32_t __cdecl MixWrite(void *context, int16_t *buffer, int32_t frames) {
    MixIo &mix = *static_cast<MixIo *>(context);
    return Guarded(mix, [&] {
        int per = mix.mono ? 1 : Bits(mix.bufferChannels);
        int32_t done = 0;
        for (; done < frames; ++done) {
            int32_t side[2];
            SidesOf(mix, buffer + ptrdiff_t(done) * per, side);
            for (int s = 0; s < 2; ++s)
                if ((mix.outputChannels & (1 << s)) && !MixSide(mix, s, side[s])) {
                    mix.writeRefused = true;
                    return done;
                }
        }
        return done;
    });
}

// ---- raising what the call-backs kept

[[noreturn]] void ThrowModuleFailed() { throw Exception(String(FindString(kTextModuleFailed))); }

void RaiseKept(std::exception_ptr const &failure, bool refused) {
    if (failure)
        std::rethrow_exception(failure);
    ThrowIfUserCancel();
    if (refused)
        ThrowModuleFailed();
}

void CheckOutput(int32_t inputFrames, int32_t reported, int32_t written) {
    if (reported != written || (inputFrames > 0 && written <= 0))
        ThrowModuleFailed();
}

}  // namespace

void InitModuleBlock(ModuleBlock &block, ModuleIo &io) {
    std::memset(&block, 0, sizeof block);
    block.allocate = &Allocate;
    block.free = &Free;
    block.progress = &Progress;
    block.read = &Read16;
    block.write = &Write16;
    block.readIo = &io;
    block.writeIo = &io;
}

void InitFilterJob(FilterJob &job, ModuleIo &io) {
    std::memset(&job, 0, sizeof job);
    job.allocate = &Allocate;
    job.release = &Free;
    job.progress = &FilterJobProgress;
    job.read = &ReadFloat;
    job.write = &WriteFloat;
    job.context = &io;
}

void UseMixWriter(ModuleBlock &block, MixIo &mix) {
    block.write = &MixWrite;
    block.writeIo = &mix;
}

int32_t CallModule(ModuleProcessEntry entry, ModuleBlock &block, ModuleIo &io, AutoProgressBar &progress, long base) {
    {
        RunScope run(progress, base);
        entry(&block);
    }
    RaiseKept(io.failure, io.writeRefused);
    CheckOutput(block.frames, block.framesOut, io.framesWritten);
    return io.framesWritten;
}

int32_t CallModule(FilterEntry entry, FilterJob &job, ModuleIo &io, AutoProgressBar &progress, long base) {
    {
        RunScope run(progress, base);
        entry(&job);
    }
    RaiseKept(io.failure, io.writeRefused);
    // The filter keeps the length: every input frame comes back.
    CheckOutput(job.frames, job.frames, io.framesWritten);
    return io.framesWritten;
}

int32_t CallModule(ModuleProcessEntry entry, ModuleBlock &block, ModuleIo &io, MixIo &mix, AutoProgressBar &progress,
                   long base) {
    {
        RunScope run(progress, base);
        entry(&block);
    }
    RaiseKept(io.failure ? io.failure : mix.failure, io.writeRefused || mix.writeRefused);
    int32_t written = std::max(mix.written[0], mix.written[1]);
    CheckOutput(block.frames, block.framesOut, written);
    return written;
}

int32_t __cdecl RunCopyPass(ModuleBlock *block) {
    enum : int32_t { kBufferBytes = 80000, kPiece = 4000 };
    auto *buffer = static_cast<int16_t *>(block->allocate(kBufferBytes));
    if (!buffer)
        return 0;
    int32_t total = block->frames, remaining = total, written = 0;
    while (remaining > 0) {
        block->progress(1 - float(remaining) / float(total));
        int32_t want = std::min(block->channels * kPiece, remaining);
        int32_t got = block->read(block->readIo, buffer, want);
        int32_t put = got > 0 ? block->write(block->writeIo, buffer, got) : 0;
        written += put;
        remaining -= got;
        if (got < want || put < got)
            break;
    }
    block->framesOut = written;
    block->free(buffer);
    return written;
}
