#include "effects/FadePreviewLink.h"

namespace {

FadePreview const *_shown = nullptr;

}  // namespace

void ShowFadePreview(FadePreview const *preview) { _shown = preview; }

FadePreview const *GetShownFadePreview() { return _shown; }
