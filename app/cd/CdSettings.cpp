#include "cd/CdSettings.h"

#include "foundation/Config.h"
#include "foundation/FileName.h"

namespace {

char const kGroup[] = "CDR";

struct IntegerKey {
    char const *name;
    int32_t CdSettings::*field;
    bool wide;  // stored as a long
};

struct TextKey {
    char const *name;
    String CdSettings::*field;
};

IntegerKey const kIntegers[] = {
    {"Col", &CdSettings::col, true},
    {"TCStyle", &CdSettings::tcStyle, false},
    {"ETGlobal", &CdSettings::etGlobal, false},
    {"RTGlobal", &CdSettings::rtGlobal, false},
    {"Cgp", &CdSettings::cgp, false},
    {"Sgp", &CdSettings::sgp, false},
    {"CPQ", &CdSettings::cpq, false},
    {"SPQ", &CdSettings::spq, false},
    {"CIAD", &CdSettings::ciad, false},
    {"FileNameStyle", &CdSettings::fileNameStyle, false},
    {"AudioOnEnd", &CdSettings::audioOnEnd, false},
    {"AudioOnEndImp", &CdSettings::audioOnEndImp, false},
    {"OpenImpTracks", &CdSettings::openImpTracks, false},
    {"EjectOnEnd", &CdSettings::ejectOnEnd, false},
    {"EjectOnEndSimul", &CdSettings::ejectOnEndSimul, false},
    {"SkipTrNP", &CdSettings::skipTrNP, false},
    {"BeforeTrk1", &CdSettings::beforeTrk1, false},
    {"BeforeTrkX", &CdSettings::beforeTrkX, false},
    {"BeforeIndex", &CdSettings::beforeIndex, false},
    {"AfterTrk", &CdSettings::afterTrk, false},
    {"AfterLastTrk", &CdSettings::afterLastTrk, false},
    {"ShowPQ", &CdSettings::showPQ, false},
    {"NumBuf", &CdSettings::numBuf, false},
    {"FramesInBuf", &CdSettings::framesInBuf, false},
    {"WrMode", &CdSettings::wrMode, false},
    {"WrSpeed", &CdSettings::wrSpeed, false},
    {"CdReaderSpeed", &CdSettings::cdReaderSpeed, false},
    {"TrimSil", &CdSettings::trimSil, false},
    {"ScsiHost", &CdSettings::scsiHost, false},
    {"ScsiUnit", &CdSettings::scsiUnit, false},
    {"FileFormat", &CdSettings::fileFormat, false},
};

TextKey const kTexts[] = {
    {"CdReader", &CdSettings::cdReader},
    {"CdrUserName", &CdSettings::cdrUserName},
    {"CdrVendor", &CdSettings::cdrVendor},
    {"CdrModel", &CdSettings::cdrModel},
    {"CdTrackName", &CdSettings::cdTrackName},
    {"PathBF", &CdSettings::pathBF},
    {"ISRC", &CdSettings::isrc},
};

IntegerKey const kPlayIntegers[] = {
    {"DefPause", &CdSettings::defPause, false},
    {"PreRoll", &CdSettings::preRoll, false},
    {"PlayMS", &CdSettings::playMS, false},
};

template <size_t N>
void Read(Config &config, IntegerKey const (&keys)[N], CdSettings &s, CdSettings const &defaults) {
    for (IntegerKey const &k : keys)
        s.*k.field = k.wide ? int32_t(config.GetValue(long(defaults.*k.field), k.name))
                            : config.GetValue(int(defaults.*k.field), k.name);
}

template <size_t N>
void Write(Config &config, IntegerKey const (&keys)[N], CdSettings const &s) {
    for (IntegerKey const &k : keys) {
        if (k.wide)
            config.SetValue(long(s.*k.field), k.name);
        else
            config.SetValue(int(s.*k.field), k.name);
    }
}

}  // namespace

CdSettings &TheCdSettings() {
    static CdSettings settings;
    return settings;
}

void LoadCdSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown(kGroup);
    CdSettings defaults;
    defaults.pathBF = FileName::CreateApplicationRelative(String(""));
    CdSettings &s = TheCdSettings();
    Read(config, kIntegers, s, defaults);
    Read(config, kPlayIntegers, s, defaults);
    for (TextKey const &k : kTexts)
        s.*k.field = config.GetValue(defaults.*k.field, k.name);
}

void SaveCdSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown(kGroup);
    CdSettings const &s = TheCdSettings();
    Write(config, kIntegers, s);
    for (TextKey const &k : kTexts)
        config.SetValue(s.*k.field, k.name);
}

void SaveCdPlaySettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown(kGroup);
    Write(config, kPlayIntegers, TheCdSettings());
}
