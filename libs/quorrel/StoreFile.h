// The database file: two commit slots and a chain of checksummed records.
//
// Layout: slot 0 at offset 0 and slot 1 at 512 (each: format mark, version,
// generation, the owner's identifier, where the live snapshot lies and where
// the committed data end, and a CRC-32); records from offset 1024. A record
// is a 20-byte header (mark, kind, length, generation, CRC-32 of all that and
// the payload) and its payload. The committed state is the snapshot record a
// slot points at followed by every delta record up to the slot's end.
//
// A commit writes its record past the committed end, flushes, then writes the
// slot not holding the current generation and flushes again: a kill before
// the slot write leaves the old state, a torn slot fails its CRC and the other
// slot still names the old state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorrel {

unsigned long Crc32(void const *data, unsigned long size, unsigned long crc = 0);

class StoreFile {
public:
    // Opens the file, or creates it holding initialSnapshot when create is set
    // and the file is missing. A foreign, damaged or truncated file raises.
    StoreFile(std::string const &path, std::string const &identifier, bool create,
              std::string const &initialSnapshot);
    ~StoreFile();
    StoreFile(StoreFile const &) = delete;
    StoreFile &operator=(StoreFile const &) = delete;

    bool Created() const { return created_; }
    bool ReadOnly() const { return readOnly_; }
    std::string const &Path() const { return path_; }

    // The committed state: its snapshot payload and the delta payloads in order.
    void ReadCommitted(std::string &snapshot, std::vector<std::string> &deltas) const;

    void CommitDelta(std::string const &payload);
    void CommitSnapshot(std::string const &payload);

    // Bytes of the live snapshot record and of the deltas written after it.
    unsigned long SnapshotBytes() const { return snapLength_; }
    unsigned long DeltaBytes() const { return logEnd_ - snapOffset_ - snapLength_; }

private:
    struct Slot;
    void Open(bool create, std::string const &initialSnapshot);
    void CreateNew(std::string const &initialSnapshot);
    void LoadSlots();
    void ReadAt(unsigned long offset, void *data, unsigned long size) const;
    void WriteAt(unsigned long offset, void const *data, unsigned long size);
    void Flush();
    unsigned long AppendRecord(unsigned long offset, int kind, std::string const &payload);
    void WriteSlot(unsigned long snapOffset, unsigned long snapLength, unsigned long logEnd);
    [[noreturn]] void Damaged(char const *why) const;

    std::string path_;
    std::string identifier_;
    HANDLE file_;
    bool created_;
    bool readOnly_;
    unsigned long generation_;
    unsigned long snapOffset_;
    unsigned long snapLength_;
    unsigned long logEnd_;
};

}  // namespace quorrel
