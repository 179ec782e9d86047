#include "tests/support/TestSupport.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

void RemoveTree(std::string const &path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static volatile long counter;
    for (;;) {
        char name[MAX_PATH];
        wsprintfA(name, "%stst%lu_%ld", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void WriteBytes(std::string const &path, std::string const &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ProgramFolder() {
    char self[MAX_PATH];
    GetModuleFileNameA(0, self, MAX_PATH);
    std::string path(self);
    return path.substr(0, path.find_last_of('\\'));
}

std::string ReadBytes(std::string const &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Env(char const *name) {
    char buf[32768];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string TextOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], int(text.size())));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

void PostCommand(HWND window, unsigned id) { PostMessageA(window, WM_COMMAND, id, 0); }

namespace {

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM) {
    PostCommand(window, IDCANCEL);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

Watchdog::Watchdog(int seconds) : thread_(GetCurrentThreadId()) {
    worker_ = std::thread([this, seconds] {
        for (int tenth = 0; !done_; ++tenth) {
            Sleep(100);
            if (tenth >= seconds * 10 && tenth % 10 == 0) {
                fired_ = true;
                EnumThreadWindows(thread_, CloseWindowOf, 0);
            }
        }
    });
}

Watchdog::~Watchdog() {
    done_ = true;
    worker_.join();
}

}  // namespace testsupport
