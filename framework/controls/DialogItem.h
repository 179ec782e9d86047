// The value a dialog keeps for one control id: text, check state, selection and attached
// values, held before the control exists and after it is gone, and copied into and out
// of the control by the dialog's transfers.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/ListElementWithKey.h"
#include "foundation/Strings.h"

#include <windows.h>

#include <cstddef>

class Dialog;
class NH_Heap;
class TControl;
class TWindow;

class VELTRANE_API DialogItem : public ListElementWithKey<unsigned int> {
public:
    // From the Windows class name of the control, compared without regard to case.
    enum ControlType { Other = 0, Button = 1, Edit = 2, ComboBox = 3, ListBox = 4, Static = 5, ScrollBar = 6 };
    enum { LastOfRadioGroup = 1, OwnsTransferBuffer = 2 };

    DialogItem(Dialog *dialog, unsigned id);
    DialogItem(DialogItem const &other);
    DialogItem &operator=(DialogItem const &) = delete;
    ~DialogItem() override;

    // Items live in their own named heap, "DialogItemHeap".
    static void *operator new(std::size_t size);
    static void operator delete(void *block);
    static NH_Heap &GetHeap();
    static ControlType GetControlType(HWND control);

    // With now set a setter also transfers the item into its control, and a getter first
    // reads the control into the item.
    void SetText(String const &text, int now = 0);
    void SetText(char const *text, int now = 0);
    String GetText(int now = 0);
    char const *GetTextPtr() const { return Text.c_str(); }
    void SetCheck(unsigned check, int now = 0);
    unsigned GetCheck(int now = 0);
    void SetLong(long value, int now = 0);
    long GetLong(int now = 0);
    void SetTransferBuffer(void *buffer) { TransferBuffer = buffer; }
    void *GetTransferBuffer() const { return TransferBuffer; }
    void SelectString(int index) { Selection = index; }
    int GetSelectedString() const { return Selection; }
    void AttachValue(int value) { Selection = value; }
    int GetAttachedValue() const { return Selection; }
    // One value per combo entry; an index outside them stores nothing and reads -1.
    void AttachValue(int index, long value);
    long GetAttachedValue(int index) const;
    // Replaces the attached values by count zeros.
    void NewAttachedValues(int count);
    int GetAttachedCount() const { return AttachedCount; }

    int GetId() const { return Id; }
    Dialog *GetDialog() const { return Owner; }
    int GetFlags() const { return Flags; }
    void SetFlags(int flags) { Flags = flags; }
    ControlType GetType() const { return Type; }
    void SetType(ControlType type) { Type = type; }

    // Item <-> control, for a child window object of the dialog (ForEach actions).
    static void TransferToDialog(TWindow *child, void *dialog);
    static void TransferFromDialog(TWindow *child, void *dialog);
    void SetOSControl(TControl *control);
    void GetFromOSControl(TControl *control);

private:
    void TransferNow(int direction);
    bool TransferredWithoutType(TControl *control, int direction);

    Dialog *Owner;
    int Id;
    String Text;
    unsigned Check;
    int Selection;
    int Flags;
    long *Attached;
    int AttachedCount;
    void *TransferBuffer;
    ControlType Type;
};
