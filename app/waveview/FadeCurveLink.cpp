#include "waveview/FadeCurveLink.h"

namespace {

FadeCurveLink *link = nullptr;

}  // namespace

FadeCurveLink *TheFadeCurveLink() { return link; }

FadeCurveLink *SetFadeCurveLink(FadeCurveLink *next) {
    FadeCurveLink *previous = link;
    link = next;
    return previous;
}
