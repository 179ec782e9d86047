// What a wave asks of the subsystems above this library: the wave window (which opens a
// window on a wave, shows the caret and writes positions in its time units) and the CD
// programs (which follow the waves they use). Each registers itself when it starts; until
// then a wave has no window of its own, positions are written plainly and no CD program
// hears of it.
#pragma once

#include "foundation/Strings.h"

class Document;
class SamplePattern;
class View;
class ViewMemento;
class Wave;
struct PackedMemento;

class WaveWindowLink {
public:
    virtual ~WaveWindowLink() {}

    // The one way to open a window on a wave (with the layout's view memento, or none).
    virtual void OpenWaveWindow(Wave &wave, ViewMemento const *memento) = 0;
    // The window opened for the document type; its view, or null.
    virtual View *CreateView(Wave &wave, ViewMemento const *memento);
    // A view memento from its packed form in the layout store; null for none.
    virtual ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed);
    // When the active wave window shows the wave, its view scrolls to the caret.
    virtual void ShowCaretInActiveWindow(Wave &wave);
    // The text of a position in a time unit (0 seconds, 1 samples, 5 bytes, ...) for a
    // sample format; precision as the ruler's labels take it (callers pass 1000).
    virtual String FormatPosition(long position, unsigned unit, int precision, SamplePattern const &pattern);
    // The time unit the dialogs and the status bar use (the active ruler's when the
    // setting says so).
    virtual unsigned GetGlobalTimeUnit();
};

// The wave view a key move of the caret runs in: how far its screen steps and its width
// reach, and bringing the caret into sight.
class CaretView {
public:
    // Frames that steps screen steps cover.
    virtual int FramesForSteps(int steps) = 0;
    // Frames across the view.
    virtual int GetVisibleLength() = 0;
    virtual void ShowCaret() = 0;

protected:
    ~CaretView() {}
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
