// The peak cache of a one-hour 44.1 kHz 16-bit stereo wave (hour.wav in the folder, made by
// AudioFileBench): the milliseconds to fill the columns of a pane as wide as the screen for
// a first paint, with a valid peak file, with the peak file built on the way and from the
// samples alone (no peak file to be had), in the main view (the zoom that shows ten seconds
// in four fifths of the width, frame 0 first) and in the overview (the whole wave); then,
// with the columns of the first paint cached, the fill after scrolling by a page and by an
// eighth of one. Median of five runs, each over a newly opened wave with an empty cache.
// Usage: PeakCacheBench <folder>
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "foundation/File.h"
#include "waveview/PeakCache.h"

#include "tests/app/audio/bench/HourFileBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

enum Source { kValidPeakFile, kBuiltPeakFile, kSamples };
char const *const kSourceNames[] = {"valid peak file", "peak file built", "samples, no peak file"};

int Refuse(AudioFile &) { return 0; }

// Milliseconds of filling frames first..last.
double TimedFill(WavePeakCache &cache, Wave &wave, int zoom, int first, int last) {
    double start = hourbench::Seconds();
    FindPeakExtremes(cache, wave, zoom, first, last);
    return (hourbench::Seconds() - start) * 1000;
}

struct Times {
    double first, page, eighth;
};

// A first paint over a new wave, then the two scrolls from it.
Times Run(FileName const &name, Source source, int zoom, int width) {
    FileName peaks(name);
    peaks.SetExtension("gpk");
    if (source == kBuiltPeakFile)
        File::Delete(peaks, 0);
    WavePeakCache::PeakFileOpener previous = WavePeakCache::SetPeakFileOpener(source == kSamples ? Refuse : nullptr);
    std::unique_ptr<Wave> wave(
        Wave::CreateWaveFromFile(OpenAudioFile(kAccessUnchosen, name, 0, 1), nullptr, 1, nullptr, 0));
    int64_t page = int64_t(width) * -zoom;  // both zooms show many frames a column
    auto frames = [&](int64_t columnFrames) { return int(std::min<int64_t>(columnFrames, wave->GetLength() - 1)); };
    Times t;
    WavePeakCache cache;
    t.first = TimedFill(cache, *wave, zoom, 0, frames(page - 1));
    t.page = TimedFill(cache, *wave, zoom, frames(page), frames(2 * page - 1));
    t.eighth = TimedFill(cache, *wave, zoom, frames(page + page / 8), frames(2 * page + page / 8 - 1));
    WavePeakCache::SetPeakFileOpener(previous);
    return t;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: PeakCacheBench <folder>   (hour.wav in it)\n");
        return 2;
    }
    FileName name = hourbench::HourFileIn(argv[1]);
    if (!hourbench::HourFileThere(name))
        return 1;
    int width = GetSystemMetrics(SM_CXFULLSCREEN);
    int length = 44100 * 3600;
    int mainZoom = -(44100 * 10 / std::max(width * 4 / 5 - 40, 1));
    int overviewZoom = -(length / width) - 1;
    std::printf("pane %d columns; main view zoom %d, overview zoom %d; median ms of 5\n", width, mainZoom,
                overviewZoom);
    std::printf("%-8s %-24s %12s %12s %12s\n", "view", "source", "first paint", "page scroll", "1/8 scroll");
    for (int zoom : {mainZoom, overviewZoom})
        for (Source source : {kValidPeakFile, kBuiltPeakFile, kSamples}) {
            Run(name, source, zoom, width);  // the file's pages cached
            std::vector<double> first, page, eighth;
            for (int run = 0; run < 5; ++run) {
                Times t = Run(name, source, zoom, width);
                first.push_back(t.first), page.push_back(t.page), eighth.push_back(t.eighth);
            }
            bool overview = zoom == overviewZoom;  // shows everything: nothing to scroll
            std::printf("%-8s %-24s %12.2f", overview ? "overview" : "main", kSourceNames[source],
                        hourbench::Median(first));
            if (overview)
                std::printf(" %12s %12s\n", "-", "-");
            else
                std::printf(" %12.2f %12.2f\n", hourbench::Median(page), hourbench::Median(eighth));
        }
    return 0;
}
