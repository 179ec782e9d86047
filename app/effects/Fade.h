// Fade and crossfade. The fade scales the selected range along a fade curve, in or out;
// the crossfade joins a second wave's range (the clipboard's) to the selection: the
// selection fades out, the second range's start fades in and is mixed over it, and the
// rest of the second range follows.
#pragma once

#include "effects/FadeOpcodes.h"
#include "effects/ProcessorClass.h"

class Wave;

// Fewer than two frames are not faded. redraw: the views are told at the end.
void ApplyFade(Wave &wave, int channels, int first, int last, FadeOpcodes const &record, int redraw, int recordUndo);

// One undo step, markers included; a second range shorter than the selection is refused
// before anything changes, and any failure leaves the wave as it was.
void ApplyCrossfade(Wave &wave, int channels, int first, int last, XFadeOpcodes const &record, Wave &second,
                    int secondFirst, int secondLast, int recordUndo);

class FadeProcessor : public ProcessorOf<FadeOpcodes> {
public:
    using ProcessorOf::ProcessorOf;

protected:
    void Read(Config &config, FadeOpcodes &record) const override;
    void Write(FadeOpcodes const &record, Config &config) const override;
    int Open(FadeOpcodes &record, int givenRecord) override;
};

class XFadeProcessor : public ProcessorOf<XFadeOpcodes> {
public:
    using ProcessorOf::ProcessorOf;

protected:
    void Read(Config &config, XFadeOpcodes &record) const override;
    void Write(XFadeOpcodes const &record, Config &config) const override;
    int Open(XFadeOpcodes &record, int givenRecord) override;
};
