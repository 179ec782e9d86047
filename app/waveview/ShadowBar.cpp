#include "waveview/ShadowBar.h"

#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/Module.h"
#include "waveview/DoubleView.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

namespace {

int const kBandPattern = 22012;

}  // namespace

ShadowBar::ShadowBar(WaveView &view) : TWindow(&view, 0), view_(view) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    SetBkgndColor(TColor::Transparent);
}

bool ShadowBar::GetBand(int &from, int &to) const {
    DoubleView *doubleView = view_.GetDoubleView();
    WaveView *main = doubleView ? doubleView->GetMainView() : nullptr;
    WavePane *shown = main ? main->GetFirstPane() : nullptr;
    WavePane *here = view_.GetFirstPane();
    if (!shown || !here || !shown->GetHandle())
        return false;
    TRect r = shown->GetClientRect();
    int first = shown->FrameAt(r.left), last = shown->FrameAt(r.right);
    from = here->FrameX(first);
    to = here->FrameX(last);
    return true;
}

void ShadowBar::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    WavePane *pane = view_.GetFirstPane();
    HBRUSH back = ::CreateSolidBrush(pane ? pane->GetColors().colors[WavePaneColors::kBack] : 0x00FFFFFF);
    ::FillRect(dc, &r, back);
    ::DeleteObject(back);
    int from, to;
    if (!GetBand(from, to) || to <= from)
        return;
    HINSTANCE module = TModule::_commonResourceDLL ? TModule::_commonResourceDLL->GetHandle() : nullptr;
    HBITMAP pattern = module ? ::LoadBitmapA(module, MAKEINTRESOURCEA(kBandPattern)) : nullptr;
    HBRUSH brush = pattern ? ::CreatePatternBrush(pattern) : ::CreateHatchBrush(HS_DIAGCROSS, 0x00808080);
    HGDIOBJ old = ::SelectObject(dc, brush);
    ::PatBlt(dc, from, r.top + 1, to - from, r.Height() - 2, PATINVERT);
    ::SelectObject(dc, old);
    ::DeleteObject(brush);
    if (pattern)
        ::DeleteObject(pattern);
}
