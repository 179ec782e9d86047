#include "tests/app/shell/ProgramCopy.h"

#include "tests/app/AppTestSupport.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace apptest {

namespace {

// Every file of a folder, sub-folders included, into another; libraries as links.
void CopyFolder(std::string const &from, std::string const &to, bool link) {
    CreateDirectoryA(to.c_str(), 0);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == ".." || name == "main.set" || name == "layout.dat")
            continue;
        std::string source = from + "\\" + name, target = to + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyFolder(source, target, false);
        else if (!link || !CreateHardLinkA(target.c_str(), source.c_str(), 0))
            CopyFileA(source.c_str(), target.c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM context) {
    auto *found = reinterpret_cast<std::pair<DWORD, std::vector<HWND> *> *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->first && IsWindowVisible(window) && testsupport::ClassOf(window) == "#32770")
        found->second->push_back(window);
    return TRUE;
}

// The box's own text: its static controls joined.
std::string BoxText(HWND box) {
    std::string text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (Lower(testsupport::ClassOf(c)) == "static")
            text += testsupport::TextOf(c);
    return text;
}

}  // namespace

ProgramCopy::ProgramCopy() { CopyFolder(ProgramFolder(), dir_.Path(), true); }

void ProgramCopy::Remove(std::string const &name) const { DeleteFileA(File(name).c_str()); }

void ProgramCopy::Write(std::string const &name, std::string const &bytes) const {
    Remove(name);  // a link would write through to the build's own file
    testsupport::WriteBytes(File(name), bytes);
}

void ProgramCopy::ReplaceWithTestFile(std::string const &name, char const *testFile) const {
    Remove(name);
    CopyFileA((testsupport::ProgramFolder() + "\\" + testFile).c_str(), File(name).c_str(), FALSE);
}

RunningProgram::RunningProgram(std::string const &folder, std::string const &arguments, bool traced)
    : folder_(folder), traced_(traced) {
    begun_ = CreateEventA(0, TRUE, FALSE, 0);
    ended_ = CreateEventA(0, TRUE, FALSE, 0);
    debugger_ = std::thread(&RunningProgram::Debug, this, "\"" + folder + "\\Tessaro.exe\" " + arguments);
    WaitForSingleObject(begun_, INFINITE);
    for (DWORD end = GetTickCount() + 30000; started_ && !Frame() && GetTickCount() < end; Sleep(50))
        if (WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0 || !ShowingBoxes().empty())
            break;
}

// Once it shows, after start-up: it answers a message sent behind the command that ends it.
HWND RunningProgram::Frame() {
    HWND h = 0;
    while (!frame_ && (h = FindWindowExA(0, h, "TessaroFrame", 0)) != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        DWORD_PTR answer = 0;
        if (owner == processId_ && IsWindowVisible(h) && SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer))
            frame_ = h;
    }
    return frame_;
}

RunningProgram::~RunningProgram() {
    if (started_ && WaitForSingleObject(ended_, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_, 9);
    debugger_.join();
    CloseHandle(begun_);
    CloseHandle(ended_);
}

void RunningProgram::Note(std::string const &entry) {
    std::lock_guard<std::mutex> hold(lock_);
    trace_.push_back(entry);
}

namespace {

// The file title of a module the debuggee loaded.
std::string LoadedTitle(HANDLE process, LOAD_DLL_DEBUG_INFO const &info) {
    char path[MAX_PATH * 2] = "";
    void *name = 0;
    SIZE_T read = 0;
    if (info.lpImageName && ReadProcessMemory(process, info.lpImageName, &name, sizeof name, &read) && name) {
        wchar_t wide[MAX_PATH] = L"";
        ReadProcessMemory(process, name, wide, sizeof wide - sizeof(wchar_t), &read);
        WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, 0, 0);
    }
    std::string file = path;
    std::string title = file.substr(file.find_last_of("\\/") + 1);
    return title.substr(0, title.find_last_of('.'));
}

}  // namespace

void RunningProgram::Debug(std::string command) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // from another folder: the program finds its modules by its own place
    started_ = CreateProcessA(0, &command[0], 0, 0, FALSE, traced_ ? DEBUG_ONLY_THIS_PROCESS : 0, 0,
                              elsewhere_.Path().c_str(), &si, &pi) != 0;
    process_ = pi.hProcess;
    processId_ = pi.dwProcessId;
    SetEvent(begun_);
    if (!started_)
        return;
    if (!traced_) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &exitCode_);
    }
    std::map<void *, std::string> modules;
    for (bool running = traced_; running;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, INFINITE))
            break;
        DWORD answer = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case LOAD_DLL_DEBUG_EVENT:
            modules[event.u.LoadDll.lpBaseOfDll] = LoadedTitle(pi.hProcess, event.u.LoadDll);
            Note("+" + modules[event.u.LoadDll.lpBaseOfDll]);
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case UNLOAD_DLL_DEBUG_EVENT: Note("-" + modules[event.u.UnloadDll.lpBaseOfDll]); break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            std::string text(event.u.DebugString.nDebugStringLength, 0);
            SIZE_T read = 0;
            ReadProcessMemory(pi.hProcess, event.u.DebugString.lpDebugStringData, &text[0], text.size(), &read);
            text.resize(std::min<std::size_t>(read, strlen(text.c_str())));
            Note(text.substr(0, std::min(text.find(" ("), text.find_first_of("\r\n"))));
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                answer = DBG_EXCEPTION_NOT_HANDLED;
                char text[80];
                sprintf(text, "!%lx at %p first %ld", event.u.Exception.ExceptionRecord.ExceptionCode,
                        event.u.Exception.ExceptionRecord.ExceptionAddress, event.u.Exception.dwFirstChance);
                Note(text);
            }
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode_ = event.u.ExitProcess.dwExitCode;
            running = false;
            break;
        default: break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
    }
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    SetEvent(ended_);
}

