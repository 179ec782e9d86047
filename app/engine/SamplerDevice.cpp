#include "engine/SamplerDevice.h"

#include "engine/SamplerLink.h"
#include "engine/SamplerScsiUnits.h"

#include <cstring>
#include <vector>

namespace {

char const kPresetFile[] = "system\\samplers.set";
int const kMaxMidiChannel = 15;

FileName presetFile_;
int devicesLoaded_ = 0;

// The index of the entry equal to text without regard to case, -1 for none (and for an
// empty text).
int IndexOf(std::vector<String> const &entries, String const &text) {
    for (std::size_t i = 0; i < entries.size() && !text.IsEmpty(); ++i)
        if (_stricmp(entries[i].c_str(), text.c_str()) == 0)
            return int(i);
    return -1;
}

// The text of an index into entries, empty for none.
String EntryAt(std::vector<String> const &entries, int index) {
    return index >= 0 && std::size_t(index) < entries.size() ? entries[std::size_t(index)] : String();
}

String TrimmedValue(Config &group, char const *key) {
    String value = group.GetValue("", key);
    value.Trim();
    return value;
}

// Reads every group of the preset file but the default's into the list, sorted.
void ReadDevices(Config &presets) {
    Config::KeyFinder groups(presets);
    for (ConfigKey *key = groups.GetFirst(); key; key = groups.GetNext()) {
        if (!key->IsGroup())
            continue;
        int isDefault = _stricmp(key->GetName().c_str(), kDefaultSamplerPreset) == 0;
        SamplerDevice *device = isDefault ? &DefaultSamplerDevice() : new SamplerDevice(key->GetName());
        Config::PathSaver saver(presets);
        presets.MoveTo(key);
        int known = ReadSamplerDevice(presets, *device);
        if (!isDefault && known)
            SamplerDevices().InsertInSortedList(device);
        else if (!isDefault)
            delete device;
    }
}

void DropDevices() {
    DisposeOpenSamplerInterfaces();
    SamplerDevices().DeleteAll();
    DefaultSamplerDevice() = SamplerDevice(kDefaultSamplerPreset);
}

}  // namespace

// ---- SamplerDevice

SamplerDevice::SamplerDevice(SamplerDevice const &other) : ListElement() { *this = other; }

SamplerDevice &SamplerDevice::operator=(SamplerDevice const &other) {
    name = other.name;
    model = other.model;
    midiIn = other.midiIn;
    midiOut = other.midiOut;
    midiChannel = other.midiChannel;
    scsiUnit = other.scsiUnit;
    return *this;
}

SamplerDevice::~SamplerDevice() { DisposeInterface(); }

int SamplerDevice::Compare(CollectionElement const &other, int) const {
    return _stricmp(name.c_str(), static_cast<SamplerDevice const &>(other).name.c_str());
}

CollectionElement *SamplerDevice::CreateClone(void const *) const { return new SamplerDevice(*this); }

int SamplerDevice::OpenInterface() {
    if (openCount_ > 0) {
        ++openCount_;
        return 1;
    }
    SamplerEntries const &qb = TheSamplerEntries();
    QbInterfaceInfo info;
    if (!GetSamplerModelInterface(model, info))
        return 0;
    BrastowScsiUnit const *unit = FindScsiUnit(scsiUnit);
    auto const m = std::int16_t(model), channel = std::int16_t(midiChannel);
    auto const in = std::int16_t(midiIn), out = std::int16_t(midiOut);
    QbHandle handle = nullptr;
    std::int32_t result = QB_ERR_NOT_SUPPORTED;
    if (info.midi && info.scsi && unit && qb.createMidiAndScsiSamplerInterface)
        result = qb.createMidiAndScsiSamplerInterface(m, channel, in, out, std::int16_t(unit->adapter),
                                                      std::int16_t(unit->target), &handle);
    else if (info.midi && !info.scsi && qb.createMidiSamplerInterface)
        result = qb.createMidiSamplerInterface(m, channel, in, out, &handle);
    else if (info.scsi && !info.midi && unit && qb.createScsiSamplerInterface)
        result =
            qb.createScsiSamplerInterface(m, channel, std::int16_t(unit->adapter), std::int16_t(unit->target), &handle);
    if (result != QB_OK || !handle)
        return 0;
    handle_ = handle;
    openCount_ = 1;
    return 1;
}

