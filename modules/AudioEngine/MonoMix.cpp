// The engine's own processor: every channel becomes the mean of all.
#include "AudioEngineCommon/ProcessorElement.h"

#include "ElementTypes.h"

namespace {

class MonoMix : public ProcessorElement {
public:
    MonoMix() : ProcessorElement("Mono Mix", "Wqen") {}

protected:
    void Process(float *const *channels, std::int32_t frames) override {
        if (channels_ < 2)
            return;
        for (std::int32_t i = 0; i < frames; ++i) {
            float sum = 0;
            for (std::int32_t c = 0; c < channels_; ++c)
                sum += channels[c][i];
            float mean = sum / float(channels_);
            for (std::int32_t c = 0; c < channels_; ++c)
                channels[c][i] = mean;
        }
    }
};

}  // namespace

void RegisterOwnProcessors(ElementTypes &types) {
    types.Register("Mono Mix", &ProcessorElement::Factory<MonoMix>, kElementPlugIn);
}
