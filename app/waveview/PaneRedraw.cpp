#include "waveview/PaneRedraw.h"

#include "waveview/WavePane.h"

namespace {

List<WavePaneToRedraw> &Queued() {
    static List<WavePaneToRedraw> queued(1);
    return queued;
}

}  // namespace

int PanePainting::_depth = 0;

int WavePaneToRedraw::Compare(CollectionElement const &other, int) const {
    WavePaneToRedraw const &o = static_cast<WavePaneToRedraw const &>(other);
    return pane_ == o.pane_ && rect_ == o.rect_ ? 0 : 1;
}

void WavePaneToRedraw::Queue(WavePane *pane, TRect const &rect) {
    Queued().AddUnique(new WavePaneToRedraw(pane, rect));  // a duplicate is deleted
}

// Taken off the queue first: invalidating may paint at once and queue again.
void WavePaneToRedraw::FlushAll() {
    List<WavePaneToRedraw> &queued = Queued();
    while (WavePaneToRedraw *entry = queued.DetachFirst()) {
        if (entry->pane_->GetHandle())
            entry->pane_->InvalidateRect(entry->rect_, true);
        delete entry;
    }
}

void WavePaneToRedraw::Forget(WavePane *pane) {
    List<WavePaneToRedraw> &queued = Queued();
    for (WavePaneToRedraw *entry = queued.GetFirst(), *next; entry; entry = next) {
        next = queued.GetNext(entry);
        if (entry->pane_ == pane)
            queued.Delete(entry);
    }
}

bool WavePaneToRedraw::IsEmpty() { return Queued().GetFirst() == nullptr; }
