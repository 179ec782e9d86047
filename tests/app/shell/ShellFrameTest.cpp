// The real main frame of Tessaro.exe and its bars.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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

// The screen as a bitmap file (24 bits, bottom-up).
void SaveScreen(std::string const &file) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(0), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = 0;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, 0, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD size = DWORD(((w * 3 + 3) & ~3) * h);
    BITMAPFILEHEADER head = {0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                             DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    std::string bytes(reinterpret_cast<char const *>(&head), sizeof head);
    bytes.append(reinterpret_cast<char const *>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<char const *>(bits), size);
    testsupport::WriteBytes(file, bytes);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(0, screen);
}

int VisibleBars(DWORD process) {
    int n = 0;
    for (HWND bar : Bars(process))
        n += IsWindowVisible(bar) ? 1 : 0;
    return n;
}

// The main bar docked, the transport and windows bars floating, the numbered and tools bars
// hidden until their commands show them; a screenshot of all five is kept in the tests'
// folder.
TEST(TessaroFrame, ShowsItsFiveBarsByTheirCommands) {
    ProgramCopy copy;
    RunningProgram tessaro(copy.Folder());
    ASSERT_TRUE(tessaro.Frame() != 0);
    std::vector<std::string> titles;
    for (HWND bar : Bars(tessaro.ProcessId()))
        titles.push_back(TextOf(bar) + (IsWindowVisible(bar) ? "+" : "-"));
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ((std::vector<std::string>{"Main+", "Markers-", "Tools-", "Transport+", "Windows+"}), titles);
    for (unsigned command : {154u, 212u})
        testsupport::PostCommand(tessaro.Frame(), command);
    for (DWORD end = GetTickCount() + 10000; VisibleBars(tessaro.ProcessId()) < 5 && GetTickCount() < end;)
        Sleep(50);
    EXPECT_EQ(5, VisibleBars(tessaro.ProcessId()));
    Sleep(300);  // painted
    SaveScreen(testsupport::ProgramFolder() + "\\TessaroFrame.bmp");
    EXPECT_EQ(0, tessaro.Close());
}

}  // namespace
