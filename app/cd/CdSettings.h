// The settings group "CDR" of the main settings: the defaults of new CD programs and
// tracks and the options of CD writing, import and the CD window. Read once at start-up;
// written when the program saves its settings, the three play settings by a saver of
// their own. No value is held to a range as it is read.
#pragma once

#include "foundation/Strings.h"

#include <cstdint>

class Config;

struct CdSettings {
    int32_t col = -1;  // "Col" (a long in the file): columns of new CD programs
    int32_t tcStyle = 0;
    int32_t etGlobal = 0;
    int32_t rtGlobal = 0;
    int32_t cgp = 1;
    int32_t sgp = 0;
    int32_t cpq = 0;
    int32_t spq = 1;
    int32_t ciad = 0;
    int32_t fileNameStyle = 0;
    int32_t audioOnEnd = 1;
    int32_t audioOnEndImp = 1;
    int32_t openImpTracks = 1;
    int32_t ejectOnEnd = 1;
    int32_t ejectOnEndSimul = 0;
    int32_t skipTrNP = 0;
    int32_t beforeTrk1 = 30;  // CD frames, here and below
    int32_t beforeTrkX = 5;
    int32_t beforeIndex = 5;
    int32_t afterTrk = 2;
    int32_t afterLastTrk = 60;
    int32_t showPQ = 1;
    int32_t numBuf = 32;
    int32_t framesInBuf = 16;
    int32_t wrMode = 2;
    int32_t wrSpeed = 1;
    String cdReader;
    int32_t cdReaderSpeed = -1;  // automatic
    int32_t trimSil = 1;
    String cdrUserName;
    String cdrVendor;
    String cdrModel;
    int32_t scsiHost = -1;
    int32_t scsiUnit = -1;
    String cdTrackName;
    String pathBF;  // empty until read: the program's folder
    int32_t fileFormat = 3;
    String isrc;
    // the play settings
    int32_t defPause = 150;  // CD frames: 2 s
    int32_t preRoll = 3;     // seconds
    int32_t playMS = 0;
};

CdSettings &TheCdSettings();
void LoadCdSettings(Config &config);
// Every key but the three play settings.
void SaveCdSettings(Config &config);
// "DefPause", "PreRoll" and "PlayMS".
void SaveCdPlaySettings(Config &config);
