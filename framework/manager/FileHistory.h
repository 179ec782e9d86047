// The list of recently used documents, newest first: read from the settings store's
// group "FileHistory" when built, shown at the end of the File menu, written back
// when destroyed. Command 20030 + n reopens entry n.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <windows.h>

class Config;

class VELTRANE_API HistoryItem : public ListElement {
public:
    HistoryItem(String const &file, String const &id) : File(file), Id(id) {}
    HistoryItem(HistoryItem const &other) : ListElement(), File(other.File), Id(other.Id) {}
    HistoryItem &operator=(HistoryItem const &other) {
        File = other.File;
        Id = other.Id;
        return *this;
    }
    // Equal for the same file text ignoring case and exactly the same type.
    int Compare(CollectionElement const &other, int mode) const override;
    CollectionElement *CreateClone(void const *) const override { return new HistoryItem(*this); }

    String const &GetFile() const { return File; }
    String const &GetId() const { return Id; }
    // The menu text: the first name summarised, further names by their titles, lower case.
    String GetDisplayText() const;

    String File;  // one name, or several joined by TAB
    String Id;    // the name of the document type that opened it
};

class VELTRANE_API FileHistory : public List<HistoryItem> {
public:
    enum { MaxShown = 10, FirstCommand = 20030, ExitCommand = 20007 };

    explicit FileHistory(Config &store);
    FileHistory(FileHistory const &other);
    ~FileHistory();

    void Add(String const &file, String const &id);
    void Remove(String const &file, String const &id);
    HistoryItem *Item(int n) const { return (*this)[n]; }
    // Rebuilds the recent files at the end of the File menu (the popup holding 20007).
    void UpdateMenu(HMENU popup, unsigned index);
    int GetAddedItems() const { return AddedItems; }
    // Writes the first entries to the store's group (the destructor does this too).
    void Save();

private:
    FileHistory &operator=(FileHistory const &) = delete;
    Config *Store;
    int AddedItems;
};
