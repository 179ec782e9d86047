// Reads one large file from start to end through each kind of buffered file
// access and through a plain ReadFile loop, and prints MB/s for each.
// Usage: OsmeraBench [megabytes, default 500] [folder, default the temp folder]
#include "foundation/File.h"
#include "foundation/FileCache.h"
#include "foundation/MappedFile.h"
#include "foundation/MultiFileBuffer.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned long Sum(unsigned long const *words, long count, unsigned long sum) {
    // order-sensitive, so a reader that delivers the right words in the wrong place shows
    for (long i = 0; i < count; ++i)
        sum = ((sum << 1) | (sum >> 31)) + words[i];
    return sum;
}

void Report(char const *what, long size, double seconds, unsigned long sum) {
    std::printf("%-28s %8.1f MB/s  (%.2f s, check %08lx)\n", what, size / 1048576.0 / seconds, seconds, sum);
}

// Walks the range of channel 0 with a virtual pointer, a buffer at a time.
unsigned long Walk(MultiFileBuffer &m, long size) {
    unsigned long sum = 0;
    char *p = static_cast<char *>(m.GetVirtualPointer(0, 0));
    for (long offset = 0; offset < size;) {
        m.ValidateVirtualPointer(reinterpret_cast<void **>(&p), 0);
        long available = m.GetAvailableBytesFromVirtualPointer(p, 0) / 4 * 4;
        if (available > size - offset) available = size - offset;
        sum = Sum(reinterpret_cast<unsigned long const *>(p), available / 4, sum);
        p += available;
        offset += available;
    }
    return sum;
}

}  // namespace

int main(int argc, char **argv) {
    long megabytes = argc > 1 ? std::atol(argv[1]) : 500;
    char folder[MAX_PATH];
    if (argc > 2)
        std::snprintf(folder, sizeof folder, "%s", argv[2]);
    else
        GetTempPathA(sizeof folder, folder);
    char path[MAX_PATH];
    size_t length = std::strlen(folder);
    std::snprintf(path, sizeof path, "%s%sOsmeraBench.dat", folder,
                  length && folder[length - 1] == '\\' ? "" : "\\");
    long const size = megabytes * 1048576;
    try {
        {
            std::vector<unsigned long> chunk(262144);
            for (size_t i = 0; i < chunk.size(); ++i)
                chunk[i] = static_cast<unsigned long>(i * 2654435761u);
            File out(path, File::kCreate);
            for (long written = 0; written < size; written += 1048576)
                out.Write(chunk.data(), 1048576);
        }
        std::printf("%ld MB file %s\n", megabytes, path);
        for (int round = 1; round <= 2; ++round) {
        std::printf("round %d\n", round);
        {
            File in(path, File::kRead);
            std::vector<char> buffer(65536);
            double start = Now();
            unsigned long sum = 0;
            long got = 0;
            for (long done = 0; done < size; done += got) {
                in.Read(buffer.data(), 65536, 0, &got);
                if (got <= 0) break;
                sum = Sum(reinterpret_cast<unsigned long const *>(buffer.data()), got / 4, sum);
            }
            Report("plain ReadFile (64 KiB)", size, Now() - start, sum);
        }
        {
            FileCacheManager cache(64, 0x10000);
            File in(path, File::kRead | File::kOwnLock, cache);
            MultiFileBuffer m;
            ClassicBufferedFile::Register(m, 0, in, 0, size, 1, 4, 0x10000, 0);
            double start = Now();
            unsigned long sum = Walk(m, size);
            Report("classic, cached", size, Now() - start, sum);
        }
        {
            File in(path, File::kRead | File::kOwnLock);
            MultiFileBuffer m;
            ClassicBufferedFile::Register(m, 0, in, 0, size, 1, 4, 0x10000, 0);
            double start = Now();
            unsigned long sum = Walk(m, size);
            Report("classic, uncached", size, Now() - start, sum);
        }
        {
            MappedFile in(path, File::kRead, 0, 0);
            MultiFileBuffer m;
            MappedBufferedFile::Register(m, 0, in, 0, size, 1, 4, 0x100000, 0);
            double start = Now();
            unsigned long sum = Walk(m, size);
            Report("mapped (1 MiB views)", size, Now() - start, sum);
        }
        }
    } catch (...) {
        std::printf("failed\n");
        DeleteFileA(path);
        return 1;
    }
    DeleteFileA(path);
    return 0;
}
