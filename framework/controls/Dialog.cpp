// Construction, the value store, wrappers by id and the values of a dialog.
#include "controls/Dialog.h"

#include "controls/Button.h"
#include "controls/ComboBox.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "core/IdleEnabler.h"
#include "controls/Static.h"

#include <cstdarg>

int Dialog::_preventAutoLinkMove = 0;

Dialog::Dialog(TWindow *parent, int resId, TModule *module)
    : TWindow(parent, 0, module), TDialog(parent, TResId(resId), module), centerH_(1), centerV_(1),
      allowRollUp_(1), savedHeight_(0), boldFont_(0), centerMode_(CenterMode(1)), centerPoint_(0, 0),
      centeredAtOpen_(0), useIdleEnabler_(1), useContextHelp_(1), items_(1), modalRun_(0), idleEnabler_(0) {
    Attr.Id = resId;
}

// A run cut short by the object's end still gives the windows it disabled back. A
// window destroyed by the base destructor no longer reaches CleanupWindow here, so the
// idle registration and the font go now: the frame's idle calls must not find a dead dialog.
Dialog::~Dialog() {
    if (modalRun_)
        EnableTopWindows(this);
    delete idleEnabler_;
    if (boldFont_)
        ::DeleteObject(boldFont_);
}

Dialog *Dialog::FindWithId(TWindow *parent, int id) {
    return parent ? dynamic_cast<Dialog *>(parent->ChildWithId(id)) : 0;
}

int Dialog::ShowOrCreate() {
    if (GetHandle()) {
        ShowWindow(SW_RESTORE);
        ::BringWindowToTop(GetHandle());
        return 1;
    }
    return Create();
}

int Dialog::IsModalDialog() const { return modalRun_ || GetIsModal(); }

void Dialog::SetPosition(CenterMode mode, TPoint const *point) {
    centerMode_ = mode;
    centerPoint_ = point ? *point : TPoint(0, 0);
}

DialogItem &Dialog::FindItem(unsigned id) {
    for (DialogItem *item = items_.GetFirst(); item; item = items_.GetNext(item))
        if (item->GetKey() == id)
            return *item;
    DialogItem *item = new DialogItem(this, id);
    items_.Append(item);
    return *item;
}

int Dialog::ExistItem(unsigned id) const {
    for (DialogItem *item = items_.GetFirst(); item; item = items_.GetNext(item))
        if (item->GetKey() == id)
            return 1;
    return 0;
}

TControl *Dialog::GetControl(int id) const { return dynamic_cast<TControl *>(ChildWithId(id)); }

// ---- wrappers by id

TCheckBox *Dialog::CreateCheckBox(int id, unsigned check) {
    TCheckBox *box = new TCheckBox(this, id, (TGroupBox *)0, 0);
    FindItem(id).SetCheck(check);
    return box;
}

PassiveCheckBox *Dialog::CreatePassiveCheckBox(int id, unsigned check) {
    PassiveCheckBox *box = new PassiveCheckBox(this, id, 0);
    FindItem(id).SetCheck(check);
    return box;
}

TButton *Dialog::CreateButton(int id) { return new TButton(this, id, 0); }

TStatic *Dialog::CreateStaticText(int id) { return new TStatic(this, id, 0, 0); }

TGroupBox *Dialog::CreateGroupBox(int id) { return new TGroupBox(this, id, 0); }

TListBox *Dialog::CreateListBox(int id) { return new TListBox(this, id, 0); }

TEdit *Dialog::CreateEditControl(int id, String const &text, unsigned textLimit) {
    TEdit *edit = new TEdit(this, id, textLimit, 0);
    FindItem(id).SetText(text);
    return edit;
}

TEdit *Dialog::CreateEditControl(int id, char const *text, unsigned textLimit) {
    return CreateEditControl(id, String(text ? text : ""), textLimit);
}

TStatic *Dialog::CreateStaticControl(int id, String const &text) {
    TStatic *label = new TStatic(this, id, 0, 0);
    label->EnableTransfer();
    FindItem(id).SetText(text);
    return label;
}

TStatic *Dialog::CreateStaticControl(int id, char const *text) {
    return text ? CreateStaticControl(id, String(text)) : CreateStaticText(id);
}

TComboBoxData *Dialog::InitCombo(int id, int count) {
    if (!dynamic_cast<TComboBox *>(ChildWithId(id)))  // a second set-up keeps the one wrapper
        new TComboBox(this, id, 0, 0);
    DialogItem &item = FindItem(id);
    if ((item.GetFlags() & DialogItem::OwnsTransferBuffer) && item.GetType() == DialogItem::ComboBox)
        delete static_cast<TComboBoxData *>(item.GetTransferBuffer());
    TComboBoxData *data = new TComboBoxData;
    item.SetType(DialogItem::ComboBox);
    item.SetTransferBuffer(data);
    item.SetFlags(item.GetFlags() | DialogItem::OwnsTransferBuffer);
    item.NewAttachedValues(count);
    return data;
}

// The caller fills the data again: its entries go, and so do the old values.
TComboBoxData *Dialog::ResetCombo(int id, int count) {
    DialogItem &item = FindItem(id);
    item.NewAttachedValues(count);
    TComboBoxData *data = static_cast<TComboBoxData *>(item.GetTransferBuffer());
    if (data && item.GetType() == DialogItem::ComboBox)
        data->Clear();
    return data;
}

