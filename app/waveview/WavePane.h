// The window that shows one channel of a wave in a view: background, selection and its
// level band, zero and 50 % lines, the waveform from the view's peak cache, markers, the
// fade preview, the caret and the play cursor. The caret and the play cursor are drawn by
// inverting, so moving them repaints no waveform.
#pragma once

#include "core/Window.h"
#include "waveview/PaneGeometry.h"
#include "waveview/ViewStyle.h"

#include <cstdint>

class TBitmap;
class TDC;
class Wave;
class WavePeakCache;
class WaveView;
struct PeakEntry;

class WavePane : public TWindow {
public:
    enum Cursor { kCaret = 0, kPlayCursor = 1 };
    // Commands of the pane's context menu.
    enum {
        kCmColorWave = 450,
        kCmColorBack = 451,
        kCmColorSelWave = 452,
        kCmColorSelBack = 453,
        kCmColorAxis = 454,
        kCmColorAxis50 = 455,
        kCmColorCaret = 456,
        kCmColorMarker = 602,
        kCmCaretWidth1 = 570,
        kCmCaretWidth3 = 572,
        kCmMarkersSolid = 603,
        kCmMarkersDotted = 604,
        kCmMarkerNames = 821,
    };

    WavePane(WaveView *view, Wave *wave, int channel, WavePaneColors *colors);
    ~WavePane() override;

    char const *GetClassNameA() override { return "WavePane"; }
    void GetWindowClass(WNDCLASSA &wc) override;

    // Draws rect of the client area (off-screen when the flag says so).
    virtual void Draw(TRect const &rect, int offscreen);
    // Frames first..last (with the caret's width) drawn again at once; a negative argument:
    // the whole pane.
    void InvalidateFrames(int first, int last);
    // Moves the caret or the play cursor to a frame; -1 hides it.
    void DrawCursor(int which, int frame);
    // The caret's blink step at frame, by the frame's blink phase.
    void ShowCaretBlink(int frame);
    // Shows the caret now: phase 2, then a blink step at the wave's caret.
    void ShowCaretNow();
    // The frame a cursor stands at, -1 when it is not drawn.
    int GetCursorFrame(int which) const { return cursors_[which].frame; }
    // While the scroll bar scrolls, the off-screen bitmap is kept between paints.
    void SetScrolling(int scrolling);
    // The scroll bar's automatic step while the mouse is held outside: the selection
    // follows the mouse.
    void AutoScrollSelect();

    // ---- the mouse (WavePaneMouse.cpp, drops in WavePaneDrop.cpp)
    // The channels a press at the point chooses (1 left, 2 right, 3 both).
    int ChannelsAt(TPoint const &point) const;
    // 0 nothing, 1 a selection edge, 2 the level band's edge, 3 inside the selection.
    int HitTestSelection(TPoint const &point) const;
    // The frame of the nearest magnetic place within 5 pixels of x (x moves onto it), else
    // -1. Flags: 1 markers, 2 caret, 4 start and origin, 8 length, 0x10 and 0x20 the
    // selection's start and end + 1.
    int SnapToMagnet(int &x, int flags) const;
    // Inverts the drop lines at x: in this pane, with two lines in both panes of the view
    // (also the line of a marker dragged on the ruler).
    void InvertDropLines(int x, int lines);
    void SetCaretAt(TPoint const &point);
    // Moves the selected audio a step left (tool 3) or right (4).
    void NudgeSelection(int tool);
    void DragSelectionTo(int x);
    // The 16-bit level at y; with snap the rows beside the zero line are 0.
    int LevelAtY(int y, int snap) const;
    // The cursor a press at the point would show; with set it is shown at once.
    void UpdateCursor(TPoint const &point, int set);
    // Where the mouse is over a wave, -1 when nowhere (for the ruler and the status bar).
    static int GetMouseFrame();
    // The cursor number the last update chose (resource number, or the system's).
    static int GetChosenCursor();
    // Whether a pane holds the mouse for a gesture now.
    static int IsGestureActive();

    PaneGeometry Geometry() const;
    // The x of a frame and the frame at an x.
    int FrameX(int frame) const;
    int FrameAt(int x) const;
    int GetChannel() const { return channel_; }
    int GetChannelBit() const { return channelBit_; }
    int GetMargin() const { return margin_; }
    WaveView *GetView() const { return view_; }
    Wave *GetWave() const { return wave_; }
    WavePaneColors &GetColors() const { return *colors_; }
    void SetColors(WavePaneColors *colors) { colors_ = colors; }
    int WasPaintedOnce() const { return paintedOnce_; }

