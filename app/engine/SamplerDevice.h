// The sampler devices the user configured: named presets of "system\samplers.set" (root
// group "Samplers", one group per device, "__default__" for the default device), each a
// model of the sampler link and how it is connected; and, while a device is in use, the
// link's interface to it, opened once however many users hold it.
#pragma once

#include "foundation/Config.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include "SamplerCommon/SamplerLink.h"

#include <cstdint>

class SamplerDevice : public ListElement {
public:
    SamplerDevice() = default;
    explicit SamplerDevice(String const &deviceName) : name(deviceName) {}
    // A copy takes the settings, never the interface or its count.
    SamplerDevice(SamplerDevice const &other);
    SamplerDevice &operator=(SamplerDevice const &other);
    ~SamplerDevice() override;

    // By name, without regard to case.
    int Compare(CollectionElement const &other, int mode) const override;
    CollectionElement *CreateClone(void const *arg) const override;

    // Opens the link's interface, or only counts one more user when it is open: over MIDI,
    // SCSI or both as the model's interface speaks (SCSI needs a chosen unit). Non-zero on
    // success.
    int OpenInterface();
    // One user fewer; the last one disposes of the interface.
    void CloseInterface();
    // Disposes of the interface whatever its count.
    void DisposeInterface();
    QbHandle GetHandle() const { return handle_; }
    std::int32_t GetOpenCount() const { return openCount_; }

    String name;
    std::int32_t model = 0;        // index into the link's models
    std::int32_t midiIn = -1;      // index into its MIDI inputs, -1 none
    std::int32_t midiOut = -1;     // index into its MIDI outputs, -1 none
    std::int32_t midiChannel = 0;  // 0 to 15
    std::int32_t scsiUnit = -1;    // index into the connected SCSI units, -1 none

private:
    QbHandle handle_ = nullptr;
    std::int32_t openCount_ = 0;
};

// The "Sampler" settings group.
struct SamplerSettings {
    std::int32_t currentDevice = -1;  // "CurrDev": index into the device list, -1 none
    std::int32_t currentSample = 0;   // the sample number last chosen (not stored)
};

SamplerSettings &TheSamplerSettings();
void LoadSamplerSettings(Config &config);
void SaveSamplerSettings(Config &config);

constexpr char kSamplerPresetRoot[] = "Samplers";
constexpr char kDefaultSamplerPreset[] = "__default__";

// The devices, sorted by name (owning), and the default device.
List<SamplerDevice> &SamplerDevices();
SamplerDevice &DefaultSamplerDevice();
// Null for an index outside the list.
SamplerDevice *FindSamplerDevice(int index);

// The preset file, "system\samplers.set" below the program's folder unless set otherwise
// (tests; an empty name goes back to it).
FileName SamplerPresetFile();
void SetSamplerPresetFile(FileName const &file);

// Reads the device list from the preset file: nothing when it is loaded and reload is 0.
// The first time the connected SCSI units are fetched first. A group whose model the link
// does not know is left out; a current device beyond the list becomes -1.
void LoadSamplerDevices(int reload);
// Forgets the devices (their open interfaces disposed of) and the SCSI units, so that
// the next LoadSamplerDevices starts afresh.
void UnloadSamplerDevices();
// Disposes of every open interface, before the library goes.
void DisposeOpenSamplerInterfaces();

// Reads a device from the current group of a preset file: "Model" (the model's text,
// without regard to case), "MidiIn" and "MidiOut" (port names), "MidiChannel" and
// "ScsiUnit" (the unit's text). A port or unit not found reads as none. Answers 0, and
// leaves the device as it was, when the model is none of the link's.
int ReadSamplerDevice(Config &group, SamplerDevice &device);
// Writes the same five keys into the current group.
void WriteSamplerDevice(Config &group, SamplerDevice const &device);

// The device list's interfaces by index: non-zero when the interface is open.
int OpenSamplerInterface(int deviceIndex);
void CloseSamplerInterface(int deviceIndex);
