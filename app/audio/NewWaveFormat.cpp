#include "audio/NewWaveFormat.h"

#include "foundation/Config.h"

#include <atomic>

namespace {

enum { kTwoFiles = 3 };

std::atomic<TRawFormatChooser> rawFormatChooser{nullptr};

}  // namespace

NewWaveSettings &TheNewWaveSettings() {
    static NewWaveSettings settings;
    return settings;
}

void LoadNewWaveSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("NewWave");
    NewWaveSettings &s = TheNewWaveSettings();
    s.channels = config.GetValue(2, "Chan");
    s.bits = config.GetValue(16, "Res");
    s.rate = config.GetValue(44100u, "Rate");
    s.freeRate = config.GetValue(44100u, "XRate");
}

void SaveNewWaveSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("NewWave");
    NewWaveSettings const &s = TheNewWaveSettings();
    config.SetValue(int(s.channels), "Chan");
    config.SetValue(int(s.bits), "Res");
    config.SetValue(unsigned(s.rate), "Rate");
    config.SetValue(unsigned(s.freeRate), "XRate");
}

SamplePattern &GetNewWaveFormat(SamplePattern &pattern) { return GetNewWaveFormat(pattern, TheNewWaveSettings()); }

SamplePattern &GetNewWaveFormat(SamplePattern &pattern, NewWaveSettings const &s) {
    pattern.GetFormat().SetBits(s.bits, kLittleEndian);
    pattern.SetNumChannels(s.channels < 2 ? 1 : 2);
    pattern.SetInterleaved(s.channels == kTwoFiles ? 0 : 1);
    pattern.SetRate(s.rate);
    return pattern;
}

TRawFormatChooser SetRawFormatChooser(TRawFormatChooser chooser) { return rawFormatChooser.exchange(chooser); }

int ChooseRawFormat(SamplePattern &pattern) {
    TRawFormatChooser chooser = rawFormatChooser.load();
    return chooser ? chooser(pattern) : 0;
}
