// Drops of selected audio that subsystems above the wave window carry out: onto another
// wave's selection the effects' crossfade, onto a CD program view the CD program. Each
// registers its link; while one is missing, its drops have no target.
#pragma once

#include <windows.h>

class Wave;

class CrossfadeDropLink {
public:
    virtual ~CrossfadeDropLink() {}
    // Crossfades target's first..last on channels with source's sourceFirst..sourceLast by
    // the crossfade's current settings, as one undoable step.
    virtual void Crossfade(Wave &target, int channels, int first, int last, Wave &source, int sourceFirst,
                           int sourceLast) = 0;
};

class CdDropLink {
public:
    virtual ~CdDropLink() {}
    // Whether the window is a CD program view that takes dropped audio (window message
    // kCdDropMessage, the source wave and the drop point in the view's client coordinates).
    virtual int IsCdProgramView(HWND window) = 0;
};

enum { kCdDropMessage = 3026 };

// Null while none is registered; the setters return the link they replace.
CrossfadeDropLink *TheCrossfadeDropLink();
CrossfadeDropLink *SetCrossfadeDropLink(CrossfadeDropLink *link);
CdDropLink *TheCdDropLink();
CdDropLink *SetCdDropLink(CdDropLink *link);
