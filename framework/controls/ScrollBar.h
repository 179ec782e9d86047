// Scroll bars: the system's scroll-bar control with line and page steps, and a bar that
// keeps a 32-bit position over the control's 16-bit scale, scrolls up to five linked
// windows with it and scrolls on its own while the mouse is dragged past an edge.
#pragma once

#include "controls/Control.h"

class VELTRANE_API TScrollBar : public TControl {
public:
    // A horizontal bar of height 0 (a vertical one of width 0) takes the system's thickness.
    TScrollBar(TWindow *parent, int id, int x, int y, int w, int h, int horizontal, TModule *module = 0);
    TScrollBar(TWindow *parent, int resourceId, TModule *module = 0);

    virtual void GetRange(int &low, int &high) const;
    virtual int GetPosition() const;
    virtual void SetRange(int low, int high);
    virtual void SetPosition(int position);
    // Moves by delta (clamped by the control); the resulting position.
    virtual int DeltaPos(int delta);
    virtual void GetScrollInfo(SCROLLINFO *info) const;
    virtual void SetScrollInfo(SCROLLINFO *info, int redraw = 1);
    virtual void SBLineUp();
    virtual void SBLineDown();
    virtual void SBPageUp();
    virtual void SBPageDown();
    virtual void SBThumbPosition(int thumbPos);
    virtual void SBThumbTrack(int thumbPos);
    virtual void SBTop();
    virtual void SBBottom();
    virtual void SBEndScroll();

    int GetLineMagnitude() const { return LineMagnitude; }
    void SetLineMagnitude(int magnitude) { LineMagnitude = magnitude; }
    int GetPageMagnitude() const { return PageMagnitude; }
    void SetPageMagnitude(int magnitude);

    // Three 32-bit integers: low, high, position.
    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;
    void SetupWindow() override;

    void EvHScroll(uint scrollCode, uint thumbPos, HWND hWndCtl);
    void EvVScroll(uint scrollCode, uint thumbPos, HWND hWndCtl);

protected:
    int LineMagnitude;
    int PageMagnitude;

private:
    void Request(uint scrollCode, uint thumbPos);

    DECLARE_RESPONSE_TABLE(TScrollBar);
};

class VELTRANE_API ScrollBar : public TScrollBar {
public:
    enum BottomMode { bmNone = 0, bmBottom = 1 };
    enum { MaxLinked = 5 };

    ScrollBar(TWindow *parent, TWindow *scrolled, int horizontal, BottomMode bottomMode = bmNone);
    ~ScrollBar() override;
    void CleanupWindow() override;

    void SetBarRange(long range, long page, int redraw);
    void SetBarPageSize(long page, int redraw);
    void SetPosition32(long position);
    long GetPosition32() const { return Position; }
    long GetRange32() const { return Range; }
    long GetBarPageSize() const { return BarPageSize; }
    void UpdatePosition();
    void ScrollTo(long position, int update);
    void ScrollBy(long delta, int update) { ScrollTo(Position + delta, update); }
    void SetUnits(int units);
    int GetUnits() const { return Units; }
    void SetPageSize();
    int GetPageSize() const { return PageSize; }
    int GetLineSize() const { return LineSize; }
    void SetLineSize(int size) { LineSize = size; }
    void SetScrollMode(int mode) { ScrollMode = mode; }
    int IsHorizontal() const { return Horizontal; }
    int IsVertical() const { return !Horizontal; }
    BottomMode GetBottomMode() const { return Bottom; }
    // A sixth window is refused: the bar links at most five.
    void AddScrollWindow(TWindow *window);
    void RemoveScrollWindow(TWindow *window);
    int GetScrollWindowCount() const { return LinkedCount; }
    TWindow *GetScrollWindow(int index) const { return index >= 0 && index < LinkedCount ? Linked[index] : 0; }
    // Auto-scrolling on (timer 1, every 100 ms) for a window, off with null.
    void EnableAutoScroll(TWindow *window);
    int IsAutoScrolling() const { return TimerId != 0; }
    virtual void NotifyScrolling(int scrolling);
    virtual void AutoScroll();
    virtual void NotifyNewPos();
    // Moves the window's contents from one pixel offset to another; 0 when it must be repainted.
    virtual int ScrollWindow(TWindow *window, long from, long to);
    virtual void OnAutoScroll();

    void SBLineUp() override;
    void SBLineDown() override;
    void SBPageUp() override;
    void SBPageDown() override;
    void SBThumbPosition(int thumbPos) override;
    void SBThumbTrack(int thumbPos) override;
    void SBTop() override;
    void SBBottom() override;
    void SBEndScroll() override;

    // Conversions between the 32-bit scale and the control's (range above 32767 scaled).
    static int ToControl(long value, long range);
    static long FromControl(int thumb, long range);
    static int PageToControl(long page, long range);

protected:
    long Position;
    long Range;
    int LineSize;
    int PageSize;
    long BarPageSize;
    UINT_PTR TimerId;
    TWindow *AutoScrollWindow;
    int LinkedCount;
    int Units;
    int Horizontal;
    TWindow *Linked[MaxLinked];
    BottomMode Bottom;
    int ScrollMode;
    int LastThumb;
    POINT CursorPoint;

private:
    void StopAutoScrollTimer();
    static void CALLBACK TimerProc(HWND hwnd, UINT, UINT_PTR, DWORD);
};