HWND RunningProgram::Client() { return FindWindowExA(Frame(), 0, "MDICLIENT", 0); }

std::vector<HWND> RunningProgram::ShowingBoxes() const {
    std::vector<HWND> boxes;
    std::pair<DWORD, std::vector<HWND> *> context(processId_, &boxes);
    EnumWindows(CollectBox, LPARAM(&context));
    return boxes;
}

std::vector<std::string> RunningProgram::AnswerBoxes(DWORD quietMs, int button) {
    std::vector<std::string> answered;
    DWORD quietSince = GetTickCount();
    while (started_ && GetTickCount() - quietSince < quietMs && WaitForSingleObject(ended_, 50) == WAIT_TIMEOUT) {
        for (HWND box : ShowingBoxes()) {
            Sleep(100);  // let it finish painting its text
            answered.push_back(BoxText(box));
            if (HWND chosen = button ? GetDlgItem(box, button) : 0) {
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(chosen));
            } else {
                PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
                PostMessageA(box, WM_KEYUP, VK_RETURN, 0);
            }
            for (DWORD end = GetTickCount() + 5000; IsWindow(box) && IsWindowVisible(box) && GetTickCount() < end;)
                Sleep(20);
            quietSince = GetTickCount();
        }
    }
    boxes_.insert(boxes_.end(), answered.begin(), answered.end());
    return answered;
}

long RunningProgram::Wait(DWORD ms, int button) {
    for (DWORD end = GetTickCount() + ms; started_ && GetTickCount() < end;) {
        AnswerBoxes(500, button);
        if (WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0)
            return long(exitCode_);
    }
    return kStillRunning;
}

// Again while it refuses because it is still starting.
long RunningProgram::Close(int button) {
    for (int attempt = 0; attempt < 15; ++attempt) {
        if (Frame())
            PostMessageA(frame_, WM_CLOSE, 0, 0);
        long code = Wait(2000, button);
        if (code != kStillRunning)
            return code;
    }
    return kStillRunning;
}

Trace RunningProgram::ReadTrace() {
    std::lock_guard<std::mutex> hold(lock_);
    return trace_;
}

Trace Only(Trace const &trace, std::vector<std::string> const &names) {
    Trace kept;
    for (std::string const &entry : trace)
        for (std::string const &name : names)
            if (entry.compare(0, name.size(), name) == 0) {
                kept.push_back(entry);
                break;
            }
    return kept;
}

std::string WaveBytes(int frames, bool tone) {
    auto word = [](uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += char((v >> (8 * i)) & 0xFF);
        return out;
    };
    uint32_t data = uint32_t(frames) * 4;
    std::string samples;
    for (int f = 0; f < frames; ++f) {
        int16_t level = !tone ? 0 : (f / 50) % 2 ? 8000 : -8000;
        samples += word(uint16_t(level), 2) + word(uint16_t(level), 2);
    }
    return "RIFF" + word(36 + data, 4) + "WAVEfmt " + word(16, 4) + word(1, 2) + word(2, 2) + word(44100, 4) +
           word(44100 * 4, 4) + word(4, 2) + word(16, 2) + "data" + word(data, 4) + samples;
}

int Windows(HWND client) {
    int n = 0;
    for (HWND h = GetWindow(client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        n += IsWindowVisible(h) ? 1 : 0;
    return n;
}

std::vector<std::string> Captions(HWND client) {
    std::vector<std::string> captions;
    for (HWND h = GetWindow(client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        captions.push_back(testsupport::TextOf(h));
    return captions;
}

bool HandOver(RunningProgram &tessaro, std::string const &file) {
    int before = Windows(tessaro.Client());
    COPYDATASTRUCT data = {0, DWORD(file.size() + 1), const_cast<char *>(file.c_str())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(tessaro.Frame(), WM_COPYDATA, 0, LPARAM(&data), SMTO_NORMAL, 10000, &answer);
    for (DWORD end = GetTickCount() + 10000; Windows(tessaro.Client()) == before && GetTickCount() < end;)
        Sleep(50);
    return Windows(tessaro.Client()) == before + 1;
}

int IconicWindows(HWND client) {
    int n = 0;
    for (HWND h = GetWindow(client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        n += IsWindowVisible(h) && IsIconic(h) ? 1 : 0;
    return n;
}

}  // namespace apptest
