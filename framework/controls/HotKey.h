// The system's hot key control: the user presses a key combination, the control shows
// it and answers it as a word (virtual key in the low byte, HOTKEYF_ modifiers above).
#pragma once

#include "controls/Control.h"

#include <cstdint>

class VELTRANE_API THotKey : public TControl {
public:
    // Raise TXCommCtrl without the common controls. A new control gets a border on NT.
    THotKey(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    THotKey(TWindow *parent, int resourceId, TModule *module = 0);

    uint16_t GetHotKey();
    void SetHotKey(uint16_t hotKey);
    void SetHotKey(uint8_t virtualKey, uint8_t modifiers) { SetHotKey(uint16_t(modifiers * 256 + virtualKey)); }
    void SetRules(uint16_t invalid, uint16_t defaultModifiers);

    // One 16-bit word.
    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;
};
