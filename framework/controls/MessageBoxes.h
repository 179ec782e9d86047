// The document manager's questions and reports: a message box without an owner,
// task-modal, in the foreground and topmost.
#pragma once

#include "VeltraneDefs.h"

#include <windows.h>

// (MessageBox is the system headers' name for MessageBoxA; this is its three-argument form.)
VELTRANE_API int MessageBox(char const *text, char const *caption, int style);
