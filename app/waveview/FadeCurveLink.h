// The fade and crossfade curves a wave view previews over its selection while their
// dialogs run. Their parameters and shapes belong to the effects, which register this
// link; without it no preview is drawn.
#pragma once

struct FadeOpcodes;

class FadeCurveLink {
public:
    // The handle of one curve: its gain index (into the table of fade gains; negative: not
    // drawn) and its time value (the handle lies at (time + 1) tenths of the selection).
    struct Handle {
        int gainIndex;
        int time;
    };

    virtual ~FadeCurveLink() {}
    // 1, or 2 for a crossfade.
    virtual int GetCurveCount(FadeOpcodes const &fade) = 0;
    virtual Handle GetHandle(FadeOpcodes const &fade, int curve) = 0;
    // The height of a curve at position of length for the full height.
    virtual int GetHeight(FadeOpcodes const &fade, int curve, int full, int position, int length) = 0;
};

// Null while the effects have registered none.
FadeCurveLink *TheFadeCurveLink();
FadeCurveLink *SetFadeCurveLink(FadeCurveLink *link);
