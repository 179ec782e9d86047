#include "foundation/Config.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "foundation/Exception.h"
#include "foundation/Randomizer.h"
#include "foundation/StringUtils.h"

namespace {

enum KeyKind { AnyKey, ValueKey, GroupKey };
enum { MaxNameLength = 255 };

// Names match without regard to case, ASCII letters folded byte by byte.
int FoldCompare(char const *a, char const *b) {
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca + 32);
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (!ca)
            return 0;
    }
}

// CR or LF in a name or text would split its line in the text form.
void BlankLineBreaks(String &text) {
    if (text.FindOneOf("\r\n") >= 0)
        ReplaceChars(text, "\r\n", ' ');
}

// name + index in decimal when the index is not 0, at most 255 characters.
String BuildKeyName(char const *name, int index) {
    char buffer[MaxNameLength + 1];
    if (index)
        snprintf(buffer, sizeof buffer, "%s%d", name ? name : "", index);
    else
        snprintf(buffer, sizeof buffer, "%s", name ? name : "");
    String built(buffer);
    BlankLineBreaks(built);
    return built;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline int IsBlank(char c) { return c == ' ' || c == '\t'; }

// Counts the bytes of a hexadecimal text: pairs of digits, blanks and tabs
// allowed between pairs only. -1 for anything else (odd length, bad digit).
int CountHexBytes(char const *text) {
    int bytes = 0;
    while (*text) {
        if (IsBlank(*text)) {
            ++text;
            continue;
        }
        if (HexDigit(text[0]) < 0 || HexDigit(text[1]) < 0)
            return -1;
        text += 2;
        ++bytes;
    }
    return bytes;
}

template <class T> T SignedFromText(String const &text) {
    return static_cast<T>(strtol(text.c_str(), nullptr, 10));
}

template <class T> T UnsignedFromText(String const &text) {
    return static_cast<T>(strtoul(text.c_str(), nullptr, 10));
}

template <class T> T Clamp(T v, T min, T max) {
    if (v < min)
        return min;
    if (v > max)
        return max;
    return v;
}

// The first test fails for a value that is not a number, which gives min.
template <class T> T ClampReal(T v, T min, T max) {
    if (!(v >= min))
        return min;
    if (v > max)
        return max;
    return v;
}

}  // namespace

// ---------------------------------------------------------------- ConfigKey

ConfigKey::ConfigKey(Config const &store, String const &name, ConfigKey *parent, int isGroup)
    : name_(name), userData_(0), parent_(parent), children_(nullptr), store_(const_cast<Config *>(&store)) {
    if (isGroup)
        MakeChildList();
}

ConfigKey::~ConfigKey() {
    if (store_ && store_->releaseHook_)
        store_->releaseHook_(*this);
    DeleteChildList();
}

void ConfigKey::MakeChildList() {
    if (children_)
        return;
    children_ = new DoubleList(1);
    children_->SetCompareMode(store_->mode_ & (Config::Sorted | Config::SortedGroupsFirst));
}

void ConfigKey::DeleteChildList() {
    delete children_;
    children_ = nullptr;
}

void ConfigKey::AddChild(ConfigKey *key) {
    if (children_->GetCompareMode())
        children_->InsertInSortedList(key);
    else
        children_->Append(key);
}

ConfigKey *ConfigKey::GetFirstChild() const {
    return children_ ? static_cast<ConfigKey *>(children_->GetFirst()) : nullptr;
}

int ConfigKey::GetNumChildren() const { return children_ ? children_->GetCount() : 0; }

int ConfigKey::Compare(CollectionElement const &element, int flags) const {
    ConfigKey const &other = static_cast<ConfigKey const &>(element);
    int byName = FoldCompare(name_.c_str(), other.name_.c_str());
    if (byName == 0) {
        if (IsGroup() != other.IsGroup())
            return IsGroup() ? -1 : 1;
        if (IsValue()) {
            int byText = strcmp(text_.c_str(), other.text_.c_str());
            return byText < 0 ? -1 : byText > 0 ? 1 : 0;
        }
        if (GetNumChildren() != other.GetNumChildren())
            return 1;
        for (ConfigKey *a = GetFirstChild(), *b = other.GetFirstChild(); a; a = a->GetNext(), b = b->GetNext())
            if (a->Compare(*b, 0) != 0)
                return 1;
        return 0;
    }
    if ((flags & Config::SortedGroupsFirst) && IsGroup() != other.IsGroup())
        return IsGroup() ? -1 : 1;
    return byName;
}

