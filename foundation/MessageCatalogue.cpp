#include "foundation/MessageCatalogue.h"

#include "foundation/CriticalSection.h"
#include "foundation/HashLists.h"
#include "foundation/Strings.h"

#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct BuiltInText {
    unsigned int id;
    char const *text;
};

// The library's own texts, answered while no language module is registered.
BuiltInText const builtInTexts[] = {
    {18000, "%s\nAn error occurred. This file could not be opened."},
    {18001, "An error occurred. The file could not be deleted."},
    {18002, "The program was unable to read properly %s. If this problem persists, please check the integrity of "
            "the disk, it might be damaged."},
    {18003, "The program was unable to write properly to this drive/partition. If this problem persists, please "
            "check the integrity of the disk, it might be damaged."},
    {18004, "The program was unable to seek properly on this drive/partition. If this problem persists, please "
            "check the integrity of the disk, it might be damaged."},
    {18005, "An error occurred. The file could not be resized."},
    {18006, "An error occurred. The file could not be copied."},
    {18007, "An unknown error occurred. The file could not be moved."},
    {18008, "Invalid directory name."},
    {18009, "This file is already in use by an application. It can therefore not be overwritten. Please use "
            "another name."},
    {18010, "A file with this name already exists. Do you want to make a backup of this file before saving the "
            "new one? (In the backup, the first letter in the extension will be changed to a ~)?"},
    {18011, "The backup file could not be created! The whole operation has been canceled and your file has not "
            "been saved!"},
    {18012, "File error"},
    {18013, "The file could not be renamed. Please make sure that the disk is not write protected and that the "
            "file is not already open."},
    {18014, "This disk partition could not be accessed. If it is a CD-ROM or a removable disk, make sure the disk "
            "is inserted properly."},
    {18015, "The partition could not be given a label. Make sure the disk is not write protected."},
    {18016, "%s\nAn error occurred. This file could not be created."},
    {18017, "An unknown error occurred. The file attributes could not be set."},
    {18018, "An error occurred. The directory could not be created."},
    {18019, "There is not enough disk space on partition %s."},
    {18020, "An error occurred. The file could not be uncompressed/copied."},
    {18021, "Unknown file error: Unable to create mapped file."},
    {18022, "Serious error. It is not possible to increase the database size. You must close the file now!"},
    {18023, "It is not possible to increase the database size. The disk is probably full."},
    {18024, "This file is of the wrong type."},
    {18025, "%s\nThis file could not be accessed. It is already in use by some other application. This "
            "application must be finished before the file can be accessed"},
    {18026, "File error caused by lack of space in the virtual memory file. Please increase the size of the "
            "virtual memory file in the Windows' Control Panel (Virtual Memory settings)."},
};

HINSTANCE volatile registeredModule;

// The lookup every entry point shares; buffer holds CatalogueBufferSize.
char *Lookup(char *buffer, HINSTANCE module, unsigned int id) {
    buffer[0] = 0;
    if (registeredModule) {
        if (LoadStringA(module, id, buffer, CatalogueBufferSize) <= 0)
            buffer[0] = 0;
        return buffer;
    }
    for (BuiltInText const &t : builtInTexts)
        if (t.id == id) {
            strcpy_n(buffer, t.text, CatalogueBufferSize);
            break;
        }
    return buffer;
}

SubString Format(int id, va_list args) {
    char format[CatalogueBufferSize];
    Lookup(format, registeredModule, static_cast<unsigned int>(id));
    if (!format[0])
        return SubString::CreateNull();
    char local[CatalogueBufferSize];
    std::vector<char> big;
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(local, sizeof local, format, args);
    if (n >= static_cast<int>(sizeof local)) {
        // Longer than the buffer (a long file name in the argument): format
        // again into a block of the right size.
        big.resize(n + 1);
        std::vsnprintf(&big[0], n + 1, format, again);
    }
    va_end(again);
    if (n < 0)
        return SubString::CreateNull();
    return SubString::Create(big.empty() ? local : &big[0], static_cast<unsigned long>(n));
}

// A cached text of the catalogue, keyed by its number.
class CachedString : public HashListElement {
public:
    CachedString(unsigned int id, String const &text) : text_(text), id_(id) {}
    int Compare(CollectionElement const &other, int) const override {
        return static_cast<int>(id_ - static_cast<CachedString const &>(other).id_);
    }
    unsigned int GetHashedValue() const override { return id_; }
    String const &Text() const { return text_; }

private:
    String text_;
    unsigned int id_;
};

struct TextCache {
    CriticalSection lock;
    HashListImp texts{500, 1};
};

TextCache &Cache() {
    static TextCache cache;
    return cache;
}

[[maybe_unused]] TextCache &cacheAtLoad = Cache();

}  // namespace

void NotifyLocalizedStringDll(HINSTANCE module) { registeredModule = module; }

SubString FindString(unsigned int id) { return FindString(registeredModule, id); }

SubString FindString(HINSTANCE module, unsigned int id) {
    char buffer[CatalogueBufferSize];
    char const *text = Lookup(buffer, module, id);
    return SubString::Create(text, std::strlen(text));
}

char *FindString(char *buffer, unsigned int id) { return Lookup(buffer, registeredModule, id); }

SubString BuildString(int id, ...) {
    va_list args;
    va_start(args, id);
    SubString result = Format(id, args);
    va_end(args);
    return result;
}

char *BuildString(char *buffer, int id, ...) {
    buffer[0] = 0;
    char format[CatalogueBufferSize];
    Lookup(format, registeredModule, static_cast<unsigned int>(id));
    if (!format[0])
        return buffer;
    va_list args;
    va_start(args, id);
    if (std::vsnprintf(buffer, CatalogueBufferSize, format, args) < 0)
        buffer[0] = 0;
    va_end(args);
    return buffer;
}

String *LoadAndAdoptString(int id) { return new String(FindString(static_cast<unsigned int>(id))); }

void AdoptString(String *&text, int id) {
    if (!text)
        text = LoadAndAdoptString(id);
}

String const &FindCachedString(unsigned int id) {
    TextCache &cache = Cache();
    AutoCriticalSection hold(cache.lock);
    CachedString probe(id, String());
    if (CachedString *found = static_cast<CachedString *>(cache.texts.Find(probe)))
        return found->Text();
    CachedString *added = new CachedString(id, String(FindString(id)));
    cache.texts.Add(added);
    return added->Text();
}
