#include "audio/LevelText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

enum { kFullScale = 0x7fff };

// Full scale of the doubled magnitude: 16 bits.
double Reference() {
    static double const reference = 20 * std::log10(65536.0);
    return reference;
}

template <class T>
String Text(char const *format, T value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return String(text);
}

}  // namespace

double AmplitudeToDecibels(int level) { return level > 0 ? 20 * std::log10(2.0 * level) - Reference() : -Reference(); }

// The tenth of a step keeps the round trip from AmplitudeToDecibels on its level.
int DecibelsToAmplitude(double decibels) {
    double level = (std::pow(10.0, (decibels + Reference()) / 20) + 0.1) * 0.5;
    return int(std::min(level, double(kFullScale)));
}

String FormatLevelDb(int level, char const *decimals, int keepSign) {
    if (level >= kFullScale)
        return String("0 dB");
    double db = AmplitudeToDecibels(level);
    double shown = keepSign ? db : std::fabs(db);
    String text;
    if (decimals)
        text = db >= 0 ? String("0") : Text(decimals, shown);
    else
        text = Text("%d", int(shown));
    text.Append(" dB");
    return text;
}

// In hundredths of a percent, cut down.
String FormatLevelPercent(int level) {
    if (level == 0x8000)
        level = kFullScale;
    long hundredths = long(level) * 10000 / kFullScale;
    char text[32];
    int written = std::snprintf(text, sizeof text, "%ld", hundredths / 100);
    long fraction = hundredths % 100;
    if (fraction && hundredths >= 1000) {
        if (fraction / 10)
            written += std::snprintf(text + written, sizeof text - written, ".%ld", fraction / 10);
    } else if (fraction) {
        written += std::snprintf(text + written, sizeof text - written, ".%02ld", fraction);
    }
    std::snprintf(text + written, sizeof text - written, " %%");
    return String(text);
}

String FormatLevelValue(int level) { return Text("%d", level); }
