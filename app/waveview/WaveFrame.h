// What the wave window asks of the program's main frame: the caret's blink phase, the
// paint generation, who flushes the deferred pane redraws at idle time, the "FlickerFree",
// "MouseWindow", "DropMrk" and "MrkColW" settings and the status bar the views fill. The application shell
// registers its frame; until it does, these answer over the framework's own frame.
#pragma once

class StatusBar;

class WaveFrame {
public:
    virtual ~WaveFrame() {}

    // 0 hidden; the panes set 2 when they show the caret.
    virtual int GetBlinkPhase();
    virtual void SetBlinkPhase(int phase);
    // Counts up while the frame runs its message loop: two paints of one generation
    // belong to one burst of painting.
    virtual unsigned long GetPaintGeneration();
    // The frame's own idle action flushes the deferred pane redraws; when not, the wave
    // windows do it in theirs.
    virtual int FlushesPaneRedraws();
    // Panes draw off-screen (setting "FlickerFree" of group "Misc", default 1).
    virtual int IsFlickerFree();
    // A rectangle dragged on the MDI client opens a window (setting "MouseWindow" of group
    // "Frame Window", default 1).
    virtual int IsMouseWindow();
    // New markers are drop markers (setting "DropMrk" of group "Misc", default 0).
    virtual int DropsMarkers();
    // The width of the marker window's name column, 0 for the default (setting "MrkColW"
    // of group "Misc"); kept for the settings when the window closes.
    virtual int GetMarkerColumnWidth();
    virtual void SetMarkerColumnWidth(int width);
    // The frame's status bar, null when none.
    virtual StatusBar *GetStatusBar();
    // The caret tick of the frame (after a play from the mouse).
    virtual void BlinkCaret(int phase);
    // Called at each idle time of the wave windows when the frame does not count itself.
    void NoteIdle() { ++generation_; }

private:
    int phase_ = 0;
    int markerColumnWidth_ = -1;  // -1: as the settings say
    unsigned long generation_ = 1;
};

WaveFrame &TheWaveFrame();
// The previous one.
WaveFrame *SetWaveFrame(WaveFrame *frame);
