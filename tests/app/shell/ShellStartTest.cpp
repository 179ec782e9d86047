// Tessaro.exe as a whole: it starts with its frame, menu bar, status bar and MDI
// client, opens waves handed to it, and finds them again after a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/app/shell/ProgramCopy.h"
#include "tests/support/TestSupport.h"

namespace {

using apptest::Captions;
using apptest::HandOver;
using apptest::ProgramCopy;
using apptest::RunningProgram;
using apptest::WaveBytes;
using apptest::Windows;
using testsupport::TextOf;

// Average colour of a screen rectangle.
COLORREF Average(RECT const &r) {
    HDC screen = GetDC(0);
    unsigned long red = 0, green = 0, blue = 0, n = 0;
    for (int y = r.top + 2; y < r.bottom - 2; y += 3)
        for (int x = r.left + 2; x < r.right - 2; x += 7) {
            COLORREF c = GetPixel(screen, x, y);
            red += GetRValue(c), green += GetGValue(c), blue += GetBValue(c), ++n;
        }
    ReleaseDC(0, screen);
    return n ? RGB(red / n, green / n, blue / n) : 0;
}

TEST(TessaroStart, FrameMenuBarStatusBarAndLayout) {
    ProgramCopy copy;
    for (char const *file : {"first.wav", "second.wav"})
        copy.Write(file, WaveBytes(4410));
    {
        RunningProgram tessaro(copy.Folder());
        ASSERT_TRUE(tessaro.Frame() != 0) << "no main frame";
        HWND frame = tessaro.Frame();
        EXPECT_EQ("Tessaro", TextOf(frame));

        // a menu bar (from the language module) and the main bar between caption and client
        RECT outer, inner;
        GetWindowRect(frame, &outer);
        GetClientRect(frame, &inner);
        MapWindowPoints(frame, 0, reinterpret_cast<POINT *>(&inner), 2);
        EXPECT_GE(inner.top - outer.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));

        // status bar at the bottom, the MDI client above it
        HWND status = GetDlgItem(frame, 32040);
        ASSERT_TRUE(status && IsWindowVisible(status));
        HWND client = tessaro.Client();
        ASSERT_TRUE(client && IsWindowVisible(client));
        RECT frameClient, statusRect, clientRect;
        GetClientRect(frame, &frameClient);
        MapWindowPoints(frame, 0, reinterpret_cast<POINT *>(&frameClient), 2);
        GetWindowRect(status, &statusRect);
        GetWindowRect(client, &clientRect);
        EXPECT_EQ(frameClient.bottom, statusRect.bottom);
        EXPECT_EQ(frameClient.left, statusRect.left);
        EXPECT_EQ(frameClient.right, statusRect.right);
        EXPECT_EQ(clientRect.bottom, statusRect.top);
        EXPECT_GT(clientRect.bottom - clientRect.top, 200);

        // the screen shows them: the status bar is drawn in another colour than the client
        EXPECT_NE(Average(statusRect), Average(clientRect));

        // two waves handed over as a second start does
        for (char const *file : {"first.wav", "second.wav"})
            EXPECT_TRUE(HandOver(tessaro, copy.File(file)));
        EXPECT_EQ(0, tessaro.Close());
    }
    {
        // the waves come back
        RunningProgram again(copy.Folder());
        ASSERT_TRUE(again.Frame() != 0);
        for (DWORD end = GetTickCount() + 10000; Windows(again.Client()) < 2 && GetTickCount() < end;)
            Sleep(50);
        // (which of them ends on top depends on which wave window finished opening last)
        std::vector<std::string> captions = Captions(again.Client());
        std::sort(captions.begin(), captions.end());
        EXPECT_EQ((std::vector<std::string>{"first", "second"}), captions);
        EXPECT_EQ(0, again.Close());
    }
}

// A second start hands its wave to the first and ends without loading a module.
TEST(TessaroStart, ASecondStartHandsItsWaveToTheFirst) {
    ProgramCopy copy;
    copy.Write("tone.wav", WaveBytes(4410));
    RunningProgram first(copy.Folder());
    ASSERT_TRUE(first.Frame() != 0);
    {
        RunningProgram second(copy.Folder(), "\"" + copy.File("tone.wav") + "\"");
        EXPECT_EQ(1, second.Wait());
        for (std::string const &entry : second.ReadTrace())
            for (char const *module : {"+Pelrin", "+Dastrel", "+filter", "+Torvask", "Brastow"})
                EXPECT_NE(0u, entry.find(module)) << entry;
    }
    for (DWORD end = GetTickCount() + 10000; Windows(first.Client()) == 0 && GetTickCount() < end;)
        Sleep(50);
    EXPECT_EQ(1, Windows(first.Client()));
    EXPECT_EQ(0, first.Close());
}

TEST(TessaroStart, ACorruptLayoutRestoresNothingAndTheProgramStarts) {
    ProgramCopy copy;
    copy.Write("system\\layout.dat", std::string(5000, '\x33'));
    RunningProgram tessaro(copy.Folder(), "", false);
    tessaro.AnswerBoxes();
    ASSERT_TRUE(tessaro.Frame() != 0);
    EXPECT_EQ(0, Windows(tessaro.Client()));
    EXPECT_EQ(0, tessaro.Close());
}

TEST(TessaroStart, AnUnusableSavedPlacementStillGivesAFrameOnTheScreen) {
    ProgramCopy copy;
    // no width, no height
    copy.Write("system\\main.set", "Main\r\n{\r\n\tFrame Window\r\n\t{\r\n\t\tHintMode=1\r\n"
                                   "\t\tPlacement\r\n\t\t{\r\n\t\t\tCmd=1\r\n\t\t\tX1=300\r\n"
                                   "\t\t\tY1=200\r\n\t\t\tX2=100\r\n\t\t\tY2=200\r\n\t\t}\r\n\t}\r\n}\r\n");
    {
        RunningProgram tessaro(copy.Folder());
        ASSERT_TRUE(tessaro.Frame() != 0);
        RECT r;
        GetWindowRect(tessaro.Frame(), &r);
        EXPECT_GT(r.right - r.left, 100);
        EXPECT_GT(r.bottom - r.top, 100);
        EXPECT_TRUE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != 0);
        EXPECT_EQ(0, tessaro.Close());
    }
    // the frame's settings are written back, the hint mode as it was read
    std::string saved = testsupport::ReadBytes(copy.File("system\\main.set"));
    EXPECT_NE(std::string::npos, saved.find("HintMode=1")) << saved;
}

}  // namespace
