// Disk files: the open handle (system or multimedia service), reading and
// writing with the library's error messages, cached access through the file
// block cache, and the whole-file and directory operations by name.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/FileName.h"
#include "foundation/Strings.h"
#include "foundation/ArrayInPlace.h"

#include <windows.h>

#include <cstdint>

class CriticalSection;
class FileCacheManager;
class FileCacheBuffers;
template <class T> class List;
template <class T> class StringItem;
class ListElement;

// Base of File and MappedFile: the link to the block cache.
class OSMERA_API FileObject {
public:
    explicit FileObject(FileCacheManager *manager);
    virtual ~FileObject();
    virtual long GetFileSize() const = 0;

    FileCacheBuffers *GetCache() const { return cache_; }

    FileObject(FileObject const &) = delete;
    FileObject &operator=(FileObject const &) = delete;

protected:
    friend class FileCacheManager;
    FileCacheBuffers *cache_;
};

class OSMERA_API File : public FileObject {
public:
    // Open flags.
    enum {
        kNoAccess = 1,
        kRead = 2,
        kWrite = 4,
        kReadWrite = 8,
        kCreate = 16,
        kShareRead = 32,
        kShareWrite = 64,
        kShareReadWrite = 128,
        kShareNone = 256,
        kDeleteOnClose = 0x200,
        kDeleteAtClose = 0x400,
        kTempInDirectory = 0x800,
        kRestoreReadOnly = 0x1000,
        kOwnLock = 0x2000,
        kOverlapped = 0x4000,
        kMultimedia = 0x8000,
        kNoThrow = 0x10000,
        kNoBuffering = 0x1000000,
        kTemporaryAttr = 0x2000000,
        kHiddenAttr = 0x4000000,
        kWriteThrough = 0x8000000,
        kRandomAccess = 0x10000000,
        kSequentialScan = 0x20000000,
        kShareDelete = 0x40000000  // others may rename or delete the file while it is open
    };
    // Attribute flags of the library.
    enum {
        kAttrNormal = 1,
        kAttrReadOnly = 2,
        kAttrHidden = 4,
        kAttrSystem = 8,
        kAttrDirectory = 16,
        kAttrArchive = 32
    };
    enum SeekOrigin { kFromStart = 0, kFromCurrent = 1, kFromEnd = 2 };
    enum Type { kFile = 0, kDirectory = 1, kAny = 2 };
    enum BackupMode { kNoBackup = 0, kAskBackup = 1, kBackup = 2 };
    enum DriveType {
        kNoRoot = -1,
        kUnknown = 0,
        kFloppy = 1,
        kRemovable = 2,
        kFixed = 3,
        kRemote = 4,
        kCdRom = 5,
        kRamDisk = 6
    };

    File();
    File(FileName const &name, int flags);
    File(FileName const &name, int flags, FileCacheManager &manager);
    ~File() override;

    int Open(FileName const &name, int flags);
    void Close(int flushCache = 1);

    int IsOpen() const { return handle_ != nullptr; }
    void *GetHandle() const { return handle_; }
    long GetOpenFlags() const { return flags_; }
    long GetFileSize() const override { return GetSize(); }
    FileName const &GetName() const { return name_; }
    void SetDeleteOnClose() { flags_ |= kDeleteAtClose; }
    int ShouldBeDeletedOnClose() const { return (flags_ & (kDeleteOnClose | kDeleteAtClose)) != 0; }
    CriticalSection *GetLock() const { return lock_; }

    // Reading and writing.
    int Read(void *buffer, long count, int throwOnError = 1, long *bytesRead = nullptr);
    int Read(char *p) { return ReadValue(p, sizeof *p); }
    int Read(signed char *p) { return ReadValue(p, sizeof *p); }
    int Read(unsigned char *p) { return ReadValue(p, sizeof *p); }
    int Read(short *p) { return ReadValue(p, sizeof *p); }
    int Read(unsigned short *p) { return ReadValue(p, sizeof *p); }
    int Read(int *p) { return ReadValue(p, sizeof *p); }
    int Read(unsigned int *p) { return ReadValue(p, sizeof *p); }
    int Read(long *p) { return ReadValue(p, sizeof *p); }
    int Read(unsigned long *p) { return ReadValue(p, sizeof *p); }
    int Read(float *p) { return ReadValue(p, sizeof *p); }
    int Read(double *p) { return ReadValue(p, sizeof *p); }

    void Write(void const *buffer, unsigned long count);
    void Write(char v) { Write(&v, sizeof v); }
    void Write(signed char v) { Write(&v, sizeof v); }
    void Write(unsigned char v) { Write(&v, sizeof v); }
    void Write(short v) { Write(&v, sizeof v); }
    void Write(unsigned short v) { Write(&v, sizeof v); }
    void Write(int v) { Write(&v, sizeof v); }
    void Write(unsigned int v) { Write(&v, sizeof v); }
    void Write(long v) { Write(&v, sizeof v); }
    void Write(unsigned long v) { Write(&v, sizeof v); }
    void Write(float v) { Write(&v, sizeof v); }
    void Write(double const &v) { Write(&v, sizeof v); }

    void WriteString(char const *text, int withTerminator = 0);
    void WriteString(String const &text, int withTerminator = 0);
    void WriteLine(char const *text, char first = '\r', char second = '\n');
    void WriteLine(String const &text, char first = '\r', char second = '\n');
    String ReadLine();

