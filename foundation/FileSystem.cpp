// The operations of File on files and directories by name.
#include "foundation/File.h"

#include "foundation/Exception.h"
#include "foundation/FileFaults.h"
#include "foundation/MappedFile.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringItem.h"

#include "malvane/Malvane.h"
#include <winioctl.h>

#include <cstdio>
#include <cstring>

namespace {

int DefaultMessageBox(HWND owner, char const *text, char const *caption, unsigned style) {
    return MessageBoxA(owner, text, caption, style);
}

File::MessageBoxFunc messageBox = &DefaultMessageBox;

unsigned const kBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;

[[noreturn]] void Throw(unsigned id, unsigned long error) {
    String text = FindString(id);
    ExceptionThrower(0).SetAndThrow(text, error);
    throw Exception(text, error);
}

// "X:\" for the drive of a name (upper-cased), or "" without a drive.
String RootOf(FileName const &name) {
    String drive = name.GetDrive();
    if (drive.IsEmpty())
        return drive;
    return drive + ":\\";
}

// The full form of a name (relative names resolved against the current folder).
FileName FullName(FileName const &name) {
    char buffer[MAX_PATH];
    DWORD n = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
    return n > 0 && n < sizeof buffer ? FileName(buffer) : name;
}

int SameName(FileName const &a, FileName const &b) {
    return lstrcmpiA(FullName(a).c_str(), FullName(b).c_str()) == 0;
}

// Keeps the pieces of a text cut at line feeds, as ReadLines describes.
template <class Sink>
void CutLines(char const *text, unsigned long size, int trim, int skipEmpty, Sink sink) {
    char const *set = trim ? " \t\n\r" : "\n\r";
    unsigned long begin = 0;
    while (begin < size) {
        unsigned long end = begin;
        while (end < size && text[end] != '\n')
            ++end;
        // a zero byte inside a line ends what a String can hold of it
        String piece(text + begin, 0, end - begin);
        if (!piece.IsEmpty())
            piece.Trim(set, 3);
        if (!piece.IsEmpty() || !skipEmpty)
            sink(piece);
        begin = end + 1;
    }
}

// Free and total bytes of drive A + index (0 when unknown); the free bytes no more than a
// test lets the drive report.
uint64_t DriveSpace(int drive, uint64_t &total) {
    char root[4] = {static_cast<char>('A' + drive), ':', '\\', 0};
    ULARGE_INTEGER available, all, free;
    if (drive < 0 || drive >= 26 || !GetDiskFreeSpaceExA(root, &available, &all, &free))
        return 0;
    total = all.QuadPart;
    int64_t reported = FileFaults::GetReportedFreeSpace();
    return reported >= 0 && uint64_t(reported) < free.QuadPart ? uint64_t(reported) : free.QuadPart;
}

unsigned long const kCompareWindow = 0x400000;  // 4 MiB, a multiple of the mapping granularity

// The offset of the first byte in which x and y differ, -1 when none does.
long FirstDifference(char const *x, char const *y, unsigned long length) {
    if (std::memcmp(x, y, length) == 0)
        return -1;
    unsigned long i = 0;
    while (x[i] == y[i])
        ++i;
    return static_cast<long>(i);
}

}  // namespace

File::MessageBoxFunc File::SetMessageBoxFunc(MessageBoxFunc func) {
    MessageBoxFunc previous = messageBox;
    messageBox = func ? func : &DefaultMessageBox;
    return previous;
}

int File::Exist(FileName const &name, Type type) {
    DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_ACCESS_DENIED;
    int directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (type == kDirectory) return directory;
    if (type == kFile) return !directory;
    return 1;
}

int File::Delete(FileName const &name, int throwOnError, int clearReadOnly) {
    if (!Exist(name, kFile))
        return 1;
    unsigned long error = FileFaults::Check(FileFaults::kDelete);
    if (!error)
        error = DeleteNow(name, clearReadOnly);
    if (!error)
        return 1;
    if (throwOnError)
        Throw(18001, error);
    return 0;
}

unsigned long File::DeleteNow(FileName const &name, int clearReadOnly) {
    if (DeleteFileA(name.c_str()))
        return 0;
    unsigned long error = GetLastError();
    if (clearReadOnly) {
        unsigned long attributes = GetAttributes(name);
        if (attributes != ~0ul && (attributes & kAttrReadOnly)) {
            SetAttributes(name, attributes & ~static_cast<unsigned long>(kAttrReadOnly), 0);
            if (DeleteFileA(name.c_str()))
                return 0;
            error = GetLastError();
        }
    }
    return error;
}

