// The entry points of the audio engine module and its plug-in modules, bound by name.
// Their types and the records they pass are in the protocol header shared with the modules.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <windows.h>

#include <cstdint>

// One slot per entry name; a name the module does not export leaves its slot empty.
struct AudioEngineEntries {
    WqInitializeAudioEngineFn initializeAudioEngine = nullptr;
    WqGetNameOfPlugInFn getNameOfPlugIn = nullptr;
    WqRegisterPlugInFn registerPlugIn = nullptr;
    WqCreateMasterSectionFn createMasterSection = nullptr;
    WqCreateAudioQueueFn createAudioQueue = nullptr;
    WqGetIDOfAudioQueueFn getIDOfAudioQueue = nullptr;
    WqGetHandleOfAudioQueueFn getHandleOfAudioQueue = nullptr;
    WqCommandToAudioQueueFn commandToAudioQueue = nullptr;
    WqNoArgumentFn showMasterSection = nullptr;
    WqNoArgumentFn hideMasterSection = nullptr;
    WqNoArgumentFn isMasterSectionVisible = nullptr;
    WqCanCloseMasterSectionFn canCloseMasterSection = nullptr;
    WqGetPositionOfMasterSectionFn getPositionOfMasterSection = nullptr;
    WqNoArgumentFn destroyMasterSection = nullptr;
    WqQueueQueryFn anyErrorInQueueOccured = nullptr;
    WqConfirmApplyFn confirmApply = nullptr;
    WqInitializeActiveMovieFn initializeActiveMovie = nullptr;
    WqUninitializeActiveMovieFn uninitializeActiveMovie = nullptr;
    WqNoArgumentFn destroyAudioEngine = nullptr;
    WqSetApplicationWindowFn setApplicationWindow = nullptr;

    // Binds every slot the module exports. A module whose first name is not exported
    // plainly is searched with a leading "_" for all names. Returns 1 when the underscore
    // form was used.
    int Bind(HMODULE module);
    void Clear() { *this = AudioEngineEntries(); }
};

// The entries of the loaded engine and the queue number of its master section (0 while
// none is open).
struct AudioEngineLink {
    AudioEngineEntries entries;
    int32_t masterQueue = 0;

    // The engine can drive a playback: its command entry is bound and a master section runs.
    bool CanDrivePlayback() const { return entries.commandToAudioQueue && masterQueue != 0; }
};

AudioEngineLink &TheAudioEngine();
