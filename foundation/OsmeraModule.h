// The foundation library's own module: its instance handle and the thread
// that loaded it (the target of posted failures while no window is registered).
#pragma once

#include "foundation/OsmeraDefs.h"

OSMERA_API void *OsmeraInstance();
OSMERA_API unsigned long LoaderThreadId();
