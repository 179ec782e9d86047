#include "controls/DialogResource.h"

#include <cstdint>
#include <cstring>

namespace {
// The fixed header sizes of the two template kinds.
int const PlainHeader = 18;
int const ExtendedHeader = 26;

uint16_t Word(void const *base, int offset) {
    uint16_t w;
    memcpy(&w, static_cast<char const *>(base) + offset, sizeof w);
    return w;
}

// Characters of a menu, class or title field at `at`: the two words of an ordinal
// or the string without its terminator; `next` is where the following field starts.
// -1 when the field runs past the end of the block.
int FieldLength(void const *base, int at, int end, int &next) {
    if (at + 2 > end)
        return -1;
    if (Word(base, at) == 0xFFFF) {
        next = at + 4;
        return next <= end ? 2 : -1;
    }
    for (int p = at; p + 2 <= end; p += 2)
        if (Word(base, p) == 0) {
            next = p + 2;
            return (p - at) / 2;
        }
    return -1;
}
}  // namespace

TDialogRes::TDialogRes(HINSTANCE instance, TResId id) { Find(instance, id, 0, 0); }

TDialogRes::TDialogRes(HINSTANCE instance, TResId id, unsigned short language) { Find(instance, id, 1, language); }

// The resources stay loaded: they belong to the module.
TDialogRes::~TDialogRes() {}

void TDialogRes::Find(HINSTANCE instance, TResId id, int withLanguage, unsigned short language) {
    OldResource = TResource{RT_DIALOG, 0, 0, 0};
    NewResource = TResource{MAKEINTRESOURCEA(ExtendedType), 0, 0, 0};
    Load(NewResource, instance, id, NewResource.Type, withLanguage, language);
    if (NewResource.Template && NewResource.Size < ExtendedHeader)
        NewResource.Clear();
    if (NewResource.Template)
        return;
    Load(OldResource, instance, id, OldResource.Type, withLanguage, language);
    if (!OldResource.Template)
        return;
    // Win32 resource compilers store extended templates under the plain type too:
    // read by their signature, not as a plain header.
    if (OldResource.Size >= 4 && Word(OldResource.Template, 0) == 1 && Word(OldResource.Template, 2) == 0xFFFF) {
        if (OldResource.Size >= ExtendedHeader) {
            NewResource.Handle = OldResource.Handle;
            NewResource.Template = OldResource.Template;
            NewResource.Size = OldResource.Size;
        }
        OldResource.Clear();
    } else if (OldResource.Size < PlainHeader) {
        OldResource.Clear();
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
    if (resource.Template)
        resource.Size = int(::SizeofResource(instance, info));
}

void TDialogRes::GetRect(TRect &rect) const {
    if (!IsOK()) {
        rect = TRect(0, 0, 0, 0);
        return;
    }
    void const *t = IsDialogEx() ? NewResource.Template : OldResource.Template;
    int at = IsDialogEx() ? 18 : 10;  // offset of x
    int x = int16_t(Word(t, at)), y = int16_t(Word(t, at + 2));
    rect = TRect(x, y, x + int16_t(Word(t, at + 4)), y + int16_t(Word(t, at + 6)));
}

int TDialogRes::GetText(char *buffer, int size, TDlgResText which) const {
    if (which < DlgResMenu || which > DlgResTitle || size <= 0 || !IsOK())
        return 0;
    TResource const &res = IsDialogEx() ? NewResource : OldResource;
    // Damaged templates give no text rather than a read past their block.
    int at = IsDialogEx() ? ExtendedHeader : PlainHeader, field = at, length = 0;
    for (int i = 0; i <= which; ++i) {
        field = at;
        if ((length = FieldLength(res.Template, field, res.Size, at)) < 0)
            return 0;
    }
    if (length == 0)
        return 0;
    wchar_t const *text = reinterpret_cast<wchar_t const *>(static_cast<char const *>(res.Template) + field);
    return ::WideCharToMultiByte(CP_ACP, 0, text, length, buffer, size, 0, 0);
}
