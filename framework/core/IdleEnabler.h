// A window that wants idle calls from the main frame although the frame does not idle it
// as a child (a dialog of its own, for one).
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Lists.h"

class TWindow;

class VELTRANE_API IdleEnabler : public ListElement {
public:
    explicit IdleEnabler(TWindow *window);
    IdleEnabler(IdleEnabler const &other);
    IdleEnabler &operator=(IdleEnabler const &other);
    ~IdleEnabler() override;

    TWindow *GetWindow() const { return window_; }
    DoubleList &GetList() { return list_; }

    // Every enabler alive, in the order they were made.
    static List<IdleEnabler> _enablers;

private:
    TWindow *window_;
    DoubleList list_;
};