CollectionElement *ConfigKey::CreateClone(void const *storeArg) const {
    Config const &store = *static_cast<Config const *>(storeArg);
    ConfigKey *copy = new ConfigKey(store, name_, nullptr, IsGroup());
    copy->text_ = text_;
    if (store.copyHook_)
        store.copyHook_(*copy, *this);
    else
        copy->userData_ = userData_;
    for (ConfigKey *child = GetFirstChild(); child; child = child->GetNext()) {
        ConfigKey *childCopy = static_cast<ConfigKey *>(child->CreateClone(storeArg));
        childCopy->parent_ = copy;
        copy->children_->Append(childCopy);
    }
    return copy;
}

// ---------------------------------------------------------------- Config

Config::Config(char const *name, Mode mode)
    : copyHook_(nullptr), releaseHook_(nullptr), mode_(mode), root_(*this, String(name ? name : ""), nullptr, 1),
      current_(&root_), depth_(0), autoCreate_(1), autoSave_(0), wrongFileTime_(1) {}

Config::Config(char const *name, FileName const &file, int autoSave, Mode mode)
    : copyHook_(nullptr), releaseHook_(nullptr), mode_(mode), root_(*this, String(name ? name : ""), nullptr, 1),
      current_(&root_), depth_(0), fileName_(file), autoCreate_(1), autoSave_(autoSave), wrongFileTime_(1) {
    Load(file);
}

Config::Config(Config const &other)
    : copyHook_(nullptr), releaseHook_(nullptr), mode_(other.mode_), root_(*this, String(), nullptr, 1),
      current_(&root_), depth_(0), autoCreate_(1), autoSave_(0), wrongFileTime_(1) {
    *this = other;
}

Config &Config::operator=(Config const &other) {
    if (this == &other)
        return *this;
    root_.DeleteChildList();  // released with the hooks they were made with
    mode_ = other.mode_;
    autoCreate_ = other.autoCreate_;
    copyHook_ = other.copyHook_;
    releaseHook_ = other.releaseHook_;
    root_.MakeChildList();
    root_.name_ = other.root_.name_;
    root_.text_ = other.root_.text_;
    for (ConfigKey *child = other.root_.GetFirstChild(); child; child = child->GetNext()) {
        ConfigKey *copy = static_cast<ConfigKey *>(child->CreateClone(this));
        copy->parent_ = &root_;
        root_.children_->Append(copy);
    }
    current_ = &root_;
    depth_ = 0;
    pendingLine_.Clear();
    fileName_ = other.fileName_;
    autoSave_ = other.autoSave_;
    wrongFileTime_ = other.wrongFileTime_;
    return *this;
}

Config::~Config() {
    if (autoSave_ && !fileName_.IsEmpty()) {
        // A destructor must not throw: a failed save goes to the GUI as a
        // posted exception so that the user still hears of it.
        try {
            Save(fileName_, 0);
        } catch (Exception const &e) {
            try {
                ExceptionThrower(1).SetAndThrow(e);
            } catch (...) {
            }
        } catch (...) {
        }
    }
}

int Config::operator==(Config const &other) const { return root_.Compare(other.root_, 0) == 0; }

void Config::SetKeyDataHooks(KeyCopyHook copy, KeyReleaseHook release) {
    copyHook_ = copy;
    releaseHook_ = release;
}

// ---- navigation

ConfigKey *Config::MoveToRoot() { return current_ = &root_; }

ConfigKey *Config::FindChild(char const *builtName, int kind) const {
    for (ConfigKey *key = current_->GetFirstChild(); key; key = key->GetNext()) {
        if ((kind == ValueKey && key->IsGroup()) || (kind == GroupKey && key->IsValue()))
            continue;
        if (FoldCompare(key->name_.c_str(), builtName) == 0)
            return key;
    }
    return nullptr;
}

ConfigKey *Config::MoveDown(char const *name, int index) {
    String built = BuildKeyName(name, index);
    if (!(mode_ & AlwaysNewGroup)) {
        if (ConfigKey *found = FindChild(built.c_str(), GroupKey))
            return current_ = found;
    }
    if (!autoCreate_)
        return current_;
    ConfigKey *group = new ConfigKey(*this, built, current_, 1);
    current_->AddChild(group);
    return current_ = group;
}