void File::Copy(FileName const &to, FileName const &from) {
    // An existing target is replaced only by a complete copy: copy beside it
    // first, then put the copy in its place.
    FileName target = FullName(to);
    int replacing = Exist(target, kFile);
    FileName copy = replacing ? GetTempName(target.GetPath()) : target;
    if (!CopyFileA(from.c_str(), copy.c_str(), FALSE)) {
        unsigned long error = GetLastError();
        Delete(copy, 0, 1);  // no half copy stays behind
        CheckDiskFull(to, error);
        Throw(18006, error);
    }
    if (!replacing)
        return;
    if (!MoveFileExA(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        unsigned long error = GetLastError();
        Delete(copy, 0, 1);
        Throw(18006, error);
    }
}

void File::CopyEx(FileName const &to, FileName const &from) {
    EnsureDirectory(to.GetPath());
    Copy(to, from);
}

void File::Move(FileName const &to, FileName const &from) {
    if (SameName(to, from))
        return;
    // The target goes only when the move succeeds: replace in one step.
    unsigned long error = FileFaults::Check(FileFaults::kRename);
    if (!error && MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return;
    if (!error)
        error = GetLastError();
    CheckDiskFull(to, error);
    Throw(18007, error);
}

void File::Rename(FileName const &from, FileName const &to) {
    unsigned long error = FileFaults::Check(FileFaults::kRename);
    if (!error && std::rename(from.c_str(), to.c_str()) == 0)
        return;
    Throw(18013, error ? error : GetLastError());
}

int File::Link(FileName const &existing, FileName const &link) {
    return !FileFaults::Check(FileFaults::kRename) && CreateHardLinkA(link.c_str(), existing.c_str(), nullptr);
}

FileName File::GetTempName(FileName const &directory) {
    FileName folder = directory;
    folder.TrimRight("\\");
    if (!Exist(folder, kDirectory))
        Throw(18008, ERROR_PATH_NOT_FOUND);
    for (unsigned long counter = 0;; ++counter) {
        char title[32];
        std::sprintf(title, "\\XX%lu.$$$", counter);
        FileName name = folder + title;
        if (!Exist(name, kFile))
            return name;
    }
}

void File::EnsureDirectory(FileName const &path) {
    String prefix;
    String rest = path;
    rest.TrimRight("\\");
    int first = 1;
    while (!rest.IsEmpty()) {
        long cut = rest.FindFirst('\\', 1);
        String piece = cut < 0 ? String(rest) : String(rest.Left(static_cast<unsigned long>(cut)));
        if (cut < 0)
            rest.Clear();
        else
            rest.Remove(0, static_cast<unsigned long>(cut) + 1);
        if (first) {
            prefix = piece;
            first = 0;
            if (!ExistDrive(prefix))
                Throw(18018, ERROR_INVALID_DRIVE);
            continue;
        }
        if (piece.IsEmpty())
            continue;
        prefix += "\\";
        prefix += piece;
        DWORD attributes = GetFileAttributesA(prefix.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                Throw(18018, ERROR_ALREADY_EXISTS);
            continue;
        }
        if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            Throw(18018, GetLastError());
    }
}

int File::IsWritableDirectory(FileName const &directory) {
    if (directory.IsEmpty())
        return 0;
    try {
        File probe(directory, kTempInDirectory | kDeleteOnClose);
        probe.Close(1);
        return 1;
    } catch (...) {
        return 0;
    }
}

long File::GetSize(FileName const &name) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(name.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        unsigned long error = GetLastError();
        String text = BuildString(18000, name.c_str());
        ExceptionThrower(0).SetAndThrow(text, error);
        throw Exception(text, error);
    }
    FindClose(h);
    return static_cast<long>(data.nFileSizeLow);
}

int File::CanWrite(HWND window, FileName const &name, int refuseWhenInUse, BackupMode mode,
                   char const *backupExtension) {
    if (!Exist(name, kAny))
        return 1;
    int inUse = 0;
    try {
        File probe(name, kRead | kShareNone);
    } catch (...) {
        inUse = 1;
    }
    if (inUse && refuseWhenInUse) {
        messageBox(nullptr, String(FindString(18009)).c_str(), nullptr, MB_OK | kBoxStyle);
        return 0;
    }
    if (!backupExtension || mode == kNoBackup)
        return 1;
    if (mode == kAskBackup) {
        String text = BuildString(18010, name.c_str());
        char caption[501] = "";
        if (window)
            GetWindowTextA(window, caption, sizeof caption);
        int answer = messageBox(nullptr, text.c_str(), caption, MB_YESNOCANCEL | kBoxStyle);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDNO)
            return 1;
    }
    FileName backup = name;
    if (std::strcmp(backupExtension, "~") == 0) {
        String extension = name.GetExtension(0);
        if (extension.IsEmpty())
            extension = "~";
        else
            extension.SetChar(0, '~');
        backup.SetExtension(extension);
    } else {
        backup.SetExtension(backupExtension);
    }
    try {
        if (inUse) {
            Copy(backup, name);
        } else {
            Delete(backup, 0, 1);
            Rename(name, backup);
        }
    } catch (...) {
        messageBox(nullptr, String(FindString(18011)).c_str(), nullptr, MB_OK | kBoxStyle);
        return 0;
    }
    return 1;
}

