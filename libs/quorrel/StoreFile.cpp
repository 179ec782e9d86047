#include "quorrel/StoreFile.h"

#include <cstddef>
#include <cstring>

#include "quorrel/Failure.h"

namespace quorrel {

namespace {

char const kMark[8] = {'Q', 'U', 'O', 'R', 'R', 'E', 'L', '1'};
unsigned long const kVersion = 1;
unsigned long const kSlotSpacing = 512;
unsigned long const kDataStart = 1024;
unsigned long const kRecordMark = 0x63655251;  // "QRec"
unsigned long const kHeaderBytes = 20;
int const kSnapshot = 1;
int const kDelta = 2;

unsigned long Get32(char const *p) {
    unsigned long v;
    std::memcpy(&v, p, 4);
    return v;
}

void Put32(char *p, unsigned long v) { std::memcpy(p, &v, 4); }

}  // namespace

unsigned long Crc32(void const *data, unsigned long size, unsigned long crc) {
    static unsigned long table[256];
    if (table[1] == 0) {
        for (unsigned long i = 0; i < 256; ++i) {
            unsigned long c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
    }
    unsigned char const *p = static_cast<unsigned char const *>(data);
    crc = ~crc;
    while (size--)
        crc = table[(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

struct StoreFile::Slot {
    char mark[8];
    unsigned long version;
    unsigned long generation;
    char identifier[64];
    unsigned long snapOffset;
    unsigned long snapLength;
    unsigned long logEnd;
    unsigned long crc;

    unsigned long Sum() const {
        // the same 96 bytes on disk from 32-bit and 64-bit programs
        static_assert(sizeof(Slot) == 96 && offsetof(Slot, crc) == 92, "store file slot");
        return Crc32(this, offsetof(Slot, crc));
    }
};

StoreFile::StoreFile(std::string const &path, std::string const &identifier, bool create,
                     std::string const &initialSnapshot)
    : path_(path), identifier_(identifier.substr(0, 63)), file_(INVALID_HANDLE_VALUE), created_(false),
      readOnly_(false), generation_(0), snapOffset_(0), snapLength_(0), logEnd_(0) {
    try {
        Open(create, initialSnapshot);
    } catch (...) {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        throw;
    }
}

StoreFile::~StoreFile() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

void StoreFile::Open(bool create, std::string const &initialSnapshot) {
    // Read-write with no other writer; read-only when the file or medium refuses writing.
    DWORD attributes = GetFileAttributesA(path_.c_str());
    bool writable = attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY);
    if (writable)
        file_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!writable || (file_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)) {
        file_ = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        readOnly_ = file_ != INVALID_HANDLE_VALUE;
    }
    if (file_ == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if ((error == ERROR_FILE_NOT_FOUND) && create) {
            CreateNew(initialSnapshot);
            return Open(false, initialSnapshot);
        }
        if (error == ERROR_SHARING_VIOLATION)
            Fail("The database \"" + path_ + "\" is in use by another program.");
        Fail("The database \"" + path_ + "\" cannot be opened: " + SystemErrorText(error));
    }
    LoadSlots();
}

// The new file is made complete under a temporary name and then moved into
// place, so that a crash while creating never leaves a half-made database.
void StoreFile::CreateNew(std::string const &initialSnapshot) {
    std::string temp = path_ + ".~qn";
    file_ = CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        Fail("The database \"" + path_ + "\" cannot be created: " + SystemErrorText(GetLastError()));
    try {
        unsigned long length = AppendRecord(kDataStart, kSnapshot, initialSnapshot);
        generation_ = 0;
        WriteSlot(kDataStart, length, kDataStart + length);
        WriteSlot(kDataStart, length, kDataStart + length);
    } catch (...) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        DeleteFileA(temp.c_str());
        throw;
    }
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!MoveFileExA(temp.c_str(), path_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileA(temp.c_str());
        Fail("The database \"" + path_ + "\" cannot be created: " + SystemErrorText(error));
    }
    created_ = true;
}

void StoreFile::LoadSlots() {
    DWORD high = 0;
    unsigned long size = GetFileSize(file_, &high);
    if (high != 0)
        Damaged("it is too large");
    char head[kDataStart];
    std::memset(head, 0, sizeof head);
    DWORD got = 0;
    OVERLAPPED at = {};
    ReadFile(file_, head, kDataStart, &got, &at);
    Slot slots[2];
    std::memcpy(&slots[0], head, sizeof(Slot));
    std::memcpy(&slots[1], head + kSlotSpacing, sizeof(Slot));
    bool marked[2], valid[2];
    for (int i = 0; i < 2; ++i) {
        marked[i] = std::memcmp(slots[i].mark, kMark, sizeof kMark) == 0;
        valid[i] = marked[i] && slots[i].crc == slots[i].Sum();
    }
    if (!marked[0] && !marked[1])
        Fail("The file \"" + path_ + "\" is not a database of this program.");
    if (size < kDataStart)
        Damaged("it is truncated");
    if (!valid[0] && !valid[1])
        Damaged("its header is damaged");
    Slot const &slot = !valid[1] || (valid[0] && slots[0].generation > slots[1].generation) ? slots[0] : slots[1];
    if (slot.version > kVersion)
        Fail("The database \"" + path_ + "\" was written by a newer version of the program.");
    std::string stored(slot.identifier, strnlen(slot.identifier, sizeof slot.identifier));
    if (stored != identifier_)
        Fail("The file \"" + path_ + "\" is a database of another kind (\"" + stored + "\" instead of \"" +
             identifier_ + "\").");
    if (slot.logEnd > size)
        Damaged("it is truncated");
    if (slot.snapOffset < kDataStart || slot.snapLength < kHeaderBytes || slot.snapOffset > slot.logEnd ||
        slot.logEnd - slot.snapOffset < slot.snapLength)
        Damaged("its header is damaged");
    generation_ = slot.generation;
    snapOffset_ = slot.snapOffset;
    snapLength_ = slot.snapLength;
    logEnd_ = slot.logEnd;
}

void StoreFile::ReadCommitted(std::string &snapshot, std::vector<std::string> &deltas) const {
    std::string all(logEnd_ - snapOffset_, '\0');
    ReadAt(snapOffset_, &all[0], all.size());
    deltas.clear();
    unsigned long pos = 0;
    while (pos < all.size()) {
        if (all.size() - pos < kHeaderBytes)
            Damaged("a record is cut short");
        char const *h = all.data() + pos;
        unsigned long length = Get32(h + 8);
        if (Get32(h) != kRecordMark || length > all.size() - pos - kHeaderBytes)
            Damaged("a record is malformed");
        unsigned long crc = Crc32(h + 4, 12);
        crc = Crc32(h + kHeaderBytes, length, crc);
        if (crc != Get32(h + 16))
            Damaged("a record fails its checksum");
        int kind = static_cast<int>(Get32(h + 4));
        if ((pos == 0) != (kind == kSnapshot) || (kind != kSnapshot && kind != kDelta))
            Damaged("its records are out of order");
        std::string payload(h + kHeaderBytes, length);
        if (pos == 0)
            snapshot.swap(payload);
        else
            deltas.push_back(std::move(payload));
        pos += kHeaderBytes + length;
    }
}

void StoreFile::CommitDelta(std::string const &payload) {
    unsigned long length = AppendRecord(logEnd_, kDelta, payload);
    WriteSlot(snapOffset_, snapLength_, logEnd_ + length);
}

void StoreFile::CommitSnapshot(std::string const &payload) {
    // Reuse the space in front of the live snapshot when the new one fits
    // there; the old one is garbage once the slot names the new one.
    unsigned long total = kHeaderBytes + static_cast<unsigned long>(payload.size());
    bool atStart = kDataStart + total <= snapOffset_;
    unsigned long offset = atStart ? kDataStart : logEnd_;
    unsigned long length = AppendRecord(offset, kSnapshot, payload);
    WriteSlot(offset, length, offset + length);
    if (atStart) {
        LARGE_INTEGER end;
        end.QuadPart = logEnd_;
        if (SetFilePointerEx(file_, end, nullptr, FILE_BEGIN))
            SetEndOfFile(file_);
    }
}

unsigned long StoreFile::AppendRecord(unsigned long offset, int kind, std::string const &payload) {
    if (payload.size() > 0x7FFFFFFFUL - offset)
        Fail("The database \"" + path_ + "\" cannot grow any further.");
    std::string record(kHeaderBytes, '\0');
    Put32(&record[0], kRecordMark);
    Put32(&record[4], kind);
    Put32(&record[8], static_cast<unsigned long>(payload.size()));
    Put32(&record[12], generation_ + 1);
    unsigned long crc = Crc32(&record[4], 12);
    Put32(&record[16], Crc32(payload.data(), payload.size(), crc));
    record += payload;
    WriteAt(offset, record.data(), record.size());
    Flush();
    return static_cast<unsigned long>(record.size());
}

void StoreFile::WriteSlot(unsigned long snapOffset, unsigned long snapLength, unsigned long logEnd) {
    Slot slot;
    std::memset(&slot, 0, sizeof slot);
    std::memcpy(slot.mark, kMark, sizeof kMark);
    slot.version = kVersion;
    slot.generation = generation_ + 1;
    std::memcpy(slot.identifier, identifier_.data(), identifier_.size());
    slot.snapOffset = snapOffset;
    slot.snapLength = snapLength;
    slot.logEnd = logEnd;
    slot.crc = slot.Sum();
    WriteAt((slot.generation % 2) * kSlotSpacing, &slot, sizeof slot);
    Flush();
    generation_ = slot.generation;
    snapOffset_ = snapOffset;
    snapLength_ = snapLength;
    logEnd_ = logEnd;
}

void StoreFile::ReadAt(unsigned long offset, void *data, unsigned long size) const {
    OVERLAPPED at = {};
    at.Offset = offset;
    DWORD got = 0;
    if (!ReadFile(file_, data, size, &got, &at) || got != size)
        Damaged("it cannot be read completely");
}

void StoreFile::WriteAt(unsigned long offset, void const *data, unsigned long size) {
    if (readOnly_)
        Fail("The database \"" + path_ + "\" is read-only.");
    OVERLAPPED at = {};
    at.Offset = offset;
    DWORD put = 0;
    if (!WriteFile(file_, data, size, &put, &at) || put != size)
        Fail("The database \"" + path_ + "\" cannot be written: " + SystemErrorText(GetLastError()));
}

void StoreFile::Flush() {
    if (!FlushFileBuffers(file_))
        Fail("The database \"" + path_ + "\" cannot be written: " + SystemErrorText(GetLastError()));
}

void StoreFile::Damaged(char const *why) const {
    Fail("The database \"" + path_ + "\" is damaged (" + why + ") and cannot be opened.");
}

}  // namespace quorrel
