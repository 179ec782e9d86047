// Sun/NeXT AU files: a big-endian header of six words (followed by an empty annotation as
// written, 32 bytes in all) and 8-bit mu-law, 16-bit or 24-bit big-endian samples.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"

#include <cstdint>

namespace {

enum : uint32_t { kMagic = FourCC(".snd") };
enum { kHeaderBytes = 24, kWrittenHeaderBytes = 32 };

struct Encoding {
    uint32_t code;
    uint32_t word;
    int bytesPerSample;
};

Encoding const kEncodings[] = {{1, kMuLaw8, 1}, {3, kPcm16Big, 2}, {4, kPcm24Big, 3}};

Encoding const *EncodingOfCode(uint32_t code) {
    for (Encoding const &e : kEncodings)
        if (e.code == code)
            return &e;
    return nullptr;
}

Encoding const *EncodingOfWidth(int bytesPerSample) {
    for (Encoding const &e : kEncodings)
        if (e.bytesPerSample == bytesPerSample)
            return &e;
    return nullptr;
}

bool HasMagic(uint8_t const *head, FileName const &) { return GetLE32(head) == kMagic; }

bool Recognises(uint8_t const *head, FileName const &name) {
    return HasMagic(head, name) && EncodingOfCode(GetBE32(head + 12));
}

void Read(AudioFile &file, FileName const &name, int checkSize) { file.ReadAu(name, checkSize); }

int64_t WriteHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> &, int frames, int, int64_t &) {
    return WriteAuHeader(name, pattern, frames);
}

}  // namespace

AudioFileFormat const kAuFileFormat = {kTypeAu, &Recognises, &Read, &WriteHeader, false};
AudioFileFormat const kAuOtherEncoding = {kTypeUnknown, &HasMagic, nullptr, nullptr, false};

void AudioFile::ReadAu(FileName const &name, int checkSize) {
    BeginHeader(kTypeAu);
    HeaderFile file(name);
    uint8_t head[kHeaderBytes];
    if (!file.ReadAt(0, head, sizeof head) || GetLE32(head) != kMagic)
        ThrowAudioFileError(kMsgNotAu);
    int64_t offset = GetBE32(head + 4);
    int64_t size = GetBE32(head + 8);
    int32_t channels = int32_t(GetBE32(head + 20));
    int32_t rate = int32_t(GetBE32(head + 16));
    if (size == 0 && checkSize)
        ThrowAudioFileError(kMsgNoSoundData);
    if (offset < kHeaderBytes || offset > file.GetSize())
        ThrowAudioFileError(kMsgDamaged);
    if (size > INT32_MAX)  // negative, as 0xFFFFFFFF: the data runs to the end of the file
        size = file.GetSize() - offset;
    else if (checkSize && offset + size > file.GetSize())
        ThrowAudioFileError(kMsgDamaged);
    dataOffset_ = offset;
    if (channels < 1)
        ThrowAudioFileError(kMsgDamaged);
    if (channels > 2)
        ThrowAudioFileError(kMsgAuUnsupported);
    SetNumChannels(channels);
    Encoding const *encoding = EncodingOfCode(GetBE32(head + 12));
    if (!encoding)
        ThrowAudioFileError(kMsgAuUnsupported);
    SetFlags(encoding->word);
    if (rate < 1)
        ThrowAudioFileError(kMsgDamaged);
    SetRate(uint32_t(rate));
    length_ = int32_t(size / GetBytesPerFrame());
}

int64_t WriteAuHeader(FileName const &name, SamplePattern const &pattern, int frames) {
    Encoding const *encoding = EncodingOfWidth(pattern.GetBytesPerSample());
    if (!encoding)
        ThrowAudioFileError(kMsgAuUnsupported);
    int64_t dataSize = int64_t(frames) * pattern.GetBytesPerSample() * pattern.GetNumChannels();
    CheckAudioFileSize(kWrittenHeaderBytes + dataSize, name);
    HeaderBytes header;
    header.PutId(kMagic);
    header.PutBE32(kWrittenHeaderBytes);
    header.PutBE32(uint32_t(dataSize));
    header.PutBE32(encoding->code);
    header.PutBE32(pattern.GetRate());
    header.PutBE32(uint32_t(pattern.GetNumChannels()));
    header.PutZeros(kWrittenHeaderBytes - kHeaderBytes);
    WriteHeaderFile(name, header);
    return kWrittenHeaderBytes + dataSize;
}
