// Keeps further steps of one action name out of a wave's undo list while it lives: an
// action so named that is already the newest step is not recorded again.
#pragma once

#include "foundation/Undo.h"

class UndoNameExclusion {
public:
    UndoNameExclusion(AUndoable &undoable, int messageId) : undoable_(undoable) {
        undoable_.DoNotSaveUndoMementosWithName(messageId);
    }
    ~UndoNameExclusion() { undoable_.SaveUndoMementosWithAnyName(); }
    UndoNameExclusion(UndoNameExclusion const &) = delete;
    UndoNameExclusion &operator=(UndoNameExclusion const &) = delete;

private:
    AUndoable &undoable_;
};
