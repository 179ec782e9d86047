// The window's painting handlers: paint, background erasing and control colours.
#include "core/Window.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/Scroller.h"

void TWindow::Paint(TDC &, int, TRect &) {}

void TWindow::EvPaint() {
    if (IsFlagSet(wfAlias)) {
        DefaultProcessing();
        return;
    }
    TPaintDC dc(HWindow);
    TRect &rect = *(TRect *)&dc.Ps.rcPaint;
    if (Scroller)
        Scroller->BeginView(dc, rect);
    // A failed paint still ends the view; the paint context is released as it unwinds
    // and the failure goes on to the window procedure.
    auto endView = [this] {
        if (Scroller)
            Scroller->EndView();
    };
    try {
        Paint(dc, dc.Ps.fErase, rect);
    } catch (...) {
        endView();
        throw;
    }
    endView();
}

int TWindow::EvEraseBkgnd(WPARAM hDC) {
    if (BkgndColor == TColor::None)
        return (int)DefaultProcessing();
    if (BkgndColor == TColor::Transparent)
        return 1;
    HDC dc = (HDC)hDC;
    TBrush brush(BkgndColor);
    TRect client;
    ::GetClientRect(HWindow, &client);
    HGDIOBJ old = ::SelectObject(dc, brush);
    ::PatBlt(dc, client.left, client.top, client.Width(), client.Height(), PATCOPY);
    ::SelectObject(dc, old);
    ::SetBkColor(dc, BkgndColor.GetValue());
    return 1;
}

HBRUSH TWindow::EvCtlColor(HDC hDC, HWND, uint ctlType) {
    if (BkgndColor == TColor::None || BkgndColor == TColor::Transparent || ctlType == CTLCOLOR_EDIT ||
        ctlType == CTLCOLOR_LISTBOX)
        return (HBRUSH)DefaultProcessing();
    ::SetBkColor(hDC, BkgndColor.GetValue());
    // the framework's cached brush of the colour outlives this wrapper
    return (HBRUSH)TBrush(BkgndColor);
}

int TWindow::GetUpdateRgn(TRegion &region, int erase) const { return ::GetUpdateRgn(HWindow, region, erase); }

