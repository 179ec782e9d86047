// The window of a wave: an MDI child whose client is the double view, opened by
// OpenWaveWindow for the document type, opening, recording, the CD and the database alike;
// and what the wave window registers with the wave documents below it.
#pragma once

#include "manager/MdiDocumentWindows.h"

#include <vector>

class AudioFile;
class Config;
class DoubleView;
class SamplePattern;
class WaveWindowLink;
class Wave;
class WaveViewGlobalMemento;

class WaveMDIChild : public MDIChild {
public:
    WaveMDIChild(DoubleView &view, WaveViewGlobalMemento const *memento);

    // A dialog's override, else the window the client remembers, else the frame's rule.
    HWND GetCommandTarget() override;
    void EvMDIActivate(HWND activated, HWND deactivated);

private:
    DoubleView &view_;

    DECLARE_RESPONSE_TABLE(WaveMDIChild);
};

// Opens a window on the wave (with the layout's memento, or the defaults); its double view.
DoubleView *OpenWaveWindow(Wave *wave, WaveViewGlobalMemento const *memento);
// A new empty wave of the new-wave format in a window at the rectangle.
DoubleView *OpenWaveWindowAt(TRect const &rect);

// A new untitled wave of the pattern holding the files one after the other, in its window.
// The wave takes the files; when that fails, it and every file go and the error passes on.
DoubleView *OpenWaveFromFiles(std::vector<AudioFile *> const &files, SamplePattern const &pattern);

// The time unit of the dialogs and the status bar: the setting, or (6) the active window's.
unsigned GetGlobalTimeUnit();
// The level unit of the dialogs and the status bar: the setting, or (3) the active
// window's.
int GetLevelUnit();

// The wave window's settings in the main settings file (double view, scrolling while
// playing, the level unit) and the style presets.
void LoadWaveWindowPrefs(Config &config);
void SaveWaveWindowPrefs(Config &config);

// Makes the wave documents open their windows here, write positions in every unit and
// keep the window's state in the layout. Called once at start-up; the link it replaces.
WaveWindowLink *RegisterWaveWindow();
