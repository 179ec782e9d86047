// AIFF files: big-endian "FORM"/"AIFF" with the format in "COMM" and the samples in "SSND";
// every other chunk is kept for a later save. The writer puts "COMM", the kept chunks and an
// "SSND" header whose offset puts the first sample on 512 bytes; the samples follow later.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

enum : uint32_t {
    kForm = FourCC("FORM"),
    kAiff = FourCC("AIFF"),
    kCommon = FourCC("COMM"),
    kSound = FourCC("SSND"),
};

enum {
    kCommonBytes = 18,
    kSoundFieldBytes = 8,  // offset and block size
    kSampleAlignment = 512,
    kBias = 16383,
};

// Rates outside this range are read again with the exponent's two bytes exchanged (files
// written with a byte-swapped exponent); rates outside the wider range are refused.
double const kLowestUsualRate = 1000, kHighestUsualRate = 100000;
double const kLowestRate = 1, kHighestRate = 1000000;

bool IsSupportedBits(int bits) { return bits == 8 || bits == 16 || bits == 20 || bits == 24; }

bool Recognises(uint8_t const *head, FileName const &) { return GetLE32(head) == kForm && GetLE32(head + 8) == kAiff; }

void Read(AudioFile &file, FileName const &name, int) { file.ReadAiff(name); }

int64_t WriteHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> &chunks, int frames,
                    int blockSize, int64_t &) {
    return WriteAiffHeader(name, pattern, chunks, frames, blockSize);
}

uint32_t ReadRate(uint8_t const *stored) {
    uint8_t extended[10];
    std::copy(stored, stored + 10, extended);
    double rate = AiffExtendedToDouble(extended);
    if ((rate < kLowestUsualRate || rate > kHighestUsualRate) && extended[0] != 0x40 && extended[1] == 0x40) {
        std::swap(extended[0], extended[1]);
        rate = AiffExtendedToDouble(extended);
    }
    if (!(rate >= kLowestRate && rate <= kHighestRate))
        ThrowAudioFileError(kMsgAiffUnsupported);
    return uint32_t(rate);
}

// The FORM chunk's end, the file's end when the size does not fit.
int64_t FormEnd(uint32_t formSize, int64_t fileSize) {
    int64_t end = 8 + int64_t(formSize);
    return formSize >= 4 && end <= fileSize ? end : fileSize;
}

}  // namespace

AudioFileFormat const kAiffFileFormat = {kTypeAiff, &Recognises, &Read, &WriteHeader, false};

// ---- numbers

double AiffExtendedToDouble(uint8_t const *bytes) {
    int exponent = (bytes[0] & 0x7F) << 8 | bytes[1];
    uint32_t high = GetBE32(bytes + 2);
    uint32_t low = GetBE32(bytes + 6);
    double value;
    if (exponent == 0 && high == 0 && low == 0)
        value = 0;
    else if (exponent == 0x7FFF)
        value = HUGE_VAL;
    else
        value = std::ldexp(double(high), exponent - kBias - 31) + std::ldexp(double(low), exponent - kBias - 63);
    return bytes[0] & 0x80 ? -value : value;
}

void AiffDoubleToExtended(double value, uint8_t *bytes) {
    int sign = value < 0 ? 0x8000 : 0;
    value = std::fabs(value);
    int exponent = 0;
    uint32_t high = 0, low = 0;
    if (value != 0) {
        double mantissa = std::frexp(value, &exponent);
        if (exponent > 16384 || !(mantissa < 1)) {
            exponent = 0x7FFF;  // infinity (and what is not a number)
        } else {
            exponent += kBias - 1;
            if (exponent < 0) {  // denormal: the exponent stays 0
                mantissa = std::ldexp(mantissa, exponent);
                exponent = 0;
            }
            mantissa = std::ldexp(mantissa, 32);
            double whole = std::floor(mantissa);
            high = uint32_t(whole);
            mantissa = std::ldexp(mantissa - whole, 32);
            low = uint32_t(std::floor(mantissa));
        }
    }
    exponent |= sign;
    bytes[0] = uint8_t(exponent >> 8);
    bytes[1] = uint8_t(exponent);
    for (int i = 0; i < 4; ++i) {
        bytes[2 + i] = uint8_t(high >> (24 - 8 * i));
        bytes[6 + i] = uint8_t(low >> (24 - 8 * i));
    }
}

// ---- reading

