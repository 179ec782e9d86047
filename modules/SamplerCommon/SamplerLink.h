// The sampler link: the entry points of Torvask.dll, which the program binds by name, and
// the records exchanged through them. Every record has fixed-width fields and one layout
// on 32-bit and 64-bit Windows; only the interface handle and the list and record
// pointers are pointer-sized. Every function takes its arguments on the stack and the
// caller removes them.
//
// A sampler is reached through an interface made for one model over MIDI, SCSI or both.
// Its sample memory holds numbered samples (0 to 16383, unique on the sampler); a model
// that offers locations keeps its samples in numbered locations (banks).
#pragma once

#include <cstddef>
#include <cstdint>

// What the calls answer.
enum : std::int32_t {
    QB_OK = 0,
    QB_ERR_ARGUMENT = 1,       // a number out of range or a null record
    QB_ERR_NOT_SUPPORTED = 2,  // the model's interface does not do this
    QB_ERR_HANDLE = 3,         // not a live interface
    QB_ERR_NO_SAMPLE = 4,      // no sample of that number
    QB_ERR_SAMPLE_EXISTS = 5,  // the number is taken (replace it instead)
    QB_ERR_MEMORY_FULL = 6,    // no free sample number
    QB_ERR_FORMAT = 7,         // a sample the sampler cannot hold, or a file that is no such sample
    QB_ERR_IO = 8,             // the sample memory or the file could not be read or written
    QB_ERR_CANCELLED = 9,      // the progress routine asked to stop; nothing was changed
    QB_ERR_NO_LOCATION = 10,   // no location of that number
};

// The kinds of location a sampler offers.
enum : std::int32_t { QB_LOCATIONS_NONE = 0, QB_LOCATIONS_BANKS = 1 };

enum : std::int32_t {
    QB_MAX_SAMPLE_NUMBER = 16383,
    QB_ANY_LOCATION = -1,    // a sample entry's location when the number alone names it
    QB_ANY_NUMBER = -1,      // a new sample's number when the sampler may choose
    QB_PORT_NAME_SIZE = 32,  // bytes of a MIDI port name, its zero included
};

struct QbInterface;
typedef QbInterface *QbHandle;  // one open interface

// A model: three texts, each ended by a zero and possibly padded with blanks, and the
// number of the interface it speaks (a 16-bit value in a 32-bit word).
struct QbModelInfo {
    char maker[33];
    char model[17];
    char version[18];
    std::int32_t interfaceNumber;
};

// An interface: what it speaks and offers (each flag byte non-zero for yes).
struct QbInterfaceInfo {
    char name[17];
    std::uint8_t midi;  // byte 17
    std::uint8_t scsi;  // byte 18
    std::uint8_t reserved1;
    std::uint8_t locations;  // byte 20
    std::uint8_t reserved2[3];
    std::int32_t maxChannels;
    std::int32_t minBits;
    std::int32_t maxBits;
    std::int32_t maxFrames;      // of one sample
    std::int32_t maxNameLength;  // characters of a sample's name
    std::int32_t reserved3[2];
};

// A host adapter the library can reach SCSI units through.
struct QbScsiAdapterInfo {
    char name[32];
    std::int32_t adapter;
    std::int32_t maxTarget;
};

// A location of the sampler (72 bytes beginning with its name).
struct QbLocationEntry {
    char name[64];
    std::int32_t number;
    std::int32_t sampleCount;
};

// A sample of the sampler (84 bytes). The same record is the entry by which a
// sample is received, sent, replaced, corrected or deleted: Qb_BuildSampleSpec fills
// one from a number alone.
struct QbSampleEntry {
    char name[64];          // ended by a zero
    std::int32_t number;    // 0 .. QB_MAX_SAMPLE_NUMBER
    std::int16_t location;  // QB_ANY_LOCATION when the number alone names the sample
    std::uint8_t channels;  // 1 or 2
    std::uint8_t rootKey;   // MIDI note 0 .. 127
    std::int32_t rate;      // Hz
    std::int32_t frames;
    std::uint8_t bits;   // 8, 16 or 24
    std::uint8_t known;  // 1 once the fields above name a sample of the sampler
    std::int16_t reserved;
};

static_assert(sizeof(QbModelInfo) == 72 && offsetof(QbModelInfo, model) == 33 && offsetof(QbModelInfo, version) == 50 &&
                  offsetof(QbModelInfo, interfaceNumber) == 68,
              "model information layout");
static_assert(sizeof(QbInterfaceInfo) == 52 && offsetof(QbInterfaceInfo, midi) == 17 &&
                  offsetof(QbInterfaceInfo, scsi) == 18 && offsetof(QbInterfaceInfo, locations) == 20,
              "interface information layout");
