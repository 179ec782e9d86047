// The strip along one edge of the main frame in which docked tool bars sit in rows. It
// sizes itself to its rows and has the frame lay out again, so that the frame's client
// area follows the tool bars.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Window.h"

class TToolbar;

// The docked bars are the station's child windows: TWindow::IdleAction gives each one
// its idle call (and its command enablers) once a round.
class VELTRANE_API TDockStation : public TWindow {
public:
    // Edge bit (0x1000 left, 0x2000 top, 0x4000 right, 0x8000 bottom) and border lines.
    TDockStation(TWindow *parent, unsigned short style, TModule *module = 0);
    ~TDockStation() override;

    void Append(TToolbar *bar, int newRow);
    // Places a dropped bar at a screen point.
    void Insert(TToolbar *bar, TPoint point);
    void Remove(TToolbar *bar, int relayout);
    // Unlinks a bar that goes away, without touching its window.
    void Forget(TToolbar *bar);
    void LayoutSession();

    void SetAutoTightFit(int);
    int GetAutoTightFit() const { return AutoTightFit; }
    TToolbar *GetFirstToolbar() const { return FirstToolbar; }
    unsigned short GetStyle() const { return Style; }
    int IsHorizontal() const { return Horizontal; }

    int Create() override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    int PreProcessMsg(MSG &msg) override;

    int EvEraseBkgnd(WPARAM hDC);
    void EvMenuSelectRaw(WPARAM wp, LPARAM lp);
    void EvEnterIdle(uint source, HWND window);
    void EvSysColorChange() { TWindow::EvSysColorChange(); }
    uint EvNCCalcSize(int calcValidRects, LPARAM params);
    void EvNCPaint(WPARAM region);

protected:
    unsigned short Style;
    int AutoTightFit;
    int Horizontal;
    TToolbar *FirstToolbar;

private:
    // Where a dropped bar goes: after Prev, before Follower; RowStart is the first bar of the row it
    // joins, when it joins one.
    struct TDropPlace {
        TToolbar *Prev = 0, *Follower = 0, *RowStart = 0;
    };

    TToolbar *LastToolbar() const;
    // Puts a bar into the chain after prev (0: first).
    void Link(TToolbar *bar, TToolbar *prev);
    // The coordinate along the station.
    int Along(TPoint const &p) const;
    // The length along the station a bar asks for.
    int LengthOf(TToolbar *bar) const;
    // The end of the client area along the station.
    int FarEdge() const;
    TPoint ToClient(TPoint screen) const;

    // The row whose top band holds the screen point, else the bar before which the point starts a row.
    TDropPlace RowAt(TPoint const &point) const;
    // In the row: after the bars that start before the point; then the bar no longer starts the row.
    void PlaceInRow(TToolbar *bar, TPoint const &point, TDropPlace &place) const;
    // A bar whose old follower started a row hands that to its new follower.
    static void PassRowStart(TToolbar *bar, TDropPlace const &place);
    // Followers in the bar's row make room after it from `running` on; the first that would start at or
    // beyond the far edge wraps to a new row.
    void WrapFollowers(TToolbar *bar, int running, int farEdge);

    DECLARE_RESPONSE_TABLE(TDockStation);
};
