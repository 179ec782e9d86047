// The static text control: its text, its icon and the text limit that sizes its
// transfer record.
#pragma once

#include "controls/Control.h"

class VELTRANE_API TStatic : public TControl {
public:
    // Not a tab stop.
    TStatic(TWindow *parent, int id, char const *title, int x, int y, int w, int h, uint textLimit = 0,
            TModule *module = 0);
    // Resource form: takes no part in transfer.
    TStatic(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);
    TStatic(HWND hwnd, TModule *module = 0);

    int GetTextLen() const { return GetWindowTextLengthA(); }
    int GetText(char *buffer, int size) const { return GetWindowTextA(buffer, size); }
    void SetText(char const *text) { SetWindowTextA(text); }
    HICON GetIcon() const { return (HICON)SendMessageA(STM_GETICON); }
    HICON SetIcon(HICON icon) { return (HICON)SendMessageA(STM_SETICON, (WPARAM)icon); }
    uint GetTextLimit() const { return TextLimit; }
    void SetTextLimit(uint limit) { TextLimit = limit; }

    virtual void Clear();

    // The window text in a record of text-limit bytes, terminator included.
    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;

protected:
    void EvSize(uint sizeType, TSize &size);

    uint TextLimit;  // the transfer size; for edits the length limit + 1

    DECLARE_RESPONSE_TABLE(TStatic);
};
