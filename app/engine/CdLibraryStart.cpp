#include "engine/CdLibraryStart.h"

namespace {
int refusedStart = 0;
}  // namespace

int CdLibraryRefusedStart() { return refusedStart; }

void SetCdLibraryRefusedStart(int refused) { refusedStart = refused; }
