#include "audio/WaveLinks.h"

#include <atomic>

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