static_assert(sizeof(QbScsiAdapterInfo) == 40, "adapter information layout");
static_assert(sizeof(QbLocationEntry) == 72 && offsetof(QbLocationEntry, name) == 0, "location entry layout");
static_assert(sizeof(QbSampleEntry) == 84 && offsetof(QbSampleEntry, number) == 64 &&
                  offsetof(QbSampleEntry, rate) == 72 && offsetof(QbSampleEntry, bits) == 80,
              "sample entry layout");

extern "C" {

// The progress of a long call: done of total steps. Answers 1 to go on and 0 to stop,
// after which the call undoes what it began and answers QB_ERR_CANCELLED.
typedef std::int32_t(__cdecl *QbProgress)(void *record, std::int32_t done, std::int32_t total);

// ---- what the library offers
std::int16_t __cdecl Qb_CountSamplerInterfaces(void);
std::int32_t __cdecl Qb_GetSamplerInterfaceInfo(std::int16_t interfaceNumber, QbInterfaceInfo *info);
std::int16_t __cdecl Qb_CountSamplerModels(void);
std::int32_t __cdecl Qb_GetSamplerModelInfo(std::int16_t model, QbModelInfo *info);
// Writes at most capacity rates (Hz, ascending) and answers how many it wrote.
std::int16_t __cdecl Qb_GetSupportedSampleRates(std::int16_t model, std::int32_t *rates, std::int16_t capacity);
std::int16_t __cdecl Qb_CountSCSIAdapters(void);
std::int32_t __cdecl Qb_GetSCSIAdapterInfo(std::int16_t adapter, QbScsiAdapterInfo *info);
std::int16_t __cdecl Qb_CountMIDIOutputs(void);
// The port's name into QB_PORT_NAME_SIZE bytes.
std::int32_t __cdecl Qb_GetMIDIOutputInfo(std::int16_t port, char *name);
std::int16_t __cdecl Qb_CountMIDIInputs(void);
std::int32_t __cdecl Qb_GetMIDIInputInfo(std::int16_t port, char *name);

// ---- interfaces: each sets *handle on success and leaves it null otherwise
std::int32_t __cdecl Qb_CreateMIDISamplerInterface(std::int16_t model, std::int16_t midiChannel, std::int16_t midiInput,
                                                   std::int16_t midiOutput, QbHandle *handle);
std::int32_t __cdecl Qb_CreateSCSISamplerInterface(std::int16_t model, std::int16_t midiChannel, std::int16_t adapter,
                                                   std::int16_t target, QbHandle *handle);
std::int32_t __cdecl Qb_CreateMIDIAndSCSISamplerInterface(std::int16_t model, std::int16_t midiChannel,
                                                          std::int16_t midiInput, std::int16_t midiOutput,
                                                          std::int16_t adapter, std::int16_t target, QbHandle *handle);
// Nothing for a null or unknown handle.
void __cdecl Qb_DisposeSamplerInterface(QbHandle handle);

// ---- lists, made by the library and given back to it (the pointer is cleared)
std::int32_t __cdecl Qb_CreateLocationList(QbHandle handle, std::int32_t *kind, std::int16_t *count,
                                           QbLocationEntry **list, QbProgress progress, void *record);
void __cdecl Qb_DisposeLocationList(QbLocationEntry **list);
// Every sample of a location, or of the sampler for QB_ANY_LOCATION, by number.
std::int32_t __cdecl Qb_CreateSampleList(QbHandle handle, std::int16_t location, std::int16_t *count,
                                         QbSampleEntry **list, QbProgress progress, void *record);
void __cdecl Qb_DisposeSampleList(QbSampleEntry **list);

// ---- samples
std::int32_t __cdecl Qb_BuildSampleSpec(std::int16_t number, QbSampleEntry *entry);
// Fills the entry from the sampler's sample of its number.
std::int32_t __cdecl Qb_ReceiveSampleInfo(QbHandle handle, QbSampleEntry *entry, QbProgress progress, void *record);
// Receives the sample as a WAV file named after it in the library's folder of received
// samples (a free name: nothing there is replaced).
std::int32_t __cdecl Qb_ReceiveSample(QbHandle handle, QbSampleEntry const *entry, QbProgress progress, void *record);
// Gives the sample of the entry's number the entry's name and root key.
std::int32_t __cdecl Qb_CorrectSampleInformation(QbHandle handle, QbSampleEntry const *entry);
// Sends a WAV file as a new sample with the entry's name, root key, location and number
// (QB_ANY_NUMBER: the lowest free one); the entry is filled with the sample as stored.
std::int32_t __cdecl Qb_TransmitNewSample(QbHandle handle, QbSampleEntry *entry, char const *wavFile,
                                          QbProgress progress, void *record);
// Sends a WAV file in place of the sample of the entry's number, keeping its location, and
// its name when the entry's is empty.
std::int32_t __cdecl Qb_ReplaceSample(QbHandle handle, QbSampleEntry const *entry, char const *wavFile,
                                      QbProgress progress, void *record);
std::int32_t __cdecl Qb_DeleteSample(QbHandle handle, QbSampleEntry const *entry);

}  // extern "C"
