#include "engine/PlayerSettings.h"

#include "foundation/Config.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

uint32_t KnownOutDevice(uint32_t id) {
    WAVEOUTCAPSA caps;
    return waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR ? id : PlayerSettings::kWaveMapper;
}

uint32_t KnownInDevice(uint32_t id) {
    WAVEINCAPSA caps;
    return waveInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR ? id : PlayerSettings::kWaveMapper;
}

}  // namespace

PlayerSettings &ThePlayerSettings() {
    static PlayerSettings settings;
    return settings;
}

void LoadPlayerSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Player");
    PlayerSettings &s = ThePlayerSettings();
    s.inDevice = KnownInDevice(config.GetValue(unsigned(PlayerSettings::kWaveMapper), "InDev"));
    s.outDevice = KnownOutDevice(config.GetValue(unsigned(PlayerSettings::kWaveMapper), "OutDev"));
    s.playbackBits = config.GetValue(16, "PlayBackRes");
    s.outBufferSize = config.GetValue(16384, "SizeOutBuf");
    s.outBufferCount = config.GetValue(4, "NumOutBuf");
    s.inBufferSize = config.GetValue(16384, "SizeInBuf");
    s.inBufferCount = config.GetValue(6, "NumInBuf");
    s.maxDropOut = config.GetValue(20, "MaxDropOut");
    s.stopOnDrop = config.GetValue(1, "StopOnDrop");
    s.timedPosition = config.GetValue(1, "PlayPos");
}

void SavePlayerSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Player");
    PlayerSettings const &s = ThePlayerSettings();
    config.SetValue(int(s.inDevice), "InDev");
    config.SetValue(int(s.outDevice), "OutDev");
    config.SetValue(int(s.playbackBits), "PlayBackRes");
    config.SetValue(int(s.outBufferSize), "SizeOutBuf");
    config.SetValue(int(s.outBufferCount), "NumOutBuf");
    config.SetValue(int(s.inBufferSize), "SizeInBuf");
    config.SetValue(int(s.inBufferCount), "NumInBuf");
    config.SetValue(int(s.maxDropOut), "MaxDropOut");
    config.SetValue(int(s.stopOnDrop), "StopOnDrop");
    config.SetValue(int(s.timedPosition), "PlayPos");
}
