#include "engine/RecordMixer.h"

#include <cstring>

MMRESULT SystemMixer::Open(UINT waveInDevice) {
    Close();
    // The wave mapper has no mixer of its own: the first device's stands for it.
    UINT device = waveInDevice == WAVE_MAPPER ? 0 : waveInDevice;
    HMIXER opened = nullptr;
    MMRESULT result = mixerOpen(&opened, device, 0, 0, MIXER_OBJECTF_WAVEIN);
    if (result == MMSYSERR_NOERROR)
        mixer_ = opened;
    return result;
}

void SystemMixer::Close() {
    if (mixer_)
        mixerClose(mixer_);
    mixer_ = nullptr;
}

MMRESULT SystemMixer::GetLineInfo(MIXERLINEA &line, DWORD flags) {
    return mixerGetLineInfoA(HMIXEROBJ(mixer_), &line, flags | MIXER_OBJECTF_HMIXER);
}

MMRESULT SystemMixer::GetLineControls(MIXERLINECONTROLSA &controls, DWORD flags) {
    return mixerGetLineControlsA(HMIXEROBJ(mixer_), &controls, flags | MIXER_OBJECTF_HMIXER);
}

MMRESULT SystemMixer::GetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) {
    return mixerGetControlDetailsA(HMIXEROBJ(mixer_), &details, flags | MIXER_OBJECTF_HMIXER);
}

MMRESULT SystemMixer::SetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) {
    return mixerSetControlDetails(HMIXEROBJ(mixer_), &details, flags | MIXER_OBJECTF_HMIXER);
}

MixerSlider::MixerSlider(MIXERCONTROLA const &volume, DWORD line, int channels, int destination)
    : control(volume), details(), values(size_t(channels)), lineId(line), isDestination(destination) {
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = DWORD(channels);
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values.data();
}

// Positions count from the control's minimum, whatever it is.
int SliderPosition(MIXERCONTROLA const &control, DWORD value) {
    int64_t low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
    if (high <= low)
        return 0;
    int64_t from = int64_t(value) - low;
    from = from < 0 ? 0 : from > high - low ? high - low : from;
    return int(from * kMixerSliderRange / (high - low));
}

DWORD SliderValue(MIXERCONTROLA const &control, int position) {
    int64_t low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
    position = position < 0 ? 0 : position > kMixerSliderRange ? int(kMixerSliderRange) : position;
    return DWORD(low + int64_t(position) * (high - low) / kMixerSliderRange);
}
