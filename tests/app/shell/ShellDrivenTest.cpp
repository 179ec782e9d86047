// Tessaro.exe driven by its commands as a user drives it: a wave plays into the test sound
// device, the stop holds it, the loop repeats it; the record dialog records the test
// device's capture into a new wave; the windows are minimised, restored and closed by kind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/app/engine/EngineTestKit.h"
#include "tests/app/shell/ProgramCopy.h"

namespace {

using apptest::HandOver;
using apptest::IconicWindows;
using apptest::ProgramCopy;
using apptest::RunningProgram;
using apptest::WaveBytes;
using apptest::Windows;
using testsupport::TextOf;

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

// A dialog of the program that shows and holds the item (null when none does).
HWND DialogWith(RunningProgram &tessaro, int item) {
    for (HWND h = 0; (h = FindWindowExA(0, h, "#32770", 0)) != 0;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == tessaro.ProcessId() && IsWindowVisible(h) && GetDlgItem(h, item))
            return h;
    }
    return 0;
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, WPARAM(id), LPARAM(GetDlgItem(dialog, id))); }

// Whether the dialog's readout shows a recorded length: it shows none until a recording runs.
bool ShowsRecorded(HWND dialog) {
    std::string text = TextOf(GetDlgItem(dialog, 120));
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The device's 16-bit stereo bytes as samples, the silence it pads the end with left out.
std::vector<int16_t> PlayedSamples() {
    std::string bytes = enginetest::PlayedBytes();
    std::vector<int16_t> samples(bytes.size() / 4 * 2);
    std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char *>(samples.data()));
    while (samples.size() >= 2 && !samples[samples.size() - 1] && !samples[samples.size() - 2])
        samples.resize(samples.size() - 2);
    return samples;
}

class TessaroDriven : public testing::Test {
protected:
    void SetUp() override {
        copy.Write("tone.wav", WaveBytes(22050, true));  // half a second
        enginetest::ClearPlayed();
        tessaro.reset(new RunningProgram(copy.Folder()));
        ASSERT_TRUE(tessaro->Frame() != 0) << testing::PrintToString(tessaro->AnswerBoxes(500));
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

TEST_F(TessaroDriven, RecordMakesANewWaveOfTheCaptureThatPlays) {
    std::vector<int16_t> signal = enginetest::CaptureSignal(30);  // the device reads it faster than real time
    HWND client = tessaro->Client();
    Command(*tessaro, 132);
    HWND dialog = 0;
    ASSERT_TRUE(enginetest::WaitUntil([&] { return (dialog = DialogWith(*tessaro, 131)) != 0; }, 10000));
    Press(dialog, 131);
    ASSERT_TRUE(enginetest::WaitUntil([&] { return ShowsRecorded(dialog); }, 20000));
    enginetest::WaitUntil([] { return false; }, 1000);  // about a second of it
    Press(dialog, 131);
    ASSERT_TRUE(enginetest::WaitUntil([&] { return Windows(client) == 2; }, 10000)) << "no window for the recording";
    PostMessageA(dialog, WM_CLOSE, 0, 0);

    // the new window is the active one: it plays the capture back, runs of the file in order
    enginetest::ClearPlayed();
    Command(*tessaro, 130);
    std::size_t second = 44100 * 4;
    ASSERT_TRUE(enginetest::WaitUntil([&] { return Played() >= second; }, 20000)) << Played();
    // it ends when the device takes nothing more for a second
    std::size_t played = 0;
    for (DWORD end = GetTickCount() + 20000;
         GetTickCount() < end && enginetest::WaitUntil([&] { return Played() != played; }, 1000);)
        played = Played();
    std::vector<int16_t> samples = PlayedSamples();
    EXPECT_GE(samples.size(), second / 2);
    EXPECT_TRUE(enginetest::IsRunsOfCapture(samples, signal));

    // the recording is not kept: the question whether to save it is answered No, and the
    // program ends by itself
    EXPECT_EQ(0, tessaro->CloseWithoutSaving()) << testing::PrintToString(tessaro->Boxes());
    tessaro.reset();
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
