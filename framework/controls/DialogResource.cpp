#include "DialogResource.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

namespace {
// The fixed header sizes of the two template kinds.
int const PlainHeader = 18;
int const ExtendedHeader = 26;

uint16_t Word(void const *base, int offset) {
    uint16_t w;
    memcpy(&w, static_cast<char const *>(base) + offset, sizeof w);
    return w;
}

// Bytes a menu, class or title field takes: an ordinal or a terminated string.
int FieldSize(wchar_t const *field) {
    if (field[0] == 0xFFFF)
        return 4;
    return int((wcslen(field) + 1) * sizeof(wchar_t));
}
}  // namespace

TDialogRes::TDialogRes(HINSTANCE instance, TResId id) { Find(instance, id, 0, 0); }

TDialogRes::TDialogRes(HINSTANCE instance, TResId id, unsigned short language) { Find(instance, id, 1, language); }

// The resources stay loaded: they belong to the module.
TDialogRes::~TDialogRes() {}

void TDialogRes::Find(HINSTANCE instance, TResId id, int withLanguage, unsigned short language) {
    OldResource = TResource{RT_DIALOG, 0, 0};
    NewResource = TResource{MAKEINTRESOURCEA(ExtendedType), 0, 0};
    Load(NewResource, instance, id, NewResource.Type, withLanguage, language);
    if (NewResource.Template)
        return;
    Load(OldResource, instance, id, OldResource.Type, withLanguage, language);
    // Win32 resource compilers store extended templates under the plain type too:
    // read by their signature, not as a plain header.
    if (OldResource.Template && Word(OldResource.Template, 0) == 1 && Word(OldResource.Template, 2) == 0xFFFF) {
        NewResource.Handle = OldResource.Handle;
        NewResource.Template = OldResource.Template;
        OldResource.Handle = 0;
        OldResource.Template = 0;
    }
}

void TDialogRes::Load(TResource &resource, HINSTANCE instance, TResId id, LPCSTR type, int withLanguage,
                      unsigned short language) {
    HRSRC info = withLanguage ? ::FindResourceExA(instance, type, id, language) : ::FindResourceA(instance, id, type);
    if (!info)
        return;
    resource.Handle = ::LoadResource(instance, info);
    if (resource.Handle)
        resource.Template = ::LockResource(resource.Handle);
}

void TDialogRes::GetRect(TRect &rect) const {
    void const *t = IsDialogEx() ? NewResource.Template : OldResource.Template;
    int at = IsDialogEx() ? 18 : 10;  // offset of x
    int x = int16_t(Word(t, at)), y = int16_t(Word(t, at + 2));
    rect = TRect(x, y, x + int16_t(Word(t, at + 4)), y + int16_t(Word(t, at + 6)));
}

int TDialogRes::GetText(char *buffer, int size, TDlgResText which) const {
    if (which < DlgResMenu || which > DlgResTitle || size <= 0)
        return 0;
    char const *p = static_cast<char const *>(IsDialogEx() ? NewResource.Template : OldResource.Template);
    p += IsDialogEx() ? ExtendedHeader : PlainHeader;
    for (int i = 0; i < which; ++i)
        p += FieldSize(reinterpret_cast<wchar_t const *>(p));
    wchar_t const *field = reinterpret_cast<wchar_t const *>(p);
    int length = field[0] == 0xFFFF ? 2 : int(wcslen(field));
    return ::WideCharToMultiByte(CP_ACP, 0, field, length, buffer, size, 0, 0);
}
