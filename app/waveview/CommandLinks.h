// Commands of the wave window served from above it: the frequency analysis of the
// selection and the sampler's dialogs for the wave. Each subsystem registers its link;
// while one is missing its commands are disabled.
#pragma once

class TWindow;
class Wave;

class AnalysisMenuLink {
public:
    virtual ~AnalysisMenuLink() {}
    // The frequency analysis of the wave's selection in a window of its own; nothing is
    // left behind when it fails.
    virtual void OpenFrequencyAnalysis(Wave &wave) = 0;
};

class SamplerMenuLink {
public:
    virtual ~SamplerMenuLink() {}
    // The sampler and sample number the wave is sent to.
    virtual void OpenTargetDialog(Wave &wave, TWindow *parent) = 0;
    // The wave's sample name, number and root key.
    virtual void OpenSampleInfoDialog(Wave &wave, TWindow *parent) = 0;
};

// Null while none is registered; the setters return the link they replace.
AnalysisMenuLink *TheAnalysisMenuLink();
AnalysisMenuLink *SetAnalysisMenuLink(AnalysisMenuLink *link);
SamplerMenuLink *TheSamplerMenuLink();
SamplerMenuLink *SetSamplerMenuLink(SamplerMenuLink *link);
