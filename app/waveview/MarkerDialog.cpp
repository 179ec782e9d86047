#include "waveview/MarkerDialog.h"

#include "audio/MarkerSet.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "waveview/MarkerWindow.h"

#include <algorithm>
#include <string>

namespace {

enum : unsigned { kTextEditMarker = 11310 };

int RunModal(MarkerDialog &dialog) { return dialog.Execute(); }

MarkerDialogRunner runner = &RunModal;

// The marker set asks through this when it makes a CD track from a selection.
class DialogLink : public MarkerDialogLink {
public:
    int RunMarkerDialog(MarkerSet &markers, int index, int position, MarkerChoice &choice,
                        int allowedTypes) override {
        return ::RunMarkerDialog(markers, index, position, choice, allowedTypes);
    }
};

// Trimmed of blanks at both ends; a backslash would split the marker file's names.
String CleanName(char const *typed) {
    std::string name = String(typed).Trim().c_str();
    std::replace(name.begin(), name.end(), '\\', '_');
    return String(name.c_str());
}

// The marker of markers at address, or null when a step dropped it.
Marker *StillIn(MarkerSet const &markers, Marker const *address) {
    for (int i = 0; i < markers.GetCount(); ++i)
        if (markers.GetMarker(i) == address)
            return markers.GetMarker(i);
    return nullptr;
}

}  // namespace

DEFINE_RESPONSE_TABLE1(MarkerDialog, Dialog)
    EV_COMMAND_AND_ID(101, CmType),
    EV_COMMAND_AND_ID(102, CmType),
    EV_COMMAND_AND_ID(103, CmType),
    EV_COMMAND_AND_ID(104, CmType),
    EV_COMMAND_AND_ID(105, CmType),
    EV_COMMAND_AND_ID(106, CmType),
    EV_COMMAND(kAutoName, CmAutoName),
    EV_COMMAND(IDOK, CmOk),
END_RESPONSE_TABLE;

MarkerDialog::MarkerDialog(TWindow *parent, MarkerSet &markers, int index, int position, MarkerChoice const &choice,
                           int allowedTypes, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kResource, module), markers_(markers), index_(index),
      position_(position), allowed_(allowedTypes), choice_(choice) {
    if (Marker *marker = markers.GetMarker(index)) {
        choice_.type = marker->type_;
        choice_.name = marker->IsAutoNamed() ? String() : marker->name_;
    }
    SetPosition(kCenterOnParent);
}

void MarkerDialog::SetupWindow() {
    Dialog::SetupWindow();
    ::SendDlgItemMessageA(GetHandle(), kName, EM_LIMITTEXT, kNameLength, 0);
    ::SetDlgItemTextA(GetHandle(), kName, choice_.name.c_str());
    Marker *marker = markers_.GetMarker(index_);
    if (marker)
        ::SetWindowTextA(GetHandle(), FindString(kTextEditMarker).c_str());
    for (int t = 0; t <= kLastType - kFirstType; ++t) {
        int enabled = (allowed_ >> t) & 1;
        Enable(kFirstType + t, enabled);
        ::CheckDlgButton(GetHandle(), kFirstType + t, enabled && t == choice_.type ? BST_CHECKED : BST_UNCHECKED);
    }
    SetCheckBox(kAutoName, choice_.autoName, 1);
    SetCheckBox(kLocked, choice_.locked, 1);
    if (marker && marker->ClosesTrack())
        SetCheckBox(kEndOnCdFrame, (marker->flags_ & Marker::kEndOnCdFrame) != 0, 1);
    else
        SetCheckBox(kEndOnCdFrame, marker && marker->type_ == Marker::kIndex, 0);
    typedName_ = choice_.name;
    if (choice_.autoName)
        ShowAutomaticName();
    EnableControls();
}

int MarkerDialog::GetCheckedType() {
    for (int id = kFirstType; id <= kLastType; ++id)
        if (::IsDlgButtonChecked(GetHandle(), id) == BST_CHECKED)
            return id - kFirstType;
    return -1;
}

int MarkerDialog::IsBoxChecked(int id) { return ::IsDlgButtonChecked(GetHandle(), id) == BST_CHECKED; }

