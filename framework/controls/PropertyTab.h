// The tab strip of a property dialog: a self-drawn child (class "tbProperty", id 29000)
// that keeps the entries (label and page), draws one or several rows of tabs over a
// framed page area, creates, shows, hides and destroys the page windows (its own
// children) and runs the selection with the dialog's and the page's consent.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/Control.h"
#include "controls/PropertyDialog.h"

#include "foundation/Strings.h"

#include <vector>

class ImageList;
class TBitmap;
class TFont;

struct PropertyEntry {
    String Label;
    PropertyPage *Page;
    int Width;
    int Enabled;
};

class VELTRANE_API PropertyTab : public TControl {
public:
    enum { ControlId = 29000, MaxRows = 20 };

    PropertyTab(TWindow *dialog, Tab::Style style, int bitmapId, int showImages);
    ~PropertyTab() override;

    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;
    LRESULT EvCommand(uint id, HWND control, uint notifyCode) override;

    void Add(char const *label, PropertyPage *page, int enabled);
    int GetEntryCount() const { return (int)entries_.size(); }
    PropertyPage *GetPage(int index) const;
    int GetSelectedTab() const { return selected_; }
    Tab::Style GetTabStyle() const { return style_; }
    void SetTabStyle(Tab::Style style) { style_ = style; }
    int GetTabHeight() const { return tabHeight_; }
    int GetRows() const { return rows_; }

    int SelectTab(int index);
    int SelectNext(int step);
    int SelectTabByKey(char c);
    int IsTabVisible(int index) const;
    int IsTabEnabled(int index) const;
    int IsTabSelected(int index) const { return index == selected_; }
    void EnableTab(int index, int enable);
    String GetTabText(int index) const;
    void SetTabText(int index, char const *text);

    int SavePageData();
    int CheckCanClose();
    int UpdateAllPageControls();
    void DestroyPages();

    HWND SetPageFocus(int focus);
    HWND GetFirstControl();
    void SelectFirstControl();
    // The first or last tab stop among a window's children; 0 when that is no tab stop.
    static HWND FirstTabStop(HWND window, bool first);
    // Selects the whole text of a control that takes a selection.
    static void SelectAllIfEdit(HWND control);

    void SetActiveColor(TColor color);
    void SetFixedTabWidth(int width);
    void SetWideMarginWidth(int width);
    void TabColorChange();

    void SetOpenPage(int index) { openPage_ = index; }
    int GetOpenPage() const { return openPage_; }
    void SetLaidOut(int on) { laidOut_ = on; }
    int IsLaidOut() const { return laidOut_; }
    void CalculateTabWidths();
    TRect GetPageRect() const { return pageRect_; }
    // The rectangle of a tab in client coordinates; empty when it is not shown.
    TRect GetTabRect(int index) const;
    int GetMouseTab(TPoint const &point) const;
    int GetScrollOrigin() const { return origin_; }
    int HasLeftScroll() const { return leftScroll_; }
    int HasRightScroll() const { return rightScroll_; }
    // The row shown at a display position (0 is next to the page area).
    int RowAt(int position) const { return rowOrder_[position]; }
    int RowOf(int index) const;
    // Creates the page window of an entry inside the page area.
    int CreatePage(int index);

    void EvLButtonDown(uint keys, TPoint &point);
    void EvRButtonDown(uint keys, TPoint &point);
    void EvSize(uint sizeType, TSize &size);
    void EvSetFocus(WPARAM lost);
    void EvKillFocus(WPARAM got);
    void EvKeyDown(uint key, uint repeat, uint flags);
    uint EvGetDlgCode(uint msg);

private:
    int CalcTabWidth(int index);
    void CalculateBasicTabWidths();
    void AssessScroll();
    void AdjustOrigin(int index);
    void NextOrigin(int step);
    void RedrawDialogs();
    void InvalidateTab(int index);
    TRect ArrowArea() const;
    void DrawTab(TDC &dc, int index, TRect const &rect, int front);
    void DrawRow(TDC &dc, int row, int position);
    PropertyDialog *Owner() const;

    std::vector<PropertyEntry> entries_;
    TColor activeColor_;
    int selected_;
    int openPage_;
    unsigned long style_;
    int tabHeight_, textHeight_;
    int fixedWidth_;
    int wideMargin_;
    TRect pageRect_;
    int laidOut_;
    int bitmapId_;
    int rows_;
    int rowRange_[MaxRows][2];
    int rowOrder_[MaxRows];
    int origin_;
    int leftScroll_, rightScroll_;
    int tabLimit_;
    TBitmap *leftArrow_, *rightArrow_;
    TColor highlight_, face_, shadow_, frame_;
    ImageList *images_;
    int showImages_;
    int lastSelected_;
    TFont *normalFont_, *boldFont_;

    DECLARE_RESPONSE_TABLE(PropertyTab);
};
