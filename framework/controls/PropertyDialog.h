// Dialogs whose client area is a tab strip with one page per tab. Each page is a child
// dialog of its own resource, shown inside the strip; the dialog fits itself around the
// largest page and keeps its buttons in a row below (or right of) the strip.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/Dialog.h"

#include <vector>

class PropertyDialog;
class PropertyPage;
class PropertyTab;

// Looks of the tab strip and behaviour of the pages.
class VELTRANE_API Tab {
public:
    class Style {
    public:
        Style(unsigned long value = 0) : value_(value) {}
        operator unsigned long() const { return value_; }

    private:
        unsigned long value_;
    };
    static constexpr unsigned long SingleHeight = 0, VariableWidth = 0, DoubleHeight = 0x1, FixedWidth = 0x2,
                               ColorActive = 0x4, Collapsing = 0x8, Justified = 0x10, Stacked = 0x20,
                               AllowDupPages = 0x40, CreateOnDemand = 0x80, WideMargins = 0x100,
                               AutoTabResize = 0x200, ButtonsOnRight = 0x400, UseSmallFont = 0x800,
                               SaveOnClosePage = 0x1000, NoMDIClose = 0x2000, WizardFrame = 0x4000,
                               UseTabBitmaps = 0x8000, CenterDialog = 0x10000, CreateOnDemandAndKeepIt = 0x20000,
                               FocusOnFirstControl = 0x40000, PGO_NoAutoResize = 0x80000;
};

class VELTRANE_API PropertyDialog : public Dialog {
public:
    PropertyDialog(TWindow *parent, int resId, Tab::Style style, int tabBitmapId, int showImages, TModule *module = 0);
    PropertyDialog(TWindow *parent, int resId, Tab::Style style, TModule *module = 0);
    ~PropertyDialog() override;

    virtual void AdjustMargin(TRect &rect);
    virtual void Add(int labelId, PropertyPage *page, int enabled = 1);
    virtual void Add(char const *label, PropertyPage *page, int enabled = 1);
    virtual void CmOk();
    virtual void CmCancel();
    virtual void CloseAction(int result);
    virtual int SelectTab(int index);
    virtual int SelectNext();
    virtual int SelectPrevious();
    virtual void AfterSelected(int index);
    virtual int BeforeLeaving(int index);

    int GetEntryCount() const;
    PropertyTab *GetTabControl() const { return tab_; }
    PropertyPage *GetPageRef(int index) const;
    PropertyPage *FindPage(int id, int *index = 0) const;

    typedef void (*PageAction)(PropertyPage *, void *);
    typedef int (*PageTest)(PropertyPage *, void *);
    void ForEachPage(PageAction action, void *arg);
    PropertyPage *FirstPageThat(PageTest test, void *arg);
    template <class C>
    void ForEachPage(void (C::*action)(PropertyPage *, void *), void *arg) {
        for (int i = 0, n = GetEntryCount(); i < n; ++i)
            (static_cast<C *>(this)->*action)(GetPageRef(i), arg);
    }
    template <class C>
    PropertyPage *FirstPageThat(int (C::*test)(PropertyPage *, void *), void *arg) {
        for (int i = 0, n = GetEntryCount(); i < n; ++i)
            if ((static_cast<C *>(this)->*test)(GetPageRef(i), arg))
                return GetPageRef(i);
        return 0;
    }
    LRESULT SendMsgToEachPage(unsigned msg, WPARAM wp, LPARAM lp);
    int SaveAllPages();
    int UpdateAllPageControls();

    void SetOpenPage(int index);
    int GetCurrPage() const;
    void SetAutoCentering(int on);
    void SetActiveColor(TColor color);
    void SetFixedTabWidth(int width);
    void SetWideMarginWidth(int width);
    void MoveTabsAfterControl(HWND control, int focus);
    void MoveTabsAfterControl(TWindow *control) { MoveTabsAfterControl(control ? control->GetHandle() : 0, 1); }
    Tab::Style GetStyle() const { return style_; }
    void CmHelp();

    static void TabColorChange(TApplication *app);
    static void SetHookInstance(HINSTANCE instance);

    // ---- window
    int Destroy(int result = 0) override;
    int IdleAction(long idleCount) override;
    LRESULT EvCommand(uint id, HWND control, uint notifyCode) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    int EvInitDialog(HWND focus) override;
    int Find(TEventInfo &info, TEqualOperator equal = 0) override;

    void EvDestroy();
    void EvSize(uint sizeType, TSize &size);
    void EvSysCommand(uint cmd, TPoint &point);
    HBRUSH EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType);
    // The colours of a child on the gray face shared by open property dialogs; 0 where
    // the dialog's own colours hold.
    static HBRUSH GrayColors(HDC dc, HWND child, uint ctlType);

    // ---- process-wide state of open property dialogs
    static HBRUSH brushGray;
    static HHOOK keyHook;
    static std::vector<PropertyTab *> &OpenPropertyTabs();
    static int Margin();
    static int ScrollGap();
    static int ButtonGapX();
    static int ButtonGapY();

    // Gives every child (recursively) the small variable-pitch font.
    static void UseSmallFont(HWND window);

protected:
    void SizeTabWnd(TRect rect);

private:
    void Unregister();
    void FitToPages();
    PropertyTab *tab_;
    Tab::Style style_;

    // an own lookup: commands are offered to the shown page before this table
    static TResponseTableEntry<PropertyDialog> const __entries[];
    typedef PropertyDialog TMyClass;
};

class VELTRANE_API PropertyPage : public Dialog {
public:
    PropertyPage(int resId, TModule *module = 0);
    PropertyPage(PropertyDialog *dialog, int resId, TModule *module = 0);
    ~PropertyPage() override;

    virtual int IsOkForGlobalOk(int reason);
    virtual int SelectTab(int index = -1);
    virtual int SelectNext();
    virtual int SelectPrevious();
    virtual void AfterSelected();
    virtual int BeforeLeaving();
    virtual int CanPageClose();
    virtual void AfterCantClose();
    virtual void OnRightClick(unsigned keys, TPoint &point);
    virtual int SaveData();

    void EnableTab(int index, int enable);
    int IsTabEnabled(int index);
    String GetTabText(int index);
    void SetTabText(int index, char const *text);
    HWND GetParentWindow() const;
    int MessageBox(char const *text, char const *caption, unsigned type);
    PropertyDialog *GetPropertyDialog() const { return owner_; }
    int ThisTab() const { return index_; }

    // ---- window
    int PreProcessMsg(MSG &msg) override;
    int EvInitDialog(HWND focus) override;
    int Find(TEventInfo &info, TEqualOperator equal = 0) override;

    void CmForward();
    void EvSysCommand(uint cmd, TPoint &point);
    HBRUSH EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType);

protected:
    // Alt plus a letter: a tab or a control of the page whose mnemonic it is.
    int CheckHotKey(TDialog *dialog);

private:
    friend class PropertyDialog;
    PropertyTab *Strip() const;
    int index_;
    PropertyDialog *owner_;

    static TResponseTableEntry<PropertyPage> const __entries[];
    typedef PropertyPage TMyClass;
};

// The keyboard hook of open property dialogs: Tab across dialog, strip and page, and
// Ctrl+Page Up / Page Down between pages.
VELTRANE_API LRESULT CALLBACK PropertyDialogKeyHook(int code, WPARAM key, LPARAM flags);
// Whether a label's mnemonic (the letter after a single "&") is the character.
VELTRANE_API int HasMnemonic(char const *text, char c);
