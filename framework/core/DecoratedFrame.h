// Frames whose client area is shared by the client window and decorations (tool bars,
// status bars, rulers) docked at the top, bottom, left or right. A menu command that
// carries a decoration's identifier shows or hides it; menu items show their hints in
// the message bar (child 32040).
#pragma once

#include "VeltraneDefs.h"

#include "FrameWindow.h"
#include "MdiWindows.h"

enum { IDW_MESSAGEBAR = 32040 };

// The decorations of a frame and how they share its client area. Top and bottom
// decorations span the whole width in insertion order from the edge inwards; left and
// right ones span the height that is left; the client takes the rest.
class VELTRANE_API TDecorations {
public:
    enum TLocation { Top = 1, Bottom = 2, Left = 3, Right = 4 };
    enum THintText { htStatus = 1, htTooltip = 2 };

    explicit TDecorations(TWindow &frame);
    ~TDecorations();
    TDecorations(TDecorations const &) = delete;
    TDecorations &operator=(TDecorations const &) = delete;

    // Records the location in bits 8-11 of the decoration's style.
    void Insert(TWindow &decoration, TLocation location);
    void Remove(TWindow *decoration);
    bool Contains(TWindow const *w) const;
    static TLocation GetLocation(TWindow const &decoration);
    // Places the visible decorations and the client inside the frame's client area.
    void Layout(TWindow *client);
    // A decoration whose identifier is the command: shown or hidden. Returns false
    // when no decoration carries it.
    bool Toggle(uint id, TWindow *client);
    TWindow *FindById(uint id) const;

    // The status-bar hint (kind 1) or the tool tip (kind 2) of a command.
    static int GetHintText(TWindow const &frame, uint id, char *buf, int size, THintText kind);

private:
    TWindow &frame_;
    TWindow **items_;
    int count_;
};

class VELTRANE_API TDecoratedMDIFrame : public TMDIFrame {
public:
    typedef TDecorations::TLocation TLocation;
    typedef TDecorations::THintText THintText;

    TDecoratedMDIFrame(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection = 0,
                       TModule *module = 0);
    ~TDecoratedMDIFrame() override;

    virtual void Layout();
    virtual void Insert(TWindow &decoration, TLocation location);
    virtual int GetHintText(uint id, char *buf, int size, THintText kind) const;

    void SetupWindow() override;
    int PreProcessMsg(MSG &msg) override;
    long EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;

    int GetTrackMenuSelection() const { return trackMenuSelection_; }
    void SetTrackMenuSelection(int on) { trackMenuSelection_ = on; }
    uint GetMenuItemId() const { return menuItemId_; }
    void SetMenuItemId(uint id) { menuItemId_ = id; }
    TDecorations &GetDecorations() { return decorations_; }

    void EvEnterIdle(uint source, uint window);
    void EvMenuSelect(uint item, uint flags, uint menu);
    void EvMenuSelectRaw(uint wp, long lp) { EvMenuSelect(LOWORD(wp), HIWORD(wp), uint(lp)); }
    void EvSize(uint sizeType, TSize &size);

protected:
    // The message bar (child 32040) shows hint texts.
    void SetMessageBarHint(char const *text);

    int trackMenuSelection_;
    uint menuItemId_;
    TDecorations decorations_;

private:
    DECLARE_RESPONSE_TABLE(TDecoratedMDIFrame);
};
