#include "controls/FileDialog.h"

#include "controls/Dialog.h"
#include "controls/WindowUtilities.h"

#include "foundation/MessageCatalogue.h"
#include "core/Module.h"
#include "foundation/StringUtils.h"
#include "core/System.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

enum { DefaultMaxPath = 260 };
// The record without the fields newer systems added, which every system takes.
size_t const OfnSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);

// A copy of a NUL-separated list up to and including the empty string that ends it.
char *CopyList(char const *list) {
    char const *end = list;
    while (*end)
        end += std::strlen(end) + 1;
    size_t size = end - list + 1;
    char *copy = new char[size];
    std::memcpy(copy, list, size);
    return copy;
}

HINSTANCE InstanceOf(TModule *module) { return module ? module->GetHandle() : 0; }

}  // namespace

// ---- TOpenSaveDialog::TData

TOpenSaveDialog::TData::TData(unsigned long flags, char *filter, char *customFilter, char *initialDir,
                              char *defExt, int maxPath, int filterIndex)
    : Flags(flags), Error(0), FileName(0), Filter(0), CustomFilter(customFilter), FilterIndex(filterIndex),
      InitialDir(initialDir), DefExt(defExt), MaxPath(maxPath ? maxPath : DefaultMaxPath) {
    FileName = new char[MaxPath];
    *FileName = 0;
    SetFilter(filter);
    Flags |= OFN_LONGNAMES;
    if (TSystem::Has3dUI())
        Flags |= OFN_EXPLORER;
}

TOpenSaveDialog::TData::TData(TData const &src)
    : Flags(src.Flags), Error(0), FileName(0), Filter(0), CustomFilter(src.CustomFilter),
      FilterIndex(src.FilterIndex), InitialDir(src.InitialDir), DefExt(src.DefExt), MaxPath(src.MaxPath) {
    char const *name = src.FileName ? src.FileName : "";
    size_t size = std::strlen(name) + 1;
    if (size < size_t(MaxPath))
        size = MaxPath;
    FileName = new char[size];
    std::strcpy(FileName, name);
    SetFilter(src.Filter);
}

TOpenSaveDialog::TData &TOpenSaveDialog::TData::operator=(TData const &src) {
    if (this == &src)
        return *this;
    TData copy(src);
    Flags = copy.Flags, Error = 0, CustomFilter = copy.CustomFilter, FilterIndex = copy.FilterIndex;
    InitialDir = copy.InitialDir, DefExt = copy.DefExt, MaxPath = copy.MaxPath;
    std::swap(FileName, copy.FileName);
    std::swap(Filter, copy.Filter);
    return *this;
}

TOpenSaveDialog::TData::~TData() {
    delete[] FileName;
    delete[] Filter;
}

void TOpenSaveDialog::TData::SetFilter(char const *filter) {
    if (!filter)
        return;
    char *copy;
    if (std::strchr(filter, '|')) {
        size_t length = std::strlen(filter);
        copy = new char[length + 2];
        std::memcpy(copy, filter, length + 1);
        copy[length + 1] = 0;
        for (char *c = copy; c < copy + length; ++c)
            if (*c == '|')
                *c = 0;
    } else {
        copy = CopyList(filter);
    }
    delete[] Filter;  // after the copy: the text may be the stored filter itself
    Filter = copy;
}

// ---- TOpenSaveDialog

uint TOpenSaveDialog::ShareViMsgId;

DEFINE_RESPONSE_TABLE1(TOpenSaveDialog, TCommonDialog)
END_RESPONSE_TABLE;

TOpenSaveDialog::TOpenSaveDialog(TWindow *parent, TData &data, TResId templateId, char const *title,
                                 TModule *module)
    : TWindow(parent, 0, module), TCommonDialog(parent, title, module), Data(data) {
    Init(templateId);
    Ofn.lpstrTitle = title;
}

TOpenSaveDialog::TOpenSaveDialog(TWindow *parent, TData &data, TModule *module)
    : TWindow(parent, 0, module), TCommonDialog(parent, 0, module), Data(data) {
    std::memset(&Ofn, 0, sizeof Ofn);
}

