#include "SampleMemory.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace torvask {

namespace {

char const kEnvironment[] = "TORVASK_MEMORY";
char const kSettingsFile[] = "Torvask.ini";
char const kDefaultBelowAppData[] = "\\Tessaro\\Torvask";
char const *const kFirstLocations[] = {"01 Bank A", "02 Bank B"};
std::int32_t const kMaxLocationNumber = 32767;

std::string ModuleFolder() {
    HMODULE self = 0;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<char const *>(&ModuleFolder), &self);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

bool IsAbsolute(std::string const &path) {
    return (path.size() > 1 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::string Variable(char const *name) {
    char value[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? value : "";
}

std::string ConfiguredRoot() {
    std::string root = Variable(kEnvironment);
    if (!root.empty())
        return root;
    std::string folder = ModuleFolder();
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("Torvask", "Memory", "", value, MAX_PATH, (folder + "\\" + kSettingsFile).c_str());
    if (*value)
        return IsAbsolute(value) ? value : folder + "\\" + value;
    std::string appData = Variable("APPDATA");
    return appData.empty() ? "" : appData + kDefaultBelowAppData;
}

// "<digits> <rest><suffix>": the number and the rest; false when the name is not so made.
bool SplitNumbered(char const *fileName, char const *suffix, std::int32_t &number, std::string &rest) {
    std::size_t length = std::strlen(fileName);
    std::size_t suffixLength = std::strlen(suffix);
    std::size_t digits = std::strspn(fileName, "0123456789");
    if (digits == 0 || digits > 5 || fileName[digits] != ' ' || length < digits + 1 + suffixLength ||
        _stricmp(fileName + length - suffixLength, suffix))
        return false;
    number = std::atoi(fileName);
    rest.assign(fileName + digits + 1, length - digits - 1 - suffixLength);
    return true;
}

template <class Visit>
void ForEachEntry(std::string const &folder, bool folders, Visit visit) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders && std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, ".."))
            visit(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void FillEntry(QbSampleEntry &entry, std::string const &name, std::int32_t number, std::int32_t location,
               WavInfo const &info) {
    entry = QbSampleEntry();
    std::strncpy(entry.name, name.c_str(), sizeof entry.name - 1);
    entry.number = number;
    entry.location = std::int16_t(location);
    entry.channels = std::uint8_t(info.channels);
    entry.rootKey = std::uint8_t(info.rootKey);
    entry.rate = info.rate;
    entry.frames = info.frames;
    entry.bits = std::uint8_t(info.bits);
    entry.known = 1;
}

}  // namespace

bool MakeFolder(std::string const &folder) {
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::size_t slash = folder.find_last_of("\\/");
    if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':')
        MakeFolder(folder.substr(0, slash));
    return CreateDirectoryA(folder.c_str(), 0) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string MemoryRoot() {
    std::string root = ConfiguredRoot();
    return !root.empty() && MakeFolder(root) ? root : "";
}

SampleMemory::SampleMemory(std::string const &folder, bool withLocations)
    : folder_(folder), withLocations_(withLocations) {
    bool fresh = GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
    MakeFolder(folder);
    if (fresh && withLocations)
        for (char const *location : kFirstLocations)
            MakeFolder(folder + "\\" + location);
}

std::vector<Location> SampleMemory::Locations() const {
    std::vector<Location> locations;
    if (!withLocations_)
        return locations;
    ForEachEntry(folder_, true, [&](char const *name) {
        Location location;
        if (SplitNumbered(name, "", location.number, location.name) && location.number <= kMaxLocationNumber) {
            location.folder = folder_ + "\\" + name;
            locations.push_back(location);
        }
    });
    std::sort(locations.begin(), locations.end(),
              [](Location const &a, Location const &b) { return a.number < b.number; });
    return locations;
}

std::vector<StoredSample> SampleMemory::SamplesIn(std::string const &folder, std::int32_t location) const {
    std::vector<StoredSample> samples;
    ForEachEntry(folder, false, [&](char const *fileName) {
        StoredSample sample;
        std::int32_t number = 0;
        std::string name;
        sample.path = folder + "\\" + fileName;
        if (SplitNumbered(fileName, ".wav", number, name) && number <= QB_MAX_SAMPLE_NUMBER &&
            ReadWavInfo(sample.path, sample.info)) {
            FillEntry(sample.entry, name, number, location, sample.info);
            samples.push_back(sample);
        }
    });
    return samples;
}

std::vector<StoredSample> SampleMemory::Samples(std::int32_t location) const {
    std::vector<StoredSample> samples;
    if (!withLocations_)
        samples = SamplesIn(folder_, QB_ANY_LOCATION);
    for (Location const &l : Locations())
        if (location == QB_ANY_LOCATION || location == l.number) {
            std::vector<StoredSample> more = SamplesIn(l.folder, l.number);
            samples.insert(samples.end(), more.begin(), more.end());
        }
    std::stable_sort(samples.begin(), samples.end(),
                     [](StoredSample const &a, StoredSample const &b) { return a.entry.number < b.entry.number; });
    return samples;
}

bool SampleMemory::Find(std::int32_t number, StoredSample &sample) const {
    for (StoredSample const &s : Samples(QB_ANY_LOCATION))
        if (s.entry.number == number) {
            sample = s;
            return true;
        }
    return false;
}

std::int32_t SampleMemory::FreeNumber() const {
    std::int32_t free = 0;
    for (StoredSample const &s : Samples(QB_ANY_LOCATION))
        if (s.entry.number == free)
            ++free;
    return free <= QB_MAX_SAMPLE_NUMBER ? free : -1;
}

std::string SampleMemory::FolderFor(std::int32_t location) const {
    if (!withLocations_)
        return folder_;
    for (Location const &l : Locations())
        if (location == l.number || location == QB_ANY_LOCATION)
            return l.folder;
    return "";
}

std::string SampleMemory::SamplePath(std::string const &folder, std::int32_t number, std::string const &name) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d ", int(number));
    return folder + "\\" + digits + name + ".wav";
}

std::string SafeName(char const *name, std::int32_t maxLength) {
    std::string safe;
    for (char const *c = name; *c && std::int32_t(safe.size()) < maxLength; ++c)
        safe += (unsigned char)*c < 32 || std::strchr("\\/:*?\"<>|", *c) ? '_' : *c;
    std::size_t first = safe.find_first_not_of(" .");
    std::size_t last = safe.find_last_not_of(" .");
    return first == std::string::npos ? "" : safe.substr(first, last - first + 1);
}

}  // namespace torvask
