#include "effects/FadePreviewLink.h"

#include "effects/FadeCurve.h"
#include "waveview/DoubleView.h"
#include "waveview/FadeCurveLink.h"
#include "waveview/WaveView.h"

namespace {

// The views are only ever given previews, whose second curve belongs to a crossfade.
class FadeCurveRegistration : public FadeCurveLink {
public:
    int GetCurveCount(FadeOpcodes const &fade) override {
        auto const *preview = dynamic_cast<FadePreview const *>(&fade);
        return preview ? preview->curves : 1;
    }

    Handle GetHandle(FadeOpcodes const &fade, int curve) override {
        FadeOpcodes const &record = Curve(fade, curve);
        return Handle{record.level < 0 ? -1 : ClampFadeLevel(record.level), ClampFadeTime(record.time)};
    }

    int GetHeight(FadeOpcodes const &fade, int curve, int full, int position, int length) override {
        return length > 0 ? FadeCurve(Curve(fade, curve)).Apply(full, position, length) : full;
    }

private:
    static FadeOpcodes const &Curve(FadeOpcodes const &fade, int curve) {
        auto const *preview = dynamic_cast<FadePreview const *>(&fade);
        return preview && curve == 1 ? preview->second : fade;
    }
};

}  // namespace

FadeCurveLink *RegisterFadeCurve() {
    static FadeCurveRegistration registration;
    return SetFadeCurveLink(&registration);
}

void ShowFadePreview(FadePreview const *preview) {
    if (DoubleView *active = DoubleView::GetActive())
        if (WaveView *view = active->GetMainView())
            view->SetFadePreview(preview);
}
