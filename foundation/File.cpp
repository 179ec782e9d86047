#include "foundation/File.h"

#include "foundation/Exception.h"
#include "foundation/FileCache.h"
#include "foundation/FileFaults.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/CriticalSection.h"

#include <mmsystem.h>

#include <cstring>

namespace {

HANDLE SystemHandle(void *handle, bool multimedia) {
    if (!multimedia)
        return handle;
    // The multimedia service's standard I/O procedure keeps the system handle
    // in its first info word.
    MMIOINFO info;
    std::memset(&info, 0, sizeof info);
    mmioGetInfo(static_cast<HMMIO>(handle), &info, 0);
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(info.adwInfo[0]));
}

unsigned long ToLibraryAttributes(DWORD system) {
    unsigned long result = 0;
    if (system & FILE_ATTRIBUTE_NORMAL) result |= File::kAttrNormal;
    if (system & FILE_ATTRIBUTE_READONLY) result |= File::kAttrReadOnly;
    if (system & FILE_ATTRIBUTE_HIDDEN) result |= File::kAttrHidden;
    if (system & FILE_ATTRIBUTE_SYSTEM) result |= File::kAttrSystem;
    if (system & FILE_ATTRIBUTE_DIRECTORY) result |= File::kAttrDirectory;
    if (system & FILE_ATTRIBUTE_ARCHIVE) result |= File::kAttrArchive;
    return result;
}

DWORD ToSystemAttributes(unsigned long library) {
    DWORD result = 0;
    if (library & File::kAttrNormal) result |= FILE_ATTRIBUTE_NORMAL;
    if (library & File::kAttrReadOnly) result |= FILE_ATTRIBUTE_READONLY;
    if (library & File::kAttrHidden) result |= FILE_ATTRIBUTE_HIDDEN;
    if (library & File::kAttrSystem) result |= FILE_ATTRIBUTE_SYSTEM;
    if (library & File::kAttrDirectory) result |= FILE_ATTRIBUTE_DIRECTORY;
    if (library & File::kAttrArchive) result |= FILE_ATTRIBUTE_ARCHIVE;
    return result ? result : FILE_ATTRIBUTE_NORMAL;
}

// Counts the calling thread as a user of a cache for as long as it lives. A
// cached access takes it before the file's lock: a resize waits for every
// user, so a user must never wait for a resize while holding that lock.
class CacheUser {
public:
    explicit CacheUser(FileCacheManager &manager) : manager_(manager) { manager_.EnterUser(); }
    ~CacheUser() { manager_.LeaveUser(); }
    CacheUser(CacheUser const &) = delete;
    CacheUser &operator=(CacheUser const &) = delete;

private:
    FileCacheManager &manager_;
};

// Cached reads give up waiting for a free block after this many 20 ms sleeps
// and read the block privately instead.
int const kBlockRetries = 25;

// Without system buffering the system moves only whole sectors to and from
// aligned memory; a page is a multiple of every sector size.
long const kPage = 4096;

// The whole pages that hold count bytes at position, in zero-filled
// page-aligned memory of their own (memory is null when none was to be had).
struct AlignedPages {
    AlignedPages(long position, long count)
        : first(position / kPage * kPage),
          skip(position - first),
          size((skip + count + kPage - 1) / kPage * kPage),
          memory(static_cast<char *>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE))) {}
    ~AlignedPages() {
        if (memory) VirtualFree(memory, 0, MEM_RELEASE);
    }
    AlignedPages(AlignedPages const &) = delete;
    AlignedPages &operator=(AlignedPages const &) = delete;

    long const first;   // file offset of the first page
    long const skip;    // where the bytes start in the first page
    long const size;    // bytes of whole pages
    char *const memory;
};

}  // namespace

// ---------------------------------------------------------------- FileObject

FileObject::FileObject(FileCacheManager *manager) : cache_(manager ? manager->Register(*this) : nullptr) {}

FileObject::~FileObject() { delete cache_; }

