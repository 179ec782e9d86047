// The library's system information: the user-interface generation, the wait cursor
// with nesting, and a stack of status texts shown in the main frame's message bar.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Strings.h"

#include <windows.h>

#include <vector>

// The main frame's child that shows the status texts (the message bar).
enum { IDW_MESSAGEBAR = 32040 };

// What shows the status texts; the message bar is one. Gauges drawn in the status line
// take its font.
class VELTRANE_API TStatusTextDisplay {
public:
    virtual ~TStatusTextDisplay() {}
    virtual void ShowStatusText(char const *text) = 0;
    virtual HFONT GetStatusFont() const = 0;

    // The main window's display, null when it has none.
    static TStatusTextDisplay *OfMainWindow();
};

struct VELTRANE_API TStatusState {
    TStatusState(char const *text, int wait) : Text(text), Wait(wait) {}
    String Text;
    int Wait;
};

class VELTRANE_API TSysInfo {
public:
    TSysInfo();
    TSysInfo(TSysInfo const &other);
    TSysInfo &operator=(TSysInfo const &other);
    ~TSysInfo();

    int IsWin4() const;
    int IsSmCaption() const;
    unsigned GetVersion() const { return Version; }

    void BeginWait();
    void EndWait();
    int GetWaitCount() const { return WaitCount; }

    void SetStatus(char *text, int wait = 0);
    void SetStatus(unsigned id, int wait = 0);
    void RestoreStatus();
    void ResetStatus();
    int GetStatusCount() const { return int(Stack.size()); }
    // The text on top, null when the stack is empty.
    char const *GetStatusText() const { return Stack.empty() ? 0 : Stack.back()->Text.c_str(); }

    // The library's one object.
    static TSysInfo &Get();

protected:
    void UpdateStatus(int now);

private:
    void Clear();
    // Removes the top text, ending the wait it started.
    void PopStatus();
    void CopyFrom(TSysInfo const &other);
    std::vector<TStatusState *> Stack;  // grows as texts are pushed
    unsigned Version;                   // major * 256 + minor
    HCURSOR RestoreCursor;
    int WaitCount;
};

extern VELTRANE_API TSysInfo _sysInfo;

// The user-interface generation of the running system, set at start-up: a Windows NT
// system, and a system with the Windows 95 look (flat bars, small captions).
extern VELTRANE_API int _isNT;
extern VELTRANE_API int _win95;
