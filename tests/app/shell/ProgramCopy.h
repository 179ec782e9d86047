// A copy of the program folder for one test (its libraries linked, its "system" folder
// copied, so a test may change modules and settings), and the program run from it: its
// main frame, the boxes it shows, the modules it loads and unloads and its exit code.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TestSupport.h"

namespace apptest {

class ProgramCopy {
public:
    ProgramCopy();
    std::string const &Folder() const { return dir_.Path(); }
    // A file below the copy ("system\\main.set").
    std::string File(std::string const &name) const { return dir_.Path() + "\\" + name; }
    void Remove(std::string const &name) const;
    void Write(std::string const &name, std::string const &bytes) const;
    // Puts a file of the tests' folder (a test-built module) in place of one of the copy.
    void ReplaceWithTestFile(std::string const &name, char const *testFile) const;

private:
    testsupport::TempDir dir_;
};

// What the program did, as its debugger saw it: "+Name" a module loaded, "-Name" unloaded
// (Name the file title), and the lines the outside libraries Brastow and Pindral trace, up
// to a bracket.
typedef std::vector<std::string> Trace;

class RunningProgram {
public:
    // Starts Tessaro.exe of the folder from another current folder, as its debugger when
    // traced, and waits for its frame (or a box, or its end). (An exception thrown and
    // caught while the layout store is opened can crash a debugged program under Wine.)
    RunningProgram(std::string const &folder, std::string const &arguments = "", bool traced = true);
    ~RunningProgram();
    RunningProgram(RunningProgram const &) = delete;
    RunningProgram &operator=(RunningProgram const &) = delete;

    bool Started() const { return started_; }
    // The main frame once it shows (null before and without one).
    HWND Frame();
    HWND Client();
    // The texts of the boxes the program shows, each answered with a button (IDNO ...) where
    // the box has it, else with its default button; waits until the program ends or shows
    // nothing for a while.
    std::vector<std::string> AnswerBoxes(DWORD quietMs = 3000, int button = 0);
    enum : long { kStillRunning = 0x7FFFFFFF };
    // Closes the frame as a user does, answering boxes on the way; the exit code, or
    // kStillRunning when it did not end.
    long Close(int button = 0);
    // The same, a question whether to save answered No: nothing is saved.
    long CloseWithoutSaving() { return Close(IDNO); }
    // Waits for the end, answering boxes; the exit code, or kStillRunning.
    long Wait(DWORD ms = 30000, int button = 0);
    std::vector<std::string> const &Boxes() const { return boxes_; }
    // The modules loaded and unloaded, in order, with the outside libraries' lines.
    Trace ReadTrace();
    DWORD ProcessId() const { return processId_; }

private:
    // The debugger's thread: starts the program and follows it to its end.
    void Debug(std::string command);
    void Note(std::string const &entry);
    // The top-level dialog boxes of the process that are showing.
    std::vector<HWND> ShowingBoxes() const;

    testsupport::TempDir elsewhere_;
    std::string folder_;
    bool traced_;
    bool started_ = false;
    HANDLE process_ = 0;
    DWORD processId_ = 0;
    HANDLE begun_ = 0;  // set once the process started or could not be
    HANDLE ended_ = 0;  // set when it ended
    DWORD exitCode_ = 0;
    std::mutex lock_;
    Trace trace_;
    std::thread debugger_;
    HWND frame_ = 0;
    std::vector<std::string> boxes_;
};

// The entries of a trace in the order given that start with one of the prefixes.
Trace Only(Trace const &trace, std::vector<std::string> const &names);

// A 16-bit stereo WAV file at 44100 Hz: silence, or a square wave of 441 Hz.
std::string WaveBytes(int frames, bool tone = false);
// The document windows of the program's MDI client that show.
int Windows(HWND client);
int IconicWindows(HWND client);
// The captions of the document windows from the top of the z-order down.
std::vector<std::string> Captions(HWND client);
// Hands a file name to the program as a second start does; true once its window is open.
bool HandOver(RunningProgram &tessaro, std::string const &file);

}  // namespace apptest
