// Loading the audio engine module (system\plugins\AudioEngine.dll) and the plug-in
// modules beside it, binding their entry points, handing the engine the program's
// services, opening and closing the master section, and unloading everything again.
//
// The shell drives it on the GUI thread: its master section command loads on demand
// (Playback::StopAndWait, LoadPlugIns, SetPlugInApplicationWindow, OpenMasterSection) and
// unloads when the engine's close query agrees, no background task runs and nothing plays;
// its start-up loads when "AEngine" is set; its close step unloads.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <windows.h>

#include <cstdint>

// A module of the plug-in folder that was accepted, the engine first.
class PlugInDLL : public ListElement {
public:
    PlugInDLL(HMODULE module, int32_t engine, int32_t underscore);

    HMODULE module;
    int32_t engine;      // 1 for the audio engine module
    int32_t underscore;  // 1 when its names carry a leading "_"
    PlugInServiceRecord services = {};  // the record its registration got, kept while it is loaded
};

// A processor the master section lists, of the module that registered it.
class PlugIn : public ListElement {
public:
    PlugIn(String const &name, PlugInDLL *module) : name(name), module(module) {}

    String name;
    PlugInDLL *module;  // not owned
};

List<PlugInDLL> &ThePlugInModules();
List<PlugIn> &ThePlugIns();

// Loads the engine and the plug-in modules; nothing while the engine is loaded, nothing
// (and no message) without the engine's file. A module that does not load is reported
// (message 19021) and the scan goes on.
void LoadPlugIns();
bool IsAudioEngineLoaded();
void SetPlugInApplicationWindow(HWND window);
// Registers the program's four element types and opens the master section.
void OpenMasterSection();
// Nothing while the master section is closed.
void ShowMasterSection(int show);
bool IsMasterSectionOpen();
bool IsMasterSectionVisible();
// The engine agrees that its master section closes (true without one). The shell unloads
// only when it agrees, no background task is listed and the wave-out device is closed.
bool CanCloseMasterSection(void *application);
// Cancels the background jobs of the engine and waits for their end, closes the master
// section, destroys the engine and frees every module.
void UnloadPlugIns();

// The plug-in modules' registration: a processor (kind 1) is listed with the module that
// registers; every type is handed on to the engine.
int32_t RegisterPlugIn(char const *name, ElementFactory factory, int32_t, int32_t, int32_t kind);

// Tests: the folder whose system\plugins is searched instead of the program's.
void SetPlugInRoot(String const &folder);
