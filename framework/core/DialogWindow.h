// Dialog windows built from a dialog template of a module, run modal or modeless.
// The system's dialog manager owns the window class and the keyboard interface; the
// object binds itself to the window on its first message and then sees every message
// through its response table like any other window.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Window.h"

// What the dialog is made from: its template and the value handed to WM_INITDIALOG.
struct TDialogAttr {
    TResId Name;
    LPARAM Param;
};

class VELTRANE_API TDialog : virtual public TWindow {
public:
    TDialog(TWindow *parent, TResId resId, TModule *module = 0);
    ~TDialog() override;

    // ---- the dialog's own operations
    virtual int DialogFunction(uint msg, WPARAM wParam, LPARAM lParam);
    virtual int EvInitDialog(HWND focus);
    virtual HWND DoCreate();

    // ---- window operations a dialog does its own way
    int Create() override;
    int Execute() override;
    int DoExecute() override;
    void CloseWindow(int retVal = 0) override;
    int Destroy(int retVal = 0) override;
    int PreProcessMsg(MSG &msg) override;
    int IdleAction(long idleCount) override;
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;

    static INT_PTR CALLBACK StdDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    TDialogAttr &GetDialogAttr() { return DialogAttr; }
    void SetDialogAttr(TDialogAttr attr) { DialogAttr = attr; }
    int GetIsModal() const { return IsModal; }
    void SetIsModal(int modal) { IsModal = modal; }

    // Sends the dialog-init message (32760) with the parameter and the template name.
    bool PerformDlgInit();
    // Only a real text changes the caption: not a resource number nor the "from the
    // template" mark.
    void SetCaption(char const *title);

    enum THow { Previous = 0, Next = 1 };
    void SetControlFocus(HWND control) { SendMessageA(WM_NEXTDLGCTL, (WPARAM)control, 1); }
    void SetControlFocus(THow how) { SendMessageA(WM_NEXTDLGCTL, how == Previous ? 1 : 0, 0); }

    // ---- one-line helpers on the dialog's window
    LRESULT SendDlgItemMsg(int id, unsigned short msg, WPARAM wParam, LPARAM lParam) {
        return ::SendDlgItemMessageA(HWindow, id, msg, wParam, lParam);
    }
    HWND GetItemHandle(int id) const { return ::GetDlgItem(HWindow, id); }
    void SetMsgResult(LRESULT result) { ::SetWindowLongPtrA(HWindow, DWLP_MSGRESULT, result); }
    uint GetDefaultId() const { return LOWORD(::SendMessageA(HWindow, DM_GETDEFID, 0, 0)); }
    void SetDefaultId(uint id) { ::SendMessageA(HWindow, DM_SETDEFID, id, 0); }
    void Reposition() { ::SendMessageA(HWindow, DM_REPOSITION, 0, 0); }
    void MapDialogRect(TRect &rect) const { ::MapDialogRect(HWindow, &rect); }

    // ---- handlers bound by the table
    void CmOk();
    void CmCancel();
    void EvClose();
    void EvPaint();
    HBRUSH EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType);
    void EvSetFont(WPARAM hFont, LPARAM redraw);
    LRESULT EvGetDefId(WPARAM wParam, LPARAM lParam);
    LRESULT EvSetDefId(WPARAM wParam, LPARAM lParam);
    LRESULT EvReposition(WPARAM wParam, LPARAM lParam);

    // The title value that means "the caption comes from the template".
    static char *const CaptionFromTemplate;

protected:
    // Registers the window class of every child that is not made by the template.
    void RegisterChildObjects();

    TDialogAttr DialogAttr;
    int IsModal;

private:
    // Hands a modeless dialog to the application once its window is gone.
    void CondemnIfClosed();
    // Binds a window that has no object yet to the dialog being created.
    static TDialog *Bind(HWND hwnd, UINT msg);

    char *NameCopy;  // the template name when it is a text

    DECLARE_RESPONSE_TABLE(TDialog);
};
