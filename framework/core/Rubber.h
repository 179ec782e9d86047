// A rectangle dragged open with the mouse over a window, drawn in XOR on the desktop
// so that it crosses child windows and is erased without repainting.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Geometry.h"
#include "core/UIParts.h"

class TWindow;

class VELTRANE_API Rubber {
public:
    enum { FullWidth = 1, FullHeight = 2 };

    Rubber(TWindow &window, int style);
    virtual ~Rubber();
    Rubber(Rubber const &) = delete;
    Rubber &operator=(Rubber const &) = delete;

    // point in the window's client coordinates; limits in screen coordinates
    void Start(TPoint &point, TRect *limits = 0);
    void Track(unsigned modKeys, TPoint &point);
    void Stop();
    bool Contains(TRect const &r) const { return Rect.Contains(r); }
    bool Contains(TPoint const &p) const { return Rect.Contains(p); }
    TRect const &GetRect() const { return Rect; }
    bool IsHidden() const { return Hidden != 0; }

protected:
    void CheckSize(TRect &r) const;
    virtual void Draw();

    TPoint StartPoint;
    TRect Rect;
    TWindow *Window;
    int Hidden;
    int Style;
    TRect Limits;
};

// The same band drawn as a sizing frame with handles.
class VELTRANE_API RubberHandle : public Rubber {
public:
    RubberHandle(TWindow &window, int style, unsigned handleStyle, int thickness);
    ~RubberHandle() override;

protected:
    void Draw() override;

    TUIHandle Handle;
    unsigned HandleStyle;
    int Thickness;
};
