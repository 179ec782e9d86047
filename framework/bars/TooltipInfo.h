// The tool descriptor of the common tooltip control and its hit-test record. A tool is
// a rectangle of a window (owner window and identifier) or a whole window (identifier =
// the tool window's handle). The first 40 bytes are the system's record, so a pointer to
// the object is what the control's messages take; an owned copy of the text may follow.
#pragma once

#include "core/Geometry.h"
#include "core/VeltraneDefs.h"

#include <windows.h>
#include <commctrl.h>

// The system's tool record in its first version (40 bytes on 32-bit Windows).
struct TToolRecord {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
};

class VELTRANE_API TToolInfo : public TToolRecord {
public:
    enum { RecordSize = sizeof(TToolRecord), ReceiveSize = 128 };

    // All zero; with receive, an owned buffer of 128 characters takes the texts that
    // the control hands back.
    explicit TToolInfo(int receive = 0);
    // A rectangle of a window; the text is not copied.
    TToolInfo(HWND window, TRect const &rect, unsigned id, char const *text = LPSTR_TEXTCALLBACKA);
    TToolInfo(HWND window, TRect const &rect, unsigned id, int resId, HINSTANCE module);
    // A whole window inside its parent.
    TToolInfo(HWND parent, HWND toolWindow, char const *text = LPSTR_TEXTCALLBACKA);
    TToolInfo(HWND parent, HWND toolWindow, int resId, HINSTANCE module);
    // A copy owns its own copy of an owned text.
    TToolInfo(TToolInfo const &other);
    TToolInfo &operator=(TToolInfo const &other);
    ~TToolInfo();

    // The same tool: the same owner window and identifier.
    bool operator==(TToolInfo const &other) const { return hwnd == other.hwnd && uId == other.uId; }

    void SetToolInfo(HWND window, unsigned id);
    void SetToolInfo(HWND window, unsigned id, TRect const &rect);
    void SetToolInfo(HWND toolWindow, HWND parent);
    void SetRect(TRect const &r) { rect = r; }
    // With copy (and a real text) the text is copied and owned; otherwise the pointer
    // is taken as it is (LPSTR_TEXTCALLBACK asks the owner) and an owned copy is freed.
    void SetText(char const *text, int copy = 0);
    void SetText(int resId, HINSTANCE module);
    char *GetCacheText() const { return CacheText; }
    void FlushCacheText();

    bool IsWindowTool() const { return (uFlags & TTF_IDISHWND) != 0; }
    HWND GetToolWindow() const { return IsWindowTool() ? HWND(uId) : hwnd; }
    // A window tool's client rectangle, else the stored rectangle.
    void GetToolRect(TRect &r) const;
    // The point (in the tool window's client coordinates) lies in the tool of that window.
    bool IsPointInTool(HWND window, TPoint const &p) const;

private:
    void Assign(TToolInfo const &other);
    void AdoptCopy(char const *text);

    char *CacheText;
};

// Which tool lies under a point of a window (TTM_HITTEST); plain data.
class VELTRANE_API TTooltipHitTestInfo {
public:
    TTooltipHitTestInfo();
    TTooltipHitTestInfo(HWND window, TPoint const &p);

    HWND hwnd;
    POINT pt;
    // Filled by the control.
    TToolRecord ti;
};
