// The status bar of the main frame: a message bar that also carries the progress gauge
// of long operations. What is here so far is the part the application object's message
// pre-processing relies on: whether the gauge is open, the mouse held during the
// operation, and the user's requests to break it (Escape, a left click).
#pragma once

#include "MessageBar.h"

class VELTRANE_API StatusBar : public TMessageBar {
public:
    explicit StatusBar(TWindow *parent, TModule *module = 0);
    ~StatusBar() override;

    // Starts a new operation of `total` steps; nothing shows before the first progress.
    // With holdMouse the bar holds the mouse for the operation.
    void OpenGauge(long total, String const &title, int cancelButton, long delay, int holdMouse);
    // Shows progress; with the hold-mouse flag the bar becomes the window that holds the input.
    void SetProgress(long value);
    // Ends the operation, releasing the mouse it held.
    void CloseGauge(int);
    int IsGaugeOpen() const { return gaugeOpen_; }
    long GetProgress() const { return value_; }

    // Break requests noted while an operation runs; Take... reads and clears one.
    static void NoteEscapePressed() { _escapePressed = 1; }
    static void NoteMouseClicked() { _mouseClicked = 1; }
    static int TakeEscapePressed();
    static int TakeMouseClicked();

private:
    void ReleaseInput();

    int gaugeOpen_;
    int holdMouse_;
    long total_;
    long value_;
    String title_;

    static int _escapePressed;
    static int _mouseClicked;
};

// Non-zero while an operation that blocks user input runs.
extern VELTRANE_API int _disableFrame;
