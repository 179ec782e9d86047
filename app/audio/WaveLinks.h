// What a wave asks of the subsystems above this library: the wave window (which opens a
// window on a wave) and the CD programs (which follow the waves they use). Each registers
// itself when it starts; until then a wave has no window of its own and no CD program
// hears of it.
#pragma once

class Document;
class ViewMemento;
class Wave;

class WaveWindowLink {
public:
    virtual ~WaveWindowLink() {}

    // The one way to open a window on a wave (with the layout's view memento, or none).
    virtual void OpenWaveWindow(Wave &wave, ViewMemento const *memento) = 0;
};

class CdProgramLink {
public:
    virtual ~CdProgramLink() {}

    // Every open CD program that uses the wave, but skip, updates its tracks.
    virtual void RefreshCdProgramsUsing(Wave &wave, Document *skip) = 0;
};

WaveWindowLink &TheWaveWindowLink();
WaveWindowLink *SetWaveWindowLink(WaveWindowLink *link);
CdProgramLink &TheCdProgramLink();
CdProgramLink *SetCdProgramLink(CdProgramLink *link);
