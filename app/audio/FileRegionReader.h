// A file's bytes read in large pieces straight from its handle, whatever the access kind of
// the audio file it belongs to: one read a piece, at a position of its own, which
// unbuffered (cached) files take in whole pages of aligned memory.
#pragma once

#include <cstdint>
#include <vector>

class File;

class FileRegionReader {
public:
    enum : long { kPiece = 1 << 22 };

    FileRegionReader();
    FileRegionReader(FileRegionReader const &) = delete;
    FileRegionReader &operator=(FileRegionReader const &) = delete;

    // The whole units of unit bytes of position..end that the next piece holds (at least
    // one, at most kPiece bytes) at data, valid until the next read; their bytes. A file
    // that ends before them is damaged.
    long Read(File &file, int64_t position, int64_t end, char *&data, long unit);

private:
    enum : long { kPage = 4096 };
    std::vector<char> memory_;
    char *buffer_;  // page-aligned in memory_, as unbuffered reads want
};
