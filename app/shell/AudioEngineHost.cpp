#include "shell/AudioEngineHost.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

namespace {

enum : int { kTextModuleNotLoaded = 11405 };

char const kEngineFile[] = "AudioEngine.dll";

// The engine's module as one that cannot be loaded.
class AbsentEngine : public AudioEngineHost {
public:
    bool IsLoaded() override { return false; }
    bool Load(bool quiet) override {
        if (!quiet && !told_ && _docManager) {
            told_ = true;
            _docManager->WarnUser(AException(String(BuildString(kTextModuleNotLoaded, kEngineFile))), 1);
        }
        return false;
    }
    void Unload() override {}
    void SetApplicationWindow(HWND) override {}
    void ShowMasterSection() override {}
    bool QueryClose() override { return true; }
    bool IsTaskRunning() override { return false; }
    bool IsEngineWindowShown() override { return false; }
    void ToggleEngineWindow() override {}
    bool IsTaskWindowShown() override { return false; }
    void ShowTaskWindow(bool) override {}

private:
    bool told_ = false;
};

AbsentEngine absentEngine;
AudioEngineHost *registered = nullptr;

}  // namespace

AudioEngineHost &TheAudioEngineHost() { return registered ? *registered : absentEngine; }

AudioEngineHost *SetAudioEngineHost(AudioEngineHost *host) {
    AudioEngineHost *previous = registered;
    registered = host;
    return previous;
}
