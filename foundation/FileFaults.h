// Failures made on purpose, for tests of what a program leaves behind when the disk lets it
// down: the n-th file operation of chosen kinds fails as the system would have failed it,
// and a disk may be made to fill up. Every File and MappedFile operation of these kinds asks
// here first; the deletion that closing a file marked for it makes is not one of them.
#pragma once

#include "foundation/OsmeraDefs.h"

#include <cstdint>

namespace FileFaults {

enum Kind : unsigned {
    kWrite = 1,    // File::Write, multimedia writes too
    kSeek = 2,     // File::Seek
    kSize = 4,     // File::SetSize
    kMap = 8,      // a mapping of a file and its views
    kRename = 16,  // File::Rename, File::Move, File::Link
    kDelete = 32,  // File::Delete of a file that exists
    kAll = 63,
};

// From now on the n-th operation (counting from 1) of the kinds fails, once; 0 ends it.
// Either way the count starts again.
OSMERA_API void FailAt(long n, unsigned kinds = kAll);
// Operations of the chosen kinds since the last FailAt.
OSMERA_API long Counted();
// Whether the chosen operation failed.
OSMERA_API int HasFailed();

// Writes may add room more bytes before they fail with a full disk; -1: no limit.
OSMERA_API void SetWriteRoom(int64_t room);
// The free space every drive reports; -1: its own.
OSMERA_API void SetReportedFreeSpace(int64_t bytes);
OSMERA_API int64_t GetReportedFreeSpace();

// For the file operations: 0 to go on, else the system error this one fails with.
OSMERA_API unsigned long Check(Kind kind);
// The same for a write of count bytes, which also takes its room.
OSMERA_API unsigned long CheckWrite(unsigned long count);

}  // namespace FileFaults