// The length is the least of what "COMM" says, what "SSND" holds and what the file holds.
void AudioFile::ReadAiff(FileName const &name) {
    BeginHeader(kTypeAiff);
    try {
        HeaderFile file(name);
        uint8_t head[12];
        ReadFormHeader(file, kForm, kAiff, kMsgNotAiff, head);
        int64_t end = FormEnd(GetBE32(head + 4), file.GetSize());
        int64_t frames = -1, soundBytes = -1;
        for (int64_t position = sizeof head;;) {
            if (position + 8 > end) {
                if (frames >= 0 && soundBytes >= 0)
                    break;
                ThrowAudioFileError(frames >= 0 ? kMsgNoSoundData : kMsgDamaged);
            }
            uint8_t chunk[8];
            file.ReadAtOrFail(position, chunk, sizeof chunk);
            uint32_t id = GetLE32(chunk);
            uint32_t size = GetBE32(chunk + 4);
            int64_t data = position + 8;
            if (!IsPrintableId(id) || (id != kSound && data + size > end))
                ThrowAudioFileError(kMsgDamaged);
            if (id == kSound) {
                if (soundBytes < 0)
                    soundBytes = ReadAiffSound(file, data, size);
            } else if (id == kCommon) {
                if (frames < 0)
                    frames = ReadAiffCommon(file, data, size);
            } else {
                KeepChunk(new Aiff::Chunk(id, size, kAiff, 0), file, data);
            }
            position = data + Even(size);
        }
        length_ = int32_t(std::min(frames, soundBytes / GetBytesPerFrame()));
    } catch (...) {
        chunks_.DeleteAll();
        throw;
    }
}

int64_t AudioFile::ReadAiffCommon(HeaderFile &file, int64_t position, uint32_t size) {
    if (size < kCommonBytes)
        ThrowAudioFileError(kMsgDamaged);
    uint8_t common[kCommonBytes];
    file.ReadAtOrFail(position, common, sizeof common);
    int channels = int16_t(GetBE16(common));
    int bits = int16_t(GetBE16(common + 6));
    if ((channels != 1 && channels != 2) || !IsSupportedBits(bits))
        ThrowAudioFileError(kMsgAiffUnsupported);
    SetNumChannels(channels);
    GetFormat().SetBits(bits, kBigEndian);
    SetRate(ReadRate(common + 8));
    return GetBE32(common + 2);
}

// The bytes of samples the "SSND" chunk holds within the file.
int64_t AudioFile::ReadAiffSound(HeaderFile &file, int64_t position, uint32_t size) {
    if (size < kSoundFieldBytes)
        ThrowAudioFileError(kMsgDamaged);
    uint8_t fields[kSoundFieldBytes];
    file.ReadAtOrFail(position, fields, sizeof fields);
    uint32_t offset = GetBE32(fields);
    int64_t first = position + kSoundFieldBytes + offset;
    if (offset > size - kSoundFieldBytes || first > file.GetSize())
        ThrowAudioFileError(kMsgDamaged);
    dataOffset_ = first;
    alignment_ = int32_t(std::min<uint32_t>(GetBE32(fields + 4), uint32_t(kLargestAudioFileSize)));
    return std::min<int64_t>(size - kSoundFieldBytes - offset, file.GetSize() - first);
}

// ---- writing

int64_t WriteAiffHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> const &chunks, int frames,
                        int blockSize) {
    int channels = pattern.GetNumChannels();
    uint32_t flags = pattern.GetFlags();
    if (channels < 1 || channels > 2 || !IsSupportedBits(pattern.GetBits()) || IsFloatFormat(flags) ||
        IsInt32Format(flags))
        ThrowAudioFileError(kMsgAiffUnsupported);
    HeaderBytes out;
    out.PutId(kForm);
    out.PutBE32(0);
    out.PutId(kAiff);
    out.PutId(kCommon);
    out.PutBE32(kCommonBytes);
    out.PutBE16(uint32_t(channels));
    out.PutBE32(uint32_t(frames));
    out.PutBE16(uint32_t(pattern.GetBits()));
    uint8_t rate[10];
    AiffDoubleToExtended(pattern.GetRate(), rate);
    out.PutBytes(rate, sizeof rate);
    for (FileChunk *chunk = chunks.GetFirst(); chunk; chunk = chunks.GetNext(chunk)) {
        out.PutId(chunk->id);
        out.PutBE32(chunk->size);
        out.PutChunkData(*chunk);
    }
    size_t pad = (kSampleAlignment - (out.Size() + 16) % kSampleAlignment) % kSampleAlignment;
    int64_t dataBytes = int64_t(frames) * pattern.GetBytesPerSample() * channels;
    out.PutId(kSound);
    out.PutBE32(uint32_t(pad + dataBytes + kSoundFieldBytes));
    out.PutBE32(uint32_t(pad));
    out.PutBE32(uint32_t(blockSize ? blockSize : kSampleAlignment));
    out.PutZeros(pad);
    int64_t fileSize = Even(int64_t(out.Size()) + dataBytes);
    CheckAudioFileSize(fileSize, name);
    out.PatchBE32(4, uint32_t(fileSize - 8));
    WriteHeaderFile(name, out);
    return fileSize;
}
