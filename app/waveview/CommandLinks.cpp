#include "waveview/CommandLinks.h"

namespace {

AnalysisMenuLink *analysis = nullptr;
SamplerMenuLink *sampler = nullptr;

template <class Link>
Link *Replace(Link *&slot, Link *next) {
    Link *previous = slot;
    slot = next;
    return previous;
}

}  // namespace

AnalysisMenuLink *TheAnalysisMenuLink() { return analysis; }

AnalysisMenuLink *SetAnalysisMenuLink(AnalysisMenuLink *link) { return Replace(analysis, link); }

SamplerMenuLink *TheSamplerMenuLink() { return sampler; }

SamplerMenuLink *SetSamplerMenuLink(SamplerMenuLink *link) { return Replace(sampler, link); }