    long Seek(long offset, SeekOrigin origin, int throwOnError = 1);
    long SeekStart(int throwOnError = 1) { return Seek(0, kFromStart, throwOnError); }
    long SeekEnd(int throwOnError = 1) { return Seek(0, kFromEnd, throwOnError); }
    long GetPosition() { return Seek(0, kFromCurrent, 1); }
    long GetSize() const;
    void SetSize(long size);
    void FlushBuffers();
    void Flush() const;
    void Lock(long offset, unsigned long length);
    void Unlock(long offset, unsigned long length);
    void ReadAsync(void *buffer, long count, unsigned long offset, void *event);

    // Cached access (see the block cache).
    int ReadCache(long offset, void *buffer, long count, long *bytesRead = nullptr, int throwOnError = 1);
    void WriteCache(long offset, void *buffer, unsigned long count, long validStart = 0, long validLength = 0);
    void AdjustSizeOfCachedFile(long newSize, int flags = 0);

    // Attributes and times.
    unsigned long GetAttributes() const;
    static unsigned long GetAttributes(FileName const &name);
    static int SetAttributes(FileName const &name, unsigned long attributes, int throwOnError = 1);
    void GetDateTime(unsigned short *date, unsigned short *time) const;
    void GetDateTime(FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite) const;
    void SetDateTime(FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite);

    // Operations by name.
    static int Exist(FileName const &name, Type type = kFile);
    static int Delete(FileName const &name, int throwOnError = 1, int clearReadOnly = 0);
    static void Copy(FileName const &to, FileName const &from);
    static void CopyEx(FileName const &to, FileName const &from);
    static void Move(FileName const &to, FileName const &from);
    static void Rename(FileName const &from, FileName const &to);
    // A second name of an existing file (a hard link); 0 where the file system has none.
    static int Link(FileName const &existing, FileName const &link);
    static FileName GetTempName(FileName const &directory);
    static void EnsureDirectory(FileName const &path);
    static int IsWritableDirectory(FileName const &directory);
    static long GetSize(FileName const &name);
    static int CanWrite(HWND window, FileName const &name, int refuseWhenInUse, BackupMode mode,
                        char const *backupExtension);
    static int ExistDrive(FileName const &name);
    static DriveType GetDriveTypeA(FileName const &name);
    static int IsFloppyDrive(FileName const &name);
    static int IsCompressedVolume(FileName const &name);
    static int IsFastPhysicalDrive(FileName const &name);
    static FileName GetVolumeName(FileName const &name);
    static int SetVolumeName(FileName const &name, String const &label);
    static int IsWriteProtected(FileName const &name);
    static unsigned long GetDiskSpace(int drive, long *totalBytes = nullptr);
    // Free bytes of drive A + index, whatever their number (0 when unknown).
    static int64_t GetDiskSpace64(int drive);
    static void GetDateTime(FileName const &name, unsigned short *date, unsigned short *time);
    static void GetDateTime(FileName const &name, FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite);
    static void SetDateTime(FileName const &name, FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite);
    static void *LoadFile(FileName const &name, unsigned int *size = nullptr, void *buffer = nullptr);
    static void SaveFile(FileName const &name, void const *data, unsigned int size);
    static FileName GetAppPath(HINSTANCE instance);
    static void ReadLines(FileName const &name, List<StringItem<ListElement>> &lines, int trim = 1,
                          int skipEmpty = 0);
    static void ReadLines(FileName const &name, ArrayInPlace<String> &lines, int trim = 1, int skipEmpty = 0);
    static void WriteLines(FileName const &name, List<StringItem<ListElement>> const &lines, int append = 0);
    static int AreEqual(FileName const &a, FileName const &b, int *firstDifference = nullptr);

    // The message boxes of CanWrite go through this seam (tests answer them).
    typedef int (*MessageBoxFunc)(HWND owner, char const *text, char const *caption, unsigned style);
    static MessageBoxFunc SetMessageBoxFunc(MessageBoxFunc func);

    // Throws 18019 with the drive of the name when the error means a full disk;
    // returns otherwise.
    static void CheckDiskFull(FileName const &name, unsigned long error);

private:
    // Deletes without asking the test seam; the system's error, 0 when done.
    static unsigned long DeleteNow(FileName const &name, int clearReadOnly);
    int ReadValue(void *p, long size) { return Read(p, size, 1, nullptr); }
    int OpenSystem(int flags);
    int OpenMultimedia(int flags);
    int IsMultimedia() const { return (flags_ & kMultimedia) != 0; }
    [[noreturn]] void ThrowWithName(unsigned id, unsigned long error) const;
    void ReleaseCacheBlocks();
    int IsDirectAccessible(void const *buffer, long count) const;
    long ReadThroughAlignedMemory(void *buffer, long count);
    int WriteThroughAlignedMemory(void const *buffer, long count);
    int ReadCacheBody(long offset, char *buffer, long count, long *remaining);
    void CompleteFromCache(long offset, char *bytes, long count);
    int ReadBlockUncached(long blockStart, char *&buffer, long &offset, long &remaining, unsigned long blockSize,
                          int &endOfFile);

    FileName name_;
    CriticalSection *lock_;
    long flags_;
    void *handle_;
    OVERLAPPED async_;   // the pending request of ReadAsync; lives as long as the file
};
