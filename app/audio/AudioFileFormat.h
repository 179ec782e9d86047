// The audio file formats behind one detection and dispatch table: each container's file
// (AuFile, RiffFile, AiffFile, RawPcmFile) gives its entry; AudioFileType.cpp lists them in
// the order detection tries them.
#pragma once

#include "audio/AudioFileChunk.h"
#include "audio/SamplePattern.h"
#include "foundation/FileName.h"

#include <cstdint>

class AudioFile;

// Detection reads this many bytes; shorter files are of no known type.
enum { kDetectionBytes = 28 };

struct AudioFileFormat {
    int32_t type;
    // Whether a file's first bytes (and, for headerless files, its name) are of this format.
    bool (*recognises)(uint8_t const *head, FileName const &name);
    // Reads the header into the audio file: format, data offset, length, kept chunks.
    // checkSize 0 reads back the header of a new file, whose samples are still to come.
    void (*read)(AudioFile &file, FileName const &name, int checkSize);
    // Creates the file with the header for frames of data; returns the complete file size
    // and, for RIFF files, the position of the data size word.
    int64_t (*writeHeader)(FileName const &name, SamplePattern const &pattern, List<FileChunk> &chunks, int frames,
                           int blockSize, int64_t &dataSizePosition);
    // Opened only when the user may be asked (the format of raw PCM) and told of failures.
    bool needsUser;
};

extern AudioFileFormat const kAuFileFormat;
// An AU file of an encoding that is not read: of no known type, whatever its name says.
extern AudioFileFormat const kAuOtherEncoding;
extern AudioFileFormat const kRiffFileFormat;
extern AudioFileFormat const kAiffFileFormat;
extern AudioFileFormat const kRawPcmFileFormat;

// The entry of a type, null for types that are not opened.
AudioFileFormat const *FindAudioFileFormat(int type);

// The header writers: each creates the file and returns its complete size.
int64_t WriteAuHeader(FileName const &name, SamplePattern const &pattern, int frames);
int64_t WriteAiffHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> const &chunks, int frames,
                        int blockSize);

// 80-bit IEEE 754 extended numbers, big-endian, as AIFF stores its rate.
double AiffExtendedToDouble(uint8_t const *bytes);
void AiffDoubleToExtended(double value, uint8_t *bytes);
