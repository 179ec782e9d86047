#include "shell/PreferenceValues.h"

#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace preferences {

namespace {

enum : int32_t { kCacheStep = 262144, kBlockBytes = 65536, kLeastBlocks = 4, kMostBlocks = 256 };
enum : int64_t { kBytesPerSecond = 176400 };  // 16-bit stereo at 44.1 kHz

}  // namespace

int OutputLatencyMs(int bufferBytes, int bufferCount) {
    return int(int64_t(bufferBytes) * bufferCount * 1000 / kBytesPerSecond);
}

int32_t BufferBytes(int32_t bytes) { return bytes & ~7; }

FileName TypedFolder(String const &text) {
    String folder(text);
    if (folder.GetLength() == 1)
        folder.Append(":");
    return FileName(folder.c_str());
}

int32_t CacheBytesFromMiB(double mib) {
    int64_t bytes = int64_t(mib * kMiB);
    int64_t rounded = (bytes + kCacheStep - 1) / kCacheStep * kCacheStep;
    return int32_t(std::max<int64_t>(rounded, kCacheStep));
}

int32_t CacheBlocks(int32_t bytes) {
    return std::min<int32_t>(std::max<int32_t>(bytes / kBlockBytes, kLeastBlocks), kMostBlocks);
}

int64_t HugeBytesFromMiB(long mib) { return int64_t(mib & 4095) * kMiB; }

int32_t DriveFromText(char const *text) {
    if (!text || !*text)
        return -1;
    int drive = std::toupper((unsigned char)*text) - 'A';
    return std::min(std::max(drive, 0), 25);
}

String DriveText(int32_t drive) {
    char text[2] = {char('A' + std::min(drive, 25)), 0};
    return String(drive < 0 ? "" : text);
}

int32_t TempoThousandths(double beatsPerMinute) { return int32_t(std::lround(beatsPerMinute * 1000)); }

int32_t SmpteHundredths(double framesPerSecond) { return int32_t(std::lround(framesPerSecond * 100)); }

Signature SignatureAt(int index) { return {index / 4 + 1, 2 << (index % 4)}; }

String SignatureText(int index) {
    Signature s = SignatureAt(index);
    char text[16];
    std::snprintf(text, sizeof text, "%d/%d", int(s.beatMeasure), int(s.beatWholeNote));
    return String(text);
}

int SignatureIndex(int32_t beatMeasure, int32_t beatWholeNote) {
    for (int i = 0; i < kSignatureCount; ++i) {
        Signature s = SignatureAt(i);
        if (s.beatMeasure == beatMeasure && s.beatWholeNote == beatWholeNote)
            return i;
    }
    return -1;
}

}  // namespace preferences

namespace preferences {

namespace {

enum { kTextDriver = 11123, kTextOutput = 11121, kTextInput = 11122 };

}  // namespace

// The format flags give each rate four bits: mono 8-bit, stereo 8-bit, mono 16-bit, stereo 16-bit.
String DeviceInformation(unsigned version, unsigned long formats, bool output) {
    static char const *const kRates[] = {"11.025 kHz", "22.05 kHz", "44.1 kHz"};
    static struct {
        unsigned long bit;
        char const *text;
    } const kFormats[] = {{1, ", Mono 8-bit"}, {4, ", Mono 16-bit"}, {2, ", Stereo 8-bit"}, {8, ", Stereo 16-bit"}};
    String text(FindString(kTextDriver));
    char number[32];
    std::snprintf(number, sizeof number, "%d.%.02d\r\r", int((version >> 8) & 0xFF), int(version & 0xFF));
    text.Append(number);
    text.Append(String(FindString(output ? kTextOutput : kTextInput)));
    for (int group = 0; group < 3; ++group) {
        unsigned long bits = (formats >> (4 * group)) & 0xF;
        if (!bits)
            continue;
        text.Append(kRates[group]);
        for (auto const &format : kFormats)
            if (bits & format.bit)
                text.Append(format.text);
        text.Append("\n");
    }
    return text;
}

}  // namespace preferences
