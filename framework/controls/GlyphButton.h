// A push button the framework draws itself: a 3-D face with an optional glyph for the
// normal, pressed and disabled looks, the window text beside it, the focus rectangle and
// the default-button frame, with the mouse, keyboard and messages of a system push button.
#pragma once

#include "controls/Button.h"

#include "core/Color.h"
#include "core/GdiObject.h"

class VELTRANE_API TGlyphButton : public TButton {
public:
    enum TGlyphType { gtUp = 0, gtDisabled = 3, gtDown = 4, gtFocus = 5 };
    enum TLayoutStyle { lsNone = 0, lsH_SGST = 1, lsH_GST = 2 };
    enum TState {
        biPushed = 0x01,
        biFocus = 0x02,
        biDefault = 0x04,
        biDisabled = 0x08,
        biShowText = 0x10,
        biShowGlyph = 0x20,
    };

    TGlyphButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h, int isDefault = 0,
                 TModule *module = 0);
    TGlyphButton(TWindow *parent, int resourceId, TModule *module = 0);
    ~TGlyphButton() override;

    // Takes ownership; replaces (and deletes) the glyph of that type.
    void SetGlyph(TBitmap *bitmap, TGlyphType type = gtUp);
    // Loads a bitmap resource (module null: the window's own).
    void SetGlyph(TResId resId, TModule *module = 0, TGlyphType type = gtUp);
    // A null handle clears the slot.
    void SetGlyph(HBITMAP bitmap, TGlyphType type = gtUp, TAutoDelete autoDelete = NoAutoDelete);
    void SetLayoutStyle(TLayoutStyle style);
    void SetTextOrigin(int x, int y);
    void SetGlyphOrigin(int x, int y);
    int Set(int bits) { return StateBits |= bits; }
    int Clear(int bits) { return StateBits &= ~bits; }
    bool IsSet(int bits) const { return (StateBits & bits) != 0; }

    void Paint(TDC &dc, int erase, TRect &rect) override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;

protected:
    // Places the text and glyph rectangles (both at their own size) inside the face.
    virtual void LayoutTextGlyph(TRect const &faceRect, TRect &textRect, TRect &glyphRect);

    void PaintButton(TDC &dc);
    void PaintNow();
    void PaintDefaultRect(TDC &dc, TRect &rect);
    void PaintFrame(TDC &dc, TRect &rect);
    void PaintFace(TDC &dc, TRect &rect);
    void PaintFocusRect(TDC &dc, TRect const &faceRect);
    void ClearCapture();
    void Clicked();

    void EvPaint();
    int EvEraseBkgnd(WPARAM hDC);
    void EvSetFocus(WPARAM hWndLostFocus);
    void EvKillFocus(WPARAM hWndGetFocus);
    LRESULT EvGetFont(WPARAM, LPARAM);
    void EvSetFont(WPARAM hFont, LPARAM redraw);
    uint EvGetDlgCode(WPARAM key, LPARAM msg);
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvKeyUp(uint key, uint repeatCount, uint flags);
    void EvEnable(int enabled);
    void EvCancelMode();
    LRESULT BmSetState(WPARAM state, LPARAM);
    LRESULT BmGetState(WPARAM, LPARAM);
    LRESULT BmSetStyle(WPARAM style, LPARAM);

    TBitmap *UpGlyph;
    TBitmap *DownGlyph;
    TBitmap *FocusGlyph;
    TBitmap *DisabledGlyph;
    TFont *BtnFont;
    int xGlyph, yGlyph;
    int xText, yText;
    TLayoutStyle LayStyle;
    int StateBits;

private:
    void Init();
    void ChangeOrigin(int &xOrigin, int &yOrigin, int x, int y);
    static LRESULT CALLBACK ClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    DECLARE_RESPONSE_TABLE(TGlyphButton);
};
