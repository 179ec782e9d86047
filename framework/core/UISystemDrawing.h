// The system drawing services that older systems lack. A service that fails
// with "not implemented" (error 120) is not tried again in this process.
#pragma once

#include <windows.h>

namespace UISystemDrawing {
extern bool EdgeAvailable;
extern bool StateAvailable;
extern bool FrameControlAvailable;

enum TResult { Done, Failed, NotImplemented };

template <class F>
TResult Call(bool &available, F call) {
    if (!available)
        return NotImplemented;
    if (call())
        return Done;
    if (::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        available = false;
        return NotImplemented;
    }
    return Failed;
}
}  // namespace UISystemDrawing
