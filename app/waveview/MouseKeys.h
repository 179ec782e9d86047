// The keys the wave window reacts to beside the mouse (Shift, Ctrl, Alt, Space), read in
// this one place so that a press, a move, a release and the cursor all see the same state:
// the state that went with the message being handled, not the keyboard's state now.
#pragma once

struct HeldKeys {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool space = false;
};

HeldKeys ReadHeldKeys();
// For a timer tick, which has no message of its own: the keyboard's state counts too.
HeldKeys ReadHeldKeysAtTick();

// The left button as it is now (not as of the message handled): whether a click is under way.
bool IsLeftButtonDown();
