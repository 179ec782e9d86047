// The settings store: a tree of named groups and text values with a cursor,
// typed access to the values, and its text and block forms.
//
// Text form (every line ends in CR LF, one tab of indentation per level):
//     Main
//     {
//         General
//         {
//             Logo=0
//             OpenPath
//         }
//     }
// A value with empty text is its bare name; a group without children is not
// written, except the root.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/Strings.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/StringItem.h"

class Config;
class MemoryStream;

// One node of the tree: a group when it has a child list (even an empty
// one), a value otherwise.
class OSMERA_API ConfigKey : public ListElement {
public:
    ConfigKey(Config const &store, String const &name, ConfigKey *parent, int isGroup);
    virtual ~ConfigKey();

    int IsGroup() const { return children_ != nullptr; }
    int IsValue() const { return children_ == nullptr; }
    ConfigKey *GetNext() const { return static_cast<ConfigKey *>(ListElement::GetNext()); }
    ConfigKey *GetPrev() const { return static_cast<ConfigKey *>(ListElement::GetPrev()); }

    int operator==(ConfigKey const &other) const { return Compare(other, 0) == 0; }
    int operator!=(ConfigKey const &other) const { return Compare(other, 0) != 0; }

    // Names first (ignoring case); for equal names a group sorts before a
    // value, values by their texts, groups by their children. With flags bit 4
    // a group sorts before a value of another name.
    virtual int Compare(CollectionElement const &other, int flags) const;
    // A deep copy belonging to the store given (a Config const *).
    virtual CollectionElement *CreateClone(void const *store) const;

    String const &GetName() const { return name_; }
    void SetName(String const &name) { name_ = name; }
    String const &GetText() const { return text_; }
    void SetText(String const &text) { text_ = text; }
    unsigned long GetUserData() const { return userData_; }
    void SetUserData(unsigned long data) { userData_ = data; }
    ConfigKey *GetParent() const { return parent_; }
    Config *GetStore() const { return store_; }
    ConfigKey *GetFirstChild() const;
    int GetNumChildren() const;

private:
    friend class Config;
    ConfigKey(ConfigKey const &) = delete;
    ConfigKey &operator=(ConfigKey const &) = delete;

    void MakeChildList();
    void DeleteChildList();
    void AddChild(ConfigKey *key);

    String name_;
    String text_;
    unsigned long userData_;
    ConfigKey *parent_;
    DoubleList *children_;  // owns the keys; null for a value
    Config *store_;
};

class OSMERA_API Config {
public:
    enum Mode {
        Plain = 0,
        AlwaysNewGroup = 1,     // MoveDown always creates: groups of one name side by side
        Sorted = 2,             // children kept sorted
        SortedGroupsFirst = 4,  // sorted, every group before every value
        MustExist = 8,          // Load throws when the file is missing
        FileStamp = 16          // last-write time kept in "__System"
    };

    // Called with the new key and the key it was copied from.
    typedef void (*KeyCopyHook)(ConfigKey &copy, ConfigKey const &from);
    // Called with a key that is being destroyed.
    typedef void (*KeyReleaseHook)(ConfigKey &key);

    // Restores the cursor it found when it goes.
    class OSMERA_API PathSaver {
    public:
        explicit PathSaver(Config &store);
        ~PathSaver();

    private:
        PathSaver(PathSaver const &) = delete;
        PathSaver &operator=(PathSaver const &) = delete;
        Config &store_;
        ConfigKey *key_;
    };

    // Walks the children of the store's current group, groups and values alike.
    class OSMERA_API KeyFinder {
    public:
        explicit KeyFinder(Config const &store);
        ConfigKey *GetFirst();
        ConfigKey *GetNext();

    private:
        Config const &store_;
        ConfigKey *next_;
    };

    explicit Config(char const *name = "", Mode mode = Plain);
    // Bound to a file and loaded from it at once; Load's exceptions pass.
    Config(char const *name, FileName const &file, int autoSave = 0, Mode mode = Plain);
    Config(Config const &other);
    Config &operator=(Config const &other);
    // Saves first when bound with auto-save. A failed save is posted, not thrown.
    virtual ~Config();

