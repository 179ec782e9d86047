#include "shell/ProgramKeys.h"

namespace {

enum : unsigned { kKeypadPlus = 107, kFirstDigitScan = 2, kLastDigitScan = 9, kDigitCommandBase = 98 };

using N = NumLock;
constexpr bool no = false, yes = true, up = false, down = true;

KeyRow const kStandard[] = {
    {kKeyPlay, 13, 28, yes, N::kAny, up, up, no},
    {kKeyPlay, 119, 66, no, N::kAny, up, up, yes},
    {kKeyPlaySelection, 117, 64, no, N::kAny, up, up, yes},
    {kKeyLoopSelection, 117, 64, no, N::kAny, down, up, yes},
    {kKeyRelocate, 116, 63, no, N::kAny, up, up, yes},
    {kKeyPause, 96, 82, no, N::kAny, up, up, no},
    {kKeyPause, 45, 82, no, N::kOff, up, up, no},
    {kKeyPause, 118, 65, no, N::kAny, up, up, yes},
    {kKeySwitchFocus, 113, 60, no, N::kAny, up, up, yes},
    {kKeyClientDoubleClick, 113, 60, no, N::kAny, up, down, yes},
    {kKeyUndo, 114, 61, no, N::kAny, up, up, yes},
    {kKeyRedo, 115, 62, no, N::kAny, up, up, yes},
    {kKeySelectionStart, 35, 79, no, N::kOff, down, up, no},
    {kKeySelectionEnd, 40, 80, no, N::kOff, down, up, no},
    {kKeySelectionStart, 35, 79, no, N::kOn, up, up, no},
    {kKeySelectionEnd, 40, 80, no, N::kOn, up, up, no},
    {kKeyToSelectionStart, 97, 79, no, N::kAny, up, up, no},
    {kKeyToSelectionEnd, 98, 80, no, N::kAny, up, up, no},
    {kKeyToSelectionStart, 35, 79, no, N::kAny, up, up, no},
    {kKeyToSelectionEnd, 40, 80, no, N::kAny, up, up, no},
    {kKeyDelete, 110, 83, no, N::kAny, up, up, no},
    {kKeyDelete, 46, 83, no, N::kAny, up, up, no},
    {kKeyCaretLeft, 100, 75, no, N::kAny, up, up, no},
    {kKeyCaretRight, 101, 76, no, N::kAny, up, up, no},
    {kKeyCaretLeft, 37, 75, no, N::kAny, up, up, no},
    {kKeyCaretRight, 39, 76, no, N::kAny, up, up, no},
    {kKeyEngineWindow, 120, 67, no, N::kAny, up, down, yes},
};

KeyRow const kSubtype[] = {
    {kKeyPlay, 25, 53, no, N::kAny, up, up, no},
    {kKeyPlay, 119, 105, no, N::kAny, up, up, yes},
    {kKeyPlaySelection, 117, 103, no, N::kAny, up, up, yes},
    {kKeyLoopSelection, 117, 103, no, N::kAny, down, up, yes},
    {kKeyRelocate, 116, 102, no, N::kAny, up, up, yes},
    {kKeyPause, 96, 78, no, N::kAny, up, up, no},
    {kKeyPause, 118, 104, no, N::kAny, up, up, yes},
    {kKeySwitchFocus, 113, 99, no, N::kAny, up, up, yes},
    {kKeyClientDoubleClick, 113, 99, no, N::kAny, up, down, yes},
    {kKeyUndo, 114, 100, no, N::kAny, up, up, yes},
    {kKeyRedo, 115, 101, no, N::kAny, up, up, yes},
    {kKeySelectionStart, 35, 74, no, N::kAny, down, up, no},
    {kKeySelectionEnd, 40, 75, no, N::kAny, down, up, no},
    {kKeyToSelectionStart, 97, 74, no, N::kAny, up, up, no},
    {kKeyToSelectionEnd, 98, 75, no, N::kAny, up, up, no},
    {kKeyDelete, 110, 80, no, N::kAny, up, up, no},
    {kKeyCaretLeft, 100, 70, no, N::kAny, up, up, no},
    {kKeyCaretRight, 101, 71, no, N::kAny, up, up, no},
    {kKeyEngineWindow, 120, 106, no, N::kAny, up, down, yes},
};

bool Matches(KeyRow const &row, KeyEvent const &key) {
    return row.virtualKey == key.virtualKey && row.scanCode == key.scanCode && row.extended == key.extended &&
           row.shift == key.shift && row.ctrl == key.ctrl &&
           (row.numLock == NumLock::kAny || (row.numLock == NumLock::kOn) == key.numLock);
}

KeyDecision Action(KeyAction action, KeyRow const *row) {
    KeyDecision decision;
    decision.kind = KeyDecision::kAction;
    decision.action = action;
    decision.row = row;
    return decision;
}

}  // namespace

KeyTable KeyTableFor(int keyboardSubtype) {
    if (keyboardSubtype == 3329 || keyboardSubtype == 3332)
        return {kSubtype, sizeof kSubtype / sizeof *kSubtype};
    return {kStandard, sizeof kStandard / sizeof *kStandard};
}

KeyRow const *FindKeyRow(KeyTable const &table, KeyEvent const &key) {
    for (std::size_t i = 0; i < table.count; ++i)
        if (Matches(table.rows[i], key))
            return &table.rows[i];
    return nullptr;
}

KeyDecision DecideKey(KeyTable const &table, KeyEvent const &key, KeyTarget const &target) {
    // The keypad plus key marks the selection while it is held: start at the press, end at
    // the release.
    if (key.virtualKey == kKeypadPlus && target.waveWindowActive) {
        if (!key.down)
            return Action(kKeySelectionEnd, nullptr);
        if (key.repeated) {
            KeyDecision swallowed;
            swallowed.kind = KeyDecision::kSwallow;
            return swallowed;
        }
        return Action(kKeySelectionStart, nullptr);
    }
    if (!key.down || key.alt)
        return KeyDecision();
    if (key.scanCode >= kFirstDigitScan && key.scanCode <= kLastDigitScan && !target.dialogActive) {
        KeyDecision digit;
        digit.kind = KeyDecision::kDigit;
        digit.command = kDigitCommandBase + key.scanCode + (key.ctrl ? 10 : 0);
        return digit;
    }
    KeyRow const *row = FindKeyRow(table, key);
    if (!row || (target.dialogActive && !row->inDialogs))
        return KeyDecision();
    return Action(row->action, row);
}