int File::ExistDrive(FileName const &name) {
    int index = name.GetDriveIndex();
    return index >= 0 && index < 26 && (GetLogicalDrives() & (1ul << index)) != 0;
}

File::DriveType File::GetDriveTypeA(FileName const &name) {
    String root = RootOf(name);
    switch (::GetDriveTypeA(root.c_str())) {
    case DRIVE_UNKNOWN: return kUnknown;
    case DRIVE_NO_ROOT_DIR: return kNoRoot;
    case DRIVE_FIXED: return kFixed;
    case DRIVE_REMOTE: return kRemote;
    case DRIVE_CDROM: return kCdRom;
    case DRIVE_RAMDISK: return kRamDisk;
    case DRIVE_REMOVABLE: {
        char letter = root.GetFirstChar();
        return IsFloppyDrive(name) || letter == 'A' || letter == 'B' ? kFloppy : kRemovable;
    }
    default: return kUnknown;
    }
}

int File::IsFloppyDrive(FileName const &name) {
    String drive = name.GetDrive();
    if (drive.IsEmpty())
        return 0;
    String device = "\\\\.\\" + drive + ":";
    HANDLE h = CreateFileA(device.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    DISK_GEOMETRY geometry[20];
    DWORD returned = 0;
    int floppy = 0;
    if (DeviceIoControl(h, IOCTL_DISK_GET_MEDIA_TYPES, nullptr, 0, geometry, sizeof geometry, &returned, nullptr)) {
        for (DWORD i = 0; i < returned / sizeof geometry[0]; ++i)
            if (geometry[i].MediaType >= 1 && geometry[i].MediaType <= 10)
                floppy = 1;
    }
    CloseHandle(h);
    return floppy;
}

int File::IsCompressedVolume(FileName const &name) {
    DWORD flags = 0;
    if (!GetVolumeInformationA(RootOf(name).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return 0;
    return (flags & FS_VOL_IS_COMPRESSED) != 0;
}

int File::IsFastPhysicalDrive(FileName const &name) {
    DriveType type = GetDriveTypeA(FileName(RootOf(name)));
    return type == kFixed || type == kRemovable;
}

FileName File::GetVolumeName(FileName const &name) {
    char label[100] = "";
    if (!GetVolumeInformationA(RootOf(name).c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
        Throw(18014, GetLastError());
    return FileName(label);
}

int File::SetVolumeName(FileName const &name, String const &label) {
    if (!SetVolumeLabelA(RootOf(name).c_str(), label.c_str()))
        Throw(18015, GetLastError());
    return 1;
}

int File::IsWriteProtected(FileName const &name) {
    unsigned long attributes = GetAttributes(name);
    return attributes != ~0ul && (attributes & kAttrReadOnly) != 0;
}

unsigned long File::GetDiskSpace(int drive, long *totalBytes) {
    uint64_t total = 0;
    uint64_t bytes = DriveSpace(drive, total);
    // Large disks report the most that fits rather than a wrapped figure.
    if (totalBytes)
        *totalBytes = total > 0x7FFFFFFFull ? 0x7FFFFFFF : static_cast<long>(total);
    return bytes > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<unsigned long>(bytes);
}

int64_t File::GetDiskSpace64(int drive) {
    uint64_t total = 0;
    uint64_t bytes = DriveSpace(drive, total);
    return bytes > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(bytes);
}

void File::GetDateTime(FileName const &name, unsigned short *date, unsigned short *time) {
    File file(name, kRead | kShareReadWrite);
    file.GetDateTime(date, time);
}

void File::GetDateTime(FileName const &name, FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite) {
    File file(name, kNoAccess);
    file.GetDateTime(creation, lastAccess, lastWrite);
}

void File::SetDateTime(FileName const &name, FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite) {
    File file(name, kReadWrite);
    file.SetDateTime(creation, lastAccess, lastWrite);
}

void *File::LoadFile(FileName const &name, unsigned int *size, void *buffer) {
    long length = GetSize(name);
    if (size) *size = static_cast<unsigned int>(length);
    File file(name, kRead | kShareReadWrite);
    int ours = !buffer;
    if (ours)
        buffer = NH_Heap::GetDefault().Alloc(length > 0 ? static_cast<unsigned long>(length) : 1, 0);
    try {
        file.Read(buffer, length, 1, nullptr);
    } catch (...) {
        if (ours) NH_Heap::FreeMem(buffer);
        throw;
    }
    return buffer;
}

void File::SaveFile(FileName const &name, void const *data, unsigned int size) {
    // Write a fresh file beside the target and put it in place only when all
    // of it was written: a failed save leaves the old file as it was.
    FileName target = FullName(name);
    File temporary;
    temporary.Open(target.GetPath(), kTempInDirectory | kReadWrite);
    FileName temporaryName = temporary.GetName();
    try {
        temporary.Write(data, size);
        temporary.Close(1);
        Move(target, temporaryName);
    } catch (...) {
        temporary.Close(1);
        Delete(temporaryName, 0, 1);
        throw;
    }
}

FileName File::GetAppPath(HINSTANCE instance) {
    char buffer[257] = "";
    GetModuleFileNameA(instance, buffer, 256);
    return FileName(String(buffer).GetPath());
}

void File::ReadLines(FileName const &name, List<StringItem<ListElement>> &lines, int trim, int skipEmpty) {
    lines.Clear();
    // an empty file has no lines (and cannot be mapped)
    if (GetSize(name) == 0)
        return;
    MappedFile mapped(name, kRead | kShareRead, 1, 0);
    CutLines(mapped.GetStart(), mapped.GetSize(), trim, skipEmpty,
             [&lines](String const &piece) { lines.Append(new StringItem<ListElement>(piece)); });
}

void File::ReadLines(FileName const &name, ArrayInPlace<String> &lines, int trim, int skipEmpty) {
    lines.Clear();
    if (GetSize(name) == 0)
        return;
    MappedFile mapped(name, kRead | kShareRead, 1, 0);
    CutLines(mapped.GetStart(), mapped.GetSize(), trim, skipEmpty, [&lines](String const &piece) { lines.Add(piece); });
}

void File::WriteLines(FileName const &name, List<StringItem<ListElement>> const &lines, int append) {
    unsigned int existing = 0;
    void *old = append && Exist(name, kFile) ? LoadFile(name, &existing, nullptr) : nullptr;
    unsigned long total = existing;
    for (StringItem<ListElement> *line = lines.GetFirst(); line; line = lines.GetNext(line))
        total += line->GetLength() + 2;
    if (total == existing)
        total += 2;
    char *text = static_cast<char *>(NH_Heap::GetDefault().Alloc(total, 0));
    char *p = text;
    if (old) {
        std::memcpy(p, old, existing);
        p += existing;
        NH_Heap::FreeMem(old);
    }
    for (StringItem<ListElement> *line = lines.GetFirst(); line; line = lines.GetNext(line)) {
        std::memcpy(p, line->c_str(), line->GetLength());
        p += line->GetLength();
        *p++ = '\r';
        *p++ = '\n';
    }
    if (!lines.GetFirst()) {
        *p++ = '\r';
        *p++ = '\n';
    }
    try {
        SaveFile(name, text, total);
    } catch (...) {
        NH_Heap::FreeMem(text);
        throw;
    }
    NH_Heap::FreeMem(text);
}

int File::AreEqual(FileName const &a, FileName const &b, int *firstDifference) {
    try {
        if (SameName(a, b) && Exist(a, kFile)) {
            if (firstDifference) *firstDifference = 0;
            return 1;
        }
        long size = GetSize(a);
        if (size != GetSize(b)) {
            if (firstDifference) *firstDifference = -1;
            return 0;
        }
        if (size == 0)
            return 1;  // two empty files are equal (and cannot be mapped)
        // A window at a time: two large recordings need not fit into the
        // address space together.
        MappedFile first(a, kRead | kShareRead, 0, 0);
        MappedFile second(b, kRead | kShareRead, 0, 0);
        unsigned long const total = static_cast<unsigned long>(size);
        for (unsigned long start = 0; start < total; start += kCompareWindow) {
            unsigned long length = total - start < kCompareWindow ? total - start : kCompareWindow;
            MappedFile::View *x = first.CreateView(start, length);
            MappedFile::View *y = second.CreateView(start, length);
            long at = FirstDifference(x->GetBase(), y->GetBase(), length);
            first.CloseView(x);
            second.CloseView(y);
            if (at >= 0) {
                if (firstDifference) *firstDifference = static_cast<int>(start + at);
                return 0;
            }
        }
        return 1;
    } catch (...) {
        if (firstDifference) *firstDifference = -2;
        return 0;
    }
}
