#include "FrameWindow.h"

TFrameWindow::TFrameWindow(TWindow *parent, char const *title, TWindow *clientWnd, bool shrinkToClient,
                           TModule *module)
    : TWindow(parent, title, module), ClientWnd(clientWnd) {
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
    if (shrinkToClient)
        SetFlag(wfShrinkToClient);
    if (ClientWnd)
        ClientWnd->SetParent(this);
}
