// The dialog every dialog of the program is built on: a value store of one item per
// control id, wrappers created by id, enabling rules offered per control as message
// WM_CONTROLENABLE, modal runs that disable the application's other top-level windows,
// placement, roll-up, bold controls and context help.
#pragma once

#include "core/VeltraneDefs.h"

#include "controls/DialogItem.h"
#include "core/DialogWindow.h"
#include "controls/WindowUtilities.h"

#include "foundation/Lists.h"
#include "foundation/Strings.h"

class IdleEnabler;
class PassiveCheckBox;
class TButton;
class TCheckBox;
class TComboBoxData;
class TControl;
class TEdit;
class TGroupBox;
class TListBox;
class TStatic;

// The enabling query of one control, handed to the dialog's table keyed by the control id.
#define WM_CONTROLENABLE 32501
#define EV_CONTROL_ENABLE(id, method) YRT_ROW(WM_CONTROLENABLE, id, v_CommandEnable, method)

class VELTRANE_API Dialog : public TDialog {
public:
    Dialog(TWindow *parent, int resId, TModule *module = 0);
    ~Dialog() override;

    static Dialog *FindWithId(TWindow *parent, int id);
    int ShowOrCreate();
    int IsModalDialog() const;
    void UseContextHelp(int use) { useContextHelp_ = use; }
    void CenterInPropertyPage(int horizontal, int vertical) { centerH_ = horizontal, centerV_ = vertical; }
    int GetCenterInPropertyPageH() const { return centerH_; }
    int GetCenterInPropertyPageV() const { return centerV_; }
    void SetPosition(CenterMode mode, TPoint const *point = 0);
    void AllowRollUp(int allow) { allowRollUp_ = allow; }
    void UseIdleEnabler(int use) { useIdleEnabler_ = use; }
    int WasCenteredAtOpen() const { return centeredAtOpen_; }
    CenterMode GetCenterMode(TPoint *point = 0) const { if (point) *point = centerPoint_; return centerMode_; }
    virtual int UpdateControls() { return 1; }

    DialogItem &FindItem(unsigned id);
    int ExistItem(unsigned id) const;
    TControl *GetControl(int id) const;

    // ---- wrappers by id: the value lands in the item, the control gets it when it opens
    TCheckBox *CreateCheckBox(int id, unsigned check);
    PassiveCheckBox *CreatePassiveCheckBox(int id, unsigned check);
    TButton *CreateButton(int id);
    TStatic *CreateStaticText(int id);
    TGroupBox *CreateGroupBox(int id);
    TListBox *CreateListBox(int id);
    TEdit *CreateEditControl(int id, String const &text, unsigned textLimit);
    TEdit *CreateEditControl(int id, char const *text, unsigned textLimit);
    TStatic *CreateStaticControl(int id, String const &text);
    TStatic *CreateStaticControl(int id, char const *text);
    TComboBoxData *InitCombo(int id, int count);
    TComboBoxData *ResetCombo(int id, int count);
    // count pairs of (char const * text, long value) follow the key
    static void CreateCombo(Dialog *dialog, int id, int count, long key, ...);
    // count int values follow the key
    static void SetRadioGroup(Dialog *dialog, int firstId, int count, int key, ...);

    // ---- values
    void SetText(int id, String const &text, int now);
    void SetText(int id, char const *text, int now);
    void SetText(int id, String const &text);
    void SetText(int id, char const *text);
    void ClearText(int id, int now = 0);
    String GetText(int id, int now = 0);
    int GetTextLength(int id) const;
    void SetCheck(int id, unsigned state, int now = 0);
    int IsChecked(int id, int now = 0);
    unsigned GetRadioChecked(unsigned first, unsigned last, int now = 0);
    void ResetRadioGroup(unsigned first, int key);
    int QueryRadioGroup(unsigned first) { return QueryRadioGroup(first, 0, 0); }
    int QueryRadioGroup(unsigned first, int useDefault, int defaultValue);
    long GetComboValue(int id, int now = 0);
    void Enable(int id, int enable);
    void SetBoldFontForControl(int id);
    uint TransferData(TTransferDirection direction) override;
    void TransferChildData(int id, TTransferDirection direction);

    // ---- enabling rules and modal runs
    void ExecuteRules();
    // Hands an enabler to a window's table as WM_CONTROLENABLE; only an enabler offered
    // so is taken as one (IsOfferedEnabler).
    static LRESULT OfferEnabler(TWindow *receiver, TCommandEnabler &enabler);
    static bool IsOfferedEnabler(LPARAM lp);
    static void DisableTopWindows(TDialog const *dialog);
    static void EnableTopWindows(TDialog const *dialog);
    static int HasDisabledTopWindows();

    // ---- window
    int Create() override;
    int Destroy(int result = 0) override;
    int DoExecute() override;
    void CloseWindow(int result = 0) override;
    int IdleAction(long idleCount) override;
    LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp) override;
    void CleanupWindow() override;
    int EvInitDialog(HWND focus) override;

    void EvSize(uint sizeType, TSize &size);
    void EvActivate(uint state, int minimized, HWND other);
    void CmHelp();
    void EvNCLButtonDblClk(uint hitTest, TPoint &point);

    // Set while a property dialog moves the controls of a page: linked spinners stay.
    static int _preventAutoLinkMove;

private:
    void OnHelp(HELPINFO *info);
    int OnContextMenu(HWND window);

    int centerH_, centerV_;
    int allowRollUp_;
    int savedHeight_;
    HFONT boldFont_;
    CenterMode centerMode_;
    TPoint centerPoint_;
    int centeredAtOpen_;
    int useIdleEnabler_;
    int useContextHelp_;
    List<DialogItem> items_;
    int modalRun_;
    IdleEnabler *idleEnabler_;

    DECLARE_RESPONSE_TABLE(Dialog);
};

// A top-level window disabled by a modal run, and the dialog whose run did it.
class VELTRANE_API TopWindow : public ListElement {
public:
    TopWindow(TWindow *window, TDialog const *dialog) : Window(window), Owner(dialog) {}
    TWindow *Window;
    TDialog const *Owner;
};
