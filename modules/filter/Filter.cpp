// The filter module: runs the equaliser of a filter job over its frames, float in and
// float out, exactly as many frames written as read; all gains 0 copy the frames as they are.
#include "Dsp/BlockIo.h"
#include "Dsp/Equaliser.h"
#include "ProcessingCommon/ProcessingModule.h"

namespace {

bool UsableJob(FilterJob const &j) {
    return j.allocate && j.release && j.read && j.write && j.frames > 0 && (j.channels == 1 || j.channels == 2) &&
           j.rate > 0;
}

dsp::EqSettings SettingsOf(FilterJob const &j) {
    dsp::EqSettings s;
    s.rate = j.rate;
    s.upperCorner = j.upperCorner;
    s.upperGain = j.upperGain;
    s.lowerCorner = j.lowerCorner;
    s.lowerGain = j.lowerGain;
    s.bandCentre = j.bandCentre;
    s.bandGain = j.bandGain;
    s.bandQuality = j.bandQuality;
    return s;
}

// Filters one block of interleaved frames in place.
void Apply(dsp::Equaliser &eq, float *frames, int count, int channels, double *const *planar) {
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c)
            planar[c][i] = frames[i * channels + c];
    eq.Run(planar, count);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c)
            frames[i * channels + c] = float(planar[c][i]);
}

std::int32_t Filter(FilterJob const &job) {
    if (!UsableJob(job))
        return 0;
    int const block = dsp::Equaliser::kMaxBlock;
    dsp::Arena arena(job.allocate, job.release);
    dsp::Equaliser eq;
    float *frames = arena.Take<float>(std::size_t(block) * job.channels);
    double *planar[2] = {arena.Take<double>(block), arena.Take<double>(block)};
    if (!eq.Init(arena, SettingsOf(job), job.channels) || arena.Failed())
        return 0;
    dsp::ProgressReport progress(job.progress);
    progress.Report(0, job.frames);
    std::int32_t done = 0;
    while (done < job.frames) {
        int const want = job.frames - done < block ? job.frames - done : block;
        if (job.read(job.context, frames, want) < want)
            break;
        if (!eq.Bypassed())
            Apply(eq, frames, want, job.channels, planar);
        if (job.write(job.context, frames, want) < want)
            break;
        done += want;
        progress.Report(done, job.frames);
    }
    return done;
}

}  // namespace

extern "C" std::int32_t __cdecl FilterStart(FilterJob *job) {
    try {
        return job ? Filter(*job) : 0;
    } catch (...) {
        return 0;
    }
}
