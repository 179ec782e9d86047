// RIFF WAVE files. The reader walks the chunks, takes the format from "fmt " and the
// samples from "data", and keeps every other chunk with its nesting for a later save. The
// writer puts "fmt ", the kept chunks, an optional "PAD " that puts the first sample on a
// block boundary and the "data" header in order; the samples follow later.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum : uint32_t {
    kRiff = FourCC("RIFF"),
    kWave = FourCC("WAVE"),
    kList = FourCC("LIST"),
    kFormat = FourCC("fmt "),
    kData = FourCC("data"),
    kPad = FourCC("PAD "),
    kFact = FourCC("fact"),
};

enum : uint16_t { kTagPcm = 1, kTagExtensible = 0xFFFE };

enum {
    kFormatBytes = 16,
    kExtensibleBytes = 40,
    kDeepestNesting = 32,  // deeper nesting is no sound file
    kS8BlockSize = 4096,
    kLargestBlockSize = 65536,
};

// The PCM sub-format of an extensible format after its leading tag.
uint8_t const kPcmSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                       0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool Recognises(uint8_t const *head, FileName const &) { return GetLE32(head) == kRiff; }

void Read(AudioFile &file, FileName const &name, int) { file.ReadRiff(name); }

int64_t WriteHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> &chunks, int frames,
                    int blockSize, int64_t &dataSizePosition) {
    return AudioFile::BuildRiffChunks(name, blockSize, pattern, chunks, frames, dataSizePosition);
}

bool IsPcm(uint8_t const *format, uint32_t size) {
    uint16_t tag = GetLE16(format);
    if (tag == kTagPcm)
        return true;
    return tag == kTagExtensible && size >= kExtensibleBytes && GetLE16(format + 24) == kTagPcm &&
           std::memcmp(format + 26, kPcmSubFormatTail, sizeof kPcmSubFormatTail) == 0;
}

// ---- writing

// What the header of a new file is made of, in file order.
struct RiffLayout {
    std::vector<FileChunk const *> entries;
    int frames;
    int64_t frameBytes;
    int64_t dataOffset = 0;
    int64_t dataSizePosition = -1;
};

std::vector<uint8_t> FormatBytes(SamplePattern const &pattern) {
    HeaderBytes f;
    uint32_t bits = uint32_t(pattern.GetBits());
    uint32_t align = (bits + 7) / 8 * uint32_t(pattern.GetNumChannels());
    f.PutLE16(kTagPcm);
    f.PutLE16(uint32_t(pattern.GetNumChannels()));
    f.PutLE32(pattern.GetRate());
    f.PutLE32(align * pattern.GetRate());
    f.PutLE16(align);
    f.PutLE16(bits);
    return f.Bytes();
}

// The zeros that put the data after the next chunk header on a multiple of blockSize; none
// when it lies there already, the next boundary when this one leaves no room for a header.
void WritePad(HeaderBytes &out, uint32_t blockSize) {
    int64_t position = int64_t(out.Size());
    int64_t boundary = (position + 8 + blockSize - 1) / blockSize * blockSize - 8;
    if (boundary == position)
        return;
    if (boundary - position < 8)
        boundary += blockSize;
    out.PutId(kPad);
    out.PutLE32(uint32_t(boundary - position - 8));
    out.PutZeros(size_t(boundary - position - 8));
}

// A kept chunk; "fact" gets the new frame count as its first word.
void WriteChunkData(HeaderBytes &out, FileChunk const &chunk, int frames) {
    size_t start = out.Size();
    out.PutChunkData(chunk);
    if (chunk.id == kFact && chunk.size >= 4)
        out.PatchLE32(start, uint32_t(frames));
}

// Writes the entries from index on that stand at its level, the children of "RIFF" and
// "LIST" entries inside them, and returns at an entry of a lower level.
void WriteRiffChunks(HeaderBytes &out, RiffLayout &layout, size_t &index) {
    int level = layout.entries[index]->level;
    while (index < layout.entries.size() && layout.entries[index]->level >= level) {
        FileChunk const &chunk = *layout.entries[index++];
        if (chunk.id == kPad) {
            WritePad(out, chunk.size);
            continue;
        }
        size_t header = out.Size();
        out.PutId(chunk.id);
        out.PutLE32(chunk.size);
        if (chunk.id == kRiff || chunk.id == kList) {
            out.PutId(chunk.type);
            if (index < layout.entries.size() && layout.entries[index]->level > chunk.level)
                WriteRiffChunks(out, layout, index);
            out.PatchLE32(header + 4, uint32_t(out.Size() - header - 8));
        } else if (chunk.id == kData) {
            layout.dataSizePosition = int64_t(header + 4);
            layout.dataOffset = int64_t(out.Size());
            out.PatchLE32(header + 4, uint32_t(layout.frames * layout.frameBytes));
        } else {
            WriteChunkData(out, chunk, layout.frames);
        }
    }
}

}  // namespace

AudioFileFormat const kRiffFileFormat = {kTypeRiff, &Recognises, &Read, &WriteHeader, false};

// ---- reading

void AudioFile::ReadRiff(FileName const &name) {
    BeginHeader(kTypeRiff);
    try {
        HeaderFile file(name, kMsgCannotOpenWave);
        uint8_t head[12];
        ReadFormHeader(file, kRiff, kWave, kMsgNotWave, head);
        ReadRiffChunks(file, sizeof head, std::min<int64_t>(8 + int64_t(GetLE32(head + 4)), file.GetSize()), 1);
        if (GetNumChannels() == 0 || dataOffset_ == 0)
            ThrowAudioFileError(kMsgNoFormatOrData);
    } catch (...) {
        chunks_.DeleteAll();
        throw;
    }
}

