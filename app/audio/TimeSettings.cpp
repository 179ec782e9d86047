#include "audio/TimeSettings.h"

#include "foundation/Config.h"

#include <cmath>

TimeSettings &TheTimeSettings() {
    static TimeSettings settings;
    return settings;
}

// The frame rate is kept in hundredths, rounded to the nearest: 29.97 x 100 lies just below 2997.
void LoadTimeScaleDefaults(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("TimeScale");
    TimeSettings &s = TheTimeSettings();
    s.dialUnit = config.GetValue(6, "DialUnit");
    s.framesPerSecond = config.GetValue(2500, "SmpteFrame") * 0.01;
    s.tempo = config.GetValue(120000, "Tempo");
    s.beatMeasure = config.GetValue(4, "BeatMeasure");
    s.beatWholeNote = config.GetValue(4, "BeatWholeNote");
    s.ticks = config.GetValue(768, "Ticks");
}

void SaveTimeScaleDefaults(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("TimeScale");
    TimeSettings const &s = TheTimeSettings();
    config.SetValue(int(s.dialUnit), "DialUnit");
    config.SetValue(int(std::lround(s.framesPerSecond * 100)), "SmpteFrame");  // 29.97 is 2997
    config.SetValue(int(s.tempo), "Tempo");
    config.SetValue(int(s.beatMeasure), "BeatMeasure");
    config.SetValue(int(s.beatWholeNote), "BeatWholeNote");
    config.SetValue(int(s.ticks), "Ticks");
}
