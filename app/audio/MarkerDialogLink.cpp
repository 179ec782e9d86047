#include "audio/MarkerDialogLink.h"

#include <atomic>

namespace {

class PresetChoice : public MarkerDialogLink {
public:
    int RunMarkerDialog(MarkerSet &, int, int, MarkerChoice &, int) override { return 1; }
};

PresetChoice presetChoice;
std::atomic<MarkerDialogLink *> registeredLink{nullptr};

}  // namespace

MarkerDialogLink &TheMarkerDialog() {
    MarkerDialogLink *link = registeredLink.load();
    return link ? *link : presetChoice;
}

MarkerDialogLink *SetMarkerDialogLink(MarkerDialogLink *link) { return registeredLink.exchange(link); }