    int operator==(Config const &other) const;
    int operator!=(Config const &other) const { return !(*this == other); }

    String const &GetName() const { return root_.GetName(); }
    FileName const &GetFileName() const { return fileName_; }
    Mode GetMode() const { return mode_; }
    void SetAutoCreate(int allowed) { autoCreate_ = allowed; }
    void SetAutoSave(int autoSave) { autoSave_ = autoSave; }
    int HasWrongFileTime() const { return wrongFileTime_; }
    void SetKeyDataHooks(KeyCopyHook copy, KeyReleaseHook release);
    KeyCopyHook GetKeyCopyHook() const { return copyHook_; }
    KeyReleaseHook GetKeyReleaseHook() const { return releaseHook_; }

    // Navigation; each returns the new current key (always a group).
    ConfigKey *GetCurrentKey() const { return current_; }
    ConfigKey *GetRoot() { return &root_; }
    ConfigKey *MoveToRoot();
    ConfigKey *MoveDown(char const *name, int index = 0);
    ConfigKey *MoveDown(String const &name, int index = 0);
    // Enters a new group whose name is not yet used under the current group.
    ConfigKey *MoveDownUniqueKey(char const *name = nullptr);
    ConfigKey *MoveUp();
    ConfigKey *MoveTo(ConfigKey *key);
    // "\A\B" from the root, "A\B" from the current group.
    ConfigKey *MoveAbsolute(char const *path);

    // Values of the current group. CR and LF in a text are stored as blanks
    // (the text form has no escape for them).
    void SetValue(char value, char const *name, int index = 0);
    void SetValue(signed char value, char const *name, int index = 0);
    void SetValue(unsigned char value, char const *name, int index = 0);
    void SetValue(short value, char const *name, int index = 0);
    void SetValue(unsigned short value, char const *name, int index = 0);
    void SetValue(int value, char const *name, int index = 0);
    void SetValue(unsigned int value, char const *name, int index = 0);
    void SetValue(long value, char const *name, int index = 0);
    void SetValue(unsigned long value, char const *name, int index = 0);
    void SetValue(float value, char const *name, int index = 0);
    void SetValue(double const &value, char const *name, int index = 0);
    void SetValue(String const &value, char const *name, int index = 0);
    void SetValue(char const *value, char const *name, int index = 0);

    // The value's text converted, or the default when the value is absent.
    char GetValue(char def, char const *name, int index = 0) const;
    signed char GetValue(signed char def, char const *name, int index = 0) const;
    unsigned char GetValue(unsigned char def, char const *name, int index = 0) const;
    short GetValue(short def, char const *name, int index = 0) const;
    unsigned short GetValue(unsigned short def, char const *name, int index = 0) const;
    int GetValue(int def, char const *name, int index = 0) const;
    unsigned int GetValue(unsigned int def, char const *name, int index = 0) const;
    long GetValue(long def, char const *name, int index = 0) const;
    unsigned long GetValue(unsigned long def, char const *name, int index = 0) const;
    float GetValue(float def, char const *name, int index = 0) const;
    double GetValue(double const &def, char const *name, int index = 0) const;
    String GetValue(String const &def, char const *name, int index = 0) const;
    String GetValue(char const *def, char const *name, int index = 0) const;

    // GetValue clamped to min..max (a float that is not a number gives min).
    char GetSure(char def, char min, char max, char const *name, int index = 0) const;
    signed char GetSure(signed char def, signed char min, signed char max, char const *name, int index = 0) const;
    unsigned char GetSure(unsigned char def, unsigned char min, unsigned char max, char const *name,
                          int index = 0) const;
    short GetSure(short def, short min, short max, char const *name, int index = 0) const;
    unsigned short GetSure(unsigned short def, unsigned short min, unsigned short max, char const *name,
                           int index = 0) const;
    int GetSure(int def, int min, int max, char const *name, int index = 0) const;
    unsigned int GetSure(unsigned int def, unsigned int min, unsigned int max, char const *name,
                         int index = 0) const;
    long GetSure(long def, long min, long max, char const *name, int index = 0) const;
    unsigned long GetSure(unsigned long def, unsigned long min, unsigned long max, char const *name,
                          int index = 0) const;
    float GetSure(float def, float min, float max, char const *name, int index = 0) const;
    double GetSure(double def, double min, double max, char const *name, int index = 0) const;

