// Tessaro.exe as a whole: it starts with its frame, menu bar, status bar and MDI
// client, opens windows, and finds them again after a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

namespace {

using apptest::ProgramFolder;
using testsupport::ClassOf;
using testsupport::PostCommand;
using testsupport::TextOf;

BOOL CALLBACK ReportWindow(HWND h, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == DWORD(pid) && IsWindowVisible(h))
        ADD_FAILURE() << "still showing " << ClassOf(h) << " \"" << TextOf(h) << "\"";
    return TRUE;
}

class RunningTessaro {
public:
    RunningTessaro() {
        std::string command = "\"" + ProgramFolder() + "\\Tessaro.exe\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        started = CreateProcessA(0, &command[0], 0, 0, FALSE, 0, 0, ProgramFolder().c_str(), &si, &pi) != 0;
        for (DWORD end = GetTickCount() + 30000; started && !frame && GetTickCount() < end; Sleep(100)) {
            HWND h = FindWindowA("TessaroFrame", 0);
            if (h && IsWindowVisible(h))
                frame = h;
        }
        // start-up ends with command 20091 posted to the frame; once the frame answers a
        // message sent behind it, start-up is over
        DWORD_PTR answer = 0;
        if (frame)
            SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    }
    ~RunningTessaro() {
        if (started && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 9);
        if (started) {
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    // Closes the program as a user does (again while it refuses because it is still
    // starting); its exit code, or -1 when it did not end.
    long Close() {
        DWORD ended = WAIT_TIMEOUT;
        for (int attempt = 0; attempt < 30 && ended != WAIT_OBJECT_0; ++attempt) {
            PostMessageA(frame, WM_CLOSE, 0, 0);
            ended = WaitForSingleObject(pi.hProcess, 2000);
        }
        if (ended != WAIT_OBJECT_0) {
            // say what the program is showing instead of ending
            EnumWindows(ReportWindow, LPARAM(pi.dwProcessId));
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return long(code);
    }
    HWND Client() const { return FindWindowExA(frame, 0, "MDICLIENT", 0); }
    // A menu command starts at the program's focus window, and a program in the
    // background has none (other tests' windows may be in front): bring the frame to
    // the front and wait for its focus before posting, and post again when the command
    // was lost all the same. True once `want` windows are open.
    bool OpenWindowByCommand(int want) {
        for (int attempt = 0; attempt < 5 && Windows() < want; ++attempt) {
            SetForegroundWindow(frame);
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            DWORD thread = GetWindowThreadProcessId(frame, 0);
            for (DWORD end = GetTickCount() + 5000; GetTickCount() < end; Sleep(20))
                if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
                    break;
            PostCommand(frame, 24366);
            for (DWORD end = GetTickCount() + 6000; Windows() < want && GetTickCount() < end;)
                Sleep(50);
        }
        return Windows() == want;
    }
    // Hands a file name to the program as a second start does; true once its window is open.
    bool HandOver(std::string const &file) {
        int before = Windows();
        COPYDATASTRUCT data = {0, DWORD(file.size() + 1), const_cast<char *>(file.c_str())};
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(frame, WM_COPYDATA, 0, LPARAM(&data), SMTO_NORMAL, 10000, &answer);
        for (DWORD end = GetTickCount() + 6000; Windows() == before && GetTickCount() < end;)
            Sleep(50);
        return Windows() == before + 1;
    }
    // The captions of the document windows from the top of the z-order down.
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (HWND h = GetWindow(Client(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            captions.push_back(TextOf(h));
        return captions;
    }
    int Windows() const {
        int n = 0;
        for (HWND h = FindWindowExA(Client(), 0, "Jq_MdiChild", 0); h; h = FindWindowExA(Client(), h, "Jq_MdiChild", 0))
            ++n;
        return n;
    }

    bool started = false;
    PROCESS_INFORMATION pi = {};
    HWND frame = 0;
};

BOOL CALLBACK CountPane(HWND h, LPARAM count) {
    *reinterpret_cast<int *>(count) += ClassOf(h) == "WavePane";
    return TRUE;
}

// The panes of the wave windows: a stereo wave shows two in its main view and two in its
// overview.
int WavePanes(HWND frame) {
    int count = 0;
    EnumChildWindows(frame, CountPane, LPARAM(&count));
    return count;
}

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
    testsupport::TempDir files;
    testsupport::WriteBytes(files.File("first.wav"), audiotest::SimpleWave(2, 16, 44100, std::string(40000, '\x10')));
    testsupport::WriteBytes(files.File("second.txt"), "some bytes");
    std::string system = ProgramFolder() + "\\system\\";
    DeleteFileA((system + "layout.dat").c_str());
    DeleteFileA((system + "main.set").c_str());
    {
        RunningTessaro tessaro;
        ASSERT_TRUE(tessaro.started);
        ASSERT_TRUE(tessaro.frame != 0) << "no main frame";
        EXPECT_EQ("Tessaro", TextOf(tessaro.frame));

        // a menu bar (from the language module) between caption and client
        EXPECT_TRUE(GetMenu(tessaro.frame) != 0);
        RECT outer, inner;
        GetWindowRect(tessaro.frame, &outer);
        GetClientRect(tessaro.frame, &inner);
        MapWindowPoints(tessaro.frame, 0, reinterpret_cast<POINT *>(&inner), 2);
        EXPECT_GE(inner.top - outer.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));

        // status bar at the bottom, the MDI client above it
        HWND status = GetDlgItem(tessaro.frame, 32040);
        ASSERT_TRUE(status && IsWindowVisible(status));
        HWND client = tessaro.Client();
        ASSERT_TRUE(client && IsWindowVisible(client));
        RECT frameClient, statusRect, clientRect;
        GetClientRect(tessaro.frame, &frameClient);
        MapWindowPoints(tessaro.frame, 0, reinterpret_cast<POINT *>(&frameClient), 2);
        GetWindowRect(status, &statusRect);
        GetWindowRect(client, &clientRect);
        EXPECT_EQ(frameClient.bottom, statusRect.bottom);
        EXPECT_EQ(clientRect.bottom, statusRect.top);
        EXPECT_GT(clientRect.bottom - clientRect.top, 200);

        // the screen shows them: the status bar is drawn in another colour than the client
        EXPECT_NE(Average(statusRect), Average(clientRect));

        // an untitled window by the menu command, two files handed over as a second start does
        EXPECT_TRUE(tessaro.OpenWindowByCommand(1));
        for (char const *file : {"first.wav", "second.txt"})
            EXPECT_TRUE(tessaro.HandOver(files.File(file)));
        EXPECT_EQ(3, tessaro.Windows());
        EXPECT_EQ(4, WavePanes(tessaro.frame));
        EXPECT_EQ(0, tessaro.Close());
    }
    HANDLE layout = CreateFileA((system + "layout.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    EXPECT_NE(INVALID_HANDLE_VALUE, layout) << "the layout was not saved";
    CloseHandle(layout);
    {
        // the documents with files come back, the last one opened on top
        RunningTessaro again;
        ASSERT_TRUE(again.frame != 0);
        EXPECT_EQ((std::vector<std::string>{"second", "first"}), again.Captions());
        EXPECT_EQ(4, WavePanes(again.frame));
        EXPECT_EQ(0, again.Close());
    }
    DeleteFileA((system + "layout.dat").c_str());
}

TEST(TessaroStart, ACorruptLayoutRestoresNothingAndTheProgramStarts) {
    std::string system = ProgramFolder() + "\\system\\";
    HANDLE f = CreateFileA((system + "layout.dat").c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    DWORD written = 0;
    std::string junk(5000, '\x33');
    WriteFile(f, junk.data(), DWORD(junk.size()), &written, 0);
    CloseHandle(f);
    RunningTessaro tessaro;
    ASSERT_TRUE(tessaro.frame != 0);
    EXPECT_EQ(0, tessaro.Windows());
    EXPECT_EQ(0, tessaro.Close());
    DeleteFileA((system + "layout.dat").c_str());
    DeleteFileA((system + "layout.dat.bad").c_str());
}

TEST(TessaroStart, AnUnusableSavedPlacementStillGivesAFrameOnTheScreen) {
    std::string system = ProgramFolder() + "\\system\\";
    DeleteFileA((system + "layout.dat").c_str());
    // no width, no height
    testsupport::WriteBytes(system + "main.set", "Main\r\n{\r\n\tFrame Window\r\n\t{\r\n\t\tHintMode=1\r\n"
                                                 "\t\tPlacement\r\n\t\t{\r\n\t\t\tCmd=1\r\n\t\t\tX1=300\r\n"
                                                 "\t\t\tY1=200\r\n\t\t\tX2=100\r\n\t\t\tY2=200\r\n\t\t}\r\n\t}\r\n}\r\n");
    {
        RunningTessaro tessaro;
        ASSERT_TRUE(tessaro.frame != 0);
        RECT r;
        GetWindowRect(tessaro.frame, &r);
        EXPECT_GT(r.right - r.left, 100);
        EXPECT_GT(r.bottom - r.top, 100);
        EXPECT_TRUE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != 0);
        EXPECT_EQ(0, tessaro.Close());
    }
    // the frame's settings are written back, the hint mode as it was read
    std::string saved = testsupport::ReadBytes(system + "main.set");
    EXPECT_NE(std::string::npos, saved.find("HintMode=1")) << saved;
    DeleteFileA((system + "main.set").c_str());
    DeleteFileA((system + "layout.dat").c_str());
}

}  // namespace