    // A test makes the overview's next first fits fail.
    static void FailNextFits(int count);

    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvRButtonDown(uint modKeys, TPoint &point);
    int EvSetCursor(HWND hWndCursor, uint hitTest, uint mouseMsg);
    void EvCaptureChanged(LPARAM capture);
    void EvCancelMode();
    void EvDestroy();
    void EvPaint();
    void EvSize(uint sizeType, TSize &size);
    int EvEraseBkgnd(WPARAM dc);

private:
    struct CursorSlot {
        int32_t frame;
        int32_t x;  // of the frame from the wave's start, without the scroll position
    };
    // What Draw computes once for the steps.
    struct Columns;
    struct LineState;

    WavePane(WavePane const &) = delete;
    WavePane &operator=(WavePane const &) = delete;

    // A paint inside another pane's paint: the rectangle goes to the queue.
    void PaintNested();
    // The overview fits the whole wave on its first paint.
    void FitOnFirstPaint();
    void DrawWaveform(TDC &dc, Columns const &c);
    void DrawBackground(TDC &dc, Columns const &c);
    void DrawAxes(TDC &dc, Columns const &c);
    void DrawPeaks(TDC &dc, Columns const &c, PeakEntry const *peaks, int origin, int firstX, int lastX,
                   LineState &line);
    void DrawMarkers(TDC &dc, Columns const &c);
    void DrawCursors(TDC &dc, Columns const &c);
    void DrawFadePreview(TDC &dc, Columns const &c);
    // Reports a failure of this pane's paint once.
    void ReportOnce(class AException const &e);
    // Inverts the columns from..to (exclusive) over the client height.
    void InvertColumns(TDC &dc, int from, int to);
    bool CursorBelongs(int which) const;
    // Selection columns, when the selection covers this pane's channel.
    bool SelectionColumns(int &x1, int &x2) const;
    int CaretWidth() const;
    void PickColor(WavePaneColors::Index index, bool inverted);

    // Mouse gestures (WavePaneMouse.cpp).
    void PressSelect(TPoint const &point, struct HeldKeys const &keys);
    void PressPlay(TPoint const &point);
    void PressZoom(TPoint const &point);
    void StartSelectionDrag(int grab, struct HeldKeys const &keys);
    void StartLevelDrag();
    void DragLevelTo(int y);
    void MoveDuringDrag(uint modKeys, TPoint const &point);
    void FinishRubber();
    void FinishSelectionDrag();
    // The gesture's end on every path: capture, playback and the process-wide state.
    void EndGesture();
    // The frame at x, inside the wave.
    int ClampedFrameAt(int x) const;
    int CursorFor(TPoint const &point);
    // Drag and drop (WavePaneDrop.cpp): the drop lines follow the mouse; the drop itself.
    int DropCursor(TPoint const &point);
    void Drop(TPoint const &point);
    // The drop lines follow the drop position of an insert (kinds 3-6), else they go.
    void TrackDropLines(WavePane *target, int kind, int x);

    WavePaneColors *colors_;
    CursorSlot cursors_[2] = {{-1, 0}, {-1, 0}};
    int32_t paintedOnce_ = 0;
    WavePeakCache *cache_;
    TDC *paintDC_ = nullptr;
    TDC *drawDC_ = nullptr;
    TBitmap *bitmap_ = nullptr;
    WaveView *view_;
    Wave *wave_;
    int32_t margin_;
    int32_t keepBitmap_ = 0;
    int32_t channel_;
    int32_t channelBit_;
    int32_t reported_ = 0;
    // The gesture's press: anchor frame, point, which edge moves, the channels dragged and
    // the offsets between the press and the grabbed edge.
    int32_t anchor_ = 0;
    TPoint down_;
    int32_t dragStart_ = 0;
    int32_t dragEnd_ = 0;
    int32_t dragChannels_ = 0;
    int32_t grabX_ = 0;
    int32_t grabY_ = 0;

    static unsigned long _outerGeneration;
    static int _failFits;

    DECLARE_RESPONSE_TABLE(WavePane);
};

// The line between two panes.
class WavePaneSeparator : public TWindow {
public:
    explicit WavePaneSeparator(WaveView *view);
    char const *GetClassNameA() override { return "WPSeparator"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    WaveView &GetView() const { return view_; }

    void EvLButtonDown(uint modKeys, TPoint &point);
    int EvSetCursor(HWND hWndCursor, uint hitTest, uint mouseMsg);

private:
    WaveView &view_;

    DECLARE_RESPONSE_TABLE(WavePaneSeparator);
};
