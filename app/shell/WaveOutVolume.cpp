#include "shell/WaveOutVolume.h"

#include "controls/PopupSlider.h"
#include "core/MessageBoxSeam.h"
#include "engine/PlayerSettings.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <mmsystem.h>

#include <algorithm>

namespace {

enum : int { kStep = 15, kTextNoVolume = 11402 };

// The device of the "OutDev" setting; the wave mapper's volume is the first device's.
class SystemVolume : public WaveOutVolumeDevice {
public:
    bool Get(uint32_t &volume) override {
        DWORD value = 0;
        if (waveOutGetVolume(Device(), &value) != MMSYSERR_NOERROR)
            return false;
        volume = value;
        return true;
    }
    bool Set(uint32_t volume) override { return waveOutSetVolume(Device(), volume) == MMSYSERR_NOERROR; }

private:
    static HWAVEOUT Device() {
        uint32_t id = ThePlayerSettings().outDevice;
        return reinterpret_cast<HWAVEOUT>(UINT_PTR(id == PlayerSettings::kWaveMapper ? 0 : id));
    }
};

SystemVolume systemVolume;
WaveOutVolumeDevice *registered = nullptr;
bool changed = false;
uint32_t original = 0;

WaveOutVolumeDevice &Device() { return registered ? *registered : systemVolume; }

}  // namespace

WaveOutVolumeDevice *SetWaveOutVolumeDevice(WaveOutVolumeDevice *device) {
    WaveOutVolumeDevice *previous = registered;
    registered = device;
    return previous;
}

int VolumeToSlider(uint32_t volume) { return int(std::max(volume & 0xFFFF, volume >> 16)) / kStep; }

uint32_t SliderToVolume(int position) {
    uint32_t channel = uint32_t(std::min(std::max(position, 0), int(kVolumeSliderMax))) * kStep;
    return channel | (channel << 16);
}

bool ShowWaveOutVolumeSlider() {
    uint32_t volume = 0;
    if (!Device().Get(volume)) {
        String text(FindString(kTextNoVolume));
        ShowMessageBox(0, text.c_str(), _docManager ? _docManager->GetName() : "", MB_ICONINFORMATION | MB_OK);
        return false;
    }
    PopupSlider::CreateInstance(VolumeToSlider(volume), 0, kVolumeSliderMax, SetWaveOutVolumeFromSlider, nullptr,
                                PopupSlider::_horizontal);
    return true;
}

void SetWaveOutVolumeFromSlider(int position) {
    uint32_t before = 0;
    if (!changed && Device().Get(before)) {
        original = before;
        changed = true;
    }
    Device().Set(SliderToVolume(position));
}

void RestoreWaveOutVolume() {
    if (changed)
        Device().Set(original);
    changed = false;
}
