// The application object's preferences: its own groups and then every component's, in a
// fixed order, inside the product's group of "system\main.set"; the framework's own; and
// the ".wav" association during the first runs.
#include "shell/WaveApp.h"

#include "audio/AudioFileSettings.h"
#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "controls/PopupSlider.h"
#include "effects/ApplyPreferences.h"
#include "engine/EngineSettings.h"
#include "engine/PlayerSettings.h"
#include "engine/SamplerDevice.h"
#include "engine/StatusWindowSettings.h"
#include "foundation/Config.h"
#include "shell/FileAssociation.h"
#include "shell/ShellSettings.h"
#include "waveview/WaveWindow.h"

#include <climits>

namespace {

// A component's settings group; each reads and writes below the product's group.
struct ComponentSettings {
    void (*load)(Config &config);
    void (*save)(Config &config);
};

// In the order they are read and written. Written only with the framework's
// "AutoSavePref" on.
ComponentSettings const kComponents[] = {
    {LoadWaveWindowPrefs, SaveWaveWindowPrefs},
    {LoadTimeScaleDefaults, SaveTimeScaleDefaults},
    {Wave::LoadPrefs, Wave::SavePrefs},
    {LoadAudioFileSettings, SaveAudioFileSettings},
    {LoadPlayerSettings, SavePlayerSettings},
    {PopupSlider::LoadPref, PopupSlider::SavePref},
    {LoadStatusWindowSettings, SaveStatusWindowSettings},
    {LoadSamplerSettings, SaveSamplerSettings},
};

uint64_t InstalledMemory() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

}  // namespace

void WaveApp::LoadPref(Config &config) {
    ShellSettings &s = TheShellSettings();
    config.MoveToRoot();
    config.MoveDown(GetName());
    s.runs = config.GetSure(0, 0, INT_MAX - 1, "NRun");
    LoadShellGroups(config, InstalledMemory());
    for (ComponentSettings const &component : kComponents)
        component.load(config);
    LoadApplyPreferences(config);
    LoadEngineSettings(config);
    config.MoveUp();
    NoteActivity();
    DocumentManager::LoadPref(config);
    AssociateWaveFiles(HKEY_CLASSES_ROOT, s.runs);
    ++s.runs;
}

void WaveApp::SavePref(Config &config) {
    ShellSettings const &s = TheShellSettings();
    config.MoveToRoot();
    config.MoveDown(GetName());
    config.SetValue(s.runs, "NRun");
    if (GetAutoSavePref()) {
        SaveShellGroups(config);
        SaveEngineSettings(config);
        for (ComponentSettings const &component : kComponents)
            component.save(config);
    }
    SaveApplyPreferences(config);
    if (!GetAutoSavePref())
        config.SetValue(int(TheEngineSettings().reportUnknownErrors), "MS_mess");
    config.MoveUp();
    DocumentManager::SavePref(config);
}
