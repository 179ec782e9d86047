#include "controls/Edit.h"

#include "core/System.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <memory>

DEFINE_RESPONSE_TABLE1(TEdit, TStatic)
    EV_COMMAND(CM_EDITCUT, CmEditCut),
    EV_COMMAND(CM_EDITCOPY, CmEditCopy),
    EV_COMMAND(CM_EDITPASTE, CmEditPaste),
    EV_COMMAND(CM_EDITDELETE, CmEditDelete),
    EV_COMMAND(CM_EDITCLEAR, CmEditClear),
    EV_COMMAND(CM_EDITUNDO, CmEditUndo),
    EV_COMMAND_ENABLE(CM_EDITCUT, CmSelectEnable),
    EV_COMMAND_ENABLE(CM_EDITCOPY, CmSelectEnable),
    EV_COMMAND_ENABLE(CM_EDITDELETE, CmSelectEnable),
    EV_COMMAND_ENABLE(CM_EDITCLEAR, CmCharsEnable),
    EV_COMMAND_ENABLE(CM_EDITUNDO, CmModEnable),
    EV_NOTIFY_AT_CHILD(EN_ERRSPACE, ENErrSpace),
    EV_WM_CHAR,
    EV_WM_KEYDOWN,
    EV_WM_KILLFOCUS,
END_RESPONSE_TABLE;

TEdit::TEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit, int multiline,
             TModule *module)
    : TStatic(parent, id, text, x, y, w, h, textLimit, module) {
    Attr.Style |= WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | 0x200;
    if (multiline)
        Attr.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
}

