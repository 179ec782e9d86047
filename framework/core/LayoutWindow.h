// A window that places its children by constraints relative to siblings or to itself.
#pragma once

#include "core/LayoutMetrics.h"
#include "core/LayoutSolver.h"
#include "core/Window.h"

class VELTRANE_API TLayoutWindow : virtual public TWindow {
public:
    TLayoutWindow(TWindow *parent, char const *title = 0, TModule *module = 0);
    ~TLayoutWindow() override;

    // Marks the constraints changed; a new child goes to the front.
    void SetChildLayoutMetrics(TWindow &child, TLayoutMetrics &metrics);
    int GetChildLayoutMetrics(TWindow &child, TLayoutMetrics &metrics);
    int RemoveChildLayoutMetrics(TWindow &child);
    virtual void Layout();
    // A child laid out here that changed its own size: the others follow it now.
    void ChildResized(TWindow &child);

    void EvSize(uint sizeType, TSize &size);

protected:
    TLayoutWindow();
    void RemoveChild(TWindow *child) override;
    int GetFontHeight();

    TSize ClientSize;  // the size last laid out
    int FontHeight;
    TLayoutSolver Solver;

    DECLARE_RESPONSE_TABLE(TLayoutWindow);
};
