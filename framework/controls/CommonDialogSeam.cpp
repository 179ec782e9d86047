#include "controls/CommonDialogSeam.h"

#include <commdlg.h>

namespace {
TCommonDialogAnswerer answererInUse;
}

TCommonDialogAnswerer SetCommonDialogAnswerer(TCommonDialogAnswerer answerer) {
    TCommonDialogAnswerer previous = answererInUse;
    answererInUse = answerer;
    return previous;
}

int RunCommonDialog(TCommonDialogKind kind, void *block, unsigned long &error) {
    error = 0;
    if (answererInUse) {
        int ok = answererInUse(kind, block, error);
        if (ok)
            error = 0;
        return ok;
    }
    BOOL ok = FALSE;
    switch (kind) {
    case cdkOpen:
        ok = ::GetOpenFileNameA(static_cast<OPENFILENAMEA *>(block));
        break;
    case cdkSave:
        ok = ::GetSaveFileNameA(static_cast<OPENFILENAMEA *>(block));
        break;
    case cdkColor:
        ok = ::ChooseColorA(static_cast<CHOOSECOLORA *>(block));
        break;
    case cdkFont:
        ok = ::ChooseFontA(static_cast<CHOOSEFONTA *>(block));
        break;
    }
    if (!ok)
        error = ::CommDlgExtendedError();
    return ok != FALSE;
}
