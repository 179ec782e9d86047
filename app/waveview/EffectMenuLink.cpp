#include "waveview/EffectMenuLink.h"

namespace {

EffectMenuLink *link = nullptr;

}  // namespace

EffectMenuLink *TheEffectMenuLink() { return link; }

EffectMenuLink *SetEffectMenuLink(EffectMenuLink *next) {
    EffectMenuLink *previous = link;
    link = next;
    return previous;
}