ConfigKey *Config::MoveDown(String const &name, int index) { return MoveDown(name.c_str(), index); }

ConfigKey *Config::MoveDownUniqueKey(char const *name) {
    // Leave room for the index so that every draw gives another name.
    String base = BuildKeyName(name ? name : "K_", 0);
    base.KeepLeft(MaxNameLength - 11);
    for (;;) {
        int index = static_cast<int>(GlobalRandomizer().Get(2147483647UL));
        if (!FindChild(BuildKeyName(base.c_str(), index).c_str(), GroupKey))
            return MoveDown(base.c_str(), index);
    }
}

ConfigKey *Config::MoveUp() {
    if (current_->parent_)
        current_ = current_->parent_;
    return current_;
}

ConfigKey *Config::MoveTo(ConfigKey *key) {
    if (key && key->IsGroup() && key->store_ == this)
        current_ = key;
    return current_;
}

ConfigKey *Config::MoveAbsolute(char const *path) {
    if (!path)
        return current_;
    if (path[0] == '\\')
        current_ = &root_;
    List<StringItem<ListElement>> parts;
    ExplodeString(parts, path, "\\", 1);
    // A part that cannot be entered ends the walk: the rest would be looked
    // for in the wrong group.
    for (StringItem<ListElement> *part = parts.GetFirst(); part; part = parts.GetNext(part)) {
        ConfigKey *before = current_;
        if (MoveDown(*part, 0) == before)
            break;
    }
    return current_;
}

// ---- values

ConfigKey const *Config::FindValue(char const *name, int index) const {
    return FindChild(BuildKeyName(name, index).c_str(), ValueKey);
}

ConfigKey *Config::FindOrCreateValue(char const *name, int index) {
    String built = BuildKeyName(name, index);
    ConfigKey *key = FindChild(built.c_str(), ValueKey);
    if (!key) {
        key = new ConfigKey(*this, built, current_, 0);
        current_->AddChild(key);
    }
    return key;
}

void Config::SetText(char const *name, int index, char const *text) {
    String value(text ? text : "");
    BlankLineBreaks(value);
    FindOrCreateValue(name, index)->text_ = value;
}

void Config::SetValue(char value, char const *name, int index) { SetValue(long(value), name, index); }
void Config::SetValue(signed char value, char const *name, int index) { SetValue(long(value), name, index); }
void Config::SetValue(unsigned char value, char const *name, int index) {
    SetValue(static_cast<unsigned long>(value), name, index);
}
void Config::SetValue(short value, char const *name, int index) { SetValue(long(value), name, index); }
void Config::SetValue(unsigned short value, char const *name, int index) {
    SetValue(static_cast<unsigned long>(value), name, index);
}
void Config::SetValue(int value, char const *name, int index) { SetValue(long(value), name, index); }
void Config::SetValue(unsigned int value, char const *name, int index) {
    SetValue(static_cast<unsigned long>(value), name, index);
}

void Config::SetValue(long value, char const *name, int index) {
    char text[16];
    snprintf(text, sizeof text, "%ld", value);
    SetText(name, index, text);
}

void Config::SetValue(unsigned long value, char const *name, int index) {
    char text[16];
    snprintf(text, sizeof text, "%lu", value);
    SetText(name, index, text);
}

void Config::SetValue(float value, char const *name, int index) { SetValue(double(value), name, index); }

void Config::SetValue(double const &value, char const *name, int index) {
    char text[400];  // room for the largest double in "%.8f"
    snprintf(text, sizeof text, "%.8f", value);
    SetText(name, index, text);
}

void Config::SetValue(String const &value, char const *name, int index) { SetText(name, index, value.c_str()); }
void Config::SetValue(char const *value, char const *name, int index) { SetText(name, index, value); }

#define CONFIG_GET_VALUE(T, convert)                                   \
    T Config::GetValue(T def, char const *name, int index) const {     \
        ConfigKey const *key = FindValue(name, index);                 \
        return key ? convert<T>(key->text_) : def;                     \
    }
CONFIG_GET_VALUE(char, SignedFromText)
CONFIG_GET_VALUE(signed char, SignedFromText)
CONFIG_GET_VALUE(unsigned char, UnsignedFromText)
CONFIG_GET_VALUE(short, SignedFromText)
CONFIG_GET_VALUE(unsigned short, UnsignedFromText)
CONFIG_GET_VALUE(int, SignedFromText)
CONFIG_GET_VALUE(unsigned int, UnsignedFromText)
CONFIG_GET_VALUE(long, SignedFromText)
CONFIG_GET_VALUE(unsigned long, UnsignedFromText)
#undef CONFIG_GET_VALUE

