#include "effects/Gain.h"

#include "effects/EffectSamples.h"
#include "effects/GainDialog.h"
#include "foundation/Config.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

enum : int { kTextGain = 11054 };

}  // namespace

float GainFactorOf(int decibels) { return float(std::pow(10.0, decibels * 0.05)); }

int GainDecibelsOf(float factor) {
    if (!(factor > 0))
        return kGainLowestDb;
    int decibels = int(std::lround(20 * std::log10(double(factor))));
    return std::min(std::max(decibels, int(kGainLowestDb)), int(kGainHighestDb));
}

String GainChangeText(float factor) {
    long change = std::lround(100 * (double(factor) - 1));
    char text[32];
    std::snprintf(text, sizeof text, change > 0 ? "+%ld %%" : "%ld %%", change);
    return String(text);
}

void ApplyGain(Wave &wave, int channels, int first, int last, GainOpcodes const &record, int recordUndo) {
    EffectFrame frame(wave, channels, first, last, recordUndo, EffectAction{kTextGain});
    double factor = record.factor;
    ApplySampleEffect(frame, [factor](int, int, int32_t sample) { return sample * factor; });
}

void GainProcessor::Read(Config &config, GainOpcodes &record) const { record.factor = config.GetValue(1.0f, "Gain"); }

void GainProcessor::Write(GainOpcodes const &record, Config &config) const { config.SetValue(record.factor, "Gain"); }

int GainProcessor::Open(GainOpcodes &record, int givenRecord) { return OpenGainDialog(record, givenRecord); }
