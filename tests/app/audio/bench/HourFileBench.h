// What the benchmarks over the one-hour WAV file share: the clock, the median of runs, and
// the file (hour.wav in the folder given, which also takes the temporary and peak files).
#pragma once

#include "audio/AudioFileSettings.h"
#include "foundation/File.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace hourbench {

inline double Seconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline FileName HourFileIn(char const *folder) {
    TheAudioFileSettings().tempDir = FileName(folder);
    FileName name(folder);
    name += "\\hour.wav";
    return name;
}

// Says how to make the file when it is not there.
inline bool HourFileThere(FileName const &name) {
    if (File::Exist(name))
        return true;
    std::fprintf(stderr, "no %s: make it with AudioFileBench <folder> make\n", name.c_str());
    return false;
}

// The file in the folder of the program's first argument; false, having said why, without
// the argument or the file.
inline bool HourFileFromArguments(int argc, char **argv, char const *program, FileName &name) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>   (hour.wav in it)\n", program);
        return false;
    }
    name = HourFileIn(argv[1]);
    return HourFileThere(name);
}

}  // namespace hourbench
