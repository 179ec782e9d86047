// A multi-level pop-up menu built from a list of strings whose backslashes mark
// sub-menus ("Folder\Sub\Entry"); string n gets the command first + n.
#pragma once

#include "core/Menu.h"

#include "foundation/Lists.h"
#include "foundation/StringItem.h"
#include "foundation/Strings.h"

class TWindow;

// One entry of the tree behind a MultiPopup: sorted by text without regard to case,
// a folder before a plain entry of the same text.
class VELTRANE_API StringNode : public ListElement {
public:
    StringNode(String const &text, int folder, int id) : Text(text), Folder(folder), Id(id), Children(1) {}
    int Compare(CollectionElement const &other, int mode) const override;

    String Text;
    int Folder;
    int Id;
    DoubleList Children;
};

class VELTRANE_API MultiPopup {
public:
    MultiPopup(List<StringItem<ListElement>> const &strings, int firstId, int checkedId);
    ~MultiPopup();

    // Shows the menu at the cursor; the chosen command goes to the window.
    void Track(TWindow &window, int flags);
    TPopupMenu *GetMenu() const { return Menu; }
    // The text after the last backslash of string index (which must be in the list).
    static String GetToken(List<StringItem<ListElement>> const &strings, int index);

private:
    MultiPopup(MultiPopup const &) = delete;
    MultiPopup &operator=(MultiPopup const &) = delete;
    static void Fill(TMenu &menu, DoubleList const &level, int checkedId);
    TPopupMenu *Menu;
};
