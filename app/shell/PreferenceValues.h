// How the preference pages turn what a control shows into a setting and back: the output
// latency, buffer and cache sizes, the temporary folder typed as a drive letter, floppy
// drives as letters, tempo and frame rates, and the 64 time signatures of the list.
#pragma once

#include "foundation/FileName.h"
#include "foundation/Strings.h"

#include <cstdint>

namespace preferences {

enum : int32_t { kMiB = 1048576, kSignatureCount = 64 };

// Milliseconds of 16-bit stereo at 44.1 kHz the output buffers hold (truncated).
int OutputLatencyMs(int bufferBytes, int bufferCount);
// A device buffer size: rounded down to a multiple of 8 bytes.
int32_t BufferBytes(int32_t bytes);
// The folder as typed: a single letter is a drive ("D" is "D:").
FileName TypedFolder(String const &text);
// The block cache size typed in MiB: rounded up to 256 KiB, at least 256 KiB.
int32_t CacheBytesFromMiB(double mib);
// The size the block cache gets: CSize / 64 KiB blocks held to 4..256.
int32_t CacheBlocks(int32_t bytes);
// "HSize" typed in MiB (at most 4095).
int64_t HugeBytesFromMiB(long mib);
// A floppy drive edit: empty is no drive (-1), else its first letter, held to A..Z.
int32_t DriveFromText(char const *text);
// The letter of a drive number; none for a negative number.
String DriveText(int32_t drive);
// Beats per minute in thousandths, and frames per second in hundredths, to the nearest.
int32_t TempoThousandths(double beatsPerMinute);
int32_t SmpteHundredths(double framesPerSecond);
// Entry i of the time signature list: i / 4 + 1 beats of the note 2 << (i % 4); its text.
struct Signature {
    int32_t beatMeasure;
    int32_t beatWholeNote;
};
Signature SignatureAt(int index);
String SignatureText(int index);
// The entry of a signature; -1 for one the list does not hold.
int SignatureIndex(int32_t beatMeasure, int32_t beatWholeNote);

// The text of a wave device's information box: the driver version (high byte major, low
// byte minor), whether it plays or records, and the formats of each standard rate that has any.
String DeviceInformation(unsigned version, unsigned long formats, bool output);

}  // namespace preferences
