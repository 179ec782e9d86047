// Placing windows and rectangles on the screen, the hourglass for the length of an
// operation, keeping the focus, and setting a text without needless redraws.
#pragma once

#include "core/Window.h"

#include "foundation/Lists.h"

enum CenterMode {
    kCenterOnScreen = 0,
    kCenterOnParent = 1,  // the parent's window rectangle, else the screen
    kCenterOnPoint = 2,
    kCenterOnMouse = 3,
    kTopLeftAtPoint = 4,
    kCenterOnRect = 5,  // GetCenteredRect only
};

// (0, 0, screen width, screen height).
VELTRANE_API TRect GetScreenRect();

// Moves the window (no size, z-order or activation change) and keeps it 20 pixels
// inside the screen's edges; a null point is (0, 0).
VELTRANE_API void CenterWindow(TWindow &window, CenterMode mode, TPoint const *point = 0);

// Moves rect by the mode, keeping its size: modes 0, 2 (on its own top-left point),
// 3, 4 and 5 (on reference); the same screen margins as CenterWindow.
VELTRANE_API void GetCenteredRect(CenterMode mode, TRect &rect, TRect const *reference = 0);

// Shows the hourglass and captures the mouse for the window until destroyed.
class VELTRANE_API WaitCursor {
public:
    explicit WaitCursor(TWindow &window);
    WaitCursor(WaitCursor const &other) = default;
    WaitCursor &operator=(WaitCursor const &other) = default;
    virtual ~WaitCursor();

private:
    TWindow *Window;
    HCURSOR Previous;
};

// Gives the focus back, when destroyed, to the window that had it when made.
class VELTRANE_API FocusSaver {
public:
    FocusSaver();
    FocusSaver &operator=(FocusSaver const &other) = default;
    ~FocusSaver();

private:
    HWND Focus;
};

// Sets the text only when it differs from the current one (compared over at most 499
// characters, so a longer text is always set).
VELTRANE_API void SetWindowTextIfChanged(HWND window, char const *text);

// A rule of a dialog layout, kept in lists and compared by id.
class VELTRANE_API SizeRule : public ListElement {
public:
    SizeRule();
    SizeRule(int id, long value, int mode);

    void Set(long value) { Value = value; }
    int GetId() const { return Id; }
    long GetValue() const { return Value; }
    int GetMode() const { return Mode; }

    // 0 for equal ids, negative when this id is lower.
    int Compare(CollectionElement const &other, int mode) const override;
    bool operator==(SizeRule const &other) const { return Id == other.Id; }
    bool operator<(SizeRule const &other) const { return Id < other.Id; }

private:
    int Id;
    long Value;
    long Reserved[5];
    int Mode;
};
