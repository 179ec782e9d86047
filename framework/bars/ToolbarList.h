// What all tool bars of the process share: their list and the activity of their
// floating frames.
#pragma once

#include "VeltraneDefs.h"

// -1: active exactly when the main window is the foreground window. The state is kept
// and every shown floating tool bar frame gets WM_NCACTIVATE with it (inactive while
// its frame is disabled).
VELTRANE_API void ActivateFloatingToolbars(int active);

// The state the floating frames were last told.
VELTRANE_API int GetFloatingToolbarsActive();

// The frame windows' name for the same call.
inline void SetFloatingFramesActive(int active) { ActivateFloatingToolbars(active); }
