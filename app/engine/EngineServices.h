// What the program offers the audio engine module and its plug-ins: the service table of
// WqInitializeAudioEngine, the record each plug-in module's WqRegisterAllPlugIn gets, and
// what the engine's threads report through them (queue notifications, errors).
//
// The services run on the engine's threads: they touch the background task list only
// under its lock, and reach the GUI thread only by posting.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <atomic>
#include <cstdint>

// The table handed to WqInitializeAudioEngine.
EngineServiceTable const &TheEngineServices();
// The record a plug-in module registers its processors through.
PlugInServiceRecord MakePlugInServices(HMODULE engine);

// Set by the master section's run (notification 2), cleared at its end (3).
std::atomic<int32_t> &MasterQueueBusy();
// One second after the user's last key or mouse input in the engine's windows (system
// milliseconds); background jobs of low priority wait until then.
uint32_t UserActivityDeadline();

// The engine's error: the queue's task (when there is one) is marked failed and the user
// told, by the text of the code (unknown codes only when "MS_mess" is set).
int32_t WQ_CALL ReportEngineError(int32_t queue, char const *source, uint32_t code, char const *detail);

// The plug-in preset dialog that the effects register (the preset page over the file of
// the plug-in's presets): a chosen preset's value goes into the record and its name into
// result; non-zero for OK. Without one no preset can be chosen.
typedef int32_t (*PlugInPresetChooser)(HWND parent, char const *plugInName, PlugInPresetRecord *record, char *result);
PlugInPresetChooser SetPlugInPresetChooser(PlugInPresetChooser chooser);