void MarkerDialog::SetCheckBox(int id, int checked, int enabled) {
    ::CheckDlgButton(GetHandle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
    Enable(id, enabled);
}

void MarkerDialog::FollowTypeWithCdFrameBox(int type) {
    if (type == Marker::kTrackEnd || type == Marker::kTrackSplice)
        SetCheckBox(kEndOnCdFrame, 1, 1);
    else
        SetCheckBox(kEndOnCdFrame, type == Marker::kIndex, 0);
}

void MarkerDialog::EnableControls() {
    int automatic = IsBoxChecked(kAutoName);
    Enable(kName, !automatic);
    Enable(kNameLabel, !automatic);
    Enable(IDOK, GetCheckedType() >= 0);
}

String MarkerDialog::AutomaticName(int type) const {
    MarkerSet copy(markers_);
    Marker const *named = nullptr;
    if (Marker *marker = copy.GetMarker(index_)) {
        marker->type_ = type;
        marker->flags_ |= Marker::kAutoName;
        named = marker;
        copy.Validate(1, 1);
    } else {
        if (!(copy.Add(new Marker(String(), position_, type, Marker::kAutoName), 1) & MarkerSet::kKept))
            return String();
        for (int i = 0; i < copy.GetCount() && !named; ++i)
            if (copy.GetMarker(i)->flags_ & Marker::kJustAdded)
                named = copy.GetMarker(i);
    }
    Marker const *survivor = named ? StillIn(copy, named) : nullptr;
    return survivor ? survivor->name_ : String();
}

// Only while the box is checked and a type chosen; a name that would not survive leaves
// the edit as it is.
void MarkerDialog::ShowAutomaticName() {
    int type = GetCheckedType();
    if (!IsBoxChecked(kAutoName) || type < 0)
        return;
    String name = AutomaticName(type);
    if (!name.IsEmpty() || markers_.GetMarker(index_))
        ::SetDlgItemTextA(GetHandle(), kName, name.c_str());
}

void MarkerDialog::CmType(uint id) {
    if (!GetHandle())
        return;
    ::CheckRadioButton(GetHandle(), kFirstType, kLastType, int(id));
    ShowAutomaticName();
    FollowTypeWithCdFrameBox(int(id) - kFirstType);
    EnableControls();
}

void MarkerDialog::CmAutoName() {
    if (IsBoxChecked(kAutoName)) {
        char typed[kNameLength + 1] = "";
        ::GetDlgItemTextA(GetHandle(), kName, typed, sizeof typed);
        typedName_ = typed;
        ShowAutomaticName();
        EnableControls();
        return;
    }
    EnableControls();
    ::SetDlgItemTextA(GetHandle(), kName, typedName_.c_str());
    ::SetFocus(::GetDlgItem(GetHandle(), kName));
}

int MarkerDialog::Accept() {
    int type = GetCheckedType();
    if (type < 0)
        return 0;
    if (!markers_.GetMarker(index_) && !((allowed_ >> type) & 1)) {
        markers_.ShowType(type, 0);
        return 0;
    }
    char typed[kNameLength + 1] = "";
    ::GetDlgItemTextA(GetHandle(), kName, typed, sizeof typed);
    choice_.type = type;
    choice_.name = CleanName(typed);
    choice_.autoName = IsBoxChecked(kAutoName);
    choice_.locked = IsBoxChecked(kLocked);
    choice_.endOnCdFrame = IsBoxChecked(kEndOnCdFrame);
    TheMarkerWindowSettings().lastAutoName = choice_.autoName;
    accepted_ = 1;
    return 1;
}

void MarkerDialog::CmOk() {
    if (GetCheckedType() < 0)
        return;
    Accept();
    CloseWindow(IDOK);
}

MarkerDialogRunner SetMarkerDialogRunner(MarkerDialogRunner next) {
    MarkerDialogRunner previous = runner;
    runner = next ? next : &RunModal;
    return previous;
}

int RunMarkerDialog(MarkerSet &markers, int index, int position, MarkerChoice &choice, int allowedTypes) {
    TWindow *parent = _docManager ? _docManager->GetMainWindow() : nullptr;
    MarkerDialog dialog(parent, markers, index, position, choice, allowedTypes, TModule::_localizedResourceDLL);
    if (runner(dialog) != IDOK || !dialog.IsAccepted())
        return 0;
    choice = dialog.GetChoice();
    return 1;
}

MarkerDialogLink *RegisterMarkerDialog() {
    static DialogLink link;
    return SetMarkerDialogLink(&link);
}
