// The keys that work throughout the program (transport, selection, undo), as two tables of
// rows searched first match first: one for the standard keyboard, one for keyboards of
// subtypes 3329 and 3332. Deciding what a key does is kept apart from doing it.
#pragma once

#include <cstddef>

enum KeyAction : int {
    kKeyNone = 0,
    kKeyPlay = 1,            // command 130 to the main frame
    kKeyRelocate = 2,        // the playback to its current position
    kKeyLoopSelection = 3,   // command 631 to the focused wave view
    kKeyPlaySelection = 4,   // command 458 to the focused wave view
    kKeyPause = 5,           // pause a playback, else command 131
    kKeyUndo = 6,            // command 20021
    kKeyRedo = 7,            // command 20000
    kKeySelectionStart = 8,  // the play position (or caret) starts the selection
    kKeySelectionEnd = 9,    // ... ends it
    kKeyToSelectionStart = 10,
    kKeyToSelectionEnd = 11,
    kKeyDelete = 12,         // command 365
    kKeyCaretLeft = 20,      // command 611 to the focused wave view
    kKeyCaretRight = 21,     // command 612
    kKeySwitchFocus = 22,    // between the last dialog and the active document window
    kKeyClientDoubleClick = 23,
    kKeyEngineWindow = 24,   // command 752
};

enum class NumLock { kAny, kOff, kOn };

struct KeyRow {
    KeyAction action;
    unsigned virtualKey;
    unsigned scanCode;
    bool extended;
    NumLock numLock;
    bool shift;
    bool ctrl;
    bool inDialogs;
};

struct KeyTable {
    KeyRow const *rows;
    std::size_t count;
};

// The table of a keyboard subtype (GetKeyboardType(1)).
KeyTable KeyTableFor(int keyboardSubtype);

// A key message as the keyboard left it.
struct KeyEvent {
    unsigned virtualKey;
    unsigned scanCode;
    bool extended;
    bool down;      // a press, not a release
    bool repeated;  // an auto-repeated press
    bool alt;
    bool shift;
    bool ctrl;
    bool numLock;
};

// Where the key goes.
struct KeyTarget {
    bool dialogActive;      // the active window is a dialog
    bool waveWindowActive;  // the active document window is a wave window
};

struct KeyDecision {
    enum Kind { kIgnore, kSwallow, kAction, kDigit } kind = kIgnore;
    KeyAction action = kKeyNone;  // kAction
    KeyRow const *row = nullptr;  // kAction from the table (null for the keypad plus key)
    unsigned command = 0;         // kDigit: 100-107, 110-117 with Ctrl
};

KeyDecision DecideKey(KeyTable const &table, KeyEvent const &key, KeyTarget const &target);

// The first row that matches the key's codes and modifier states; null when none.
KeyRow const *FindKeyRow(KeyTable const &table, KeyEvent const &key);
