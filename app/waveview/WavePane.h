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
    // The scroll bar's automatic step while the mouse is held outside.
    void AutoScrollSelect();

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
};
