#include "engine/AudioEngineEntries.h"

#include <string>

namespace {

template <class Fn>
void BindOne(HMODULE module, char const *prefix, char const *name, Fn &slot) {
    FARPROC found = GetProcAddress(module, (std::string(prefix) + name).c_str());
    slot = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int AudioEngineEntries::Bind(HMODULE module) {
    char const *prefix = GetProcAddress(module, "WqInitializeAudioEngine") ? "" : "_";
    BindOne(module, prefix, "WqInitializeAudioEngine", initializeAudioEngine);
    BindOne(module, prefix, "WqGetNameOfPlugIn", getNameOfPlugIn);
    BindOne(module, prefix, "WqRegisterPlugIn", registerPlugIn);
    BindOne(module, prefix, "WqCreateMasterSection", createMasterSection);
    BindOne(module, prefix, "WqCreateAudioQueue", createAudioQueue);
    BindOne(module, prefix, "WqGetIDOfAudioQueue", getIDOfAudioQueue);
    BindOne(module, prefix, "WqGetHandleOfAudioQueue", getHandleOfAudioQueue);
    BindOne(module, prefix, "WqCommandToAudioQueue", commandToAudioQueue);
    BindOne(module, prefix, "WqShowMasterSection", showMasterSection);
    BindOne(module, prefix, "WqHideMasterSection", hideMasterSection);
    BindOne(module, prefix, "WqIsMasterSectionVisible", isMasterSectionVisible);
    BindOne(module, prefix, "WqCanCloseMasterSection", canCloseMasterSection);
    BindOne(module, prefix, "WqGetPositionOfMasterSection", getPositionOfMasterSection);
    BindOne(module, prefix, "WqDestroyMasterSection", destroyMasterSection);
    BindOne(module, prefix, "WqAnyErrorInQueueOccured", anyErrorInQueueOccured);
    BindOne(module, prefix, "WqConfirmApply", confirmApply);
    BindOne(module, prefix, "WqInitializeActiveMovie", initializeActiveMovie);
    BindOne(module, prefix, "WqUninitializeActiveMovie", uninitializeActiveMovie);
    BindOne(module, prefix, "WqDestroyAudioEngine", destroyAudioEngine);
    BindOne(module, prefix, "WqSetApplicationWindow", setApplicationWindow);
    return *prefix ? 1 : 0;
}

AudioEngineLink &TheAudioEngine() {
    static AudioEngineLink link;
    return link;
}
