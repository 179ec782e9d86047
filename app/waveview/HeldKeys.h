// The keys the wave window reacts to beside the mouse (Shift, Ctrl, Alt, Space), read in
// this one place. A key counts as held when the thread's key state says so (what a message
// handler sees) or the keyboard does (what a timer tick sees while messages wait).
#pragma once

struct HeldKeys {
    bool shift, ctrl, alt, space;

    static HeldKeys Now();
};
