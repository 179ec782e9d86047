// Frame windows: an overlapped window that holds a client window.
#pragma once

#include "Window.h"

class VELTRANE_API TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow *parent, char const *title = 0, TWindow *clientWnd = 0, bool shrinkToClient = false,
                 TModule *module = 0);
    TWindow *GetClientWindow() const { return ClientWnd; }

protected:
    TWindow *ClientWnd;
};
