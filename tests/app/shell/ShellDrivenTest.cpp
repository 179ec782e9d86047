// Tessaro.exe driven by its commands as a user drives it: a wave plays into the test sound
// device, the stop holds it, the loop repeats it; the windows are minimised, restored and
// closed by kind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/app/engine/EngineTestKit.h"
#include "tests/app/shell/ProgramCopy.h"

namespace {

using apptest::HandOver;
using apptest::IconicWindows;
using apptest::ProgramCopy;
using apptest::RunningProgram;
using apptest::WaveBytes;
using apptest::Windows;

// A command starts at the program's focus window, which a program in the background lacks:
// the frame comes to the front first.
void Command(RunningProgram &tessaro, unsigned command) {
    SetForegroundWindow(tessaro.Frame());
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(tessaro.Frame(), 0);
    for (DWORD end = GetTickCount() + 5000; GetTickCount() < end; Sleep(20))
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
            break;
    PostMessageA(tessaro.Frame(), WM_COMMAND, command, 0);
}

std::size_t Played() { return enginetest::PlayedBytes().size(); }

class TessaroDriven : public testing::Test {
protected:
    void SetUp() override {
        copy.Write("tone.wav", WaveBytes(22050, true));  // half a second
        enginetest::ClearPlayed();
        tessaro.reset(new RunningProgram(copy.Folder()));
        ASSERT_TRUE(tessaro->Frame() != 0);
        ASSERT_TRUE(HandOver(*tessaro, copy.File("tone.wav")));
    }
    void TearDown() override {
        if (tessaro)
            EXPECT_EQ(0, tessaro->Close());
    }

    ProgramCopy copy;
    std::unique_ptr<RunningProgram> tessaro;
};

TEST_F(TessaroDriven, PlayWritesTheWaveToTheDeviceAndLoopRepeatsIt) {
    Command(*tessaro, 130);
    EXPECT_TRUE(enginetest::WaitUntil([] { return Played() >= 22050 * 4; }, 20000)) << Played();
    // the tone itself, not silence
    std::string played = enginetest::PlayedBytes();
    EXPECT_NE(std::string::npos, played.find(std::string("\x40\x1f\x40\x1f", 4)));
    // the loop plays it again and again until the stop holds it, and the next stop ends it
    enginetest::WaitUntil([] { return false; }, 500);
    enginetest::ClearPlayed();
    Command(*tessaro, 184);
    Command(*tessaro, 130);
    EXPECT_TRUE(enginetest::WaitUntil([] { return Played() >= 3 * 22050 * 4; }, 20000)) << Played();
    Command(*tessaro, 131);
    Command(*tessaro, 131);
    enginetest::WaitUntil([] { return false; }, 500);
    std::size_t stopped = Played();
    enginetest::WaitUntil([] { return false; }, 1000);
    EXPECT_EQ(stopped, Played()) << "it plays on after the stops";
}

TEST_F(TessaroDriven, WindowsAreMinimisedRestoredAndClosedByKind) {
    copy.Write("second.wav", WaveBytes(4410));
    ASSERT_TRUE(HandOver(*tessaro, copy.File("second.wav")));
    HWND client = tessaro->Client();
    struct Step {
        unsigned command;
        int windows, iconic;
    } const steps[] = {{551, 2, 2}, {561, 2, 0}, {552, 2, 2}, {562, 2, 0}, {539, 0, 0}};
    for (Step const &step : steps) {
        SCOPED_TRACE(step.command);
        Command(*tessaro, step.command);
        EXPECT_TRUE(enginetest::WaitUntil(
            [&] { return Windows(client) == step.windows && IconicWindows(client) == step.iconic; }, 10000))
            << Windows(client) << " windows, " << IconicWindows(client) << " minimised";
    }
}

}  // namespace