TEdit::TEdit(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TStatic(parent, resourceId, textLimit, module) {
    EnableTransfer();
}

TEdit::TEdit(HWND hwnd, TModule *module) : TStatic(hwnd, module) {}

char const *TEdit::GetClassNameA() { return "EDIT"; }

void TEdit::SetupWindow() {
    TStatic::SetupWindow();
    if (TextLimit)
        LimitText(TextLimit - 1);
}

// ---- selection

void TEdit::GetSelection(uint &start, uint &end) const {
    DWORD s = 0, e = 0;
    SendMessageA(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    start = s, end = e;
}

uint TEdit::GetCurrentPosition() const {
    DWORD position = 0;
    SendMessageA(EM_GETSEL, (WPARAM)&position, (LPARAM)&position);
    return position;
}

int TEdit::SetSelection(uint start, uint end) { return SendMessageA(EM_SETSEL, start, end) != 0; }

int TEdit::DeleteSelection() {
    uint start, end;
    GetSelection(start, end);
    if (start == end)
        return 0;
    SendMessageA(WM_CLEAR);
    return 1;
}

int TEdit::DeleteSubText(uint start, uint end) {
    if (!SetSelection(start, end))
        return 0;
    return DeleteSelection();
}

void TEdit::Clear() { DeleteSubText(0, UINT_MAX); }

// ---- lines

int TEdit::GetLineLength(int line) const {
    return (int)SendMessageA(EM_LINELENGTH, line < 0 ? (WPARAM)-1 : (WPARAM)GetLineIndex(line));
}

int TEdit::GetLine(char *buffer, int size, int line) const {
    if (size <= 0)
        return 0;
    int length = GetLineLength(line);
    if (size == 1) {
        buffer[0] = 0;
        return length == 0;
    }
    // EM_GETLINE reads the buffer's size from its first word
    *(WORD *)buffer = (WORD)(size < 0xFFFF ? size - 1 : 0xFFFF);
    int copied = (int)SendMessageA(EM_GETLINE, line, (LPARAM)buffer);
    if (copied > size - 1)
        copied = size - 1;
    buffer[copied] = 0;
    return size >= length + 1 && copied == length;
}

int TEdit::DeleteLine(int line) {
    if (line == -1)
        line = GetLineFromPos((uint)-1);  // the caret's line
    int start = (int)GetLineIndex(line);
    if (start == -1)
        return 0;
    int end = (int)GetLineIndex(line + 1);
    if (end == -1)
        end = start + GetLineLength(line);
    if (start == 0 && end == 0) {
        SetText("");
        return 1;
    }
    return DeleteSubText(start, end);
}

int TEdit::GetSubText(char *buffer, uint start, uint end) const {
    buffer[0] = 0;
    if (end < start)
        return 0;
    int first = GetLineFromPos(start), last = GetLineFromPos(end);
    char *out = buffer;
    for (int line = first; line <= last; line++) {
        int length = GetLineLength(line);
        std::unique_ptr<char[]> text(new char[length + 2]);
        if (!GetLine(text.get(), length + 2, line))
            break;
        uint lineStart = GetLineIndex(line);
        int from = line == first ? int(start - lineStart) : 0;
        int to = line == last ? int(end - lineStart) : length;
        if (to > length)
            to = length;
        if (line != first)
            *out++ = '\r', *out++ = '\n';
        if (to > from) {
            std::memcpy(out, text.get() + from, to - from);
            out += to - from;
        }
    }
    *out = 0;
    return int(out - buffer);
}

// ---- the buffer

namespace {
bool EditsOwnMemory(TEdit const &edit) {
    uint platform = TSystem::GetPlatformId();
    return platform != VER_PLATFORM_WIN32s && platform != VER_PLATFORM_WIN32_WINDOWS &&
           (edit.GetStyle() & ES_MULTILINE);
}
}  // namespace

char *TEdit::LockBuffer(uint newSize) {
    if (EditsOwnMemory(*this)) {
        HLOCAL memory = GetMemHandle();
        if (newSize) {
            memory = ::LocalReAlloc(memory, newSize, LHND);
            if (!memory)
                return 0;
        }
        return (char *)::LocalLock(memory);
    }
    uint size = newSize ? newSize : GetTextLen() + 1;
    char *buffer = new char[size];
    buffer[0] = 0;
    GetText(buffer, size);
    return buffer;
}

void TEdit::UnlockBuffer(char const *buffer, int updateHandle) {
    if (!buffer)
        return;
    if (EditsOwnMemory(*this)) {
        HLOCAL memory = ::LocalHandle((void *)buffer);
        ::LocalUnlock(memory);
        if (updateHandle)
            SetMemHandle(memory);
        return;
    }
    if (updateHandle)
        SetText(buffer);
    delete[] buffer;
}

// ---- search

namespace {
bool IsWordChar(char c) { return std::isalnum((unsigned char)c) != 0; }

bool MatchesAt(char const *text, uint pos, char const *what, uint length, int caseSensitive) {
    return caseSensitive ? std::strncmp(text + pos, what, length) == 0 : _strnicmp(text + pos, what, length) == 0;
}
}  // namespace

int TEdit::Search(uint start, char const *text, int caseSensitive, int wholeWord, int up) {
    if (!text || !*text)
        return -1;
    if (start == UINT_MAX) {
        uint selStart, selEnd;
        GetSelection(selStart, selEnd);
        start = up ? selStart : selEnd;
    }
    char *buffer = LockBuffer(0);
    if (!buffer)
        return -1;
    uint textLength = (uint)std::strlen(buffer);
    uint length = (uint)std::strlen(text);
    int found = -1;
    if (length <= textLength) {
        uint lastFit = textLength - length;
        if (up) {
            // the match ends at or before start
            for (long pos = (long)(start > textLength ? textLength : start) - (long)length; pos >= 0; pos--)
                if (MatchesAt(buffer, pos, text, length, caseSensitive) &&
                    (!wholeWord || ((pos == 0 || !IsWordChar(buffer[pos - 1])) && !IsWordChar(buffer[pos + length])))) {
                    found = (int)pos;
                    break;
                }
        } else {
            for (uint pos = start; pos <= lastFit; pos++)
                if (MatchesAt(buffer, pos, text, length, caseSensitive) &&
                    (!wholeWord || ((pos == 0 || !IsWordChar(buffer[pos - 1])) && !IsWordChar(buffer[pos + length])))) {
                    found = (int)pos;
                    break;
                }
        }
    }
    UnlockBuffer(buffer, 0);
    if (found < 0)
        return -1;
    SetSelection(found, found + length);
    SendMessageA(WM_KEYDOWN, VK_RIGHT, 0);  // moves the caret and the view to the match
    SetSelection(found, found + length);
    return found;
}

// ---- handlers

void TEdit::CmSelectEnable(TCommandEnabler &ce) {
    uint start, end;
    GetSelection(start, end);
    ce.Enable(start != end);
}

void TEdit::CmCharsEnable(TCommandEnabler &ce) { ce.Enable(!(GetNumLines() == 1 && GetLineLength(0) == 0)); }

void TEdit::CmModEnable(TCommandEnabler &ce) { ce.Enable(IsModified()); }

void TEdit::ENErrSpace() {
    ::MessageBeep(0);
    DefaultProcessing();
}

void TEdit::EvChar(uint key, uint, uint flags) {
    if (HWND parent = GetParentH())
        if (::SendMessageA(parent, WM_EDITFILTERCHAR, key, flags))
            return;
    DefaultProcessing();
}

void TEdit::EvKeyDown(uint, uint, uint) { DefaultProcessing(); }

void TEdit::EvKillFocus(WPARAM hWndGetFocus) { TStatic::EvKillFocus(hWndGetFocus); }
