// Where a processing stage takes its frames from.
#pragma once

namespace dsp {

class FrameSource {
public:
    // Fills up to frames frames of each channel (planar) and answers the frames delivered;
    // fewer than asked only when the source stopped (a cancel, a failure or its end).
    virtual int Pull(double *const *channels, int frames) = 0;

protected:
    ~FrameSource() = default;
};

}  // namespace dsp
