// Which folders may hold temporary audio files, over drives of each kind that the test
// defines through Wine's mount manager for its own run.
#include "audio/TemporaryFolder.h"

#include "tests/support/TestSupport.h"

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Wine's mount manager defines a drive letter over a Unix folder with a drive type.
ULONG const kMountManagerType = 'm';
DWORD const kDefineUnixDrive = CTL_CODE(kMountManagerType, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fileSystem;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;  // a Unix path after the record; none removes the drive
    USHORT deviceOffset;
    USHORT labelOffset;
};

// Drive letters of given types for the life of the object.
class WineDrives {
public:
    WineDrives() {
        manager_ = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    ~WineDrives() {
        for (char letter : defined_)
            Define(letter, DRIVE_NO_ROOT_DIR, "");
        if (manager_ != INVALID_HANDLE_VALUE)
            CloseHandle(manager_);
    }
    bool Define(char letter, ULONG type, std::string const &unixFolder) {
        std::vector<char> record(sizeof(UnixDrive) + unixFolder.size() + 1, 0);
        UnixDrive drive = {ULONG(record.size()), type, 0, 0, 0, WCHAR(letter), 0, 0, 0};
        if (!unixFolder.empty())
            drive.mountPointOffset = sizeof drive;
        std::memcpy(record.data(), &drive, sizeof drive);
        std::memcpy(record.data() + sizeof drive, unixFolder.c_str(), unixFolder.size());
        DWORD returned = 0;
        if (!DeviceIoControl(manager_, kDefineUnixDrive, record.data(), DWORD(record.size()), nullptr, 0, &returned,
                             nullptr))
            return false;
        if (!unixFolder.empty())
            defined_.push_back(letter);
        return true;
    }
    // The Unix name of a Windows path ("" outside Wine).
    static std::string UnixName(std::string const &path) {
        using UnixNameOf = char *(__cdecl *)(wchar_t const *);
        auto unixNameOf =
            reinterpret_cast<UnixNameOf>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
        if (!unixNameOf)
            return "";
        std::wstring wide(path.begin(), path.end());
        char *name = unixNameOf(wide.c_str());
        std::string result = name ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    }

private:
    HANDLE manager_ = INVALID_HANDLE_VALUE;
    std::vector<char> defined_;
};

}  // namespace

TEST(TemporaryFolder, OnlyWritableFoldersOnFastDrivesServe) {
    testsupport::TempDir dir;
    std::string unixDir = WineDrives::UnixName(dir.Path());
    if (unixDir.empty())
        GTEST_SKIP() << "drives of other kinds are made through Wine's mount manager";
    WineDrives drives;
    struct Case {
        char letter;
        ULONG type;
        char const *unixFolder;  // relative to the test's folder, or absolute
        int fast;
    } const cases[] = {
        {'B', DRIVE_REMOVABLE, "floppy", 0},  // a removable A: or B: is a floppy drive
        {'N', DRIVE_REMOTE, "network", 0},   {'Q', DRIVE_CDROM, "cdrom", 0}, {'R', DRIVE_REMOVABLE, "removable", 1},
        {'P', DRIVE_FIXED, "/proc", 0},  // a fixed drive where nothing can be written
    };
    for (Case const &c : cases) {
        std::string folder = c.unixFolder[0] == '/' ? c.unixFolder : unixDir + "/" + c.unixFolder;
        if (c.unixFolder[0] != '/')
            CreateDirectoryA(dir.File(c.unixFolder).c_str(), nullptr);
        if (!drives.Define(c.letter, c.type, folder))
            GTEST_SKIP() << "Wine's mount manager defines no drive " << c.letter;
    }
    Sleep(1100);  // Wine keeps what it knows of the drives for a second
    for (Case const &c : cases) {
        std::string root = std::string(1, c.letter) + ":\\";
        EXPECT_EQ(c.fast, IsFastWritableDirectory(FileName(root.c_str()))) << root;
    }
    EXPECT_EQ(1, IsFastWritableDirectory(FileName(dir.Path().c_str())));
    EXPECT_EQ(0, IsFastWritableDirectory(FileName(dir.File("missing").c_str())));
    EXPECT_EQ(0, IsFastWritableDirectory(FileName("")));
}

TEST(TemporaryFolder, SystemDriveIsTheWindowsFoldersDrive) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows, 2), GetSystemDrive().c_str());
}