void TOpenSaveDialog::Init(TResId templateId) {
    if (!ShareViMsgId)
        ShareViMsgId = ::RegisterWindowMessageA(SHAREVISTRINGA);
    std::memset(&Ofn, 0, sizeof Ofn);
    Ofn.lStructSize = OfnSize;
    Ofn.hwndOwner = Parent ? Parent->GetHandle() : 0;
    Ofn.hInstance = InstanceOf(GetModule());
    Ofn.Flags = HookFlags(Data.Flags, OFN_ENABLEHOOK, OFN_ENABLETEMPLATE, templateId, Ofn.lpTemplateName);
    PointAtData();
}

void TOpenSaveDialog::PointAtData() {
    Ofn.lpstrFilter = Data.Filter;
    Ofn.nFilterIndex = Data.FilterIndex;
    Ofn.lpstrFile = Data.FileName;
    Ofn.nMaxFile = Data.MaxPath;
    Ofn.lpstrInitialDir = Data.InitialDir;
    Ofn.lpstrDefExt = Data.DefExt;
}

void TOpenSaveDialog::SetData(TData const &data) {
    Data = data;
    PointAtData();  // the buffers were replaced
}

int TOpenSaveDialog::GetFileTitleLen(char const *path) { return ::GetFileTitleA(path, 0, 0); }

int TOpenSaveDialog::GetFileTitleA(char const *path, char *buffer, int size) {
    return ::GetFileTitleA(path, buffer, (WORD)size);
}

int TOpenSaveDialog::DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) {
    int result = TDialog::DialogFunction(msg, wParam, lParam);
    if (!result && ShareViMsgId && msg == ShareViMsgId)
        return ShareViolation();
    return result;
}

int TOpenSaveDialog::ShareViolation() { return 0; }

int TOpenSaveDialog::RunHooked(TCommonDialogKind kind) {
    if (!RunRecord(kind, Ofn, Data))
        return IDCANCEL;
    Data.FilterIndex = Ofn.nFilterIndex;
    return IDOK;
}

int TOpenSaveDialog::RunUnhooked(TCommonDialogKind kind) {
    Ofn.lpfnHook = 0;
    Ofn.Flags &= ~OFN_ENABLEHOOK;
    if (!Ofn.hwndOwner && Parent)
        Ofn.hwndOwner = Parent->GetHandle();
    FocusSaver focus;
    unsigned long error;
    int ok;
    {
        CommonDialogRun run(this);
        ok = RunCommonDialog(kind, &Ofn, error);
    }
    if (!ok) {
        Data.Error = error;
        return IDCANCEL;
    }
    Data.Flags = Ofn.Flags;
    Data.Error = 0;
    return IDOK;
}

// ---- TFileOpenDialog, TFileSaveDialog

TFileOpenDialog::TFileOpenDialog(TWindow *parent, TData &data, TResId templateId, char const *title,
                                 TModule *module)
    : TWindow(parent, 0, module), TOpenSaveDialog(parent, data, templateId, title, module) {}

int TFileOpenDialog::DoExecute() { return RunHooked(cdkOpen); }

TFileSaveDialog::TFileSaveDialog(TWindow *parent, TData &data, TResId templateId, char const *title,
                                 TModule *module)
    : TWindow(parent, 0, module), TOpenSaveDialog(parent, data, templateId, title, module) {}

int TFileSaveDialog::DoExecute() { return RunHooked(cdkSave); }

// ---- FileOpenDialog

FileOpenDialog::FileOpenDialog(TWindow *parent, TOpenSaveDialog::TData &data, int templateId, char const *title,
                               TModule *module)
    : TWindow(parent, 0, module), TFileOpenDialog(parent, data, templateId, title, module), Names(1), Cursor(0) {}

bool FileOpenDialog::HasMultiSelection() const {
    FileName *first = Names.GetFirst();
    return first && Names.GetNext(first);
}

FileName *FileOpenDialog::GetFirst() { return Cursor = Names.GetFirst(); }

FileName *FileOpenDialog::GetNext() { return Cursor = Names.GetNext(Cursor); }

int FileOpenDialog::DoExecute() {
    int result = RunUnhooked(cdkOpen);
    if (result == IDOK && (Ofn.Flags & OFN_ALLOWMULTISELECT))
        TakeMultiSelection();
    return result;
}

