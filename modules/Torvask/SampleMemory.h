// The sample memory of the simulated samplers: a folder per model under one root.
//
// The root is the folder named by the environment variable TORVASK_MEMORY, else by the key
// Memory of the section [Torvask] in Torvask.ini beside Torvask.dll (relative to that
// folder when not absolute), else "Tessaro\Torvask" under the user's application data.
// Below it:
//   <model>\                 one folder per model, named by the model's text ("MS-16")
//     NNNNN name.wav         a sample: its number (0 to 16383), a blank, its name
//     NN name\               a location of a model that offers them ("01 Bank A"),
//                            holding its samples; made with two banks on first use
//   Received\                the samples received from the samplers, as "name.wav"
// Other files are not part of the memory; a WAV file that is no sample the sampler
// keeps is not listed.
#pragma once

#include "WavSample.h"

#include <cstdint>
#include <string>
#include <vector>

namespace torvask {

struct Location {
    std::int32_t number;
    std::string name;
    std::string folder;
};

struct StoredSample {
    std::string path;
    WavInfo info;
    QbSampleEntry entry;
};

// The root folder, made when missing; "" when it cannot be.
std::string MemoryRoot();
// Makes the folder and its parents; false when it does not exist afterwards.
bool MakeFolder(std::string const &folder);

class SampleMemory {
public:
    SampleMemory(std::string const &folder, bool withLocations);

    bool HasLocations() const { return withLocations_; }
    // Sorted by number; none for a model without locations.
    std::vector<Location> Locations() const;
    // The samples of one location, or of all (QB_ANY_LOCATION), by number.
    std::vector<StoredSample> Samples(std::int32_t location) const;
    bool Find(std::int32_t number, StoredSample &sample) const;
    // The lowest number no sample has; -1 when every one is taken.
    std::int32_t FreeNumber() const;
    // The folder new samples of a location go to; "" when there is no such location.
    std::string FolderFor(std::int32_t location) const;
    // The file of a sample of that number and name in a folder.
    static std::string SamplePath(std::string const &folder, std::int32_t number, std::string const &name);

private:
    std::vector<StoredSample> SamplesIn(std::string const &folder, std::int32_t location) const;

    std::string folder_;
    bool withLocations_;
};

// A name that is also a file name: no characters files cannot carry, no blanks or dots
// at the ends, at most maxLength characters.
std::string SafeName(char const *name, std::int32_t maxLength);

}  // namespace torvask
