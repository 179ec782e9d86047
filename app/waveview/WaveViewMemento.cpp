#include "waveview/WaveViewMemento.h"

#include "waveview/WaveWindowSettings.h"
#include "waveview/ZoomState.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

WINDOWPLACEMENT NoPlacement() {
    WINDOWPLACEMENT p;
    std::memset(&p, 0, sizeof p);
    return p;
}

int32_t Clamped(int32_t v, int32_t low, int32_t high) { return std::min(std::max(v, low), high); }

// A stored zoom: -1 (and the impossible 0) is -2; the table's ends bound it.
int32_t ClampedZoom(int32_t z) {
    ZoomState table = ZoomState::Horizontal();
    z = Clamped(z, table.Entry(0), table.Entry(table.TableSize() - 1));
    return z == -1 || z == 0 ? -2 : z;
}

int const kMaxHeight = 16384;

}  // namespace

WaveViewGlobalMemento::WaveViewGlobalMemento() : MDIChildMemento(NoPlacement()), defaultFlag(1), words() {
    words.verticalZoom[0] = words.verticalZoom[1] = 1;
    words.overviewHeight = kDefaultOverviewHeight;
    WaveWindowSettings const &settings = TheWaveWindowSettings();
    views.overviewOpen = settings.loaded ? 1 : 0;
    views.views[0] = StyleSetBlock(0, 0);
    views.views[1] = StyleSetBlock(0, 1);
}

WaveViewGlobalMemento::WaveViewGlobalMemento(RECT const &rect) : WaveViewGlobalMemento() {
    placement.rcNormalPosition = rect;
}

bool WaveViewGlobalMemento::HasRectangleOnly() const {
    RECT const &r = placement.rcNormalPosition;
    return placement.length == 0 && r.left < r.right && r.top < r.bottom;
}

void WaveViewGlobalMemento::Clamp() {
    if (placement.length)
        placement.length = sizeof placement;
    for (int i = 0; i < 2; ++i) {
        words.origin[i] = std::max(words.origin[i], 0);
        words.firstFrame[i] = std::max(words.firstFrame[i], 0);
        words.zoom[i] = ClampedZoom(words.zoom[i]);
        words.verticalZoom[i] = Clamped(words.verticalZoom[i], 1, 256);
        ClampViewStyleBlock(views.views[i]);
    }
    words.verticalPosition = Clamped(words.verticalPosition, 0, 256 * 100);
    words.overviewHeight = Clamped(words.overviewHeight, 0, kMaxHeight);
    views.overviewOpen = views.overviewOpen != 0;
}

PackedMemento *PackViewMemento(WaveViewGlobalMemento const &memento) {
    PackedViewMemento p;
    p.length = sizeof p;
    p.version = WaveViewGlobalMemento::kVersion;
    p.placement = memento.placement;
    p.words = memento.words;
    p.views = memento.views;
    void *block = PackedMemento::Allocate(sizeof p);
    std::memcpy(block, &p, sizeof p);
    return static_cast<PackedMemento *>(block);
}

WaveViewGlobalMemento *UnpackViewMemento(void const *block, size_t sizeRead) {
    std::unique_ptr<WaveViewGlobalMemento> memento(new WaveViewGlobalMemento);
    unsigned long length = PackedMemento::GetLength(block);
    if (!block || sizeRead < sizeof(PackedViewMemento) || length < sizeof(PackedViewMemento) || length > sizeRead)
        return memento.release();
    PackedViewMemento p;
    std::memcpy(&p, block, sizeof p);
    if (p.version != WaveViewGlobalMemento::kVersion)
        return memento.release();
    memento->defaultFlag = 0;
    memento->placement = p.placement;
    memento->words = p.words;
    memento->views = p.views;
    memento->Clamp();
    return memento.release();
}