// ---------------------------------------------------------------- File

File::File() : FileObject(nullptr), lock_(nullptr), flags_(0), handle_(nullptr) {
    std::memset(&async_, 0, sizeof async_);
}

File::File(FileName const &name, int flags) : FileObject(nullptr), lock_(nullptr), flags_(0), handle_(nullptr) {
    std::memset(&async_, 0, sizeof async_);
    Open(name, flags);
}

File::File(FileName const &name, int flags, FileCacheManager &manager)
    : FileObject(&manager), lock_(nullptr), flags_(0), handle_(nullptr) {
    std::memset(&async_, 0, sizeof async_);
    // Cached files bypass the system's buffering: the cache is their buffer.
    if (cache_)
        Open(name, (flags | kNoBuffering) & ~(kWriteThrough | kRandomAccess | kSequentialScan));
    else
        Open(name, flags & ~kNoBuffering);
}

File::~File() {
    try {
        Close(1);
    } catch (...) {
        // a destructor reports nothing; the handle is gone either way
    }
    delete lock_;
}

int File::Open(FileName const &name, int flags) {
    if (IsOpen())
        Close(1);
    flags_ = flags;
    if (flags_ & kTempInDirectory) {
        flags_ |= kCreate;
        name_ = GetTempName(name);
    } else {
        name_ = name;
    }
    if ((flags_ & kOwnLock) && !lock_)
        lock_ = new CriticalSection;
    if (flags_ & kRestoreReadOnly) {
        unsigned long attributes = GetAttributes(name_);
        if (attributes != ~0ul && !(attributes & kAttrDirectory))
            SetAttributes(name_, attributes & ~static_cast<unsigned long>(kAttrReadOnly), 1);
    }
    if (!(flags_ & (kNoAccess | kRead | kWrite | kReadWrite)))
        flags_ |= kReadWrite;
    if (!(flags_ & (kShareRead | kShareWrite | kShareReadWrite | kShareNone)))
        flags_ |= kShareRead;
    int ok = IsMultimedia() ? OpenMultimedia(flags) : OpenSystem(flags);
    if (ok)
        return 1;
    unsigned long error = GetLastError();
    if (flags_ & kNoThrow)
        return 0;
    ThrowWithName(error == ERROR_SHARING_VIOLATION ? 18025 : (flags_ & kCreate) ? 18016 : 18000, error);
}

int File::OpenMultimedia(int) {
    DWORD mode;
    if (flags_ & kShareRead)
        mode = MMIO_DENYWRITE;
    else if (flags_ & kShareWrite)
        mode = MMIO_DENYREAD;
    else if (flags_ & kShareReadWrite)
        mode = MMIO_DENYNONE;
    else
        mode = MMIO_EXCLUSIVE;
    if (flags_ & kCreate) mode |= MMIO_CREATE;
    if (flags_ & kReadWrite)
        mode |= MMIO_READWRITE;
    else if (flags_ & kWrite)
        mode |= MMIO_WRITE;
    if (!(flags_ & kNoBuffering)) mode |= MMIO_ALLOCBUF;
    MMIOINFO info;
    std::memset(&info, 0, sizeof info);
    HMMIO h = mmioOpenA(const_cast<char *>(name_.c_str()), &info, mode);
    if (!h)
        return 0;
    handle_ = h;
    // the multimedia service knows no delete-on-close: the library deletes at Close
    if (flags_ & kDeleteOnClose)
        flags_ = (flags_ & ~kDeleteOnClose) | kDeleteAtClose;
    return 1;
}

