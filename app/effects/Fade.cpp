#include "effects/Fade.h"

#include "audio/Wave.h"
#include "effects/EffectSamples.h"
#include "effects/FadeCurve.h"
#include "effects/FadeDialogs.h"
#include "foundation/Config.h"

#include <algorithm>

namespace {

enum : int {
    kTextFadeIn = 11049,
    kTextFadeOut = 11050,
};

}  // namespace

void ApplyFade(Wave &wave, int channels, int first, int last, FadeOpcodes const &record, int redraw, int recordUndo) {
    if (first >= std::min(last, wave.GetLength() - 1))
        return;
    EffectFrame frame(wave, channels, first, last, recordUndo, EffectAction{record.fadeIn ? kTextFadeIn : kTextFadeOut});
    FadeCurve curve(record);
    int length = frame.GetFrames() - 1;
    ApplySampleEffect(
        frame, [&curve, length](int, int i, int32_t sample) { return curve.Apply(sample, i, length); }, redraw);
}

// ---- the processors

void FadeProcessor::Read(Config &config, FadeOpcodes &record) const {
    record.level = ClampFadeLevel(config.GetValue(int(kFadeLinearLevel), "dB"));
    record.time = ClampFadeTime(config.GetValue(int(kFadeLinearTime), "Time"));
    record.fadeIn = config.GetValue(1, "FadeIn");
    record.inverse = config.GetValue(0, "Inv");
}

void FadeProcessor::Write(FadeOpcodes const &record, Config &config) const {
    config.SetValue(record.level, "dB");
    config.SetValue(record.time, "Time");
    config.SetValue(record.fadeIn, "FadeIn");
    config.SetValue(record.inverse, "Inv");
}

int FadeProcessor::Open(FadeOpcodes &record, int givenRecord) { return OpenFadeDialog(record, givenRecord); }

void XFadeProcessor::Read(Config &config, XFadeOpcodes &record) const {
    for (int i = 0; i < 2; ++i) {
        record.level[i] = ClampFadeLevel(config.GetValue(int(kFadeLinearLevel), "dB", i));
        record.time[i] = ClampFadeTime(config.GetValue(int(kFadeLinearTime), "Time", i));
        record.inverse[i] = config.GetValue(0, "Inv", i);
        record.noFade[i] = config.GetValue(0, "NoFade", i);
    }
}

void XFadeProcessor::Write(XFadeOpcodes const &record, Config &config) const {
    for (int i = 0; i < 2; ++i) {
        config.SetValue(record.level[i], "dB", i);
        config.SetValue(record.time[i], "Time", i);
        config.SetValue(record.inverse[i], "Inv", i);
        config.SetValue(record.noFade[i], "NoFade", i);
    }
}

int XFadeProcessor::Open(XFadeOpcodes &record, int givenRecord) { return OpenXFadeDialog(record, givenRecord); }
