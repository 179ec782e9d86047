// Helpers of the wave window tests: the program's manager with its MDI frame and the wave
// window registered, WAV files of known samples opened in windows, the pixels of a window
// read back from the screen, and the paints a window receives.
#pragma once

#include "audio/Wave.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/WaveView.h"
#include "waveview/WaveViewMemento.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace wavewindowtest {

// A sample of a channel at a frame (16-bit).
using SampleFunction = std::function<int(int channel, int frame)>;

// The program's manager with a main frame, its MDI client and status bar; the wave window
// registered; boxes answered and counted.
class WindowsScope : public DocumentManager {
public:
    WindowsScope();
    ~WindowsScope() override;
    void InitMainWindow() override;

    // A WAV file in the test's folder (frames of 16-bit samples) opened as a wave without
    // a window.
    Wave *OpenWave(std::string const &name, int channels, int frames, SampleFunction const &sample);
    // Its window with a memento (null: the defaults), the window brought to the top.
    DoubleView *OpenWindow(Wave *wave, WaveViewGlobalMemento const *memento = nullptr);
    // Closes every window and document as the program's end does (the layout is saved).
    void CloseAll();
    std::string Folder() const { return folder_; }
    // As while the layout is brought back.
    void SetRestoring(int on) { nowRestoringLayout_ = on; }

    static int boxes;

private:
    std::string folder_;
    // Put back at the end: later tests open waves without windows.
    WaveWindowLink *previousLink_;
};

// Handles what is waiting, several rounds.
void Settle();

// The client area of a window as it is on the screen.
class Pixels {
public:
    explicit Pixels(HWND window);
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
    bool operator==(Pixels const &other) const { return pixels_ == other.pixels_; }
    // The first point that differs, as text ("" when none).
    std::string FirstDifference(Pixels const &other) const;

private:
    int width_, height_;
    std::vector<COLORREF> pixels_;
};

// Keeps the update rectangles of the paints of some windows.
class PaintRecorder {
public:
    explicit PaintRecorder(std::vector<HWND> const &windows);
    ~PaintRecorder();
    PaintRecorder(PaintRecorder const &) = delete;
    PaintRecorder &operator=(PaintRecorder const &) = delete;
    std::vector<RECT> const &Of(HWND window) { return painted_[window]; }
    void Clear() { painted_.clear(); }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wp, LPARAM lp);
    std::map<HWND, WNDPROC> original_;
    static std::map<HWND, std::vector<RECT>> painted_;
    static PaintRecorder *current_;
};

}  // namespace wavewindowtest
