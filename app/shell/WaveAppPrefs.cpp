// The application object's preferences: its own groups and then every component's, in a
// fixed order, inside the product's group of "system\main.set"; the framework's own; and
// the ".wav" association during the first runs.
#include "shell/WaveApp.h"

#include "audio/AudioFileSettings.h"
#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "cd/CdSettings.h"
#include "database/DatabaseSettings.h"
#include "controls/PopupSlider.h"
#include "effects/ApplyPreferences.h"
#include "engine/EngineSettings.h"
#include "engine/PlayerSettings.h"
#include "engine/SamplerDevice.h"
#include "engine/StatusWindowSettings.h"
#include "foundation/Config.h"
#include "shell/FFT3DSettings.h"
#include "shell/FileAssociation.h"
#include "shell/ShellSettings.h"
#include "waveview/MarkerWindow.h"
#include "waveview/WaveWindow.h"

#include <climits>

namespace {

// A component's settings group; each reads and writes below the product's group.
struct ComponentSettings {
    void (*load)(Config &config);
    void (*save)(Config &config);  // none: written whatever "AutoSavePref" says, below
};

// In the order they are read and written. Written only with the framework's
// "AutoSavePref" on. The CD program's play defaults are written here, the rest of its
// group always.
ComponentSettings const kComponents[] = {
    {LoadWaveWindowPrefs, SaveWaveWindowPrefs},
    {LoadTimeScaleDefaults, SaveTimeScaleDefaults},
    {Wave::LoadPrefs, Wave::SavePrefs},
    {LoadAudioFileSettings, SaveAudioFileSettings},
    {[](Config &config) { LoadFFT3DSettings(config); }, [](Config &config) { SaveFFT3DSettings(config); }},
    {LoadDatabaseSettings, SaveDatabaseSettings},
    {LoadPlayerSettings, SavePlayerSettings},
    {PopupSlider::LoadPref, PopupSlider::SavePref},
    {LoadStatusWindowSettings, SaveStatusWindowSettings},
    {LoadMarkerWindowSettings, SaveMarkerWindowSettings},
    {LoadApplyPreferences, nullptr},
    {LoadCdSettings, SaveCdPlaySettings},
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
            if (component.save)
                component.save(config);
    }
    SaveApplyPreferences(config);
    SaveCdSettings(config);
    if (!GetAutoSavePref())
        config.SetValue(int(TheEngineSettings().reportUnknownErrors), "MS_mess");
    config.MoveUp();
    DocumentManager::SavePref(config);
}
