// Pane paints that arrived while another pane painted: a paint can run a nested message
// loop (a peak file built with a progress bar), so a paint asked meanwhile is queued and
// drawn once the outer paint has ended, or at the next idle time. GUI thread only.
#pragma once

#include "core/Geometry.h"
#include "foundation/Lists.h"

class WavePane;

class WavePaneToRedraw : public ListElement {
public:
    WavePaneToRedraw(WavePane *pane, TRect const &rect) : pane_(pane), rect_(rect) {}
    int Compare(CollectionElement const &other, int flags) const override;

    // Queues a rectangle of a pane unless it is queued already.
    static void Queue(WavePane *pane, TRect const &rect);
    // Invalidates every queued rectangle and empties the queue.
    static void FlushAll();
    // A pane that goes takes its rectangles along.
    static void Forget(WavePane *pane);
    static bool IsEmpty();

private:
    WavePane *pane_;
    TRect rect_;
};

// Set while a pane paints (one for the process).
class PanePainting {
public:
    PanePainting() { ++_depth; }
    ~PanePainting() { --_depth; }
    PanePainting(PanePainting const &) = delete;
    PanePainting &operator=(PanePainting const &) = delete;
    static bool IsActive() { return _depth > 0; }

private:
    static int _depth;
};