void FileOpenDialog::TakeMultiSelection() {
    if (!Ofn.lpstrFile || !Ofn.nMaxFile)
        return;
    // read no further than the buffer, whatever ends up in it
    std::string buffer(Ofn.lpstrFile, Ofn.nMaxFile);
    buffer.append(2, '\0');
    bool explorer = (Ofn.Flags & OFN_EXPLORER) != 0;
    // explorer style: a single file has its name offset inside the first string
    if (explorer && Ofn.nFileOffset < std::strlen(buffer.c_str()))
        return;
    // a folder, then names: NUL-separated and ended by two NULs (explorer style) or
    // separated by spaces (old style)
    List<StringItem<ListElement>> parts;
    ExplodeString(parts, buffer.c_str(), explorer ? "" : " ", 0);
    StringItem<ListElement> *folder = parts.GetFirst();
    if (!parts.GetNext(folder))
        return;  // one file: its full name is in the buffer
    for (StringItem<ListElement> *name = parts.GetNext(folder); name; name = parts.GetNext(name))
        Names.Append(new FileName(*folder, *name));
}

// ---- FileSaveDialog

FileSaveDialog::FileSaveDialog(TWindow *parent, TOpenSaveDialog::TData &data, int templateId, char const *title,
                               TModule *module)
    : TWindow(parent, 0, module), TOpenSaveDialog(parent, data, templateId, title, module) {}

int FileSaveDialog::DoExecute() { return RunUnhooked(cdkSave); }

// ---- GetPathFromUser

namespace {

enum {
    IdFileNameLabel = 1090,
    IdFileNameEdit = 1152,
    IdFileList = 1120,
    IdFileTypeLabel = 1089,
    IdFileTypeCombo = 1136,
    IdFolderList = 1121,
};

void ShiftChildren(HWND parent, int dx) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(0, parent, reinterpret_cast<POINT *>(&r), 2);
        ::SetWindowPos(child, 0, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShiftChildren(child, dx);
    }
}

// Leaves only the folder list of the old-style open dialog, and narrows it so that the
// part left of the list disappears.
UINT_PTR CALLBACK FolderHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG)
        return 0;
    for (int id : {IdFileNameLabel, IdFileNameEdit, IdFileList, IdFileTypeLabel, IdFileTypeCombo})
        ::ShowWindow(::GetDlgItem(dialog, id), SW_HIDE);
    ::SetFocus(::GetDlgItem(dialog, IdFolderList));
    RECT d, k, l;
    ::GetWindowRect(dialog, &d);
    ::GetWindowRect(::GetDlgItem(dialog, IDOK), &k);
    ::GetWindowRect(::GetDlgItem(dialog, IdFolderList), &l);
    int m = d.right - k.right;
    int left = l.left - m;
    ::MoveWindow(dialog, left, d.top, d.right - left, d.bottom - d.top, FALSE);
    ShiftChildren(dialog, m + d.left - l.left);
    // OK then accepts a name inside the chosen folder
    ::SetDlgItemTextA(dialog, IdFileNameEdit, "void");
    return 1;
}

}  // namespace

String GetPathFromUser(TWindow *parent, char const *title, char const *initialDir) {
    enum { NameSize = 258 };
    char name[NameSize] = "";
    String caption = title ? String(title) : String(FindString(19014));
    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OfnSize;
    ofn.hwndOwner = parent ? parent->GetHandle() : 0;
    ofn.hInstance = parent ? InstanceOf(parent->GetModule()) : 0;
    ofn.lpstrFilter = "*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = NameSize;
    ofn.lpstrInitialDir = initialDir && *initialDir ? initialDir : 0;
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
    ofn.lpstrDefExt = "*";
    ofn.lpfnHook = &FolderHook;

    FocusSaver focus;
    unsigned long error;
    int ok;
    {
        TCommonDialog key(0, 0, parent ? parent->GetModule() : 0);  // names this run's disabled windows
        CommonDialogRun run(&key);
        ok = RunCommonDialog(cdkOpen, &ofn, error);
    }
    if (!ok)
        return String();
    char const *slash = std::strrchr(name, '\\');
    return slash ? String(name, 0, slash - name) : String();
}
