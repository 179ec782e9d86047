// A chunk of a RIFF or AIFF file that the reader keeps in the audio file's chunk list, so
// that a later save writes it back, and the entries the writers put around those chunks.
#pragma once

#include "foundation/Lists.h"

#include <cstdint>
#include <vector>

struct FileChunk : public ListElement {
    FileChunk(uint32_t id, uint32_t size, uint32_t type, int level)
        : size(size), id(id), type(type), level(int16_t(level)) {}

    uint32_t size;              // of the chunk's data; 0 for "RIFF", "LIST", "data" and "SSND" entries
    uint32_t id;                // four characters in file order
    uint32_t type;              // form or list type, 0 for plain chunks
    int16_t level;              // RIFF nesting: 0 the "RIFF" chunk, 1 its children, ...; AIFF always 0
    std::vector<uint8_t> data;  // the chunk's bytes with the pad byte, or none
};

namespace Riff {
struct Chunk : public FileChunk {
    using FileChunk::FileChunk;
};
}  // namespace Riff

namespace Aiff {
struct Chunk : public FileChunk {
    using FileChunk::FileChunk;
};
}  // namespace Aiff
