// Edits of a one-hour 44.1 kHz 16-bit stereo wave (hour.wav in the folder, made by
// AudioFileBench) from its window, as the menu sends them: cut one second in the middle,
// paste it back at the caret, undo the paste and redo it; the milliseconds from the command
// to every pane of the window repainted. The window is maximised in a maximised frame, with
// its overview, at the zoom it opens with; the file's pages and peak file there; median of
// five runs, the wave brought back to the file's state between runs.
// Usage: WaveWindowEditBench <folder>
#include "audio/Wave.h"
#include "audio/WaveFactory.h"
#include "core/FrameWindow.h"
#include "waveview/DoubleView.h"
#include "waveview/PaneRedraw.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindow.h"

#include "tests/app/audio/bench/HourFileBench.h"
#include "tests/app/waveview/bench/WindowBench.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

using windowbench::Now;
using windowbench::Pump;

struct Step {
    char const *name;
    unsigned command;
};

Step const kSteps[] = {
    {"cut one second", DoubleView::kCmCut},
    {"paste it at the caret", DoubleView::kCmPaste},
    {"undo the paste", DoubleView::kCmUndo},
    {"redo the paste", DoubleView::kCmRedo},
};
int const kStepCount = sizeof kSteps / sizeof kSteps[0];

// From the command, as the menu sends it, to the window painted: the pane redraws kept for
// idle time are let go at once.
double Timed(TWindow &frame, TWindow &child, unsigned command) {
    double start = Now();
    frame.SendMessageA(WM_COMMAND, command, 0);
    WavePaneToRedraw::FlushAll();
    child.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - start;
}

}  // namespace

int main(int argc, char **argv) {
    FileName name;
    if (!hourbench::HourFileFromArguments(argc, argv, "WaveWindowEditBench", name))
        return 1;
    CreateDirectoryA("system", nullptr);
    TApplication::SetWinMainParams(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWMAXIMIZED);
    windowbench::Program program("WaveWindowEditBench", "system\\wavewindoweditbench.set");
    RegisterWaveWindow();
    program.InitInstance();
    TWindow &frame = *program.GetMainWindow();
    frame.ShowWindow(SW_SHOWMAXIMIZED);
    Pump();

    Wave *wave = Wave::_factory.OpenWaveDocument(name, nullptr, 0);
    DoubleView *view = OpenWaveWindow(wave, nullptr);
    TWindow &child = *view->GetParentO();
    child.ShowWindow(SW_SHOWMAXIMIZED);
    child.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // the peak file made when missing
    Pump();
    int const length = wave->GetLength(), middle = length / 2, second = int(wave->GetRate());

    std::vector<double> times[kStepCount];
    for (int run = 0; run < 6; ++run) {
        wave->SetSelection(middle, middle + second - 1, 3, 1);
        Pump();
        for (int i = 0; i < kStepCount; ++i) {
            double ms = Timed(frame, child, kSteps[i].command);
            if (run > 0)  // the first run warms the caches
                times[i].push_back(ms);
            Pump();
        }
        if (wave->GetLength() != length || wave->GetNumUndoMementos() != 2) {
            std::fprintf(stderr, "the edits did not run: length %d, %d undo steps\n", wave->GetLength(),
                         wave->GetNumUndoMementos());
            return 1;
        }
        frame.SendMessageA(WM_COMMAND, DoubleView::kCmUndo, 0);
        frame.SendMessageA(WM_COMMAND, DoubleView::kCmUndo, 0);
        Pump();
    }
    std::printf("one hour 44.1 kHz 16-bit stereo (%d frames), window maximised with its overview, main view at "
                "zoom %d; median ms of 5, command to window repainted\n",
                length, view->GetMainView()->GetZoomState().Value());
    for (int i = 0; i < kStepCount; ++i)
        std::printf("%-24s %8.1f\n", kSteps[i].name, hourbench::Median(times[i]));
    child.SendMessageA(WM_CLOSE);
    Pump();
    while (Document *doc = _docManager->FindFirstDoc())
        Document::Delete(doc);
    program.CanClose();
    return 0;
}