// A missing value gives its default exactly (not rounded to two decimals).
float Config::GetValue(float def, char const *name, int index) const {
    ConfigKey const *key = FindValue(name, index);
    return key ? static_cast<float>(atof(key->text_.c_str())) : def;
}

double Config::GetValue(double const &def, char const *name, int index) const {
    ConfigKey const *key = FindValue(name, index);
    return key ? atof(key->text_.c_str()) : def;
}

String Config::GetValue(String const &def, char const *name, int index) const {
    ConfigKey const *key = FindValue(name, index);
    return key ? key->text_ : def;
}

String Config::GetValue(char const *def, char const *name, int index) const {
    ConfigKey const *key = FindValue(name, index);
    return key ? key->text_ : String(def ? def : "");
}

#define CONFIG_GET_SURE(T, clamp)                                                    \
    T Config::GetSure(T def, T min, T max, char const *name, int index) const {      \
        return clamp(GetValue(def, name, index), min, max);                          \
    }
CONFIG_GET_SURE(char, Clamp)
CONFIG_GET_SURE(signed char, Clamp)
CONFIG_GET_SURE(unsigned char, Clamp)
CONFIG_GET_SURE(short, Clamp)
CONFIG_GET_SURE(unsigned short, Clamp)
CONFIG_GET_SURE(int, Clamp)
CONFIG_GET_SURE(unsigned int, Clamp)
CONFIG_GET_SURE(long, Clamp)
CONFIG_GET_SURE(unsigned long, Clamp)
CONFIG_GET_SURE(float, ClampReal)
CONFIG_GET_SURE(double, ClampReal)
#undef CONFIG_GET_SURE

void Config::SetBinary(void const *data, int size, char const *name, int index) {
    static char const digits[] = "0123456789ABCDEF";
    String text;
    if (size > 0) {
        text.EnsureBufferSize(static_cast<unsigned long>(size) * 2);
        unsigned char const *bytes = static_cast<unsigned char const *>(data);
        char pair[3] = {0, 0, 0};
        for (int i = 0; i < size; ++i) {
            pair[0] = digits[bytes[i] >> 4];
            pair[1] = digits[bytes[i] & 15];
            text.Append(pair);
        }
    }
    SetText(name, index, text.c_str());
}

// A text that is not a clean run of digit pairs counts as absent.
int Config::GetBinary(void *out, void const *def, int size, char const *name, int index) const {
    if (size <= 0)
        return 0;
    ConfigKey const *key = FindValue(name, index);
    char const *text = key ? key->text_.c_str() : "";
    if (!*text || CountHexBytes(text) < 0) {
        if (def) {
            memcpy(out, def, size);
            return size;
        }
        memset(out, 0, size);
        return 0;
    }
    memset(out, 0, size);
    unsigned char *bytes = static_cast<unsigned char *>(out);
    int made = 0;
    while (*text && made < size) {
        if (IsBlank(*text)) {
            ++text;
            continue;
        }
        bytes[made++] = static_cast<unsigned char>(HexDigit(text[0]) << 4 | HexDigit(text[1]));
        text += 2;
    }
    return made;
}

int Config::GetBinarySize(char const *name, int index) const {
    ConfigKey const *key = FindValue(name, index);
    int bytes = key ? CountHexBytes(key->text_.c_str()) : 0;
    return bytes < 0 ? 0 : bytes;
}

int Config::GetValueNames(List<StringItem<ListElement>> &names, int sorted) const {
    names.Clear();
    for (ConfigKey *key = current_->GetFirstChild(); key; key = key->GetNext()) {
        if (!key->IsValue())
            continue;
        StringItem<ListElement> *item = new StringItem<ListElement>(key->name_);
        if (sorted)
            names.InsertInSortedList(item);
        else
            names.Append(item);
    }
    return names.GetCount();
}

// ---- structure

ConfigKey *Config::CreateKey(String const &name) {
    String clean(name);
    BlankLineBreaks(clean);
    ConfigKey *key = new ConfigKey(*this, clean, current_, 0);
    current_->AddChild(key);
    return key;
}

