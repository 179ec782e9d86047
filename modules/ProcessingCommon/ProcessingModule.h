// The records and call-backs that the program hands to the processing modules (the
// resampler Pelrin, the time corrector Dastrel and the filter module). One layout for the
// modules and for the effects that call them: 32-bit words on 32-bit Windows, and on
// 64-bit Windows the same words with only the pointers widened. Every function here
// takes its arguments on the stack and the caller removes them.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

typedef void *(__cdecl *ModuleAllocate)(std::int32_t bytes);
typedef void(__cdecl *ModuleFree)(void *memory);
// fraction 0 .. 1 of the work done; answers 1
typedef std::int32_t(__cdecl *ModuleProgress)(float fraction);
// moves up to frames interleaved 16-bit frames; answers the frames moved (0: stop)
typedef std::int32_t(__cdecl *ModuleTransfer)(void *io, std::int16_t *buffer, std::int32_t frames);

// The block of a time correction or resampling: the caller fills every word but the
// last, which the module sets to the frames it wrote.
struct ModuleBlock {
    ModuleAllocate allocate;
    ModuleFree free;
    ModuleProgress progress;
    ModuleTransfer read;
    ModuleTransfer write;
    void *readIo;
    void *writeIo;
    std::int32_t frames;      // input frames
    std::int32_t channels;    // 1 or 2
    std::int32_t rate;        // input sample rate in Hz
    float timeFactor;         // output length relative to the input's
    float pitchRatio;         // Pelrin: input rate / output rate; Dastrel: transposition
    std::int32_t framesOut;   // set by the module
};

typedef std::int16_t(__cdecl *FilterProgress)(std::int32_t unused, float fraction);
// moves up to frames interleaved float frames (full scale 1.0); answers the frames moved
typedef std::int32_t(__cdecl *FilterTransfer)(void *context, float *buffer, std::int32_t frames);

// The job of the filter module: three sections, each skipped when its gain is 0.
struct FilterJob {
    ModuleAllocate allocate;
    ModuleFree release;
    FilterProgress progress;
    FilterTransfer read;
    FilterTransfer write;
    std::int32_t reserved;    // 0
    std::int32_t frames;
    std::int32_t channels;    // 1 or 2
    std::int32_t rate;
    float upperCorner;        // Hz; the gain acts above it
    std::int32_t upperGain;   // dB
    float lowerCorner;        // Hz; the gain acts below it
    std::int32_t lowerGain;
    float bandCentre;         // Hz
    std::int32_t bandGain;
    std::int32_t bandQuality;
    void *context;            // handed back to read and write
};

// The entry points, bound by these names: _TCProcessResampling (Pelrin), _TCProcess and
// _TCExpectedSize (Dastrel), _StartFilter (filter module).
typedef std::int32_t(__cdecl *ModuleProcessEntry)(ModuleBlock *block);
typedef std::int32_t(__cdecl *ModuleExpectedSizeEntry)(std::int32_t frames, float timeFactor);
typedef std::int32_t(__cdecl *FilterEntry)(FilterJob *job);

}  // extern "C"

constexpr std::size_t kModuleWord = sizeof(void *);

static_assert(sizeof(ModuleBlock) == (kModuleWord == 4 ? 52 : 80), "module block layout");
static_assert(offsetof(ModuleBlock, frames) == 7 * kModuleWord, "module block layout");
static_assert(offsetof(ModuleBlock, framesOut) == 7 * kModuleWord + 20, "module block layout");
static_assert(sizeof(FilterJob) == (kModuleWord == 4 ? 68 : 96), "filter job layout");
static_assert(offsetof(FilterJob, frames) == 5 * kModuleWord + 4, "filter job layout");
static_assert(offsetof(FilterJob, context) == (kModuleWord == 4 ? 64 : 88), "filter job layout");