void Dialog::CreateCombo(Dialog *dialog, int id, int count, long key, ...) {
    TComboBoxData *data = dialog->InitCombo(id, count);
    data->ResetSelections();  // a key that matches no value selects nothing
    DialogItem &item = dialog->FindItem(id);
    va_list args;
    va_start(args, key);
    for (int i = 0; i < count; ++i) {
        char const *text = va_arg(args, char const *);
        long value = va_arg(args, long);
        data->AddString(text, value == key);
        item.AttachValue(i, value);
    }
    va_end(args);
}

void Dialog::SetRadioGroup(Dialog *dialog, int firstId, int count, int key, ...) {
    va_list args;
    va_start(args, key);
    for (int i = 0; i < count; ++i) {
        int id = firstId + i;
        if (!dialog->ChildWithId(id))
            new TRadioButton(dialog, id, (TGroupBox *)0, 0);
        int value = va_arg(args, int);
        DialogItem &item = dialog->FindItem(id);
        item.AttachValue(value);
        item.SetCheck(value == key);
        // only the last button ends the group, also when it was set up before with fewer
        int flags = item.GetFlags() & ~DialogItem::LastOfRadioGroup;
        item.SetFlags(i == count - 1 ? flags | DialogItem::LastOfRadioGroup : flags);
    }
    va_end(args);
}

// ---- values

void Dialog::SetText(int id, String const &text, int now) { FindItem(id).SetText(text, now); }

void Dialog::SetText(int id, char const *text, int now) { FindItem(id).SetText(text, now); }

void Dialog::SetText(int id, String const &text) { SetText(id, text.c_str()); }

void Dialog::SetText(int id, char const *text) {
    TControl *control = GetControl(id);
    if (control && control->GetHandle())
        SetWindowTextIfChanged(control->GetHandle(), text ? text : "");
}

void Dialog::ClearText(int id, int now) { FindItem(id).SetText("", now); }

String Dialog::GetText(int id, int now) { return FindItem(id).GetText(now); }

int Dialog::GetTextLength(int id) const {
    TControl *control = GetControl(id);
    return control && control->GetHandle() ? ::GetWindowTextLengthA(control->GetHandle()) : 0;
}

void Dialog::SetCheck(int id, unsigned state, int now) { FindItem(id).SetCheck(state, now); }

int Dialog::IsChecked(int id, int now) { return FindItem(id).GetCheck(now) == BST_CHECKED; }

unsigned Dialog::GetRadioChecked(unsigned first, unsigned last, int now) {
    for (unsigned id = first; id <= last; ++id)
        if (FindItem(id).GetCheck(now) == BST_CHECKED)
            return id;
    return 0;
}

// A group ends at its item marked last; an id without an item ends it too, so a group
// set up without its mark cannot run away.
void Dialog::ResetRadioGroup(unsigned first, int key) {
    for (unsigned id = first; ExistItem(id); ++id) {
        DialogItem &item = FindItem(id);
        item.SetCheck(item.GetAttachedValue() == key, 1);
        if (item.GetFlags() & DialogItem::LastOfRadioGroup)
            break;
    }
}

int Dialog::QueryRadioGroup(unsigned first, int useDefault, int defaultValue) {
    for (unsigned id = first; ExistItem(id); ++id) {
        DialogItem &item = FindItem(id);
        if (item.GetCheck(1) == BST_CHECKED)
            return item.GetAttachedValue();
        if (item.GetFlags() & DialogItem::LastOfRadioGroup)
            break;
    }
    return useDefault ? defaultValue : FindItem(first).GetAttachedValue();
}

long Dialog::GetComboValue(int id, int now) {
    DialogItem &item = FindItem(id);
    if (now)
        TransferChildData(id, tdGetData);
    TComboBoxData *data = item.GetType() == DialogItem::ComboBox
                              ? static_cast<TComboBoxData *>(item.GetTransferBuffer())
                              : 0;
    int selected = data ? data->GetSelIndex() : item.GetSelectedString();
    return selected < 0 ? -1 : item.GetAttachedValue(selected);
}

void Dialog::Enable(int id, int enable) {
    if (HWND control = GetHandle() ? ::GetDlgItem(GetHandle(), id) : 0)
        ::EnableWindow(control, enable);
}

void Dialog::SetBoldFontForControl(int id) {
    if (!GetHandle())
        return;
    if (!boldFont_) {
        HFONT font = (HFONT)SendMessageA(WM_GETFONT);
        LOGFONTA description;
        if (!font || !::GetObjectA(font, sizeof description, &description))
            return;
        description.lfWeight = FW_BOLD;
        boldFont_ = ::CreateFontIndirectA(&description);
    }
    ::SendDlgItemMessageA(GetHandle(), id, WM_SETFONT, (WPARAM)boldFont_, 0);
}

uint Dialog::TransferData(TTransferDirection direction) {
    if (direction == tdSetData)
        ForEach(&DialogItem::TransferToDialog, this);
    else if (direction == tdGetData)
        ForEach(&DialogItem::TransferFromDialog, this);
    return 0;
}

void Dialog::TransferChildData(int id, TTransferDirection direction) {
    TWindow *child = ChildWithId(id);
    if (!child)
        return;
    if (direction == tdSetData)
        DialogItem::TransferToDialog(child, this);
    else if (direction == tdGetData)
        DialogItem::TransferFromDialog(child, this);
}
