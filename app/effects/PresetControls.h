// Named presets of a dialog in one preset file: one group per preset, holding the keys the
// dialog writes; the group "__default__" is the dialog's own and never listed. A dialog
// shows them in list 101 with the name in edit 102 and buttons to store (103), delete
// (104), replace (105) and load (106). The file is read when first needed, every change is
// kept in memory, and the file is written once, when the dialog closes with changes.
#pragma once

#include "foundation/Config.h"
#include "foundation/FileName.h"
#include "foundation/Strings.h"

#include <memory>

class Dialog;
class TEdit;
class TListBox;
class TPoint;

// What a preset holds for the dialog that keeps it.
class PresetValues {
public:
    // The group the store stands on into the dialog.
    virtual void ReadPresetValues(Config &store) = 0;
    // The dialog's values into the group the store stands on.
    virtual void WritePresetValues(Config &store) = 0;
    // Whether storing and replacing may be offered now.
    virtual int CanStorePreset() { return 1; }
    // The controls into the dialog's values, before they are stored.
    virtual void SaveCurrentValues() {}

protected:
    ~PresetValues() {}
};

// The reserved group of a preset file.
extern char const *const kDefaultPreset;

class PresetControls {
public:
    enum : int { kList = 101, kName = 102, kStore = 103, kDelete = 104, kReplace = 105, kLoad = 106 };

    // Wraps the controls of the dialog; a file name without a drive lies in the program's
    // folder.
    PresetControls(Dialog &dialog, PresetValues &values, FileName const &file, String const &root,
                   unsigned nameLimit);
    FileName const &GetFile() const { return file_; }
    ~PresetControls();
    PresetControls(PresetControls const &) = delete;
    PresetControls &operator=(PresetControls const &) = delete;

    // A preset name as stored: backslashes made underscores, no blanks or tabs at the ends.
    static String CleanName(String name);

    // Reads the file into the store and the list, once the list's window stands.
    void FillList();
    void LoadSelected();
    // Under the name in edit 102; "__default__" is written over without a question.
    void Store();
    // The selected preset takes the current values and the name in edit 102 (its own when
    // that is empty).
    void Replace();
    void DeleteSelected();
    // A menu of the presets at the screen point; choosing one loads it.
    void ShowMenu(TPoint const &at);
    void EnableButtons();
    // The name of the preset last loaded, empty when none.
    String const &GetLoadedName() const { return loaded_; }
    // Ends the store: the file written when it changed and write is set, else left as it
    // was.
    void Close(int write);

private:
    // The store, read on first use; null when the file cannot be read (the user was told).
    Config *OpenStore();
    ConfigKey *GroupAt(int index) const;
    // The selected preset's group (its list index in index), the list filled and the store
    // read first; null when none is selected or the store cannot be read.
    ConfigKey *SelectedGroup(int &index);
    int Selected() const;
    String NameText() const;
    void Select(int index, ConfigKey *group);
    // A message box of the program's title; its answer.
    int Ask(String const &text, unsigned style) const;

    Dialog &dialog_;
    PresetValues &values_;
    FileName file_;
    String root_;
    std::unique_ptr<Config> store_;
    bool tried_ = false;
    bool filled_ = false;
    bool changed_ = false;
    String loaded_;
    TListBox *list_;
    TEdit *name_;
};