    // Bytes as upper-case hexadecimal text.
    void SetBinary(void const *data, int size, char const *name, int index = 0);
    // Returns the number of bytes made; out is zero-filled first.
    int GetBinary(void *out, void const *def, int size, char const *name, int index = 0) const;
    int GetBinarySize(char const *name, int index = 0) const;
    int GetValueNames(List<StringItem<ListElement>> &names, int sorted = 0) const;

    // Structure, relative to the current group.
    ConfigKey *CreateKey(String const &name);
    void GroupToValue(ConfigKey *key);
    void ValueToGroup(ConfigKey *key);
    int ExistKey(char const *name, int index = 0) const;
    int ExistValue(char const *name, int index = 0) const;
    int ExistGroup(char const *name, int index = 0) const;
    ConfigKey *GetFirstKey() const;
    ConfigKey *GetKey(int i) const;
    int GetNumKeys() const;
    int GetNumGroups() const;
    int GetNumValues() const;
    void DeleteKey(char const *name, int index = 0);
    // Deleting the key that holds the cursor (or an ancestor of it) moves the
    // cursor to the deleted key's parent.
    void DeleteKey(ConfigKey *key);
    void DeleteKeys();
    void Clear();
    void DeleteEmptyGroups();

    // Children before their group, depth first; the start itself is not passed.
    // fn may delete the key it is given.
    void ForEachKey(void (*fn)(ConfigKey &, void *), void *data) const;
    void ForEachKey(ConfigKey const *start, void (*fn)(ConfigKey &, void *), void *data) const;
    ConfigKey *FindFirstThat(int (*test)(ConfigKey const &, void const *), void const *data) const;
    ConfigKey *FindFirstThat(ConfigKey const *start, int (*test)(ConfigKey const &, void const *),
                             void const *data) const;

    // The text form in a new block of the default heap (caller frees it with
    // NH_Heap::FreeMem); the cursor goes to the root.
    char *GetAsBlock(unsigned int *size);
    void BuildFromBlock(char const *block, unsigned int size);
    void Load(FileName const &file);
    // Writes a temporary file beside the target and replaces the target only
    // once the whole text is written.
    void Save(FileName const &file, int = 0);

    // Each value as "Group\Sub\Name" (texts are not kept).
    unsigned long GetAsPathList(List<StringItem<ListElement>> &list);
    void SaveAsPathList(FileName const &file);
    void LoadFromPathList(FileName const &file);
    void BuildFromPathList(List<StringItem<ListElement>> const &list);

    // Deepest nesting the reader builds; deeper groups merge into the deepest.
    enum { MaxReadDepth = 200 };

private:
    friend class ConfigKey;

    ConfigKey *FindChild(char const *builtName, int kind) const;
    ConfigKey *FindOrCreateValue(char const *name, int index);
    void SetText(char const *name, int index, char const *text);
    ConfigKey const *FindValue(char const *name, int index) const;
    void DeleteKeyNow(ConfigKey *key);
    void DeleteEmptyGroupsBelow(ConfigKey *group);

    void WriteGroup(MemoryStream &out, ConfigKey const &group);
    void ReadGroup(MemoryStream &in);
    String ReadSourceLine(MemoryStream &in);
    String GetNextLine(MemoryStream &in, int *isHeader);
    void MakeFileStamp(FileName const &file);

    KeyCopyHook copyHook_;
    KeyReleaseHook releaseHook_;
    Mode mode_;
    ConfigKey root_;
    ConfigKey *current_;
    int depth_;
    String pendingLine_;
    FileName fileName_;
    int autoCreate_;
    int autoSave_;
    int wrongFileTime_;
};

inline Config::Mode operator|(Config::Mode a, Config::Mode b) { return Config::Mode(int(a) | int(b)); }
