// A small self-drawn tab control (class "Yrt_Notetab") whose tabs hang down from a line
// at its top, like sheet tabs. It keeps the tabs and the selection and tells its parent
// about changes with the system tab control's notifications; it manages no pages.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/Control.h"

#include "foundation/Strings.h"

#include <vector>

class TFont;

struct VELTRANE_API TNoteTabItem {
    TNoteTabItem() : Rect(0, 0, 0, 0), LabelSize(0, 0), ClientData(0) {}
    TRect Rect;
    String Label;
    TSize LabelSize;
    unsigned long ClientData;
};

class VELTRANE_API TNoteTab : public TControl {
public:
    TNoteTab(TWindow *parent, int id, int x, int y, int w, int h, TWindow *buddy = 0, int dialogFace = 1,
             TModule *module = 0);
    TNoteTab(TWindow *parent, int resourceId, TWindow *buddy = 0, int dialogFace = 1, TModule *module = 0);
    ~TNoteTab() override;

    int Add(char const *label, unsigned long clientData = 0);
    int Insert(char const *label, int index, unsigned long clientData = 0);
    int Delete(int index);
    int DeleteAll();
    int GetCount() const { return (int)items_.size(); }
    int GetSel() const { return selection_; }
    int SetSel(int index);
    int GetItem(int index, TNoteTabItem &item) const;
    int SetItem(int index, TNoteTabItem const &item);
    int IsVisible(int index) const;
    void SetWindowFace(int on) { windowFace_ = on; }
    int GetWindowFace() const { return windowFace_; }
    void SetStyle3d(int on) { style3d_ = on; }
    int GetStyle3d() const { return style3d_; }
    HWND GetBuddy() const { return buddy_; }
    void SetBuddy(HWND buddy) { buddy_ = buddy; }

    void Paint(TDC &dc, int erase, TRect &rect) override;
    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;
    void SetupWindow() override;

    void EvSize(uint sizeType, TSize &size);
    void EvLButtonDown(uint keys, TPoint &point);
    uint EvGetDlgCode(uint msg);
    void EvKeyDown(uint key, uint repeat, uint flags);
    void EvSetFocus(WPARAM lost);
    void EvKillFocus(WPARAM got);

private:
    void Init(TWindow *buddy, int dialogFace);
    void Measure(TNoteTabItem &item);
    void SetTabRects(int first);
    void InvalidateTab(TRect const &r);
    int NotifyAndSelect(int index);

    int windowFace_;
    int style3d_;
    int frameSize_;
    TFont *font_;
    HWND buddy_;
    int firstVisible_;
    int selection_;
    std::vector<TNoteTabItem *> items_;

    DECLARE_RESPONSE_TABLE(TNoteTab);
};
