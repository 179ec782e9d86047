#include "engine/SamplerLink.h"

#include "engine/SamplerDevice.h"
#include "foundation/File.h"

#include <windows.h>

#include <cstring>

namespace {

char const kLibraryFile[] = "system\\Torvask.dll";

HMODULE library_ = 0;
SamplerEntries entries_ = {};

template <class Entry>
void Bind(Entry &entry, char const *name) {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void *>(GetProcAddress(library_, name)));
}

void BindAll() {
    SamplerEntries &e = entries_;
    Bind(e.countSamplerInterfaces, "Qb_CountSamplerInterfaces");
    Bind(e.getSamplerInterfaceInfo, "Qb_GetSamplerInterfaceInfo");
    Bind(e.countSamplerModels, "Qb_CountSamplerModels");
    Bind(e.getSamplerModelInfo, "Qb_GetSamplerModelInfo");
    Bind(e.getSupportedSampleRates, "Qb_GetSupportedSampleRates");
    Bind(e.countScsiAdapters, "Qb_CountSCSIAdapters");
    Bind(e.getScsiAdapterInfo, "Qb_GetSCSIAdapterInfo");
    Bind(e.countMidiOutputs, "Qb_CountMIDIOutputs");
    Bind(e.getMidiOutputInfo, "Qb_GetMIDIOutputInfo");
    Bind(e.countMidiInputs, "Qb_CountMIDIInputs");
    Bind(e.getMidiInputInfo, "Qb_GetMIDIInputInfo");
    Bind(e.createMidiSamplerInterface, "Qb_CreateMIDISamplerInterface");
    Bind(e.createScsiSamplerInterface, "Qb_CreateSCSISamplerInterface");
    Bind(e.createMidiAndScsiSamplerInterface, "Qb_CreateMIDIAndSCSISamplerInterface");
    Bind(e.disposeSamplerInterface, "Qb_DisposeSamplerInterface");
    Bind(e.createLocationList, "Qb_CreateLocationList");
    Bind(e.disposeLocationList, "Qb_DisposeLocationList");
    Bind(e.buildSampleEntry, "Qb_BuildSampleSpec");
    Bind(e.createSampleList, "Qb_CreateSampleList");
    Bind(e.disposeSampleList, "Qb_DisposeSampleList");
    Bind(e.receiveSampleInfo, "Qb_ReceiveSampleInfo");
    Bind(e.receiveSample, "Qb_ReceiveSample");
    Bind(e.correctSampleInformation, "Qb_CorrectSampleInformation");
    Bind(e.transmitNewSample, "Qb_TransmitNewSample");
    Bind(e.replaceSample, "Qb_ReplaceSample");
    Bind(e.deleteSample, "Qb_DeleteSample");
}

// The trimmed names of count ports.
std::vector<String> PortNames(decltype(&Qb_CountMIDIInputs) count, decltype(&Qb_GetMIDIInputInfo) info) {
    std::vector<String> names;
    for (int port = 0, n = count && info ? count() : 0; port < n; ++port) {
        char name[QB_PORT_NAME_SIZE + 1] = "";
        names.push_back(info(std::int16_t(port), name) == QB_OK ? TrimmedField(name, sizeof name) : String());
    }
    return names;
}

}  // namespace

String TrimmedField(char const *field, std::size_t width) {
    String text(field, 0, static_cast<unsigned long>(strnlen(field, width)));
    text.Trim();
    return text;
}

SamplerEntries const &TheSamplerEntries() { return entries_; }

int IsSamplerLibraryAvailable() { return library_ != 0; }

int LoadSamplerLibrary() { return LoadSamplerLibraryFrom(FileName::CreateApplicationRelative(String(kLibraryFile))); }

int LoadSamplerLibraryFrom(FileName const &file) {
    if (library_)
        return 1;
    if (!File::Exist(file))
        return 0;
    library_ = LoadLibraryA(file.c_str());
    if (library_)
        BindAll();
    return library_ != 0;
}

void FreeSamplerLibrary() {
    if (!library_)
        return;
    DisposeOpenSamplerInterfaces();
    FreeLibrary(library_);
    library_ = 0;
    entries_ = SamplerEntries();
}

std::vector<String> SamplerModelTexts() {
    std::vector<String> texts;
    SamplerEntries const &e = entries_;
    for (int model = 0, n = e.countSamplerModels && e.getSamplerModelInfo ? e.countSamplerModels() : 0; model < n;
         ++model) {
        QbModelInfo info = {};
        if (e.getSamplerModelInfo(std::int16_t(model), &info) != QB_OK) {
            texts.push_back(String());
            continue;
        }
        texts.push_back(String(TrimmedField(info.maker, sizeof info.maker) + " " +
                               TrimmedField(info.model, sizeof info.model) + " " +
                               TrimmedField(info.version, sizeof info.version)));
    }
    return texts;
}

int GetSamplerModelInterface(int model, QbInterfaceInfo &info) {
    SamplerEntries const &e = entries_;
    QbModelInfo modelInfo = {};
    info = QbInterfaceInfo();
    return e.getSamplerModelInfo && e.getSamplerInterfaceInfo && model >= 0 && model <= INT16_MAX &&
           e.getSamplerModelInfo(std::int16_t(model), &modelInfo) == QB_OK &&
           e.getSamplerInterfaceInfo(std::int16_t(modelInfo.interfaceNumber), &info) == QB_OK;
}

std::vector<String> SamplerMidiInputNames() { return PortNames(entries_.countMidiInputs, entries_.getMidiInputInfo); }

std::vector<String> SamplerMidiOutputNames() {
    return PortNames(entries_.countMidiOutputs, entries_.getMidiOutputInfo);
}
