#include "waveview/DropLinks.h"

#include <utility>

namespace {

CrossfadeDropLink *crossfadeLink = nullptr;
CdDropLink *cdLink = nullptr;

}  // namespace

CrossfadeDropLink *TheCrossfadeDropLink() { return crossfadeLink; }

CrossfadeDropLink *SetCrossfadeDropLink(CrossfadeDropLink *link) { return std::exchange(crossfadeLink, link); }

CdDropLink *TheCdDropLink() { return cdLink; }

CdDropLink *SetCdDropLink(CdDropLink *link) { return std::exchange(cdLink, link); }
