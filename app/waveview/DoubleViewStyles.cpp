// The double view's style commands: a window takes one of the six style sets (278-283),
// and its look is stored as one (284).
#include "waveview/DoubleView.h"

#include "core/Application.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/SaveStyleDialog.h"
#include "waveview/ViewStyle.h"
#include "waveview/WaveView.h"
#include "waveview/WaveViewMemento.h"

namespace {

enum { kTextDefaultStyle = 11030 };

}  // namespace

void DoubleView::ApplyStyleSet(int set) {
    ViewStateBlock &views = memento_->views;
    for (int i = 0; i < 2; ++i)
        views.views[i] = StyleSetBlock(set, i);
    for (WaveView *view : {main_, overview_})
        if (view)
            view->ReadStyleBlock();
    Invalidate(true);
}

void DoubleView::CmApplyStyle(uint id) { ApplyStyleSet(int(id) - kCmStyleDefault); }

// The first is "default" in the user's language, the others by their names.
void DoubleView::CeApplyStyle(TCommandEnabler &ce) {
    ce.Enable(1);
    int set = int(ce.GetId()) - kCmStyleDefault;
    String text = set ? StyleSetName(set) : String(FindString(kTextDefaultStyle));
    ce.SetText(text.c_str());
}

void DoubleView::CmSaveStyle() {
    try {
        RunSaveStyleDialog(*this);
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}
