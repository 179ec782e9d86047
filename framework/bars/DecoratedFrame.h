// Frames whose client area is shared by the client window and decorations (tool bars,
// status bars, rulers) docked at the top, bottom, left or right, placed by layout
// constraints. A menu command that carries a decoration's identifier shows or hides it;
// menu items show their hints in the message bar (child 32040).
#pragma once

#include "core/VeltraneDefs.h"

#include "core/FrameWindow.h"
#include "core/LayoutWindow.h"
#include "core/SysInfo.h"
#include "core/MdiWindows.h"


class VELTRANE_API TDecoratedFrame : virtual public TFrameWindow, public TLayoutWindow {
public:
    // Kept in bits 8 to 11 of a decoration's creation style.
    enum TLocation { Top = 1, Bottom = 2, Left = 3, Right = 4 };
    enum THintText { htStatus = 1, htTooltip = 2 };

    // Without a client the frame shows a placeholder (its title is the character 7).
    TDecoratedFrame(TWindow *parent, char const *title = 0, TWindow *client = 0, int trackMenuSelection = 0,
                    TModule *module = 0);
    ~TDecoratedFrame() override;

    // Docks the decoration next to the client; a hidden one gets its place when its
    // command first shows it.
    virtual void Insert(TWindow &decoration, TLocation location);
    // The status-bar hint (kind 1) or the tool tip (kind 2) of a command; the length.
    virtual int GetHintText(uint id, char *buf, int size, THintText kind) const;

    void SetupWindow() override;
    // A placeholder that is replaced is deleted and null comes back.
    TWindow *SetClientWindow(TWindow *client) override;
    int PreProcessMsg(MSG &msg) override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;

    int GetTrackMenuSelection() const { return trackMenuSelection_; }
    void SetTrackMenuSelection(int on) { trackMenuSelection_ = on; }
    uint GetMenuItemId() const { return menuItemId_; }
    void SetMenuItemId(uint id) { menuItemId_ = id; }

    static TLocation GetLocation(TWindow const &decoration);
    static bool IsPlaceholder(TWindow const *w);

    void EvEnterIdle(uint source, HWND window);
    void EvMenuSelect(uint item, uint flags, HMENU menu);
    void EvMenuSelectRaw(WPARAM wp, LPARAM lp) { EvMenuSelect(LOWORD(wp), HIWORD(wp), (HMENU)lp); }
    void EvSize(uint sizeType, TSize &size);

protected:
    void RemoveChild(TWindow *child) override;

    // The decoration is placed next to `neighbour` on the side away from the client's
    // centre: above it, below it, to its left or to its right.
    void InsertAtTop(TWindow &decoration, TWindow *neighbour) { Dock(decoration, neighbour, Top); }
    void InsertAtBottom(TWindow &decoration, TWindow *neighbour) { Dock(decoration, neighbour, Bottom); }
    void InsertAtLeft(TWindow &decoration, TWindow *neighbour) { Dock(decoration, neighbour, Left); }
    void InsertAtRight(TWindow &decoration, TWindow *neighbour) { Dock(decoration, neighbour, Right); }
    void Dock(TWindow &decoration, TWindow *neighbour, TLocation location);

    // Records the client-area size and lays out once the frame's window is set up.
    void LayoutAfterSetup();
    // Shows or hides the child decoration with that identifier; false when none has it.
    bool ToggleDecoration(uint id);
    // Answers the enabler for a decoration's command or a tool tip; false when it did not.
    bool DecorationEnable(TCommandEnabler &ce);
    // The message bar (child 32040) shows hint texts; null clears the hint.
    void SetMessageBarHint(char const *text);

    int trackMenuSelection_;
    uint menuItemId_;  // 0 none, -1 an item without a hint
    int settingClient_;

private:
    TWindow *ReplaceClient(TWindow *client);
    TWindow *FindDecoration(uint id) const;
    // The windows attached to a decoration that goes away take over its attachments.
    void CloseUp(TWindow &decoration);

    DECLARE_RESPONSE_TABLE(TDecoratedFrame);
};

// The decorated frame of the multiple-document interface.
class VELTRANE_API TDecoratedMDIFrame : public TDecoratedFrame, public TMDIFrame {
public:
    TDecoratedMDIFrame(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection = 0,
                       TModule *module = 0);
    ~TDecoratedMDIFrame() override;

    void SetupWindow() override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    LRESULT DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) override;

    DECLARE_RESPONSE_TABLE(TDecoratedMDIFrame);
};
