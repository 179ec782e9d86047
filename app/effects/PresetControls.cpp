#include "effects/PresetControls.h"

#include "controls/Dialog.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "core/Application.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"

#include <algorithm>

char const *const kDefaultPreset = "__default__";

namespace {

enum : int {
    kTextNameTaken = 10005,
    kTextReplaceQuestion = 10006,
    kTextRenameTaken = 10007,
    kTextDeleteQuestion = 10008,
    kMenuFirst = 10000,
};

bool IsDefault(String const &name) { return ::lstrcmpiA(name.c_str(), kDefaultPreset) == 0; }

// A name with a drive or a share stays as it is.
FileName InProgramFolder(FileName const &file) {
    char const *text = file.c_str();
    bool placed = (text[0] && text[1] == ':') || (text[0] == '\\' && text[1] == '\\');
    return placed ? file : FileName::CreateApplicationRelative(file);
}

}  // namespace

PresetControls::PresetControls(Dialog &dialog, PresetValues &values, FileName const &file, String const &root,
                               unsigned nameLimit)
    : dialog_(dialog), values_(values), file_(InProgramFolder(file)), root_(root),
      list_(dialog.CreateListBox(kList)), name_(dialog.CreateEditControl(kName, "", nameLimit)) {
    for (int id : {kStore, kDelete, kReplace, kLoad})
        dialog.CreateButton(id);
}

PresetControls::~PresetControls() = default;

String PresetControls::CleanName(String name) {
    ReplaceChar(name, '\\', '_');
    Trim(name);
    return name;
}

Config *PresetControls::OpenStore() {
    if (!tried_) {
        tried_ = true;
        try {
            store_.reset(new Config(root_.c_str(), file_));
        } catch (AException const &e) {
            GetApplicationObject()->WarnUser(e, 1);
        }
    }
    return store_.get();
}

void PresetControls::FillList() {
    if (filled_ || !list_->GetHandle())
        return;
    filled_ = true;
    Config *store = OpenStore();
    if (!store)
        return;
    store->MoveToRoot();
    for (ConfigKey *key = store->GetFirstKey(); key; key = key->GetNext())
        if (key->IsGroup() && key->GetName().GetLength() && !IsDefault(key->GetName()))
            list_->SetItemData(list_->AddString(key->GetName().c_str()), ULONG_PTR(key));
    EnableButtons();
}

ConfigKey *PresetControls::GroupAt(int index) const { return reinterpret_cast<ConfigKey *>(list_->GetItemData(index)); }

int PresetControls::Selected() const { return list_->GetHandle() ? list_->GetSelIndex() : -1; }

String PresetControls::NameText() const { return CleanName(dialog_.GetText(kName, 1)); }

void PresetControls::Select(int index, ConfigKey *group) {
    list_->SetItemData(index, ULONG_PTR(group));
    list_->SetSelIndex(index);
    EnableButtons();
}

int PresetControls::Ask(String const &text, unsigned style) const {
    TApplication *app = GetApplicationObject();
    return ShowMessageBox(dialog_.GetHandle(), text.c_str(), app ? app->GetName() : "", style);
}

ConfigKey *PresetControls::SelectedGroup(int &index) {
    FillList();
    index = Selected();
    return index >= 0 && OpenStore() ? GroupAt(index) : nullptr;
}

void PresetControls::LoadSelected() {
    int index;
    ConfigKey *group = SelectedGroup(index);
    if (!group)
        return;
    Config *store = store_.get();
    loaded_ = group->GetName();
    dialog_.SetText(kName, loaded_, 1);
    ::SetFocus(name_->GetHandle());
    store->MoveToRoot();
    store->MoveTo(group);
    values_.ReadPresetValues(*store);
}

void PresetControls::Store() {
    String name = NameText();
    if (!name.GetLength())
        return;
    FillList();
    Config *store = OpenStore();
    if (!store)
        return;
    store->MoveToRoot();
    bool isDefault = IsDefault(name);
    if (!isDefault && store->ExistGroup(name.c_str())) {
        Ask(String(BuildString(kTextNameTaken, name.c_str())), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    values_.SaveCurrentValues();
    int index = isDefault ? 0 : list_->AddString(name.c_str());
    if (index < 0)
        return;
    store->MoveToRoot();
    ConfigKey *group = store->MoveDown(name);
    if (isDefault)
        store->DeleteKeys();
    values_.WritePresetValues(*store);
    if (!isDefault)
        Select(index, group);
    changed_ = true;
}

void PresetControls::Replace() {
    int index;
    ConfigKey *group = SelectedGroup(index);
    if (!group)
        return;
    Config *store = store_.get();
    String old = group->GetName(), name = NameText();
    if (!name.GetLength())
        name = old;
    if (Ask(String(BuildString(kTextReplaceQuestion, old.c_str())), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (::lstrcmpiA(name.c_str(), old.c_str()) != 0) {
        store->MoveToRoot();
        if (store->ExistGroup(name.c_str())) {
            Ask(String(BuildString(kTextRenameTaken, name.c_str(), old.c_str(), name.c_str())),
                MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        list_->DeleteString(index);
        index = list_->AddString(name.c_str());
        group->SetName(name);
    }
    values_.SaveCurrentValues();
    store->MoveTo(group);
    store->DeleteKeys();
    values_.WritePresetValues(*store);
    Select(index, group);
    changed_ = true;
}

void PresetControls::DeleteSelected() {
    int index;
    ConfigKey *group = SelectedGroup(index);
    if (!group)
        return;
    Config *store = store_.get();
    if (Ask(String(BuildString(kTextDeleteQuestion, group->GetName().c_str())),
            MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    store->DeleteKey(group);
    list_->DeleteString(index);
    changed_ = true;
    dialog_.ClearText(kName, 1);
    ::SetFocus(name_->GetHandle());
    EnableButtons();
}

// A new column starts wherever a screen of entries is full.
void PresetControls::ShowMenu(TPoint const &at) {
    FillList();
    int count = list_->GetCount();
    if (count <= 0)
        return;
    int perColumn = std::max(::GetSystemMetrics(SM_CYSCREEN) / std::max(::GetSystemMetrics(SM_CYCAPTION), 1), 1);
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        ::SendMessageA(list_->GetHandle(), LB_GETTEXT, WPARAM(i), LPARAM(text));
        UINT flags = MF_STRING | (i > 0 && i % perColumn == 0 ? MF_MENUBARBREAK : 0);
        ::AppendMenuA(menu, flags, UINT_PTR(kMenuFirst + i), text);
    }
    int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_.GetHandle(), nullptr);
    ::DestroyMenu(menu);
    if (chosen >= kMenuFirst && chosen < kMenuFirst + count) {
        list_->SetSelIndex(chosen - kMenuFirst);
        LoadSelected();
    }
}

void PresetControls::EnableButtons() {
    HWND dialog = dialog_.GetHandle();
    if (!dialog)
        return;
    bool selected = Selected() >= 0, canStore = values_.CanStorePreset() != 0;
    ::EnableWindow(::GetDlgItem(dialog, kStore), canStore && NameText().GetLength() > 0);
    ::EnableWindow(::GetDlgItem(dialog, kDelete), selected);
    ::EnableWindow(::GetDlgItem(dialog, kReplace), selected && canStore);
    ::EnableWindow(::GetDlgItem(dialog, kLoad), selected);
}

void PresetControls::Close(int write) {
    if (store_ && changed_ && write) {
        try {
            store_->Save(file_);
        } catch (AException const &e) {
            GetApplicationObject()->WarnUser(e, 1);
        }
    }
    store_.reset();
    tried_ = filled_ = changed_ = false;
}
