#include "WavSample.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace torvask {

namespace {

std::int32_t const kBlockFrames = 8192;
std::uint16_t const kPcm = 1;
std::uint16_t const kExtensible = 0xFFFE;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Ok())
            CloseHandle(handle_);
    }
    FileHandle(FileHandle const &) = delete;
    FileHandle &operator=(FileHandle const &) = delete;

    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Read(void *data, DWORD bytes) const {
        DWORD got = 0;
        return ReadFile(handle_, data, bytes, &got, 0) && got == bytes;
    }
    bool Write(void const *data, DWORD bytes) const {
        DWORD put = 0;
        return WriteFile(handle_, data, bytes, &put, 0) && put == bytes;
    }
    bool Seek(std::uint32_t offset) const {
        return SetFilePointer(handle_, LONG(offset), 0, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    }
    std::uint32_t Size() const {
        DWORD high = 0;
        DWORD low = GetFileSize(handle_, &high);
        return high ? 0xFFFFFFFFu : low;
    }

private:
    HANDLE handle_;
};

std::uint32_t Word32(unsigned char const *p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t Word16(unsigned char const *p) { return std::uint16_t(p[0] | p[1] << 8); }

void Put32(std::vector<unsigned char> &out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(v >> 8 * i));
}
void Put16(std::vector<unsigned char> &out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
void PutId(std::vector<unsigned char> &out, char const *id) { out.insert(out.end(), id, id + 4); }

// The format chunk's fields, when they describe a sample this sampler keeps.
bool ReadFormat(unsigned char const *fmt, std::uint32_t size, WavInfo &info) {
    if (size < 16)
        return false;
    std::uint16_t tag = Word16(fmt);
    // an extensible format names its own tag in the first two bytes of its sub-format
    if (tag == kExtensible && size >= 26)
        tag = Word16(fmt + 24);
    info.channels = Word16(fmt + 2);
    info.rate = std::int32_t(Word32(fmt + 4));
    info.bits = Word16(fmt + 14);
    std::uint16_t blockAlign = Word16(fmt + 12);
    return tag == kPcm && (info.channels == 1 || info.channels == 2) && info.rate > 0 &&
           (info.bits == 8 || info.bits == 16 || info.bits == 24) && blockAlign == info.channels * info.bits / 8;
}

// The unity note of a "smpl" chunk, when it is a MIDI note.
void ReadRootKey(unsigned char const *smpl, std::uint32_t size, WavInfo &info) {
    if (size >= 16 && Word32(smpl + 12) <= 127)
        info.rootKey = std::int32_t(Word32(smpl + 12));
}

// The chunks of a file (header, fmt, smpl, data header) up to its sample data.
std::vector<unsigned char> Header(WavInfo const &info, std::int32_t rootKey) {
    std::uint32_t const blockAlign = std::uint32_t(info.channels * info.bits / 8);
    std::uint32_t const dataBytes = std::uint32_t(info.frames) * blockAlign;
    std::uint32_t const smplBytes = 36;
    std::vector<unsigned char> h;
    PutId(h, "RIFF");
    Put32(h, 4 + 8 + 16 + 8 + smplBytes + 8 + dataBytes + (dataBytes & 1));
    PutId(h, "WAVE");
    PutId(h, "fmt ");
    Put32(h, 16);
    Put16(h, kPcm);
    Put16(h, std::uint16_t(info.channels));
    Put32(h, std::uint32_t(info.rate));
    Put32(h, std::uint32_t(info.rate) * blockAlign);
    Put16(h, std::uint16_t(blockAlign));
    Put16(h, std::uint16_t(info.bits));
    PutId(h, "smpl");
    Put32(h, smplBytes);
    Put32(h, 0);                                        // manufacturer
    Put32(h, 0);                                        // product
    Put32(h, std::uint32_t(1000000000.0 / info.rate));  // sample period in ns
    Put32(h, std::uint32_t(rootKey));                   // unity note
    for (int i = 0; i < 5; ++i)
        Put32(h, 0);  // pitch fraction, SMPTE, loops, extra
    PutId(h, "data");
    Put32(h, dataBytes);
    return h;
}

bool CopyData(FileHandle const &from, FileHandle const &to, WavInfo const &info, Progress const &progress,
              std::int32_t &result) {
    std::uint32_t const blockAlign = std::uint32_t(info.channels * info.bits / 8);
    std::vector<unsigned char> block(std::size_t(kBlockFrames) * blockAlign);
    if (!from.Seek(info.dataOffset)) {
        result = QB_ERR_IO;
        return false;
    }
    for (std::int32_t done = 0; done < info.frames;) {
        if (!progress.Report(done, info.frames)) {
            result = QB_ERR_CANCELLED;
            return false;
        }
        std::int32_t frames = std::min(kBlockFrames, info.frames - done);
        DWORD bytes = DWORD(frames) * blockAlign;
        if (!from.Read(block.data(), bytes) || !to.Write(block.data(), bytes)) {
            result = QB_ERR_IO;
            return false;
        }
        done += frames;
    }
    if (!progress.Report(info.frames, info.frames)) {
        result = QB_ERR_CANCELLED;
        return false;
    }
    return true;
}

std::string FolderOf(std::string const &path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

bool ReadWavInfo(std::string const &path, WavInfo &info) {
    info = WavInfo();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0));
    unsigned char riff[12];
    if (!file.Ok() || !file.Read(riff, 12) || std::memcmp(riff, "RIFF", 4) || std::memcmp(riff + 8, "WAVE", 4))
        return false;
    std::uint64_t const end = file.Size();
    bool format = false;
    for (std::uint64_t at = 12; at + 8 <= end;) {
        unsigned char chunk[8];
        if (!file.Seek(std::uint32_t(at)) || !file.Read(chunk, 8))
            return false;
        std::uint32_t size = Word32(chunk + 4);
        std::uint64_t body = at + 8;
        if (!std::memcmp(chunk, "data", 4)) {
            std::uint32_t bytes = std::uint32_t(std::min<std::uint64_t>(size, end - body));
            info.dataOffset = std::uint32_t(body);
            info.frames =
                format ? std::int32_t(std::min<std::uint32_t>(bytes / (info.channels * info.bits / 8), 0x7FFFFFFF)) : 0;
            return format;
        }
        if (!std::memcmp(chunk, "fmt ", 4) || !std::memcmp(chunk, "smpl", 4)) {
            std::vector<unsigned char> data(std::min<std::uint32_t>(size, 64));
            if (!file.Read(data.data(), DWORD(data.size())))
                return false;
            if (chunk[0] == 'f')
                format = ReadFormat(data.data(), std::uint32_t(data.size()), info);
            else
                ReadRootKey(data.data(), std::uint32_t(data.size()), info);
        }
        at = body + size + (size & 1);
    }
    return false;
}

std::int32_t WriteSample(std::string const &sourcePath, WavInfo const &source, std::string const &target,
                         std::int32_t rootKey, Progress const &progress, bool replace) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(target).c_str(), "~tv", 0, temporary))
        return QB_ERR_IO;
    std::int32_t result = QB_OK;
    {
        FileHandle from(CreateFileA(sourcePath.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0));
        FileHandle to(CreateFileA(temporary, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
        std::vector<unsigned char> header = Header(source, rootKey);
        unsigned char const pad = 0;
        std::uint32_t const dataBytes = std::uint32_t(source.frames) * std::uint32_t(source.channels * source.bits / 8);
        if (!from.Ok() || !to.Ok() || !to.Write(header.data(), DWORD(header.size())))
            result = QB_ERR_IO;
        else if (CopyData(from, to, source, progress, result) && (dataBytes & 1) && !to.Write(&pad, 1))
            result = QB_ERR_IO;
        if (result == QB_OK && !FlushFileBuffers(to.Get()))
            result = QB_ERR_IO;
    }
    if (result == QB_OK && !MoveFileExA(temporary, target.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0))
        result = QB_ERR_IO;
    if (result != QB_OK)
        DeleteFileA(temporary);
    return result;
}

}  // namespace torvask
