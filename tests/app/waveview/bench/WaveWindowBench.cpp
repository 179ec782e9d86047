// A wave window over a one-hour 44.1 kHz 16-bit stereo wave (hour.wav in the folder, made by
// AudioFileBench): the milliseconds from opening the wave to every pane painted, and of the
// painting alone once the window is shown, with the file's peak file there and with none
// (built on the way, then kept), and of the redraw after the main view scrolled by a page. The window is maximised in a
// maximised frame, with the overview; the file's pages cached; median of five runs, each over a newly opened wave.
// Usage: WaveWindowBench <folder>
#include "audio/AudioFileSettings.h"
#include "audio/WaveFactory.h"
#include "foundation/File.h"
#include "waveview/DoubleView.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindow.h"

#include "tests/app/audio/bench/HourFileBench.h"
#include "tests/app/waveview/bench/WindowBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using windowbench::Now;
using windowbench::Pump;

struct Times {
    double firstPaint, painting, pageScroll;
};

// Opens the wave and its window, paints it, scrolls a page, closes window and wave.
Times Run(FileName const &name) {
    Times t;
    double start = Now();
    Wave *wave = Wave::_factory.OpenWaveDocument(name, nullptr, 0);
    DoubleView *view = OpenWaveWindow(wave, nullptr);
    TWindow *child = view->GetParentO();
    child->ShowWindow(SW_SHOWMAXIMIZED);
    double shown = Now();
    child->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    t.firstPaint = Now() - start;
    t.painting = Now() - shown;
    Pump();
    WaveScrollBar *bar = view->GetMainView()->GetHorizontalScrollBar();
    start = Now();
    bar->SBPageDown();  // scrolls and paints the panes at once
    t.pageScroll = Now() - start;
    child->SendMessageA(WM_CLOSE);
    Pump();
    // The wave goes with its files, so that its peak file can be deleted.
    while (Document *doc = _docManager->FindFirstDoc())
        Document::Delete(doc);
    return t;
}

}  // namespace

int main(int argc, char **argv) {
    FileName name;
    if (!hourbench::HourFileFromArguments(argc, argv, "WaveWindowBench", name))
        return 1;
    FileName peaks(name);
    peaks.SetExtension("gpk");
    CreateDirectoryA("system", nullptr);
    TApplication::SetWinMainParams(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWMAXIMIZED);
    windowbench::Program program("WaveWindowBench", "system\\wavewindowbench.set");
    RegisterWaveWindow();
    program.InitInstance();
    program.GetMainWindow()->ShowWindow(SW_SHOWMAXIMIZED);
    Pump();
    Run(name);  // the peak file made and the file's pages cached
    std::vector<double> withPeaks, paintWithPeaks, withoutPeaks, paintWithoutPeaks, scroll;
    for (int run = 0; run < 5; ++run) {
        Times t = Run(name);
        withPeaks.push_back(t.firstPaint);
        paintWithPeaks.push_back(t.painting);
        scroll.push_back(t.pageScroll);
        if (!File::Delete(peaks, 0)) {
            std::fprintf(stderr, "cannot delete %s\n", peaks.c_str());
            return 1;
        }
        t = Run(name);
        withoutPeaks.push_back(t.firstPaint);
        paintWithoutPeaks.push_back(t.painting);
    }
    std::printf("one hour 44.1 kHz 16-bit stereo, window maximised with its overview; median ms of 5\n");
    std::printf("                                 opening to painted   painting alone\n");
    std::printf("first paint with the peak file       %10.1f       %10.1f\n", hourbench::Median(withPeaks),
                hourbench::Median(paintWithPeaks));
    std::printf("first paint building the peak file   %10.1f       %10.1f\n", hourbench::Median(withoutPeaks),
                hourbench::Median(paintWithoutPeaks));
    std::printf("redraw after a page of scroll        %10.1f\n", hourbench::Median(scroll));
    program.CanClose();
    return 0;
}
