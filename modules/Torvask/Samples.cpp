// The lists of locations and samples and the moves of samples between the caller's files
// and the sample memory. Every move writes a new file beside its target and puts it in
// place only when it is whole, so a cancel or a failure leaves the memory as it was.
#include "Interfaces.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace torvask {

namespace {

std::int32_t const kMaxRootKey = 127;

// The name of a sample that has none.
std::string NameOrDefault(std::string const &name, std::int32_t number) {
    return name.empty() ? "Sample " + std::to_string(number) : name;
}

std::string FolderOfFile(std::string const &path) { return path.substr(0, path.find_last_of('\\')); }

// Whether the interface's sampler can hold the sample of a WAV file.
std::int32_t CheckSource(QbInterface const &link, char const *wavFile, WavInfo &info) {
    if (!wavFile)
        return QB_ERR_ARGUMENT;
    if (!ReadWavInfo(wavFile, info))
        return QB_ERR_FORMAT;
    InterfaceTraits const &traits = link.traits;
    bool holds = info.channels <= traits.maxChannels && info.bits >= traits.minBits && info.bits <= traits.maxBits &&
                 info.frames > 0 && info.frames <= traits.maxFrames && SupportsRate(link.model, info.rate);
    return holds ? QB_OK : QB_ERR_FORMAT;
}

// A file name in the folder of received samples that nothing has yet.
std::string FreeReceivedPath(std::string const &folder, std::string const &name) {
    std::string path = folder + "\\" + name + ".wav";
    for (int n = 2; GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        path = folder + "\\" + name + " (" + std::to_string(n) + ").wav";
    return path;
}

// Writes a sample's new data, name or root key over an existing one of the same number.
std::int32_t Rewrite(StoredSample const &old, std::string const &sourcePath, WavInfo const &source,
                     std::string const &name, std::int32_t rootKey, Progress const &progress) {
    std::string target = SampleMemory::SamplePath(FolderOfFile(old.path), old.entry.number, name);
    bool samePath = _stricmp(target.c_str(), old.path.c_str()) == 0;
    std::int32_t result = WriteSample(sourcePath, source, target, rootKey, progress, samePath);
    if (result == QB_OK && !samePath)
        DeleteFileA(old.path.c_str());
    return result;
}

// The stored sample an entry names; QB_OK or why there is none.
std::int32_t FindSample(QbHandle handle, QbSampleEntry const *entry, QbInterface *&link, StoredSample &sample) {
    link = Live(handle);
    if (!link)
        return QB_ERR_HANDLE;
    if (!entry)
        return QB_ERR_ARGUMENT;
    return link->memory.Find(entry->number, sample) ? QB_OK : QB_ERR_NO_SAMPLE;
}

std::string EntryName(QbInterface const &link, QbSampleEntry const &entry) {
    char name[sizeof entry.name + 1] = "";
    std::memcpy(name, entry.name, sizeof entry.name);
    return SafeName(name, link.traits.maxNameLength);
}

// A list of one entry per item, each made by fill and reported to progress; the count
// and list are set only when the list is whole.
// Writes the sample an entry names anew, from a WAV file or (without one) from itself, with
// the entry's name (its own when the entry's is empty) and root key.
std::int32_t RewriteSample(QbHandle handle, QbSampleEntry const *entry, char const *wavFile, Progress const &progress) {
    QbInterface *link = nullptr;
    StoredSample sample;
    if (std::int32_t failure = FindSample(handle, entry, link, sample))
        return failure;
    if (entry->rootKey > kMaxRootKey)
        return QB_ERR_ARGUMENT;
    WavInfo info = sample.info;
    if (wavFile)
        if (std::int32_t failure = CheckSource(*link, wavFile, info))
            return failure;
    std::string name = EntryName(*link, *entry);
    return Rewrite(sample, wavFile ? wavFile : sample.path, info, name.empty() ? sample.entry.name : name,
                   entry->rootKey, progress);
}

template <class Item, class Entry, class Fill>
std::int32_t MakeList(std::vector<Item> const &items, Progress const &progress, std::int16_t *count, Entry **list,
                      Fill fill) {
    std::size_t const n = std::min<std::size_t>(items.size(), 32767);
    std::unique_ptr<Entry[]> entries(n ? new Entry[n]() : nullptr);
    for (std::size_t i = 0; i < n; ++i) {
        if (!progress.Report(std::int32_t(i), std::int32_t(n)))
            return QB_ERR_CANCELLED;
        fill(entries[i], items[i]);
    }
    *count = std::int16_t(n);
    *list = entries.release();
    return QB_OK;
}

template <class Entry>
void DisposeList(Entry **list) {
    if (list) {
        delete[] * list;
        *list = nullptr;
    }
}

}  // namespace

}  // namespace torvask

using namespace torvask;

