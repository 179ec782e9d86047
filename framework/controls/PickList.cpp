#include "controls/PickList.h"

#include "core/Application.h"
#include "core/Module.h"

// ---- the pop-up menu

TPickListPopup::TPickListPopup(TWindow *parent, char const *title)
    : TWindow(parent, 0, 0), Count(0), Result(-2), TitleItems(0) {
    if (title)
        AddTitle(title);
}

TPickListPopup::TPickListPopup(TWindow *parent, uint titleId)
    : TWindow(parent, 0, 0), Count(0), Result(-2), TitleItems(0) {
    if (!titleId)
        return;
    char title[261];
    TModule *module = GetModule() ? GetModule() : GetApplication();
    if (module && module->LoadStringA(titleId, title, sizeof title) > 0)
        AddTitle(title);
}

void TPickListPopup::AddTitle(char const *title) {
    Popup.AppendMenuA(MF_STRING | MF_GRAYED, 0, title);
    Popup.AppendMenuA(MF_SEPARATOR);
    TitleItems = 2;
}

int TPickListPopup::AddString(char const *text) {
    Popup.AppendMenuA(MF_STRING, Count, text);
    return ++Count;
}

void TPickListPopup::ClearStrings() {
    // by position: the title, the separator and the first string all carry identifier 0
    while (Count > 0) {
        --Count;
        Popup.DeleteMenu(TitleItems + Count, MF_BYPOSITION);
    }
}

int TPickListPopup::Execute() {
    if (!GetHandle())
        Create();
    Result = -2;
    POINT cursor;
    ::GetCursorPos(&cursor);
    Popup.TrackPopupMenu(TPM_LEFTBUTTON, TPoint(cursor), 0, GetHandle());
    GetApplication()->PumpWaitingMessages();  // the chosen item's command is posted
    return Result;
}

LRESULT TPickListPopup::EvCommand(uint id, HWND, uint) {
    Result = int(id);
    return 0;
}

// ---- the dialog

DEFINE_RESPONSE_TABLE1(TPickListDialog, TDialog)
    EV_COMMAND(IDOK, CmOK),
    EV_COMMAND(IDCANCEL, CmCancel),
    EV_CHILD_NOTIFY(TPickListDialog::ListId, LBN_DBLCLK, CmOK),
END_RESPONSE_TABLE;

TPickListDialog::TPickListDialog(TWindow *parent, TStringArray *strings, int initialSelection, TResId templateId,
                                 char const *title, TModule *module)
    : TWindow(parent, 0, module ? module : &VeltraneLibraryModule()),
      TDialog(parent, templateId == TResId(0) ? TResId(DefaultTemplate) : templateId,
              module ? module : &VeltraneLibraryModule()),
      List(new TListBox(this, ListId)), Result(initialSelection), Strings(strings), OwnsStrings(!strings),
      ClosedWithMinusOne(false) {
    if (!Strings)
        Strings = new TStringArray(9, 0, 10);
    if (title)
        SetCaption(title);
}

TPickListDialog::~TPickListDialog() {
    if (OwnsStrings)
        delete Strings;
}

int TPickListDialog::AddString(char const *text) {
    int added = Strings->Add(String(text));
    if (GetHandle() && List->GetHandle())
        List->AddString(text);
    return added;
}

void TPickListDialog::ClearStrings() {
    Strings->Flush();
    if (GetHandle() && List->GetHandle())
        List->ClearList();
}

void TPickListDialog::SetupWindow() {
    TDialog::SetupWindow();
    if (List->GetHandle())
        for (unsigned i = 0; i < Strings->GetItemsInContainer(); i++)
            List->AddString((*Strings)[Strings->LowerBound() + int(i)].c_str());
    if (Result < List->GetCount()) {
        List->SetSelIndex(Result);
        List->SetCaretIndex(Result, false);
    }
}

void TPickListDialog::CmOK() {
    int sel = List->GetSelIndex();
    if (sel >= 0)
        Result = sel + Strings->LowerBound();
    ClosedWithMinusOne = Result == -1;
    CloseWindow(Result);
}

int TPickListDialog::DoExecute() {
    ClosedWithMinusOne = false;
    try {
        return TDialog::DoExecute();
    } catch (TXWindow &) {
        // the dialog manager's failure value is also an initial selection of -1
        if (ClosedWithMinusOne)
            return -1;
        throw;
    }
}

void TPickListDialog::CmCancel() { CloseWindow(-2); }
