// The keys that change what the mouse does in a wave window, read in one place so that a
// press, a move, a release and the cursor all see the same state: the state that went with
// the message being handled, not the keyboard's state now.
#pragma once

struct HeldKeys {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool space = false;
};

HeldKeys ReadHeldKeys();

// The left button as it is now (not as of the message handled): whether a click is under way.
bool IsLeftButtonDown();
