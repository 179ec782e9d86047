// Every system common dialog (open, save, colour, font) runs through here, so that a
// test (or a headless run) can answer it in place of a person.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

enum TCommonDialogKind { cdkOpen = 0, cdkSave = 1, cdkColor = 2, cdkFont = 3 };

// Answers one dialog: block is the OPENFILENAMEA (open, save), CHOOSECOLORA or
// CHOOSEFONTA the system would have been given; the answerer fills it as the system
// would. Non-zero means OK; on 0, error is the extended error code (0 for a cancel).
typedef int (*TCommonDialogAnswerer)(TCommonDialogKind kind, void *block, unsigned long &error);

// Installs an answerer (null: run the real dialogs again); returns the previous one.
VELTRANE_API TCommonDialogAnswerer SetCommonDialogAnswerer(TCommonDialogAnswerer answerer);

// Runs the dialog (or asks the answerer): non-zero on OK, with error 0; otherwise error
// is CommDlgExtendedError() (0 when the user cancelled).
VELTRANE_API int RunCommonDialog(TCommonDialogKind kind, void *block, unsigned long &error);