void SamplerDevice::CloseInterface() {
    if (openCount_ > 0 && --openCount_ == 0)
        DisposeInterface();
}

void SamplerDevice::DisposeInterface() {
    if (handle_ && TheSamplerEntries().disposeSamplerInterface)
        TheSamplerEntries().disposeSamplerInterface(handle_);
    handle_ = nullptr;
    openCount_ = 0;
}

// ---- settings

SamplerSettings &TheSamplerSettings() {
    static SamplerSettings settings;
    return settings;
}

void LoadSamplerSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Sampler");
    TheSamplerSettings().currentDevice = config.GetValue(-1, "CurrDev");
}

void SaveSamplerSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Sampler");
    config.SetValue(int(TheSamplerSettings().currentDevice), "CurrDev");
}

// ---- the device list

List<SamplerDevice> &SamplerDevices() {
    static List<SamplerDevice> devices;
    return devices;
}

SamplerDevice &DefaultSamplerDevice() {
    static SamplerDevice device(kDefaultSamplerPreset);
    return device;
}

SamplerDevice *FindSamplerDevice(int index) { return index >= 0 ? SamplerDevices()[index] : nullptr; }

FileName SamplerPresetFile() {
    return presetFile_.IsEmpty() ? FileName::CreateApplicationRelative(String(kPresetFile)) : presetFile_;
}

void SetSamplerPresetFile(FileName const &file) { presetFile_ = file; }

void LoadSamplerDevices(int reload) {
    if (devicesLoaded_ && !reload)
        return;
    if (!devicesLoaded_)
        FetchScsiUnits();
    DropDevices();
    Config presets(kSamplerPresetRoot, SamplerPresetFile());
    ReadDevices(presets);
    if (TheSamplerSettings().currentDevice >= SamplerDevices().GetCount())
        TheSamplerSettings().currentDevice = -1;
    devicesLoaded_ = 1;
}

void UnloadSamplerDevices() {
    DropDevices();
    devicesLoaded_ = 0;
}

void DisposeOpenSamplerInterfaces() {
    for (SamplerDevice *device = SamplerDevices().GetFirst(); device; device = SamplerDevices().GetNext(device))
        device->DisposeInterface();
}

int ReadSamplerDevice(Config &group, SamplerDevice &device) {
    int model = IndexOf(SamplerModelTexts(), TrimmedValue(group, "Model"));
    if (model < 0)
        return 0;
    device.model = model;
    device.midiIn = IndexOf(SamplerMidiInputNames(), TrimmedValue(group, "MidiIn"));
    device.midiOut = IndexOf(SamplerMidiOutputNames(), TrimmedValue(group, "MidiOut"));
    device.midiChannel = group.GetSure(0, 0, kMaxMidiChannel, "MidiChannel");
    device.scsiUnit = FindScsiUnitByText(TrimmedValue(group, "ScsiUnit"));
    return 1;
}

void WriteSamplerDevice(Config &group, SamplerDevice const &device) {
    group.SetValue(EntryAt(SamplerModelTexts(), device.model), "Model");
    group.SetValue(EntryAt(SamplerMidiInputNames(), device.midiIn), "MidiIn");
    group.SetValue(EntryAt(SamplerMidiOutputNames(), device.midiOut), "MidiOut");
    group.SetValue(int(device.midiChannel), "MidiChannel");
    group.SetValue(ScsiUnitText(device.scsiUnit), "ScsiUnit");
}

int OpenSamplerInterface(int deviceIndex) {
    SamplerDevice *device = FindSamplerDevice(deviceIndex);
    return device && device->OpenInterface();
}

void CloseSamplerInterface(int deviceIndex) {
    if (SamplerDevice *device = FindSamplerDevice(deviceIndex))
        device->CloseInterface();
}