int File::OpenSystem(int) {
    DWORD access = 0;
    if (flags_ & kReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;
    else {
        if (flags_ & kRead) access |= GENERIC_READ;
        if (flags_ & kWrite) access |= GENERIC_WRITE;
    }
    DWORD share = 0;
    if (flags_ & kShareReadWrite)
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    else if (flags_ & kShareWrite)
        share = FILE_SHARE_WRITE | ((flags_ & kShareRead) ? FILE_SHARE_READ : 0);
    else if (flags_ & kShareRead)
        share = FILE_SHARE_READ;
    if (flags_ & kShareDelete)
        share |= FILE_SHARE_DELETE;
    DWORD attributes = 0;
    if (flags_ & kDeleteOnClose) attributes |= FILE_FLAG_DELETE_ON_CLOSE;
    if (flags_ & kTemporaryAttr) attributes |= FILE_ATTRIBUTE_TEMPORARY;
    if (flags_ & kHiddenAttr) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (flags_ & kWriteThrough) attributes |= FILE_FLAG_WRITE_THROUGH;
    if (flags_ & kRandomAccess) attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (flags_ & kOverlapped) attributes |= FILE_FLAG_OVERLAPPED;
    if (flags_ & kSequentialScan) attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    if (flags_ & kNoBuffering) attributes |= FILE_FLAG_NO_BUFFERING;
    if (flags_ & kTempInDirectory) {
        // Another process may take the same fresh name at the same moment:
        // never truncate a file that appeared meanwhile, take the next name.
        FileName directory = name_.GetPath();
        for (int attempt = 0; attempt < 1000; ++attempt) {
            HANDLE h = CreateFileA(name_.c_str(), access, share, nullptr, CREATE_NEW, attributes, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                handle_ = h;
                return 1;
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
                return 0;
            name_ = GetTempName(directory);
        }
        return 0;
    }
    HANDLE h = CreateFileA(name_.c_str(), access, share, nullptr, (flags_ & kCreate) ? CREATE_ALWAYS : OPEN_EXISTING,
                           attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    handle_ = h;
    return 1;
}

void File::Close(int flushCache) {
    if (!handle_)
        return;
    if (cache_ && flushCache)
        ReleaseCacheBlocks();
    if (IsMultimedia()) {
        mmioClose(static_cast<HMMIO>(handle_), 0);
    } else {
        if (flags_ & (kDeleteOnClose | kDeleteAtClose)) {
            SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
            SetEndOfFile(handle_);
        }
        CloseHandle(handle_);
    }
    handle_ = nullptr;
    if (flags_ & kDeleteAtClose)
        DeleteNow(name_, 1);
    if ((flags_ & kRestoreReadOnly) && Exist(name_, kFile)) {
        unsigned long attributes = GetAttributes(name_);
        if (attributes != ~0ul)
            SetAttributes(name_, (attributes & ~static_cast<unsigned long>(kAttrNormal)) | kAttrReadOnly, 0);
    }
}

void File::ThrowWithName(unsigned id, unsigned long error) const {
    String text = BuildString(id, name_.c_str());
    ExceptionThrower(0).SetAndThrow(text.c_str(), error);
    throw Exception(text.c_str(), error);  // a non-posting thrower has thrown already
}

void File::CheckDiskFull(FileName const &name, unsigned long error) {
    if (error != ERROR_HANDLE_DISK_FULL && error != ERROR_DISK_FULL)
        return;
    // A name without a drive is on the drive of its full form.
    String full = name;
    if (!full.ContainsDrive()) {
        char buffer[MAX_PATH];
        DWORD n = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
        if (n > 0 && n < sizeof buffer)
            full = buffer;
    }
    int index = -1;
    String drive = full.GetDrive(&index);
    String text = BuildString(18019, drive.c_str());
    Exception e(text.c_str(), error);
    e.driveIndex = static_cast<unsigned long>(index);
    ExceptionThrower(0).SetAndThrow(e);
    throw e;
}

// ---------------------------------------------------------------- reading and writing

int File::Read(void *buffer, long count, int throwOnError, long *bytesRead) {
    if (count == 0) {
        if (bytesRead) *bytesRead = 0;
        return 1;
    }
    if (count < 0) {
        if (throwOnError) ThrowWithName(18002, ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (bytesRead) *bytesRead = -1;
    long n;
    if (IsMultimedia()) {
        n = mmioRead(static_cast<HMMIO>(handle_), static_cast<HPSTR>(buffer), count);
    } else if ((flags_ & kNoBuffering) && !IsDirectAccessible(buffer, count)) {
        n = ReadThroughAlignedMemory(buffer, count);
    } else {
        DWORD got = 0;
        n = ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr) ? static_cast<long>(got) : -1;
    }
    unsigned long error = n < 0 ? GetLastError() : ERROR_HANDLE_EOF;
    if (n >= 0 && bytesRead) *bytesRead = n;
    if (n == count)
        return 1;
    if (throwOnError) ThrowWithName(18002, error);
    return 0;
}

// Whether the system itself can move these bytes at the current position:
// aligned memory, size and position.
int File::IsDirectAccessible(void const *buffer, long count) const {
    if ((reinterpret_cast<UINT_PTR>(buffer) | static_cast<unsigned long>(count)) % kPage)
        return 0;
    return static_cast<unsigned long>(SetFilePointer(handle_, 0, nullptr, FILE_CURRENT)) % kPage == 0;
}

// Reads what no-buffering rules refuse (any offset, size or memory) through
// whole pages of memory of its own; the file position ends behind the bytes.
long File::ReadThroughAlignedMemory(void *buffer, long count) {
    long position = static_cast<long>(SetFilePointer(handle_, 0, nullptr, FILE_CURRENT));
    if (position == -1)
        return -1;
    AlignedPages pages(position, count);
    if (!pages.memory)
        return -1;
    DWORD got = 0;
    SetFilePointer(handle_, pages.first, nullptr, FILE_BEGIN);
    BOOL ok = ReadFile(handle_, pages.memory, static_cast<DWORD>(pages.size), &got, nullptr);
    long n = static_cast<long>(got) > pages.skip ? static_cast<long>(got) - pages.skip : 0;
    if (n > count) n = count;
    std::memcpy(buffer, pages.memory + pages.skip, n);
    SetFilePointer(handle_, position + n, nullptr, FILE_BEGIN);
    return ok ? n : -1;
}

// Writes what no-buffering rules refuse through whole pages of memory of its
// own. The partial first and last pages are read in first so the file's other
// bytes in them survive; the end the whole pages reach past is cut back. Like
// a plain write it leaves the position behind the bytes written; 0 when not
// all were written (the system's error is kept, 0 for a short write).
int File::WriteThroughAlignedMemory(void const *buffer, long count) {
    long position = static_cast<long>(SetFilePointer(handle_, 0, nullptr, FILE_CURRENT));
    if (position == -1)
        return 0;
    long oldSize = static_cast<long>(::GetFileSize(handle_, nullptr));
    AlignedPages pages(position, count);
    if (!pages.memory)
        return 0;
    long lastPage = pages.first + pages.size - kPage;
    int partialFirst = pages.skip != 0;
    int partialLast = (pages.skip + count) % kPage != 0;
    // a page that cannot be read is not written either: nothing moves
    auto readPage = [&](long offset, char *into) {
        DWORD got = 0;
        SetFilePointer(handle_, offset, nullptr, FILE_BEGIN);
        if (ReadFile(handle_, into, static_cast<DWORD>(kPage), &got, nullptr))
            return true;
        unsigned long error = GetLastError();
        SetFilePointer(handle_, position, nullptr, FILE_BEGIN);
        SetLastError(error);
        return false;
    };
    if (partialFirst && pages.first < oldSize && !readPage(pages.first, pages.memory))
        return 0;
    if (partialLast && lastPage < oldSize && (lastPage != pages.first || !partialFirst) &&
        !readPage(lastPage, pages.memory + pages.size - kPage))
        return 0;
    std::memcpy(pages.memory + pages.skip, buffer, static_cast<size_t>(count));
    SetFilePointer(handle_, pages.first, nullptr, FILE_BEGIN);
    DWORD written = 0;
    BOOL ok = WriteFile(handle_, pages.memory, static_cast<DWORD>(pages.size), &written, nullptr);
    unsigned long error = GetLastError();
    // only the caller's bytes count as written, and of them only what reached the file
    long n = pages.first + static_cast<long>(written) - position;
    if (n < 0) n = 0;
    if (n > count) n = count;
    long end = position + n > oldSize ? position + n : oldSize;
    if (pages.first + static_cast<long>(written) > end) {
        SetFilePointer(handle_, end, nullptr, FILE_BEGIN);
        SetEndOfFile(handle_);
    }
    SetFilePointer(handle_, position + n, nullptr, FILE_BEGIN);
    SetLastError(ok ? 0 : error);
    return ok && n == count;
}

void File::Write(void const *buffer, unsigned long count) {
    if (count == 0)
        return;
    if (unsigned long fault = FileFaults::CheckWrite(count)) {
        CheckDiskFull(name_, fault);
        ExceptionThrower(0).SetAndThrow(String(FindString(18003)).c_str(), fault);
        return;
    }
    if (IsMultimedia()) {
        long n = mmioWrite(static_cast<HMMIO>(handle_), static_cast<char const *>(buffer), static_cast<long>(count));
        if (n == static_cast<long>(count))
            return;
        if (n >= 0) CheckDiskFull(name_, ERROR_DISK_FULL);
        ExceptionThrower(0).SetAndThrow(String(FindString(18003)).c_str(), 0ul);
        return;
    }
    SetLastError(0);
    long length = static_cast<long>(count);
    if ((flags_ & kNoBuffering) && !IsDirectAccessible(buffer, length)) {
        if (WriteThroughAlignedMemory(buffer, length))
            return;
    } else {
        DWORD written = 0;
        if (WriteFile(handle_, buffer, count, &written, nullptr) && written == count)
            return;
    }
    // A short write is a full disk when the system names no other cause.
    unsigned long error = GetLastError();
    if (!error) error = ERROR_DISK_FULL;
    CheckDiskFull(name_, error);
    ExceptionThrower(0).SetAndThrow(String(FindString(18003)).c_str(), error);
}

void File::WriteString(char const *text, int withTerminator) {
    Write(text, std::strlen(text) + (withTerminator ? 1 : 0));
}

void File::WriteString(String const &text, int withTerminator) {
    Write(text.c_str(), text.GetLength() + (withTerminator ? 1 : 0));
}

void File::WriteLine(char const *text, char first, char second) {
    unsigned long length = std::strlen(text);
    char small[512];
    int endLength = static_cast<unsigned char>(second) == 255 ? 1 : 2;
    if (length + endLength <= sizeof small) {
        // one system write per line
        std::memcpy(small, text, length);
        small[length] = first;
        small[length + 1] = second;
        Write(small, length + endLength);
        return;
    }
    Write(text, length);
    char end[2] = {first, second};
    Write(end, endLength);
}

void File::WriteLine(String const &text, char first, char second) { WriteLine(text.c_str(), first, second); }

String File::ReadLine() {
    String line;
    long position = GetPosition();
    long size = GetSize();
    char chunk[257];
    while (position < size) {
        long want = size - position < 256 ? size - position : 256;
        long got = 0;
        Read(chunk, want, 0, &got);
        if (got <= 0)
            break;
        for (long i = 0; i < got; ++i) {
            char c = chunk[i];
            if (c != '\n' && c != '\r' && c != 0)
                continue;
            chunk[i] = 0;
            line += chunk;
            long consumed = i + 1;
            if (c == '\r') {
                if (i + 1 < got) {
                    if (chunk[i + 1] == '\n') ++consumed;
                } else if (position + i + 1 < size) {
                    Seek(position + i + 1, kFromStart, 1);
                    char next;
                    Read(&next, 1, 1, nullptr);
                    if (next == '\n') ++consumed;
                }
                // a carriage return as the file's last byte simply ends the line
            }
            Seek(position + consumed, kFromStart, 1);
            return line;
        }
        chunk[got] = 0;
        line += chunk;
        position += got;
    }
    return line;
}

long File::Seek(long offset, SeekOrigin origin, int throwOnError) {
    long result;
    if (unsigned long fault = FileFaults::Check(FileFaults::kSeek)) {
        SetLastError(fault);
        result = -1;
    } else if (IsMultimedia()) {
        int how = origin == kFromStart ? SEEK_SET : origin == kFromCurrent ? SEEK_CUR : SEEK_END;
        result = mmioSeek(static_cast<HMMIO>(handle_), offset, how);
    } else {
        DWORD how = origin == kFromStart ? FILE_BEGIN : origin == kFromCurrent ? FILE_CURRENT : FILE_END;
        result = static_cast<long>(SetFilePointer(handle_, offset, nullptr, how));
    }
    if (result == -1 && throwOnError)
        ExceptionThrower(0).SetAndThrow(String(FindString(18004)).c_str(), GetLastError());
    return result;
}

long File::GetSize() const {
    if (IsMultimedia()) {
        HMMIO h = static_cast<HMMIO>(handle_);
        mmioFlush(h, 0);  // bytes still in the service's buffer count too
        // the service's own end-seek is not reliable everywhere: ask the system first
        DWORD size = ::GetFileSize(SystemHandle(handle_, true), nullptr);
        if (size != INVALID_FILE_SIZE)
            return static_cast<long>(size);
        long current = mmioSeek(h, 0, SEEK_CUR);
        long end = mmioSeek(h, 0, SEEK_END);
        mmioSeek(h, current, SEEK_SET);
        return end;
    }
    return static_cast<long>(::GetFileSize(handle_, nullptr));
}

void File::SetSize(long size) {
    if (unsigned long fault = FileFaults::Check(FileFaults::kSize)) {
        ExceptionThrower(0).SetAndThrow(String(FindString(18005)).c_str(), fault);
        return;
    }
    if (IsMultimedia())
        mmioFlush(static_cast<HMMIO>(handle_), 0);
    HANDLE h = SystemHandle(handle_, IsMultimedia());
    SetFilePointer(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    if (IsMultimedia())
        mmioSeek(static_cast<HMMIO>(handle_), size, SEEK_SET);
    if (GetSize() != size) {
        unsigned long error = GetLastError();
        CheckDiskFull(name_, error);
        ExceptionThrower(0).SetAndThrow(String(FindString(18005)).c_str(), error);
    }
}

void File::FlushBuffers() {
    if (IsMultimedia())
        mmioFlush(static_cast<HMMIO>(handle_), MMIO_EMPTYBUF);
    else
        FlushFileBuffers(handle_);
}

void File::Flush() const { FlushFileBuffers(SystemHandle(handle_, IsMultimedia())); }

void File::Lock(long offset, unsigned long length) {
    LockFile(SystemHandle(handle_, IsMultimedia()), static_cast<DWORD>(offset), 0, length, 0);
}

void File::Unlock(long offset, unsigned long length) {
    UnlockFile(SystemHandle(handle_, IsMultimedia()), static_cast<DWORD>(offset), 0, length, 0);
}

void File::ReadAsync(void *buffer, long count, unsigned long offset, void *event) {
    ResetEvent(event);
    std::memset(&async_, 0, sizeof async_);
    async_.Offset = offset;
    async_.hEvent = event;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), nullptr, &async_) && GetLastError() != ERROR_IO_PENDING) {
        unsigned long error = GetLastError();
        SetEvent(event);  // nobody may wait for a read that never started
        ThrowWithName(18002, error);
    }
}

// ---------------------------------------------------------------- cached access

void File::ReleaseCacheBlocks() {
    if (cache_)
        cache_->GetManager()->ReleaseAll(*cache_);
}

int File::ReadCache(long offset, void *buffer, long count, long *bytesRead, int throwOnError) {
    if (bytesRead) *bytesRead = 0;
    if (!cache_) {
        AutoCriticalSection guard(lock_);
        Seek(offset, kFromStart, 1);
        return Read(buffer, count, throwOnError, bytesRead);
    }
    if (count == 0)
        return 1;
    if (count < 0) {
        if (throwOnError) ThrowWithName(18002, ERROR_INVALID_PARAMETER);
        return 0;
    }
    long remaining = count;
    int ok;
    unsigned long error;
    {
        CacheUser user(*cache_->GetManager());
        AutoCriticalSection guard(lock_);
        ok = ReadCacheBody(offset, static_cast<char *>(buffer), count, &remaining);
        error = GetLastError();
    }
    if ((!ok || remaining) && throwOnError)
        ThrowWithName(18002, error ? error : ERROR_HANDLE_EOF);
    if (bytesRead) *bytesRead = count - remaining;
    return remaining == 0;
}

// The copy-and-load loop of a cached read; 0 when it failed.
int File::ReadCacheBody(long offset, char *buffer, long count, long *remaining) {
    FileCacheManager &manager = *cache_->GetManager();
    unsigned long blockSize = manager.GetBlockSize();
    *remaining = count;
    int readBlock = 0, endOfFile = 0;
    for (;;) {
        long got = manager.CopyFromCache(*cache_, offset, buffer, *remaining);
        offset += got;
        buffer += got;
        *remaining -= got;
        if (*remaining == 0)
            return 1;
        if (readBlock && got == 0)
            return 0;
        if (endOfFile)
            return 1;
        long blockStart = offset - static_cast<long>(static_cast<unsigned long>(offset) % blockSize);
        if (Seek(blockStart, kFromStart, 0) != blockStart)
            return 0;
        CacheBlock *block = nullptr;
        for (int attempt = 0; !(block = manager.AllocBlock()) && attempt < kBlockRetries; ++attempt)
            Sleep(20);
        if (!block) {
            // every block is busy: read this one privately rather than wait on
            readBlock = 0;
            if (!ReadBlockUncached(blockStart, buffer, offset, *remaining, blockSize, endOfFile))
                return 0;
            continue;
        }
        long n = 0;
        Read(block->GetData(), static_cast<long>(blockSize), 0, &n);
        if (n < 0) {
            manager.Free(block);
            return 0;
        }
        if (n == 0) {
            manager.Free(block);
            return 1;
        }
        if (static_cast<unsigned long>(n) < blockSize)
            endOfFile = 1;
        manager.EnterLoadedBlock(*cache_, block, blockStart, n);
        readBlock = 1;
    }
}

// Reads the wanted part of one block straight into the caller's memory.
int File::ReadBlockUncached(long blockStart, char *&buffer, long &offset, long &remaining, unsigned long blockSize,
                            int &endOfFile) {
    long want = blockStart + static_cast<long>(blockSize) - offset;
    if (want > remaining) want = remaining;
    if (Seek(offset, kFromStart, 0) != offset)
        return 0;
    long n = 0;
    Read(buffer, want, 0, &n);
    if (n < 0)
        return 0;
    buffer += n;
    offset += n;
    remaining -= n;
    if (n < want)
        endOfFile = 1;
    return 1;
}

void File::WriteCache(long offset, void *buffer, unsigned long count, long validStart, long validLength) {
    if (count == 0)
        return;
    char *bytes = static_cast<char *>(buffer);
    if (!cache_) {
        AutoCriticalSection guard(lock_);
        // a length of 0 means the rest of the buffer behind the valid start
        Seek(offset + validStart, kFromStart, 1);
        unsigned long start = static_cast<unsigned long>(validStart);
        unsigned long length = validLength ? static_cast<unsigned long>(validLength) : start < count ? count - start : 0;
        Write(bytes + validStart, length);
        return;
    }
    FileCacheManager &manager = *cache_->GetManager();
    CacheUser user(manager);
    AutoCriticalSection guard(lock_);
    // Complete the buffer from the file so the whole of it can be written.
    if (validStart > 0)
        CompleteFromCache(offset, bytes, validStart);
    long tail = validStart + validLength;
    if (validLength > 0 && static_cast<unsigned long>(tail) < count)
        CompleteFromCache(offset + tail, bytes + tail, static_cast<long>(count) - tail);
    if (Seek(offset, kFromStart, 0) != offset)
        ExceptionThrower(0).SetAndThrow(String(FindString(18003)).c_str(), GetLastError());
    Write(bytes, count);
    manager.WriteThrough(*cache_, offset, bytes, count);
}

// Fills count bytes from the file through the cache; what lies beyond the end
// of the file reads as zero.
void File::CompleteFromCache(long offset, char *bytes, long count) {
    long remaining = count;
    ReadCacheBody(offset, bytes, count, &remaining);
    std::memset(bytes + count - remaining, 0, static_cast<size_t>(remaining));
}

void File::AdjustSizeOfCachedFile(long newSize, int flags) {
    if (newSize == GetSize())
        return;
    if (!cache_) {
        SetSize(newSize);
        return;
    }
    AutoCriticalSection guard(lock_);
    ReleaseCacheBlocks();  // no block may outlive the bytes it copied
    if (flags_ & kDeleteOnClose) {
        // closing this handle would delete the file: resize it in place
        SetSize(newSize);
        return;
    }
    long previous = flags_;
    // the intermediate closes must neither delete the file nor make it read-only
    flags_ &= ~(kDeleteAtClose | kRestoreReadOnly);
    Close(0);
    FileName name = name_;
    Open(name, kReadWrite);
    SetSize(newSize);
    Close(0);
    // The caller's flags say how to open; the marks of what becomes of the file at its
    // close stay the file's own.
    long reopen = (flags ? flags : previous) | (previous & (kDeleteAtClose | kRestoreReadOnly));
    Open(name, (reopen | kNoBuffering) & ~(kCreate | kTempInDirectory));
}

// ---------------------------------------------------------------- attributes and times

unsigned long File::GetAttributes() const {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(SystemHandle(handle_, IsMultimedia()), &info))
        return ~0ul;
    return ToLibraryAttributes(info.dwFileAttributes);
}

unsigned long File::GetAttributes(FileName const &name) {
    DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ~0ul;
    return ToLibraryAttributes(attributes);
}

int File::SetAttributes(FileName const &name, unsigned long attributes, int throwOnError) {
    if (SetFileAttributesA(name.c_str(), ToSystemAttributes(attributes)))
        return 1;
    if (throwOnError)
        ExceptionThrower(0).SetAndThrow(String(FindString(18017)).c_str(), GetLastError());
    return 0;
}

void File::GetDateTime(unsigned short *date, unsigned short *time) const {
    if (date) *date = 0;
    if (time) *time = 0;
    FILETIME written, local;
    WORD d = 0, t = 0;
    if (!GetFileTime(SystemHandle(handle_, IsMultimedia()), nullptr, nullptr, &written) ||
        !FileTimeToLocalFileTime(&written, &local) || !FileTimeToDosDateTime(&local, &d, &t))
        return;
    if (date) *date = d;
    if (time) *time = t;
}

void File::GetDateTime(FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite) const {
    if (creation) std::memset(creation, 0, sizeof *creation);
    if (lastAccess) std::memset(lastAccess, 0, sizeof *lastAccess);
    if (lastWrite) std::memset(lastWrite, 0, sizeof *lastWrite);
    GetFileTime(SystemHandle(handle_, IsMultimedia()), creation, lastAccess, lastWrite);
}

void File::SetDateTime(FILETIME *creation, FILETIME *lastAccess, FILETIME *lastWrite) {
    SetFileTime(SystemHandle(handle_, IsMultimedia()), creation, lastAccess, lastWrite);
}
