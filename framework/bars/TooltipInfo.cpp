#include "bars/TooltipInfo.h"

#include "core/TArrays.h"

#include <cstddef>

static_assert(sizeof(TToolRecord) == offsetof(TTTOOLINFOA, lpszText) + sizeof(LPSTR), "the control reads the first version's record");

TToolInfo::TToolInfo(int receive) : CacheText(0) {
    static_cast<TToolRecord &>(*this) = TToolRecord();
    cbSize = RecordSize;
    if (receive) {
        CacheText = new char[ReceiveSize]();
        lpszText = CacheText;
    }
}

TToolInfo::TToolInfo(HWND window, TRect const &r, unsigned id, char const *text) : TToolInfo() {
    SetToolInfo(window, id, r);
    lpszText = const_cast<char *>(text);
}

TToolInfo::TToolInfo(HWND window, TRect const &r, unsigned id, int resId, HINSTANCE module) : TToolInfo() {
    SetToolInfo(window, id, r);
    SetText(resId, module);
}

TToolInfo::TToolInfo(HWND parent, HWND toolWindow, char const *text) : TToolInfo() {
    SetToolInfo(toolWindow, parent);
    lpszText = const_cast<char *>(text);
}

TToolInfo::TToolInfo(HWND parent, HWND toolWindow, int resId, HINSTANCE module) : TToolInfo() {
    SetToolInfo(toolWindow, parent);
    SetText(resId, module);
}

TToolInfo::TToolInfo(TToolInfo const &other) : CacheText(0) { Assign(other); }

TToolInfo &TToolInfo::operator=(TToolInfo const &other) {
    if (this != &other)
        Assign(other);
    return *this;
}

TToolInfo::~TToolInfo() { FlushCacheText(); }

void TToolInfo::Assign(TToolInfo const &other) {
    static_cast<TToolRecord &>(*this) = other;
    if (other.CacheText && other.lpszText == other.CacheText)
        AdoptCopy(other.CacheText);
    else
        FlushCacheText();
}

// Owned copies keep room for a text the control hands back.
void TToolInfo::AdoptCopy(char const *text) {
    char *copy = strnewdup(text, ReceiveSize);
    delete[] CacheText;
    CacheText = copy;
    lpszText = CacheText;
}

void TToolInfo::FlushCacheText() {
    if (lpszText == CacheText)
        lpszText = 0;
    delete[] CacheText;
    CacheText = 0;
}

void TToolInfo::SetToolInfo(HWND window, unsigned id) {
    hwnd = window;
    uId = id;
    uFlags &= ~TTF_IDISHWND;
}

void TToolInfo::SetToolInfo(HWND window, unsigned id, TRect const &r) {
    SetToolInfo(window, id);
    rect = r;
}

void TToolInfo::SetToolInfo(HWND toolWindow, HWND parent) {
    hwnd = parent;
    uId = UINT_PTR(toolWindow);
    uFlags |= TTF_IDISHWND;
}

void TToolInfo::SetText(char const *text, int copy) {
    if (copy && text && text != LPSTR_TEXTCALLBACKA) {
        AdoptCopy(text);
        return;
    }
    if (text != CacheText || !text)
        FlushCacheText();
    lpszText = const_cast<char *>(text);
}

void TToolInfo::SetText(int resId, HINSTANCE module) {
    FlushCacheText();
    lpszText = MAKEINTRESOURCEA(resId);
    hinst = module;
}

void TToolInfo::GetToolRect(TRect &r) const {
    if (IsWindowTool())
        ::GetClientRect(GetToolWindow(), &r);
    else
        r = rect;
}

bool TToolInfo::IsPointInTool(HWND window, TPoint const &p) const {
    if (window != GetToolWindow())
        return false;
    TRect r;
    GetToolRect(r);
    return r.Contains(p);
}

TTooltipHitTestInfo::TTooltipHitTestInfo() : hwnd(0), pt(), ti() {
    ti.cbSize = TToolInfo::RecordSize;
}

TTooltipHitTestInfo::TTooltipHitTestInfo(HWND window, TPoint const &p) : TTooltipHitTestInfo() {
    hwnd = window;
    pt = p;
}
