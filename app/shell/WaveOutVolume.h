// The wave-out volume that the volume command sets with a pop-up slider: read from the
// louder channel, set on both, and put back as it was at the program's close.
#pragma once

#include <windows.h>

#include <cstdint>

// The device's volume word: the left channel in the low half, the right in the high.
class WaveOutVolumeDevice {
public:
    virtual ~WaveOutVolumeDevice() {}

    // False when the device has no volume.
    virtual bool Get(uint32_t &volume) = 0;
    virtual bool Set(uint32_t volume) = 0;
};

// The registered device (tests), else the "OutDev" device; returns the one before.
WaveOutVolumeDevice *SetWaveOutVolumeDevice(WaveOutVolumeDevice *device);

// The slider runs 0..4369: a channel's volume / 15.
enum : int { kVolumeSliderMax = 4369 };
int VolumeToSlider(uint32_t volume);
uint32_t SliderToVolume(int position);

// Opens the slider on the present volume; false (the user told) without a volume.
bool ShowWaveOutVolumeSlider();
// Moves to a slider position: both channels follow. The volume before the program's first
// change is kept for the close.
void SetWaveOutVolumeFromSlider(int position);
// Puts back the volume the program found, when it changed it.
void RestoreWaveOutVolume();
