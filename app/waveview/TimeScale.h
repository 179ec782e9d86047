// The time ruler above a view's panes: labelled and minor ticks in the ruler's time unit,
// counted from its origin, and the wave's markers as glyphs. A click sets the caret, a
// marker's glyph is dragged to move, copy (Shift) or delete it, a double click opens the
// marker window or goes to the marker, and its popup menu sets the unit, the look and the
// origin. It scrolls with the panes.
#pragma once

#include "core/Window.h"
#include "waveview/ViewStyle.h"

#include <cstdint>
#include <functional>

class Marker;
class MarkerSet;
class Wave;
class WaveView;
struct RulerStep;

class TimeScale : public TWindow {
public:
    // The popup menu's commands.
    enum {
        kCmUnitSeconds = 142,
        kCmUnitSmpte = 143,
        kCmUnitBytes = 144,
        kCmUnitSamples = 145,
        kCmOriginAtCaret = 146,
        kCmFlat = 147,
        kCmHide = 148,
        kCmUnitBars = 149,
        kCmThreeD = 150,
        kCmFont = 400,
        kCmTickColor = 401,
        kCmShowMarkers = 605,
        kCmNewMarker = 626,
        kCmAddMarkerAtOnce = 627,
        kCmClearOrigin = 636,
        kCmEditMarker = 820,
        kCmMarkerCdTrack = 822,
        kCmDeleteMarker = 831,
    };
    enum { kGlyph = 13 };

    TimeScale(int id, WaveView *view, TimeScaleStyle *style, long origin);
    ~TimeScale() override;

    char const *GetClassNameA() override { return "TimeScale"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    void Paint(TDC &dc, int erase, TRect &area) override;
    // A drag or a hint of this ruler ends with it.
    void CleanupWindow() override;

    // The size of "0000.000000 MB" in the ruler's font (50 x 20 when it cannot be taken).
    void MeasureLabelCell();
    TSize GetLabelCell() const { return labelCell_; }
    int GetPreferredHeight() const { return preferredHeight_; }
    long GetOrigin() const { return origin_; }
    void SetOrigin(long origin) { origin_ = origin; }
    TimeScaleStyle &GetStyle() const { return *style_; }
    void SetStyle(TimeScaleStyle *style) { style_ = style; }
    WaveView *GetView() const { return view_; }

    // The label step at the view's zoom now.
    RulerStep GetStep() const;
    // The ruler's x of a frame, and the frame under a ruler point (with the pane's x).
    int FrameX(long frame) const;
    long PositionAt(TPoint point, int *paneX = nullptr) const;
    long SnappedPositionAt(TPoint point, int snapFlags) const;
    // The visible marker whose glyph is under the point, else null and -1.
    Marker *MarkerAt(TPoint point, int *index) const;

    // ---- mouse (TimeScaleMouse.cpp)
    int EvSetCursor(HWND window, uint hitTest, uint mouseMessage);
    void EvLButtonDown(uint keys, TPoint &point);
    void EvMouseMove(uint keys, TPoint &point);
    void EvLButtonUp(uint keys, TPoint &point);
    void EvLButtonDblClk(uint keys, TPoint &point);
    // The marker being dragged stays under the mouse until the button comes up.
    static bool IsDragging();
    // The ruler and the panes: where a dragged marker may land.
    bool IsInDropArea(TPoint point) const;
    // A marker edit as one undoable step named by a message; the views are told when it
    // changed the set, a failure is shown.
    static void EditMarkers(Wave &wave, int actionMessage, std::function<bool(MarkerSet &)> const &edit);

    // ---- popup menu and commands (TimeScaleMenu.cpp)
    void EvRButtonDown(uint keys, TPoint &point);
    void CmUnit(uint id);
    void CmStyle(uint id);
    void CmFont();
    void CmTickColor();
    void CmOriginAtCaret();
    void CeOriginAtCaret(TCommandEnabler &ce);
    void CmClearOrigin();
    void CeClearOrigin(TCommandEnabler &ce);
    void CmHide();
    void CmShowMarkers();
    void CeShowMarkers(TCommandEnabler &ce);
    void CmDeleteMarker();
    void CeMarkerUnderClick(TCommandEnabler &ce);
    void CmForward(uint id);
    // The marker under the last right click while the popup is open, -1 when none.
    static int GetClickedMarker();
    static void SetClickedMarker(int index);

private:
    TimeScale(TimeScale const &) = delete;
    TimeScale &operator=(TimeScale const &) = delete;

    void DrawTicks(HDC dc, TRect const &client, TRect const &area);
    void DrawLabel(HDC dc, int x, char const *text);
    void DrawMarkers(HDC dc, TRect const &client);
    // The ruler's x minus the pane's.
    int PaneOffset() const;
    // Redraws a marker's glyph area.
    void InvalidateGlyph(long position);
    // Sets this and, with Shift, the other view's ruler to origin.
    void SetOriginHere(long origin);
    void FollowCaretWhilePlaying();
    // The end of a marker drag: position -1 outside the drop area.
    void DropMarker(int index, bool moved, long position, TPoint point);

    TimeScaleStyle *style_;
    int32_t origin_;
    TSize labelCell_;
    int32_t preferredHeight_;
    WaveView *view_;

    DECLARE_RESPONSE_TABLE(TimeScale);
};

// Passes what just changed on view's ruler on to the rulers of the scope of the keys held
// (see ScaleScope.h); what: ScaleChange bits.
void ApplyTimeScaleChange(WaveView *view, int what);
void ApplyTimeScaleChange(WaveView *view, int what, int scope);
