// The catalogue's tables and the entry points that read them.
#include "Catalogue.h"

#include <cstring>

namespace torvask {

namespace {

InterfaceTraits const kInterfaces[] = {
    {"MIDI SDS", true, false, false, 1, 8, 16, 2000000, 16},
    {"MIDI + SCSI", true, true, true, 2, 8, 24, 16777216, 24},
};

ModelTraits const kModels[] = {
    {"Halvern  ", "MS-16 \t", "2.1   ", 0, {22050, 32000, 44100, 0}},
    {"Halvern\t", "SX-64   ", "3.04 ", 1, {22050, 32000, 44100, 48000}},
};

char const *const kMidiInputs[] = {"Torvask MIDI In 1   ", "Torvask MIDI In 2\t \t"};
char const *const kMidiOutputs[] = {"Torvask MIDI Out 1  ", "Torvask MIDI Out 2 \t"};
char const *const kAdapters[] = {"Torvask SCSI Adapter 0  ", "Torvask SCSI Adapter 1  ", "Torvask SCSI Adapter 2  ",
                                 "Torvask SCSI Adapter 3  "};

template <class T, std::size_t n>
constexpr std::int16_t Count(T const (&)[n]) {
    return std::int16_t(n);
}

template <std::size_t n>
void CopyText(char (&to)[n], char const *from) {
    std::memset(to, 0, n);
    std::strncpy(to, from, n - 1);
}

std::int32_t PortName(char const *const *names, std::int16_t count, std::int16_t port, char *name) {
    if (!name || port < 0 || port >= count)
        return QB_ERR_ARGUMENT;
    std::memset(name, 0, QB_PORT_NAME_SIZE);
    std::strncpy(name, names[port], QB_PORT_NAME_SIZE - 1);
    return QB_OK;
}

}  // namespace

ModelTraits const *FindModel(std::int32_t model) {
    return model >= 0 && model < Count(kModels) ? &kModels[model] : nullptr;
}

InterfaceTraits const &InterfaceOf(ModelTraits const &model) { return kInterfaces[model.interfaceNumber]; }

std::string FolderName(ModelTraits const &model) {
    std::string name = model.model;
    return name.substr(0, name.find_last_not_of(" \t") + 1);
}

bool SupportsRate(ModelTraits const &model, std::int32_t rate) {
    for (std::int32_t r : model.rates)
        if (r && r == rate)
            return true;
    return false;
}

bool IsMidiInput(std::int32_t port) { return port >= 0 && port < Count(kMidiInputs); }
bool IsMidiOutput(std::int32_t port) { return port >= 0 && port < Count(kMidiOutputs); }
bool IsScsiAdapter(std::int32_t adapter) { return adapter >= 0 && adapter < Count(kAdapters); }

}  // namespace torvask

using namespace torvask;

extern "C" {

std::int16_t __cdecl Qb_CountSamplerInterfaces(void) { return Count(kInterfaces); }

std::int32_t __cdecl Qb_GetSamplerInterfaceInfo(std::int16_t interfaceNumber, QbInterfaceInfo *info) {
    if (!info || interfaceNumber < 0 || interfaceNumber >= Count(kInterfaces))
        return QB_ERR_ARGUMENT;
    InterfaceTraits const &traits = kInterfaces[interfaceNumber];
    *info = QbInterfaceInfo();
    CopyText(info->name, traits.name);
    info->midi = traits.midi;
    info->scsi = traits.scsi;
    info->locations = traits.locations;
    info->maxChannels = traits.maxChannels;
    info->minBits = traits.minBits;
    info->maxBits = traits.maxBits;
    info->maxFrames = traits.maxFrames;
    info->maxNameLength = traits.maxNameLength;
    return QB_OK;
}

std::int16_t __cdecl Qb_CountSamplerModels(void) { return Count(kModels); }

std::int32_t __cdecl Qb_GetSamplerModelInfo(std::int16_t model, QbModelInfo *info) {
    ModelTraits const *traits = FindModel(model);
    if (!info || !traits)
        return QB_ERR_ARGUMENT;
    *info = QbModelInfo();
    CopyText(info->maker, traits->maker);
    CopyText(info->model, traits->model);
    CopyText(info->version, traits->version);
    info->interfaceNumber = traits->interfaceNumber;
    return QB_OK;
}

std::int16_t __cdecl Qb_GetSupportedSampleRates(std::int16_t model, std::int32_t *rates, std::int16_t capacity) {
    ModelTraits const *traits = FindModel(model);
    std::int16_t n = 0;
    for (std::int32_t i = 0; traits && rates && i < 4 && traits->rates[i] && n < capacity; ++i)
        rates[n++] = traits->rates[i];
    return n;
}

std::int16_t __cdecl Qb_CountSCSIAdapters(void) { return Count(kAdapters); }

std::int32_t __cdecl Qb_GetSCSIAdapterInfo(std::int16_t adapter, QbScsiAdapterInfo *info) {
    if (!info || !IsScsiAdapter(adapter))
        return QB_ERR_ARGUMENT;
    *info = QbScsiAdapterInfo();
    CopyText(info->name, kAdapters[adapter]);
    info->adapter = adapter;
    info->maxTarget = kMaxScsiTarget;
    return QB_OK;
}

std::int16_t __cdecl Qb_CountMIDIOutputs(void) { return Count(kMidiOutputs); }

std::int32_t __cdecl Qb_GetMIDIOutputInfo(std::int16_t port, char *name) {
    return PortName(kMidiOutputs, Count(kMidiOutputs), port, name);
}

std::int16_t __cdecl Qb_CountMIDIInputs(void) { return Count(kMidiInputs); }

std::int32_t __cdecl Qb_GetMIDIInputInfo(std::int16_t port, char *name) {
    return PortName(kMidiInputs, Count(kMidiInputs), port, name);
}

}  // extern "C"
