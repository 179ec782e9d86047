// Byte-level reading and writing of audio file headers: numbers in either byte order, a
// header file read at 64-bit positions, the texts the readers and writers fail with, and
// the size limit of every audio file.
#pragma once

#include "audio/AudioFileChunk.h"
#include "foundation/File.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Texts of the readers and writers.
enum AudioFileMessage : unsigned {
    kMsgNotAudioFile = 10025,
    kMsgNotAiff = 10026,
    kMsgNoSoundData = 10027,
    kMsgAiffUnsupported = 10028,
    kMsgCannotOpenWave = 10029,
    kMsgNotWave = 10030,
    kMsgNoFormatOrData = 10031,
    kMsgNotPcm = 10032,
    kMsgCannotCreateWave = 10033,
    kMsgCannotWriteWave = 10036,
    kMsgTooLarge = 10044,
    kMsgDamaged = 10047,
    kMsgNotAu = 11191,
    kMsgAuUnsupported = 11192,
};

// Files and frame counts stay below 2 GiB: positions and lengths are signed 32-bit elsewhere.
constexpr int64_t kLargestAudioFileSize = 0x7FFFFFFF;

inline uint16_t GetLE16(uint8_t const *p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t GetLE32(uint8_t const *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t GetBE16(uint8_t const *p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t GetBE32(uint8_t const *p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Chunk data is padded to an even size.
inline int64_t Even(int64_t size) { return (size + 1) & ~int64_t(1); }

// A four-character code as GetLE32 reads it from the file's bytes.
constexpr uint32_t FourCC(char const (&text)[5]) {
    return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 | uint32_t(uint8_t(text[2])) << 16 |
           uint32_t(uint8_t(text[3])) << 24;
}
// Four bytes of 32 to 126, the characters a chunk id may have.
bool IsPrintableId(uint32_t id);

// Header bytes being put together before they are written in one piece.
class HeaderBytes {
public:
    void PutLE16(uint32_t value) { Put(value, 2, false); }
    void PutLE32(uint32_t value) { Put(value, 4, false); }
    void PutBE16(uint32_t value) { Put(value, 2, true); }
    void PutBE32(uint32_t value) { Put(value, 4, true); }
    void PutId(uint32_t id) { PutLE32(id); }
    void PutBytes(void const *data, size_t count);
    void PutZeros(size_t count) { bytes_.resize(bytes_.size() + count); }
    // A kept chunk's data with its pad byte (zeros where it holds less than its size).
    void PutChunkData(FileChunk const &chunk);
    void PatchLE32(size_t position, uint32_t value);
    void PatchBE32(size_t position, uint32_t value);
    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t> const &Bytes() const { return bytes_; }

private:
    void Put(uint32_t value, int count, bool bigEndian);
    std::vector<uint8_t> bytes_;
};

// An audio file opened for reading its header.
class HeaderFile {
public:
    // openMessage: the container's message when the file cannot be opened (0: the file's own).
    explicit HeaderFile(FileName const &name, unsigned openMessage = 0);
    int64_t GetSize() const { return size_; }
    // Reads count bytes at position; false when the file ends before them.
    bool ReadAt(int64_t position, void *buffer, size_t count);
    // The same, raising the damaged-header message instead of returning false.
    void ReadAtOrFail(int64_t position, void *buffer, size_t count);

private:
    std::unique_ptr<File> file_;
    int64_t size_;
};

// The "RIFF" or "FORM" header of 12 bytes with the given id and form into head; raises the
// message when the file has none.
void ReadFormHeader(HeaderFile &file, uint32_t id, uint32_t form, unsigned message, uint8_t (&head)[12]);
// The size of an open or a named file in 64 bits (-1 when the name cannot be read).
int64_t GetFileSize64(File const &file);
int64_t GetFileSize64(FileName const &name);
// The name with its full path, as the system resolves it.
FileName GetFullName(FileName const &name);
// Raises message number id.
[[noreturn]] void ThrowAudioFileError(unsigned id);
// Raises the too-large message with the name when size reaches 2 GiB.
void CheckAudioFileSize(int64_t size, FileName const &name);
// Creates the file and writes the header bytes into it; the file is closed again. A failure
// to create or to write raises the container's message when one is given (else the file's
// own error).
void WriteHeaderFile(FileName const &name, HeaderBytes const &header, unsigned createMessage = 0,
                     unsigned writeMessage = 0);
