// Scrolls a window's client area through the window's own scroll bars.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Geometry.h"

class TDC;
class TWindow;

class VELTRANE_API TScroller {
public:
    TScroller(TWindow *window, int xUnit, int yUnit, long xRange, long yRange);
    virtual ~TScroller();

    virtual void SetUnits(int xUnit, int yUnit);
    virtual void SetPageSize();
    virtual void SetSBarRange();
    virtual void SetRange(long xRange, long yRange);
    virtual void SetTotalRangeOfUnits(long xTotal, long yTotal);
    virtual void BeginView(TDC &dc, TRect &rect);
    virtual void EndView();
    virtual void VScroll(unsigned scrollCode, int thumbPos);
    virtual void HScroll(unsigned scrollCode, int thumbPos);
    virtual void ScrollTo(long x, long y);
    virtual bool IsAutoMode() { return AutoMode != 0; }
    virtual void AutoScroll();

    void SetWindow(TWindow *window) { Window = window; }
    void ScrollBy(long dx, long dy) { ScrollTo(XPos + dx, YPos + dy); }
    bool IsVisibleRect(long x, long y, int w, int h) const;
    int XScrollValue(long pos) const { return Scale(pos, 32767, XRange); }
    int YScrollValue(long pos) const { return Scale(pos, 32767, YRange); }
    long XRangeValue(int value) const { return Scale(value, XRange, 32767); }
    long YRangeValue(int value) const { return Scale(value, YRange, 32767); }

    TWindow *Window;
    long XPos, YPos;
    long XRange, YRange;
    long XTotalUnits, YTotalUnits;
    int XUnit, YUnit;
    int XLine, YLine;
    int XPage, YPage;
    int AutoMode;
    int TrackMode;
    int AutoOrg;
    int HasHScrollBar, HasVScrollBar;

protected:
    bool HasWindow() const;
    static long Scale(long long v, long long mul, long long div) { return div ? long(v * mul / div) : 0; }
    void Request(bool horizontal, unsigned code, int thumb);
    void MoveWithin(long x, long y, long xLimit, long yLimit);
};

// A scroller in pixels that keeps the last half window visible at the end of the
// range and tells its owner when a scroll gesture starts and ends.
class VELTRANE_API WindowScroller : public TScroller {
public:
    typedef void (*TProc)(void *user);
    WindowScroller(TWindow *window, long xRange, long yRange);

    void SetProc(TProc start, TProc end, void *user) { StartProc = start, EndProc = end, User = user; }
    void SetScrollPos(int bar, int pos, bool redraw);
    void EndView() override;
    void VScroll(unsigned scrollCode, int thumbPos) override;
    void HScroll(unsigned scrollCode, int thumbPos) override;
    void ScrollTo(long x, long y) override;

protected:
    void Gesture(unsigned code, bool horizontal, int thumb);

    int InGesture;
    TProc StartProc, EndProc;
    void *User;
};
