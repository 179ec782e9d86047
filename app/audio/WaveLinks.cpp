#include "audio/WaveLinks.h"

#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"

#include <atomic>
#include <cstdio>

namespace {

class NoWaveWindow : public WaveWindowLink {
public:
    void OpenWaveWindow(Wave &, ViewMemento const *) override {}
};

class NoCdPrograms : public CdProgramLink {
public:
    void RefreshCdProgramsUsing(Wave &, Document *) override {}
};

NoWaveWindow noWaveWindow;
NoCdPrograms noCdPrograms;
std::atomic<WaveWindowLink *> waveWindowLink{nullptr};
std::atomic<CdProgramLink *> cdProgramLink{nullptr};

}  // namespace

View *WaveWindowLink::CreateView(Wave &wave, ViewMemento const *memento) {
    OpenWaveWindow(wave, memento);
    return nullptr;
}

ViewMemento *WaveWindowLink::CreateUnpackedViewMemento(PackedMemento const *) { return nullptr; }

void WaveWindowLink::ShowCaretInActiveWindow(Wave &) {}

// Until the wave window writes them in every unit: bytes, samples, else seconds.
String WaveWindowLink::FormatPosition(long position, unsigned unit, int, SamplePattern const &pattern) {
    char text[64];
    if (unit == 5)
        std::snprintf(text, sizeof text, "%lld B",
                      (long long)position * pattern.GetBytesPerSample() * pattern.GetNumChannels());
    else if (unit == 1 || pattern.GetRate() == 0)
        std::snprintf(text, sizeof text, "%ld", position);
    else
        std::snprintf(text, sizeof text, "%.3f s", double(position) / pattern.GetRate());
    return String(text);
}

// Without a wave window there is no active ruler: seconds.
unsigned WaveWindowLink::GetGlobalTimeUnit() {
    int unit = TheTimeSettings().dialUnit;
    return unit >= 0 && unit < 6 ? unsigned(unit) : 0;
}

WaveWindowLink &TheWaveWindowLink() {
    WaveWindowLink *link = waveWindowLink.load();
    return link ? *link : noWaveWindow;
}

WaveWindowLink *SetWaveWindowLink(WaveWindowLink *link) { return waveWindowLink.exchange(link); }

CdProgramLink &TheCdProgramLink() {
    CdProgramLink *link = cdProgramLink.load();
    return link ? *link : noCdPrograms;
}

CdProgramLink *SetCdProgramLink(CdProgramLink *link) { return cdProgramLink.exchange(link); }
