// Two ways of picking one string from a list: a pop-up menu at the mouse pointer and
// a modal dialog with a list box. Both answer with the string's index, -2 for none.
#pragma once

#include "core/DialogWindow.h"
#include "controls/ListBox.h"
#include "core/Menu.h"
#include "core/TArrays.h"

class VELTRANE_API TPickListPopup : public TWindow {
public:
    // A title starts the menu as a greyed item and a separator.
    TPickListPopup(TWindow *parent, char const *title = 0);
    TPickListPopup(TWindow *parent, uint titleId);

    // The new count; the string's command identifier is the count before.
    int AddString(char const *text);
    // Removes the strings; the title and separator stay.
    void ClearStrings();
    int Execute() override;
    int GetResult() const { return Result; }

    LRESULT EvCommand(uint id, HWND control, uint code) override;

protected:
    void AddTitle(char const *title);

    TPopupMenu Popup;
    int Count;
    int Result;
    int TitleItems;  // the menu items in front of the strings
};

class VELTRANE_API TPickListDialog : public TDialog {
public:
    enum { DefaultTemplate = 32513, ListId = 101 };

    // A null strings array makes one the dialog owns; template 0 is the framework's own.
    TPickListDialog(TWindow *parent, TStringArray *strings = 0, int initialSelection = 0, TResId templateId = 0,
                    char const *title = 0, TModule *module = 0);
    ~TPickListDialog() override;

    int AddString(char const *text);
    void ClearStrings();
    int GetResult() const { return Result; }

    void SetupWindow() override;
    // A dialog closed with the result -1 is no failed run.
    int DoExecute() override;

protected:
    void CmOK();
    void CmCancel();

    TListBox *List;
    int Result;
    TStringArray *Strings;
    bool OwnsStrings;
    bool ClosedWithMinusOne;

    DECLARE_RESPONSE_TABLE(TPickListDialog);
};