void Config::GroupToValue(ConfigKey *key) {
    if (!key || key == &root_ || key->store_ != this || key->IsValue())
        return;
    for (ConfigKey *k = current_; k; k = k->parent_)
        if (k == key) {
            current_ = key->parent_;
            break;
        }
    key->DeleteChildList();
}

void Config::ValueToGroup(ConfigKey *key) {
    if (key && key->store_ == this)
        key->MakeChildList();
}

int Config::ExistKey(char const *name, int index) const {
    return FindChild(BuildKeyName(name, index).c_str(), AnyKey) != nullptr;
}

int Config::ExistValue(char const *name, int index) const {
    return FindChild(BuildKeyName(name, index).c_str(), ValueKey) != nullptr;
}

int Config::ExistGroup(char const *name, int index) const {
    return FindChild(BuildKeyName(name, index).c_str(), GroupKey) != nullptr;
}

ConfigKey *Config::GetFirstKey() const { return current_->GetFirstChild(); }

ConfigKey *Config::GetKey(int i) const {
    if (i < 0)
        return nullptr;
    ConfigKey *key = current_->GetFirstChild();
    while (key && i--)
        key = key->GetNext();
    return key;
}

int Config::GetNumKeys() const { return current_->GetNumChildren(); }

int Config::GetNumGroups() const {
    int groups = 0;
    for (ConfigKey *key = current_->GetFirstChild(); key; key = key->GetNext())
        groups += key->IsGroup();
    return groups;
}

int Config::GetNumValues() const { return GetNumKeys() - GetNumGroups(); }

void Config::DeleteKey(char const *name, int index) {
    DeleteKeyNow(FindChild(BuildKeyName(name, index).c_str(), AnyKey));
}

void Config::DeleteKey(ConfigKey *key) {
    if (!key || key == &root_ || key->store_ != this)
        return;
    for (ConfigKey *k = current_; k; k = k->parent_)
        if (k == key) {
            current_ = key->parent_;
            break;
        }
    DeleteKeyNow(key);
}

void Config::DeleteKeyNow(ConfigKey *key) {
    if (key)
        key->parent_->children_->Delete(key);
}

void Config::DeleteKeys() { current_->children_->DeleteAll(); }

void Config::Clear() {
    current_ = &root_;
    root_.children_->DeleteAll();
}

void Config::DeleteEmptyGroups() { DeleteEmptyGroupsBelow(current_); }

void Config::DeleteEmptyGroupsBelow(ConfigKey *group) {
    for (ConfigKey *key = group->GetFirstChild(); key;) {
        ConfigKey *next = key->GetNext();
        if (key->IsGroup()) {
            DeleteEmptyGroupsBelow(key);
            if (!key->GetNumChildren())
                DeleteKeyNow(key);
        }
        key = next;
    }
}

void Config::ForEachKey(void (*fn)(ConfigKey &, void *), void *data) const { ForEachKey(current_, fn, data); }

void Config::ForEachKey(ConfigKey const *start, void (*fn)(ConfigKey &, void *), void *data) const {
    for (ConfigKey *key = start->GetFirstChild(); key;) {
        if (key->GetNumChildren())
            ForEachKey(key, fn, data);
        ConfigKey *next = key->GetNext();
        fn(*key, data);
        key = next;
    }
}

ConfigKey *Config::FindFirstThat(int (*test)(ConfigKey const &, void const *), void const *data) const {
    return FindFirstThat(&root_, test, data);
}

ConfigKey *Config::FindFirstThat(ConfigKey const *start, int (*test)(ConfigKey const &, void const *),
                                 void const *data) const {
    for (ConfigKey *key = start->GetFirstChild(); key; key = key->GetNext()) {
        if (key->GetNumChildren())
            if (ConfigKey *found = FindFirstThat(key, test, data))
                return found;
        if (test(*key, data))
            return key;
    }
    return nullptr;
}

// ---------------------------------------------------------------- helpers

Config::PathSaver::PathSaver(Config &store) : store_(store), key_(store.current_) {}
Config::PathSaver::~PathSaver() { store_.current_ = key_; }

Config::KeyFinder::KeyFinder(Config const &store) : store_(store), next_(nullptr) {}

ConfigKey *Config::KeyFinder::GetFirst() {
    ConfigKey *key = store_.GetFirstKey();
    next_ = key ? key->GetNext() : nullptr;
    return key;
}

ConfigKey *Config::KeyFinder::GetNext() {
    ConfigKey *key = next_;
    next_ = key ? key->GetNext() : nullptr;
    return key;
}
