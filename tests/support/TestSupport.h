// Helpers shared by the test executables.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

namespace testsupport {

// A size or offset of the system's records: the first on 32-bit Windows, the second on
// 64-bit Windows.
constexpr std::size_t ByArch(std::size_t on32, std::size_t on64) { return sizeof(void *) == 8 ? on64 : on32; }

// A folder of its own for one test, under the system's temporary folder;
// removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(TempDir const &) = delete;
    TempDir &operator=(TempDir const &) = delete;
    std::string const &Path() const { return path_; }
    // path of a file in this folder
    std::string File(char const *name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Writes bytes to a file, replacing it.
void WriteBytes(std::string const &path, std::string const &bytes);
// The whole content of a file ("" when it cannot be read).
std::string ReadBytes(std::string const &path);
// The folder of the running test program (where its "system" folder lies).
std::string ProgramFolder();
// An environment variable ("" when unset).
std::string Env(char const *name);

// The whole text of a window, of this program or another.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// Posts a command to a window as its menu or button would; the loop that runs the
// window (a modal dialog's own, or a pump) handles it.
void PostCommand(HWND window, unsigned id);

// Closes every window of the thread that made it once they are still up after a while,
// so that a dialog that does not react can never hang a test.
class Watchdog {
public:
    explicit Watchdog(int seconds);
    ~Watchdog();
    Watchdog(Watchdog const &) = delete;
    Watchdog &operator=(Watchdog const &) = delete;
    // It had to close windows.
    bool Fired() const { return fired_; }

private:
    DWORD thread_;
    std::atomic<bool> done_{false};
    std::atomic<bool> fired_{false};
    std::thread worker_;
};

}  // namespace testsupport
