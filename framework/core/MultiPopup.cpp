#include "core/MultiPopup.h"

#include "core/Window.h"

int StringNode::Compare(CollectionElement const &other, int) const {
    StringNode const &o = static_cast<StringNode const &>(other);
    int c = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Text.c_str(), -1, o.Text.c_str(), -1) - CSTR_EQUAL;
    if (c)
        return c;
    return Folder == o.Folder ? 0 : Folder ? -1 : 1;
}

MultiPopup::MultiPopup(List<StringItem<ListElement>> const &strings, int firstId, int checkedId) : Menu(0) {
    DoubleList root(1);
    int id = firstId;
    for (StringItem<ListElement> *s = strings.GetFirst(); s; s = strings.GetNext(s), ++id) {
        DoubleList *level = &root;
        char const *p = s->c_str();
        while (*p == '\\')
            ++p;
        while (*p) {
            char const *end = p;
            while (*end && *end != '\\')
                ++end;
            int folder = *end == '\\';
            StringNode probe(String(p, 0, (unsigned long)(end - p)), folder, id);
            StringNode *node = static_cast<StringNode *>(level->FindEqual(probe));
            if (!node)
                node = static_cast<StringNode *>(level->InsertInSortedList(new StringNode(probe.Text, folder, id)));
            if (!folder)
                break;
            level = &node->Children;
            p = end;
            while (*p == '\\')
                ++p;
        }
    }
    Menu = new TPopupMenu(AutoDelete);
    Fill(*Menu, root, checkedId);
}

MultiPopup::~MultiPopup() { delete Menu; }

void MultiPopup::Fill(TMenu &menu, DoubleList const &level, int checkedId) {
    for (ListElement *e = level.GetFirst(); e; e = e->GetNext()) {
        StringNode const &node = *static_cast<StringNode *>(e);
        if (node.Folder) {
            if (node.Children.IsEmpty())
                continue;
            HMENU sub = ::CreatePopupMenu();
            TMenu wrapped(sub, NoAutoDelete);
            Fill(wrapped, node.Children, checkedId);
            menu.AppendMenuA(MF_POPUP | MF_STRING, (UINT_PTR)sub, node.Text.c_str());
        } else {
            menu.AppendMenuA(MF_STRING | (node.Id == checkedId ? MF_CHECKED : 0), node.Id, node.Text.c_str());
        }
    }
}

void MultiPopup::Track(TWindow &window, int flags) {
    if (!Menu || !Menu->IsOK())
        return;
    POINT p;
    ::GetCursorPos(&p);
    window.SetFocus();
    Menu->TrackPopupMenu(flags, p.x, p.y, 0, window.HWindow);
}

String MultiPopup::GetToken(List<StringItem<ListElement>> const &strings, int index) {
    StringItem<ListElement> *s = index >= 0 ? strings[index] : 0;
    if (!s)
        return String();  // an index outside the list names nothing
    long slash = s->FindLast('\\');
    return slash < 0 ? String(*s) : String(s->Mid(slash + 1));
}
