#include "waveview/ScaleScope.h"

#include "audio/Wave.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/MouseKeys.h"
#include "waveview/WaveView.h"

#include <windows.h>

namespace {

void AddViewsOf(Document &document, WaveView &source, std::vector<WaveView *> &views) {
    List<View> &list = document.GetViews();
    for (View *view = list.GetFirst(); view; view = list.GetNext(view)) {
        DoubleView *doubleView = dynamic_cast<DoubleView *>(view);
        if (!doubleView || doubleView == source.GetDoubleView())
            continue;
        WaveView *same = source.IsOverview() ? doubleView->GetOverview() : doubleView->GetMainView();
        if (same)
            views.push_back(same);
    }
}

}  // namespace

ScaleScope ScopeOfKeys() {
    HeldKeys keys = ReadHeldKeys();
    if (!keys.ctrl)
        return kScopeThisWindow;
    return keys.shift ? kScopeAllWaves : kScopeThisWave;
}

std::vector<WaveView *> ViewsInScope(WaveView &source, ScaleScope scope) {
    std::vector<WaveView *> views(1, &source);
    if (scope == kScopeThisWave || !_docManager) {
        if (scope != kScopeThisWindow)
            AddViewsOf(*source.GetWave(), source, views);
        return views;
    }
    if (scope == kScopeAllWaves) {
        List<Document> &documents = _docManager->GetDocList();
        for (Document *document = documents.GetFirst(); document; document = documents.GetNext(document))
            if (dynamic_cast<Wave *>(document))
                AddViewsOf(*document, source, views);
    }
    return views;
}