void AudioFile::ReadRiffChunks(HeaderFile &file, int64_t start, int64_t end, int level) {
    if (level > kDeepestNesting)
        ThrowAudioFileError(kMsgDamaged);
    for (int64_t position = start; position + 8 <= end;) {
        uint8_t head[8];
        file.ReadAtOrFail(position, head, sizeof head);
        uint32_t id = GetLE32(head);
        uint32_t size = GetLE32(head + 4);
        int64_t data = position + 8;
        // Garbage after a complete file ends it; a "data" size past the end is cut below.
        if (!IsPrintableId(id) || (id != kData && data + size > end)) {
            if (GetNumChannels() > 0 && dataOffset_ > 0)
                return;
            ThrowAudioFileError(kMsgDamaged);
        }
        if (id == kList) {
            if (size < 4)
                ThrowAudioFileError(kMsgDamaged);
            uint8_t type[4];
            file.ReadAtOrFail(data, type, sizeof type);
            chunks_.Append(new Riff::Chunk(kList, 0, GetLE32(type), level));
            ReadRiffChunks(file, data + 4, data + size, level + 1);
        } else if (id == kData) {
            ReadRiffData(data, size, file.GetSize());
        } else if (id == kPad) {
            alignment_ = int32_t(std::min<int64_t>(data + size + 8, kLargestAudioFileSize));
        } else if (id == kFormat) {
            ReadRiffFormat(file, data, size);
        } else {
            KeepChunk(new Riff::Chunk(id, size, 0, level), file, data);
        }
        position = data + Even(size);
    }
}

// The first "data" chunk holds the samples, as much of it as the file holds.
void AudioFile::ReadRiffData(int64_t position, uint32_t size, int64_t fileSize) {
    if (GetNumChannels() == 0)
        ThrowAudioFileError(kMsgNoFormatOrData);
    if (dataOffset_ > 0)
        return;
    dataOffset_ = position;
    dataSizePosition_ = position - 4;
    length_ = int32_t(std::min<int64_t>(size, fileSize - position) / GetBytesPerFrame());
}

// The first usable format decides; channel counts other than 1 and 2 leave none usable.
void AudioFile::ReadRiffFormat(HeaderFile &file, int64_t position, uint32_t size) {
    if (GetNumChannels() > 0)
        return;
    if (size < kFormatBytes)
        ThrowAudioFileError(kMsgDamaged);
    uint8_t format[kExtensibleBytes] = {};
    file.ReadAtOrFail(position, format, std::min<uint32_t>(size, sizeof format));
    int channels = GetLE16(format + 2);
    uint32_t rate = GetLE32(format + 4);
    int blockAlign = GetLE16(format + 12);
    int bits = GetLE16(format + 14);
    if (!IsPcm(format, size) || bits == 0 || bits > 32)
        ThrowAudioFileError(kMsgNotPcm);
    GetFormat().SetBits(bits, kLittleEndian);
    if (blockAlign != channels * GetBytesPerSample())
        ThrowAudioFileError(kMsgNotPcm);
    if (rate == 0)
        ThrowAudioFileError(kMsgDamaged);
    SetRate(rate);
    if (channels == 1 || channels == 2)
        SetNumChannels(channels);
}

// ---- writing

int64_t AudioFile::BuildRiffChunks(FileName const &name, int blockSize, SamplePattern const &pattern,
                                   List<FileChunk> &chunks, int frames, int64_t &dataSizePosition) {
    if (TheAudioFileSettings().s8AudioFile)
        blockSize = kS8BlockSize;
    Riff::Chunk riff(kRiff, 0, kWave, 0);
    Riff::Chunk format(kFormat, kFormatBytes, 0, 1);
    format.data = FormatBytes(pattern);
    Riff::Chunk pad(kPad, uint32_t(blockSize), 0, 1);
    Riff::Chunk data(kData, 0, 0, 1);

    RiffLayout layout;
    layout.frames = frames;
    layout.frameBytes = int64_t(pattern.GetBytesPerSample()) * pattern.GetNumChannels();
    layout.entries = {&riff, &format};
    for (FileChunk *chunk = chunks.GetFirst(); chunk; chunk = chunks.GetNext(chunk))
        layout.entries.push_back(chunk);
    if (blockSize > 0 && blockSize <= kLargestBlockSize)
        layout.entries.push_back(&pad);
    layout.entries.push_back(&data);

    HeaderBytes out;
    size_t index = 0;
    WriteRiffChunks(out, layout, index);
    int64_t fileSize = layout.dataOffset + Even(frames * layout.frameBytes);
    CheckAudioFileSize(fileSize, name);
    out.PatchLE32(4, uint32_t(fileSize - 8));
    WriteHeaderFile(name, out, kMsgCannotCreateWave, kMsgCannotWriteWave);
    dataSizePosition = layout.dataSizePosition;
    return fileSize;
}

void AudioFile::UpdateRiffSizes(int frames) {
    int64_t dataBytes = int64_t(frames) * GetBytesPerFrame();
    int64_t fileSize = dataSizePosition_ + 4 + Even(dataBytes);
    HeaderBytes riffSize, dataSize;
    riffSize.PutLE32(uint32_t(fileSize - 8));
    dataSize.PutLE32(uint32_t(dataBytes));
    file_->Seek(4, File::kFromStart);
    file_->Write(riffSize.Bytes().data(), 4);
    file_->Seek(long(dataSizePosition_), File::kFromStart);
    file_->Write(dataSize.Bytes().data(), 4);
}
