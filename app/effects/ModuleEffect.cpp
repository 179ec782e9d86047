#include "effects/ModuleEffect.h"

#include "audio/Wave.h"

namespace {

enum : long { kPerMille = 1000 };

}  // namespace

ModuleEffect::ModuleEffect(EffectFrame &frame, int capacity)
    : frame_(frame), in_(frame.GetWave(), frame.GetFirst(), frame.GetLast()), out_(frame, capacity),
      progress_(kPerMille, frame.GetAction().message, 1) {
    for (int c = 0; c < 2; ++c)
        if (frame.GetChannels() & ChannelBitOfIndex(c))
            io_.read[c] = &in_[c];
    for (int k = 0; k < out_.Count(); ++k)
        io_.write[k] = &out_[k];
    io_.readChannels = frame.GetChannels();
    io_.writeChannels = AllChannelsMask(out_.Count());
    io_.wide = frame.IsWide();
    InitModuleBlock(block_, io_);
    block_.frames = frame.GetFrames();
    block_.channels = out_.Count();
    block_.rate = int32_t(frame.GetWave().GetRate());
    block_.timeFactor = 1;
    block_.pitchRatio = 1;
}

int ModuleEffect::Run(ModuleProcessEntry entry) {
    written_ = CallModule(entry, block_, io_, progress_);
    in_.Release();
    return written_;
}