extern "C" {

std::int32_t __cdecl Qb_CreateLocationList(QbHandle handle, std::int32_t *kind, std::int16_t *count,
                                           QbLocationEntry **list, QbProgress progress, void *record) {
    QbInterface *link = Live(handle);
    if (!link)
        return QB_ERR_HANDLE;
    if (!kind || !count || !list)
        return QB_ERR_ARGUMENT;
    *kind = QB_LOCATIONS_NONE;
    *count = 0;
    *list = nullptr;
    if (!link->traits.locations)
        return QB_ERR_NOT_SUPPORTED;
    std::int32_t result = MakeList(link->memory.Locations(), Progress(progress, record), count, list,
                                   [link](QbLocationEntry &entry, Location const &location) {
                                       std::strncpy(entry.name, location.name.c_str(), sizeof entry.name - 1);
                                       entry.number = location.number;
                                       entry.sampleCount = std::int32_t(link->memory.Samples(location.number).size());
                                   });
    if (result == QB_OK)
        *kind = QB_LOCATIONS_BANKS;
    return result;
}

void __cdecl Qb_DisposeLocationList(QbLocationEntry **list) { DisposeList(list); }

std::int32_t __cdecl Qb_CreateSampleList(QbHandle handle, std::int16_t location, std::int16_t *count,
                                         QbSampleEntry **list, QbProgress progress, void *record) {
    QbInterface *link = Live(handle);
    if (!link)
        return QB_ERR_HANDLE;
    if (!count || !list)
        return QB_ERR_ARGUMENT;
    *count = 0;
    *list = nullptr;
    if (location != QB_ANY_LOCATION && link->memory.FolderFor(location).empty())
        return QB_ERR_NO_LOCATION;
    return MakeList(link->memory.Samples(location), Progress(progress, record), count, list,
                    [](QbSampleEntry &entry, StoredSample const &sample) { entry = sample.entry; });
}

void __cdecl Qb_DisposeSampleList(QbSampleEntry **list) { DisposeList(list); }

std::int32_t __cdecl Qb_BuildSampleSpec(std::int16_t number, QbSampleEntry *entry) {
    if (!entry || number < 0 || number > QB_MAX_SAMPLE_NUMBER)
        return QB_ERR_ARGUMENT;
    *entry = QbSampleEntry();
    entry->number = number;
    entry->location = QB_ANY_LOCATION;
    entry->rootKey = 60;
    return QB_OK;
}

std::int32_t __cdecl Qb_ReceiveSampleInfo(QbHandle handle, QbSampleEntry *entry, QbProgress progress, void *record) {
    QbInterface *link = nullptr;
    StoredSample sample;
    if (std::int32_t failure = FindSample(handle, entry, link, sample))
        return failure;
    if (!Progress(progress, record).Report(1, 1))
        return QB_ERR_CANCELLED;
    *entry = sample.entry;
    return QB_OK;
}

std::int32_t __cdecl Qb_ReceiveSample(QbHandle handle, QbSampleEntry const *entry, QbProgress progress, void *record) {
    QbInterface *link = nullptr;
    StoredSample sample;
    if (std::int32_t failure = FindSample(handle, entry, link, sample))
        return failure;
    if (!MakeFolder(link->received))
        return QB_ERR_IO;
    std::string name = NameOrDefault(SafeName(sample.entry.name, link->traits.maxNameLength), sample.entry.number);
    return WriteSample(sample.path, sample.info, FreeReceivedPath(link->received, name), sample.info.rootKey,
                       Progress(progress, record), false);
}

std::int32_t __cdecl Qb_CorrectSampleInformation(QbHandle handle, QbSampleEntry const *entry) {
    return RewriteSample(handle, entry, nullptr, Progress(nullptr, nullptr));
}

std::int32_t __cdecl Qb_TransmitNewSample(QbHandle handle, QbSampleEntry *entry, char const *wavFile,
                                          QbProgress progress, void *record) {
    QbInterface *link = Live(handle);
    if (!link)
        return QB_ERR_HANDLE;
    if (!entry || entry->rootKey > kMaxRootKey)
        return QB_ERR_ARGUMENT;
    WavInfo info;
    if (std::int32_t failure = CheckSource(*link, wavFile, info))
        return failure;
    StoredSample taken;
    std::int32_t number = entry->number == QB_ANY_NUMBER ? link->memory.FreeNumber() : entry->number;
    if (number < 0)
        return entry->number == QB_ANY_NUMBER ? QB_ERR_MEMORY_FULL : QB_ERR_ARGUMENT;
    if (number > QB_MAX_SAMPLE_NUMBER)
        return QB_ERR_ARGUMENT;
    if (link->memory.Find(number, taken))
        return QB_ERR_SAMPLE_EXISTS;
    std::string folder = link->memory.FolderFor(entry->location);
    if (folder.empty())
        return QB_ERR_NO_LOCATION;
    std::string path = SampleMemory::SamplePath(folder, number, NameOrDefault(EntryName(*link, *entry), number));
    std::int32_t result = WriteSample(wavFile, info, path, entry->rootKey, Progress(progress, record), false);
    if (result == QB_OK && link->memory.Find(number, taken))
        *entry = taken.entry;
    return result;
}

std::int32_t __cdecl Qb_ReplaceSample(QbHandle handle, QbSampleEntry const *entry, char const *wavFile,
                                      QbProgress progress, void *record) {
    return wavFile ? RewriteSample(handle, entry, wavFile, Progress(progress, record)) : QB_ERR_ARGUMENT;
}

std::int32_t __cdecl Qb_DeleteSample(QbHandle handle, QbSampleEntry const *entry) {
    QbInterface *link = nullptr;
    StoredSample sample;
    if (std::int32_t failure = FindSample(handle, entry, link, sample))
        return failure;
    return DeleteFileA(sample.path.c_str()) ? QB_OK : QB_ERR_IO;
}

}  // extern "C"
