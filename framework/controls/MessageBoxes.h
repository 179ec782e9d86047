// The framework's message boxes: without an owner, task-modal, in the foreground and
// topmost; optionally with a help button (its help opens the help window) and an icon
// of the common resource module. A text given by number is fetched from the language
// module first.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

// (MessageBox is the system headers' name for MessageBoxA; these are its forms here.)
VELTRANE_API int MessageBox(char const *text, char const *caption, int style, unsigned long helpId, int iconId);
VELTRANE_API int MessageBox(char const *text, char const *caption, int style);
VELTRANE_API int MessageBox(char const *text, char const *caption, int style, unsigned long helpId);
VELTRANE_API int MessageBox(int textId, char const *caption, int style);
VELTRANE_API int MessageBox(int textId, char const *caption, int style, unsigned long helpId);
VELTRANE_API int MessageBox(int textId, char const *caption, int style, unsigned long helpId, int iconId);
