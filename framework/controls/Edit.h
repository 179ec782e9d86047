// The edit control: clipboard commands with their enablers, selection and line access,
// the text buffer, text search, and a character filter the parent may apply.
#pragma once

#include "controls/Static.h"

// Sent to an edit's parent before a typed character: wParam the character, lParam the
// key flags; a non-zero answer swallows the character.
#define WM_EDITFILTERCHAR 3036

enum {
    CM_EDITUNDO = 24321,
    CM_EDITCUT = 24322,
    CM_EDITCOPY = 24323,
    CM_EDITPASTE = 24324,
    CM_EDITDELETE = 24325,
    CM_EDITCLEAR = 24326,
};

class VELTRANE_API TEdit : public TStatic {
public:
    // Adds WS_BORDER, WS_TABSTOP, ES_AUTOHSCROLL and 0x200; multiline adds ES_MULTILINE,
    // ES_AUTOVSCROLL and both scroll bars.
    TEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit = 0,
          int multiline = 0, TModule *module = 0);
    // Resource form: takes part in transfer.
    TEdit(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);
    TEdit(HWND hwnd, TModule *module = 0);

    // ---- overridable: Clear empties the text
    void Clear() override;
    virtual int GetSubText(char *buffer, uint start, uint end) const;
    virtual void GetSelection(uint &start, uint &end) const;
    virtual uint GetCurrentPosition() const;
    virtual int SetSelection(uint start, uint end);
    // The position of text at or after start (before it when up), selected and scrolled
    // into view; -1 when absent. start UINT_MAX means from the selection.
    virtual int Search(uint start, char const *text, int caseSensitive = 0, int wholeWord = 0, int up = 0);
    virtual void Paste() { SendMessageA(WM_PASTE); }

    // ---- clipboard and undo
    void Cut() { SendMessageA(WM_CUT); }
    void Copy() { SendMessageA(WM_COPY); }
    void Undo() { SendMessageA(WM_UNDO); }
    int CanUndo() const { return (int)SendMessageA(EM_CANUNDO); }
    void EmptyUndoBuffer() { SendMessageA(EM_EMPTYUNDOBUFFER); }
    void ClearModify() { SendMessageA(EM_SETMODIFY, 0); }
    int IsModified() const { return (int)SendMessageA(EM_GETMODIFY); }

    // ---- lines and text
    int GetNumLines() const { return (int)SendMessageA(EM_GETLINECOUNT); }
    int GetLineLength(int line) const;
    // Copies line into buffer (size bytes, terminated); true when the whole line fitted.
    int GetLine(char *buffer, int size, int line) const;
    int GetLineFromPos(uint pos) const { return (int)SendMessageA(EM_LINEFROMCHAR, pos); }
    uint GetLineIndex(int line) const { return (uint)SendMessageA(EM_LINEINDEX, line); }
    void Scroll(int horizontal, int vertical) { SendMessageA(EM_LINESCROLL, horizontal, vertical); }
    void Insert(char const *text) { SendMessageA(EM_REPLACESEL, 0, (LPARAM)text); }
    int DeleteSelection();
    int DeleteSubText(uint start, uint end);
    int DeleteLine(int line);
    int GetFirstVisibleLine() const { return (int)SendMessageA(EM_GETFIRSTVISIBLELINE); }

    // ---- the buffer: the edit's own text where the system lets it, else a copy
    char *LockBuffer(uint newSize = 0);
    void UnlockBuffer(char const *buffer, int updateHandle = 0);

    // ---- formatting and look
    void GetRect(TRect &rect) const { SendMessageA(EM_GETRECT, 0, (LPARAM)&rect); }
    void SetRect(TRect const &rect) { SendMessageA(EM_SETRECT, 0, (LPARAM)&rect); }
    void SetRectNP(TRect const &rect) { SendMessageA(EM_SETRECTNP, 0, (LPARAM)&rect); }
    int FormatLines(int addEOL) { return (int)SendMessageA(EM_FMTLINES, addEOL); }
    void SetTabStops(int numTabs, int const *tabs) { SendMessageA(EM_SETTABSTOPS, numTabs, (LPARAM)tabs); }
    void LimitText(uint length) { SendMessageA(EM_LIMITTEXT, length); }
    uint GetLimitText() const { return (uint)SendMessageA(EM_GETLIMITTEXT); }
    // (named apart from the window handle's GetHandle, which it would hide)
    HLOCAL GetMemHandle() const { return (HLOCAL)SendMessageA(EM_GETHANDLE); }
    void SetHandle(HLOCAL handle) { SendMessageA(EM_SETHANDLE, (WPARAM)handle); }
    void SetMemHandle(HLOCAL handle) { SetHandle(handle); }
    void SetReadOnly(int readOnly) { SendMessageA(EM_SETREADONLY, readOnly); }
    uint GetPasswordChar() const { return (uint)SendMessageA(EM_GETPASSWORDCHAR); }
    void SetPasswordChar(uint ch) { SendMessageA(EM_SETPASSWORDCHAR, ch); }
    EDITWORDBREAKPROCA GetWordBreakProc() const { return (EDITWORDBREAKPROCA)SendMessageA(EM_GETWORDBREAKPROC); }
    void SetWordBreakProc(EDITWORDBREAKPROCA proc) { SendMessageA(EM_SETWORDBREAKPROC, 0, (LPARAM)proc); }
    void SetLeftMargin(uint margin) { SendMessageA(EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(margin, 0)); }
    void SetRightMargin(uint margin) { SendMessageA(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, margin)); }
    void SetMarginUseFontInfo() { SendMessageA(EM_SETMARGINS, EC_USEFONTINFO, 0); }
    uint32_t GetMargins() const { return (uint32_t)SendMessageA(EM_GETMARGINS); }
    uint32_t PosFromChar(uint charIndex) const { return (uint32_t)SendMessageA(EM_POSFROMCHAR, charIndex); }
    // The point's y goes in the high word, x in the low word.
    uint32_t CharFromPos(int16_t y, int16_t x) const {
        return (uint32_t)SendMessageA(EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
    }

    char const *GetClassNameA() override;
    void SetupWindow() override;

protected:
    void CmEditCut() { Cut(); }
    void CmEditCopy() { Copy(); }
    void CmEditPaste() { Paste(); }
    void CmEditDelete() { DeleteSelection(); }
    void CmEditClear() { Clear(); }
    void CmEditUndo() { Undo(); }
    void CmSelectEnable(TCommandEnabler &ce);
    void CmCharsEnable(TCommandEnabler &ce);
    void CmModEnable(TCommandEnabler &ce);
    void ENErrSpace();
    void EvChar(uint key, uint repeatCount, uint flags);
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvKillFocus(WPARAM hWndGetFocus);

    DECLARE_RESPONSE_TABLE(TEdit);
};
