// Every message box of the framework goes through here, so that a test (or a headless
// run) can answer it instead of a person.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

// Answers a box: returns the button (IDOK, IDYES, IDNO, ...).
typedef int (*TMessageBoxAnswerer)(HWND owner, char const *text, char const *caption, unsigned style);
// Answers a box described in full (help button, help callback, icon of a module).
typedef int (*TMessageBoxParamsAnswerer)(MSGBOXPARAMSA const &params);

// Installs an answerer (null: show real boxes again); returns the previous one.
VELTRANE_API TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
VELTRANE_API TMessageBoxParamsAnswerer SetMessageBoxParamsAnswerer(TMessageBoxParamsAnswerer answerer);

// Shows the box with MessageBoxExA (language 0), or asks the installed answerer.
VELTRANE_API int ShowMessageBox(HWND owner, char const *text, char const *caption, unsigned style);
// Shows the box with MessageBoxIndirectA; a full answerer is asked first, else the
// plain answerer with the owner, texts and style.
VELTRANE_API int ShowMessageBoxIndirect(MSGBOXPARAMSA const &params);
