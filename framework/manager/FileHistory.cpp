#include "manager/FileHistory.h"

#include "foundation/Config.h"
#include "manager/DocumentManager.h"
#include "foundation/FileName.h"

#include <cstring>

namespace {
char const Group[] = "FileHistory";

void EnterGroup(Config &store) {
    store.MoveToRoot();
    store.MoveDown(Group);
}
}  // namespace

int HistoryItem::Compare(CollectionElement const &other, int) const {
    HistoryItem const &o = static_cast<HistoryItem const &>(other);
    int c = _stricmp(File.c_str(), o.File.c_str());
    return c ? c : std::strcmp(Id.c_str(), o.Id.c_str());
}

String HistoryItem::GetDisplayText() const {
    List<FileName> names;
    DocumentManager::ExplodeStringOfFileNames(File, names);
    String text;
    for (FileName *name = names.GetFirst(); name; name = names.GetNext(name)) {
        if (name == names.GetFirst()) {
            text = name->GetSummary(40);
        } else {
            text.Append(" | ");
            text.Append(String(name->GetTitle()));
        }
    }
    return text.MakeLower();
}

FileHistory::FileHistory(Config &store) : List<HistoryItem>(1), Store(&store), AddedItems(0) {
    Config::PathSaver keep(store);
    EnterGroup(store);
    for (int n = 0; n < MaxShown; ++n) {
        String file = store.GetValue("", "File", n);
        if (file.IsEmpty())
            break;
        HistoryItem *item = new HistoryItem(file, store.GetValue("", "Id", n));
        if (FindEqual(*item))
            delete item;
        else
            Append(item);
    }
}

FileHistory::FileHistory(FileHistory const &other)
    : List<HistoryItem>(1), Store(other.Store), AddedItems(other.AddedItems) {
    for (HistoryItem *item = other.GetFirst(); item; item = other.GetNext(item))
        Append(new HistoryItem(*item));
}

FileHistory::~FileHistory() {
    try {
        Save();
    } catch (...) {
        // The list goes anyway; a store that cannot be written loses nothing else.
    }
}

void FileHistory::Save() {
    if (!Store)
        return;
    Config::PathSaver keep(*Store);
    EnterGroup(*Store);
    Store->DeleteKeys();
    // Indexes are counted over the entries written, so the reader, which stops at
    // the first missing index, finds all of them.
    int index = 0, n = 0;
    for (HistoryItem *item = GetFirst(); item && n < MaxShown; item = GetNext(item), ++n) {
        if (item->File.IsEmpty() || item->File.GetFirstChar() == '$')
            continue;
        Store->SetValue(item->File, "File", index);
        Store->SetValue(item->Id, "Id", index);
        ++index;
    }
}

void FileHistory::Add(String const &file, String const &id) {
    if (file.IsEmpty())
        return;
    HistoryItem *item = new HistoryItem(file, id);
    DeleteEqual(*item);
    Prepend(item);
}

void FileHistory::Remove(String const &file, String const &id) {
    HistoryItem probe(file, id);
    DeleteEqual(probe);
}

void FileHistory::UpdateMenu(HMENU popup, unsigned) {
    if (!popup)
        return;
    int count = ::GetMenuItemCount(popup), exitPos = -1;
    for (int i = 0; i < count && exitPos < 0; ++i)
        if (::GetMenuItemID(popup, i) == ExitCommand)
            exitPos = i;
    if (exitPos < 0)
        return;
    while (::GetMenuItemCount(popup) > exitPos + 1)
        ::DeleteMenu(popup, exitPos + 1, MF_BYPOSITION);
    int n = GetCount() < MaxShown ? GetCount() : MaxShown;
    AddedItems = 0;
    if (n <= 0)
        return;
    ::AppendMenuA(popup, MF_SEPARATOR, 0, 0);
    int k = 0;
    for (HistoryItem *item = GetFirst(); item && k < n; item = GetNext(item), ++k) {
        String text("&");
        text.Append(char('0' + (k + 1) % 10));
        text.Append(' ');
        text.Append(item->GetDisplayText());
        ::AppendMenuA(popup, MF_STRING, FirstCommand + k, text.c_str());
    }
    AddedItems = n + 1;
}
