// What the shell asks of the audio engine module and its plug-ins: loading and unloading
// them, the master section, the engine's own windows and its say in closing the program.
// The engine registers a host of its own; until it does, the engine's module counts as one
// that cannot be loaded (the user hears so once) and the program works on without it.
#pragma once

#include <windows.h>

class AudioEngineHost {
public:
    virtual ~AudioEngineHost() {}

    virtual bool IsLoaded() = 0;
    // Loads the engine and its plug-ins; false when it cannot be (quiet: the user is not
    // told, as at start-up).
    virtual bool Load(bool quiet) = 0;
    virtual void Unload() = 0;
    // The window the engine's modules put their windows in.
    virtual void SetApplicationWindow(HWND window) = 0;
    virtual void ShowMasterSection() = 0;
    // The engine agrees that the program closes (true when it has nothing to say).
    virtual bool QueryClose() = 0;
    virtual bool IsTaskRunning() = 0;
    virtual bool IsEngineWindowShown() = 0;
    virtual void ToggleEngineWindow() = 0;
    virtual bool IsTaskWindowShown() = 0;
    virtual void ShowTaskWindow(bool show) = 0;
};

AudioEngineHost &TheAudioEngineHost();
// Registers a host (null: none); returns the one registered before.
AudioEngineHost *SetAudioEngineHost(AudioEngineHost *host);
