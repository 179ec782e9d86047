// The entry points of the audio engine module and its plug-in modules, bound by name.
// Numbers (queues, commands, flags, results) are 32-bit; what carries a pointer or a
// handle is pointer-sized. The records they pass are in audio/PlayRequest.h.
#pragma once

#include "audio/PlayRequest.h"

#include <windows.h>

#include <cstdint>

#define WQ_CALL __cdecl

extern "C" {
typedef int32_t(WQ_CALL *WqInitializeAudioEngineFn)(void const *services, int32_t reloaded);
// Returns the next cookie, 0 after the last; the name holds at most 100 bytes.
typedef int32_t(WQ_CALL *WqGetNameOfPlugInFn)(int32_t cookie, char *name, int32_t *kind);
typedef int32_t(WQ_CALL *WqRegisterPlugInFn)(char const *name, void *factory, int32_t, int32_t, int32_t kind);
typedef int32_t(WQ_CALL *WqCreateMasterSectionFn)(AudioChainEntry const *chain, int32_t entries, int32_t frames,
                                                  MasterSectionLayout *layout);
typedef int32_t(WQ_CALL *WqCreateAudioQueueFn)(AudioChainEntry const *chain, int32_t entries, int32_t channels,
                                               int32_t frames);
typedef uint32_t(WQ_CALL *WqGetIDOfAudioQueueFn)(int32_t queue);
typedef HANDLE(WQ_CALL *WqGetHandleOfAudioQueueFn)(int32_t queue);
typedef int32_t(WQ_CALL *WqCommandToAudioQueueFn)(int32_t queue, int32_t command, int32_t, int32_t);
typedef int32_t(WQ_CALL *WqNoArgumentFn)();
typedef int32_t(WQ_CALL *WqCanCloseMasterSectionFn)(void *application);
typedef int32_t(WQ_CALL *WqGetPositionOfMasterSectionFn)(MasterSectionLayout *layout);
typedef int32_t(WQ_CALL *WqQueueQueryFn)(int32_t queue);
typedef int32_t(WQ_CALL *WqConfirmApplyFn)(void *request);
typedef int32_t(WQ_CALL *WqInitializeActiveMovieFn)(char const *const *names, int32_t count);
typedef int32_t(WQ_CALL *WqUninitializeActiveMovieFn)(int32_t, int32_t);
typedef int32_t(WQ_CALL *WqSetApplicationWindowFn)(HWND window);
typedef int32_t(WQ_CALL *WqIsAdditionalPlugInDllFn)(int32_t *version, char *text);
typedef int32_t(WQ_CALL *WqRegisterAllPlugInFn)(void const *services);
}

// Commands of WqCommandToAudioQueue.
enum AudioQueueCommand : int32_t {
    kQueueStart = 1,
    kQueueEnd = 3,  // a queue that reported notification 3
    kQueueShown = 4,
    kQueueHidden = 5,
};

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
