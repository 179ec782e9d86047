// The sampler link library, Torvask, bound by name when its file is there, and what the
// program reads of it: the models with their interfaces and the MIDI ports.
#pragma once

#include "foundation/FileName.h"
#include "foundation/Strings.h"

#include "SamplerCommon/SamplerLink.h"

#include <cstddef>
#include <vector>

// The library's entry points; each is null while the library is not loaded or when the
// library lacks that name.
struct SamplerEntries {
    decltype(&Qb_CountSamplerInterfaces) countSamplerInterfaces;
    decltype(&Qb_GetSamplerInterfaceInfo) getSamplerInterfaceInfo;
    decltype(&Qb_CountSamplerModels) countSamplerModels;
    decltype(&Qb_GetSamplerModelInfo) getSamplerModelInfo;
    decltype(&Qb_GetSupportedSampleRates) getSupportedSampleRates;
    decltype(&Qb_CountSCSIAdapters) countScsiAdapters;
    decltype(&Qb_GetSCSIAdapterInfo) getScsiAdapterInfo;
    decltype(&Qb_CountMIDIOutputs) countMidiOutputs;
    decltype(&Qb_GetMIDIOutputInfo) getMidiOutputInfo;
    decltype(&Qb_CountMIDIInputs) countMidiInputs;
    decltype(&Qb_GetMIDIInputInfo) getMidiInputInfo;
    decltype(&Qb_CreateMIDISamplerInterface) createMidiSamplerInterface;
    decltype(&Qb_CreateSCSISamplerInterface) createScsiSamplerInterface;
    decltype(&Qb_CreateMIDIAndSCSISamplerInterface) createMidiAndScsiSamplerInterface;
    decltype(&Qb_DisposeSamplerInterface) disposeSamplerInterface;
    decltype(&Qb_CreateLocationList) createLocationList;
    decltype(&Qb_DisposeLocationList) disposeLocationList;
    decltype(&Qb_BuildSampleSpec) buildSampleEntry;
    decltype(&Qb_CreateSampleList) createSampleList;
    decltype(&Qb_DisposeSampleList) disposeSampleList;
    decltype(&Qb_ReceiveSampleInfo) receiveSampleInfo;
    decltype(&Qb_ReceiveSample) receiveSample;
    decltype(&Qb_CorrectSampleInformation) correctSampleInformation;
    decltype(&Qb_TransmitNewSample) transmitNewSample;
    decltype(&Qb_ReplaceSample) replaceSample;
    decltype(&Qb_DeleteSample) deleteSample;
};

SamplerEntries const &TheSamplerEntries();
int IsSamplerLibraryAvailable();

// Loads "system\Torvask.dll" below the program's folder when the file is there and binds
// its names; else nothing. Non-zero when the library is loaded (also when it already was).
int LoadSamplerLibrary();
// The same from another file (tests).
int LoadSamplerLibraryFrom(FileName const &file);
// Disposes of the interfaces still open, then frees the library; nothing when it is not
// loaded.
void FreeSamplerLibrary();

// A text field of a record (ended by a zero or by its width) trimmed of blanks and tabs.
String TrimmedField(char const *field, std::size_t width);

// The models' texts, "maker model version" each trimmed of blanks and tabs, by model
// number; none without the library.
std::vector<String> SamplerModelTexts();
// The interface a model speaks; 0 when the library cannot say.
int GetSamplerModelInterface(int model, QbInterfaceInfo &info);
// The MIDI ports' names trimmed of blanks and tabs, by port number.
std::vector<String> SamplerMidiInputNames();
std::vector<String> SamplerMidiOutputNames();
