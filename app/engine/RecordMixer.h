// The wave-in device's mixer as the record dialog sees it: its volume controls, one
// slider column each, and the inputs its selection control switches. The system's mixer is
// reached through RecordMixer, which a test replaces by a mixer of its own.
#pragma once

#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

// The mixer calls the dialog makes, as the system's mixer services take them.
class RecordMixer {
public:
    virtual ~RecordMixer() {}

    // Opens the mixer of the wave-in device (the wave mapper: the first device).
    virtual MMRESULT Open(UINT waveInDevice) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual MMRESULT GetLineInfo(MIXERLINEA &line, DWORD flags) = 0;
    virtual MMRESULT GetLineControls(MIXERLINECONTROLSA &controls, DWORD flags) = 0;
    virtual MMRESULT GetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) = 0;
    virtual MMRESULT SetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) = 0;
};

// The system's mixer services.
class SystemMixer : public RecordMixer {
public:
    ~SystemMixer() override { Close(); }

    MMRESULT Open(UINT waveInDevice) override;
    void Close() override;
    bool IsOpen() const override { return mixer_ != nullptr; }
    MMRESULT GetLineInfo(MIXERLINEA &line, DWORD flags) override;
    MMRESULT GetLineControls(MIXERLINECONTROLSA &controls, DWORD flags) override;
    MMRESULT GetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) override;
    MMRESULT SetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) override;

private:
    HMIXER mixer_ = nullptr;
};

// A volume control with its current values, one per channel, and the slider(s) showing it.
class MixerSlider : public ListElement {
public:
    MixerSlider(MIXERCONTROLA const &control, DWORD lineId, int channels, int isDestination);
    MixerSlider(MixerSlider const &) = delete;
    MixerSlider &operator=(MixerSlider const &) = delete;

    MIXERCONTROLA control;
    MIXERCONTROLDETAILS details;  // its value array is values
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> values;
    DWORD lineId;
    int32_t isDestination;
    int32_t sliderIds[2] = {};
};

// The first multiple-select control of the mixer type: which inputs are recorded.
struct MixerSelection {
    MIXERCONTROLA control = {};
    MIXERCONTROLDETAILS details = {};
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values;   // one per item and channel
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> items;  // each with the line id of its input
};

// Slider positions 0 .. 1000 over the control's range.
enum { kMixerSliderRange = 1000 };
int SliderPosition(MIXERCONTROLA const &control, DWORD value);
DWORD SliderValue(MIXERCONTROLA const &control, int position);
