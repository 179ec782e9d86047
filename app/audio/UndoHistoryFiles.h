// The temporary files that only a wave's undo and redo steps still read: what clearing
// the history would give back on disk.
#pragma once

#include <cstdint>

class Wave;

struct UndoOnlyFiles {
    int count = 0;
    int64_t bytes = 0;
};

// Looked for under the open-file list's lock, so that no use changes meanwhile.
UndoOnlyFiles FindUndoOnlyFiles(Wave const &wave);
