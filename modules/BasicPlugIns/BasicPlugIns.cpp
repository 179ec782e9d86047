// Three processors for the master section: a gain in hundredths of a decibel, a phase
// invert, and a delay line that adds the signal again, at half its level, after a
// number of milliseconds.
#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "AudioEngineCommon/ProcessorElement.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

class Gain : public ProcessorElement {
public:
    Gain() : ProcessorElement("Gain", "Bsgn") {}

protected:
    Value Describe() const override { return Value{"Gain", "dB/100", -9600, 2400, 0}; }
    void SetValue(std::int32_t hundredths) override { factor_ = float(std::pow(10.0, hundredths / 2000.0)); }
    void Process(float *const *channels, std::int32_t frames) override {
        for (std::int32_t c = 0; c < channels_; ++c)
            for (std::int32_t i = 0; i < frames; ++i)
                channels[c][i] *= factor_;
    }

private:
    float factor_ = 1.0f;
};

class PhaseInvert : public ProcessorElement {
public:
    PhaseInvert() : ProcessorElement("Phase Invert", "Bsph") {}

protected:
    void Process(float *const *channels, std::int32_t frames) override {
        for (std::int32_t c = 0; c < channels_; ++c)
            for (std::int32_t i = 0; i < frames; ++i)
                channels[c][i] = -channels[c][i];
    }
};

class DelayLine : public ProcessorElement {
public:
    DelayLine() : ProcessorElement("Delay Line", "Bsdl") {}

protected:
    Value Describe() const override { return Value{"Delay", "ms", 1, 2000, 250}; }
    void SetValue(std::int32_t milliseconds) override { milliseconds_ = milliseconds; }
    std::int32_t Prepare() override {
        std::size_t length = std::size_t(std::int64_t(rate_) * milliseconds_ / 1000);
        rings_.assign(std::size_t(channels_), std::vector<float>(length > 0 ? length : 1, 0.0f));
        position_ = 0;
        return 0;
    }
    void Flush() override {
        for (auto &ring : rings_)
            std::fill(ring.begin(), ring.end(), 0.0f);
    }
    void Process(float *const *channels, std::int32_t frames) override {
        if (rings_.empty())
            return;
        std::size_t length = rings_[0].size();
        for (std::int32_t i = 0; i < frames; ++i) {
            for (std::int32_t c = 0; c < channels_; ++c) {
                float &held = rings_[std::size_t(c)][position_];
                float in = channels[c][i];
                channels[c][i] = in + 0.5f * held;
                held = in;
            }
            position_ = position_ + 1 == length ? 0 : position_ + 1;
        }
    }

private:
    std::int32_t milliseconds_ = 250;
    std::vector<std::vector<float>> rings_;
    std::size_t position_ = 0;
};

}  // namespace

extern "C" {

std::int32_t WQ_CALL WqIsAdditionalPlugInDll(std::int32_t *version, char *text) {
    if (version)
        *version = kPlugInVersion;
    if (text)
        std::strncpy(text, "Gain, phase invert and delay line", kPlugInTextSize - 1);
    return 1;
}

std::int32_t WQ_CALL WqRegisterAllPlugIn(PlugInServiceRecord const *services) {
    if (!services || !services->registerPlugIn)
        return 0;
    services->registerPlugIn("Gain", &ProcessorElement::Factory<Gain>, 0, 0, kElementPlugIn);
    services->registerPlugIn("Phase Invert", &ProcessorElement::Factory<PhaseInvert>, 0, 0, kElementPlugIn);
    services->registerPlugIn("Delay Line", &ProcessorElement::Factory<DelayLine>, 0, 0, kElementPlugIn);
    return 1;
}

std::int32_t WQ_CALL WqSetApplicationWindow(HWND) { return 1; }

}  // extern "C"
