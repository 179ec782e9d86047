// What all tool bars of the process share: their list and the activity of their
// floating frames.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/TArrays.h"

class TToolbar;

// A vector of objects it deletes when it ends with some still listed.
template <class T>
class TIArrayAsVector : public TArrayOf<T *> {
public:
    TIArrayAsVector(int upper, int lower, int delta) : TArrayOf<T *>(upper, lower, delta) {}
    ~TIArrayAsVector() {
        while (this->GetItemsInContainer()) {
            T *item = (*this)[this->LowerBound()];
            this->Detach(this->LowerBound());
            delete item;
        }
    }
};

typedef TIArrayAsVector<TToolbar> TToolbarArray;

// -1: active exactly when the main window is the foreground window. The state is kept
// and every shown floating tool bar frame gets WM_NCACTIVATE with it (inactive while
// its frame is disabled).
VELTRANE_API void ActivateFloatingToolbars(int active);

// The state the floating frames were last told.
VELTRANE_API int GetFloatingToolbarsActive();

// Every tool bar that does not keep its own borders gets gadget borders of `width`,
// new floating shapes and its place again. The second argument is not used.
VELTRANE_API void ResizeToolbarButtons(int width, int = 0);
