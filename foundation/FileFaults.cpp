#include "foundation/FileFaults.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<long> failAt{0};
std::atomic<unsigned> failKinds{0};
std::atomic<long> counted{0};
std::atomic<int> failed{0};
std::atomic<int64_t> writeRoom{-1};
std::atomic<int64_t> reportedFree{-1};

unsigned long ErrorOf(FileFaults::Kind kind) {
    switch (kind) {
    case FileFaults::kWrite: return ERROR_WRITE_FAULT;
    case FileFaults::kSeek: return ERROR_SEEK;
    case FileFaults::kMap: return ERROR_NOT_ENOUGH_QUOTA;
    default: return ERROR_ACCESS_DENIED;
    }
}

}  // namespace

namespace FileFaults {

void FailAt(long n, unsigned kinds) {
    failKinds = kinds;
    counted = 0;
    failed = 0;
    failAt = n;
}

long Counted() { return counted; }

int HasFailed() { return failed; }

void SetWriteRoom(int64_t room) { writeRoom = room; }

void SetReportedFreeSpace(int64_t bytes) { reportedFree = bytes; }

int64_t GetReportedFreeSpace() { return reportedFree; }

unsigned long Check(Kind kind) {
    if (failAt <= 0 || !(failKinds & kind))
        return 0;
    if (++counted != failAt)
        return 0;
    failed = 1;
    return ErrorOf(kind);
}

unsigned long CheckWrite(unsigned long count) {
    if (unsigned long error = Check(kWrite))
        return error;
    int64_t room = writeRoom;
    while (room >= 0) {
        if (int64_t(count) > room)
            return ERROR_DISK_FULL;
        if (writeRoom.compare_exchange_weak(room, room - int64_t(count)))
            break;
    }
    return 0;
}

}  // namespace FileFaults
