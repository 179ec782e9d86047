// The real main frame of Tessaro.exe: its bars, its status bar and its menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/shell/ProgramCopy.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;
using testsupport::ClassOf;
using testsupport::TextOf;

struct BarSearch {
    DWORD process;
    std::vector<HWND> bars;
};

BOOL CALLBACK CollectBar(HWND window, LPARAM context) {
    auto *search = reinterpret_cast<BarSearch *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && ClassOf(window) == "TToolbar")
        search->bars.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectBarsBelow(HWND window, LPARAM context) {
    CollectBar(window, context);
    EnumChildWindows(window, CollectBar, context);
    return TRUE;
}

// Every tool bar window of the program, docked or floating.
std::vector<HWND> Bars(DWORD process) {
    BarSearch search = {process, {}};
    EnumWindows(CollectBarsBelow, LPARAM(&search));
    return search.bars;
}

TEST(TessaroFrame, ShowsItsBarsAndStatusBar) {
    ProgramCopy copy;
    RunningProgram tessaro(copy.Folder());
    ASSERT_TRUE(tessaro.Frame() != 0);
    std::vector<HWND> bars = Bars(tessaro.ProcessId());
    for (HWND bar : bars) {
        RECT r;
        GetWindowRect(bar, &r);
        printf("%s visible %d parent %s (%ld,%ld)-(%ld,%ld)\n", TextOf(bar).c_str(), IsWindowVisible(bar),
               ClassOf(GetParent(bar)).c_str(), r.left, r.top, r.right, r.bottom);
    }
    EXPECT_EQ(5u, bars.size());
    EXPECT_EQ(0, tessaro.Close());
}

}  // namespace
