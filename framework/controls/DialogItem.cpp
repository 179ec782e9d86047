#include "controls/DialogItem.h"

#include "controls/ComboBox.h"
#include "controls/Control.h"
#include "controls/Dialog.h"

#include "malvane/Malvane.h"

#include <cstdlib>
#include <cstring>
#include <vector>

NH_Heap &DialogItem::GetHeap() {
    static NH_Heap heap(1, "DialogItemHeap");
    return heap;
}

void *DialogItem::operator new(std::size_t size) { return GetHeap().Alloc(size); }

void DialogItem::operator delete(void *block) { NH_Heap::FreeMem(block); }

DialogItem::ControlType DialogItem::GetControlType(HWND control) {
    static char const *const names[] = {"BUTTON", "EDIT", "COMBOBOX", "LISTBOX", "STATIC", "SCROLLBAR"};
    char name[100];
    if (!::GetClassNameA(control, name, sizeof name))
        return Other;
    for (int i = 0; i < 6; ++i)
        if (!::lstrcmpiA(name, names[i]))
            return ControlType(i + 1);
    return Other;
}

DialogItem::DialogItem(Dialog *dialog, unsigned id)
    : ListElementWithKey<unsigned int>(id), Owner(dialog), Id(int(id)), Check(0), Selection(0), Flags(0),
      Attached(0), AttachedCount(0), TransferBuffer(0), Type(Other) {}

// Owned parts are copied, never shared: both items free theirs.
DialogItem::DialogItem(DialogItem const &other)
    : ListElementWithKey<unsigned int>(other), Owner(other.Owner), Id(other.Id), Text(other.Text),
      Check(other.Check), Selection(other.Selection), Flags(other.Flags), Attached(0),
      AttachedCount(other.AttachedCount), TransferBuffer(other.TransferBuffer), Type(other.Type) {
    if (AttachedCount) {
        Attached = new long[AttachedCount];
        std::memcpy(Attached, other.Attached, AttachedCount * sizeof(long));
    }
    if ((Flags & OwnsTransferBuffer) && Type == ComboBox && TransferBuffer)
        TransferBuffer = new TComboBoxData(*static_cast<TComboBoxData *>(other.TransferBuffer));
}

DialogItem::~DialogItem() {
    if ((Flags & OwnsTransferBuffer) && Type == ComboBox)
        delete static_cast<TComboBoxData *>(TransferBuffer);
    delete[] Attached;
}

void DialogItem::TransferNow(int direction) {
    if (Owner)
        Owner->TransferChildData(Id, TTransferDirection(direction));
}

void DialogItem::SetText(String const &text, int now) {
    Text = text;
    if (now)
        TransferNow(tdSetData);
}

void DialogItem::SetText(char const *text, int now) { SetText(String(text ? text : ""), now); }

String DialogItem::GetText(int now) {
    if (now)
        TransferNow(tdGetData);
    return Text;
}

void DialogItem::SetCheck(unsigned check, int now) {
    Check = check;
    if (now)
        TransferNow(tdSetData);
}

unsigned DialogItem::GetCheck(int now) {
    if (now)
        TransferNow(tdGetData);
    return Check;
}

void DialogItem::SetLong(long value, int now) {
    String text;
    text.LongToString(value);
    SetText(text, now);
}

long DialogItem::GetLong(int now) { return std::strtol(GetText(now).c_str(), 0, 10); }

void DialogItem::NewAttachedValues(int count) {
    delete[] Attached;
    Attached = 0;
    AttachedCount = count > 0 ? count : 0;
    if (AttachedCount) {
        Attached = new long[AttachedCount];
        std::memset(Attached, 0, AttachedCount * sizeof(long));
    }
}

void DialogItem::AttachValue(int index, long value) {
    if (index >= 0 && index < AttachedCount)
        Attached[index] = value;
}

long DialogItem::GetAttachedValue(int index) const {
    return index >= 0 && index < AttachedCount ? Attached[index] : -1;
}

namespace {
// Only wrapped controls with a window that take part in transfers.
TControl *TransferringControl(TWindow *child) {
    if (!child->GetHandle() || !child->IsFlagSet(wfTransfer))
        return 0;
    return dynamic_cast<TControl *>(child);
}
}  // namespace

void DialogItem::TransferToDialog(TWindow *child, void *dialog) {
    if (TControl *control = TransferringControl(child))
        static_cast<Dialog *>(dialog)->FindItem(unsigned(child->GetId())).SetOSControl(control);
}

void DialogItem::TransferFromDialog(TWindow *child, void *dialog) {
    if (TControl *control = TransferringControl(child))
        static_cast<Dialog *>(dialog)->FindItem(unsigned(child->GetId())).GetFromOSControl(control);
}

// A transfer buffer does the whole transfer; without one, ids 900 to 999 have none.
bool DialogItem::TransferredWithoutType(TControl *control, int direction) {
    if (TransferBuffer) {
        control->Transfer(TransferBuffer, TTransferDirection(direction));
        return true;
    }
    return Id >= 900 && Id <= 999;
}

void DialogItem::SetOSControl(TControl *control) {
    if (TransferredWithoutType(control, tdSetData))
        return;
    switch (GetControlType(control->GetHandle())) {
    case Button:
        if (Owner && Owner->GetHandle())
            ::CheckDlgButton(Owner->GetHandle(), Id, Check);
        break;
    case Edit:
    case Static:
        ::SetWindowTextA(control->GetHandle(), Text.c_str());
        break;
    case ComboBox:
        if (TComboBox *combo = dynamic_cast<TComboBox *>(control))
            combo->SetSelIndex(Selection);
        break;
    default:
        break;
    }
}

void DialogItem::GetFromOSControl(TControl *control) {
    if (TransferredWithoutType(control, tdGetData))
        return;
    switch (GetControlType(control->GetHandle())) {
    case Button:
        if (Owner && Owner->GetHandle())
            Check = ::IsDlgButtonChecked(Owner->GetHandle(), Id);
        break;
    case Edit: {
        int length = ::GetWindowTextLengthA(control->GetHandle());
        std::vector<char> text(length + 1);
        ::GetWindowTextA(control->GetHandle(), text.data(), length + 1);
        Text = text.data();
        break;
    }
    case ComboBox:
        if (TComboBox *combo = dynamic_cast<TComboBox *>(control))
            Selection = combo->GetSelIndex();
        break;
    default:
        break;
    }
}
