// What the benchmarks of the wave window share: a clock in milliseconds, a pump of the
// waiting messages, and a program with the framework's MDI frame for the windows.
#pragma once

#include "manager/DocumentManager.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"

#include "tests/app/audio/bench/HourFileBench.h"

#include <windows.h>

namespace windowbench {

inline double Now() { return hourbench::Seconds() * 1000; }

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class Program : public DocumentManager {
public:
    // Settings in system\<settings>.
    Program(char const *name, char const *settings) : DocumentManager(name, settings, 0, 0, 0, 0) {}
    void InitMainWindow() override { SetMainWindow(new FrameWindow(GetName(), 0, *new MDIClient, 1)); }
};

}  // namespace windowbench
