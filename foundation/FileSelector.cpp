#include "foundation/FileSelector.h"

#include <commdlg.h>

#include <string.h>

#include <vector>

#include "foundation/Config.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"

namespace {

// Property of the common dialog holding its request while it is open; the
// request's custom data then points at the dialog's state.
char const RequestProperty[] = "JqOFN";
// Previous window procedures of the dialog and of each subclassed list view.
char const DialogProcProperty[] = "JqOFNDialogProc";
char const ListProcProperty[] = "JqOFNListProc";

enum {
    IdExpandButton = 500,
    IdRecentFolders = 501,
    IdFolderText = 502,
    IdRestoreName = 503,
    IdGrowsWithList = 1119,
    IdFileList = 1121,
    IdFileNameEdit = 1152,
    IdFileNameCombo = 1148,  // the name box of dialogs that have no edit 1152
    ListViewModeMask = 3  // the two view-mode bits of a list view's style
};

// Process-wide preferences.
List<FileName> *recentFolders = nullptr;
int expandedSetting = 0;
long listStyleSetting = -1;
HBITMAP expandBitmap = nullptr;
FileSelectorAnswer answer = nullptr;

// The window-procedure hook of this thread and how many open dialogs use it.
thread_local HHOOK threadHook = nullptr;
thread_local int threadHookUsers = 0;

struct SelectorState {
    FileSelectorInfo *info;
    OPENFILENAMEA *request;
    int normalWidth, normalHeight;
    int listWidth, listHeight;
    int shown;
    String rememberedName;
    HWND child;
    int expanded;
    long listStyle;
    int appliedDx, appliedDy;  // what expanding added, taken off again when collapsing
};

OPENFILENAMEA *RequestOf(HWND dialog) {
    return dialog ? static_cast<OPENFILENAMEA *>(GetPropA(dialog, RequestProperty)) : nullptr;
}

SelectorState *StateOf(HWND dialog) {
    OPENFILENAMEA *request = RequestOf(dialog);
    return request ? reinterpret_cast<SelectorState *>(request->lCustData) : nullptr;
}

// Hands a failure on instead of letting it cross a system callback.
void ReportFailure(Exception const &e) {
    try {
        ExceptionThrower(1).SetAndThrow(e);
    } catch (...) {
    }
}

HWND ListViewOf(HWND dialog) {
    HWND placeholder = GetDlgItem(dialog, IdFileList);
    return placeholder ? GetWindow(placeholder, GW_CHILD) : nullptr;
}

int IsListViewClass(HWND window) {
    char name[32];
    return GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, "SysListView32") == 0;
}

HWND FindListViewIn(HWND dialog) {
    HWND list = ListViewOf(dialog);
    return list && IsListViewClass(list) ? list : nullptr;
}

void CenterOnScreen(HWND dialog, int keepInside) {
    RECT r;
    GetWindowRect(dialog, &r);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = (screenW - w) / 2, y = (screenH - h) / 2;
    if (keepInside) {
        if (x + w > screenW)
            x = screenW - w;
        if (y + h > screenH)
            y = screenH - h;
        if (x < 0)
            x = 0;
        if (y < 0)
            y = 0;
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The control that holds the typed name: edit 1152, or the combo box 1148
// with an edit of its own.
int FileNameControlId(HWND dialog) {
    if (GetDlgItem(dialog, IdFileNameEdit))
        return IdFileNameEdit;
    return GetDlgItem(dialog, IdFileNameCombo) ? IdFileNameCombo : 0;
}

// ---- list view subclass

LRESULT CALLBACK ListViewProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(list, ListProcProperty));
    if (message == WM_SIZE) {
        SelectorState *state = StateOf(GetParent(GetParent(list)));
        if (state && state->listWidth > 0 && state->listHeight > 0) {
            RECT r;
            GetWindowRect(list, &r);
            if (r.right - r.left != state->listWidth || r.bottom - r.top != state->listHeight)
                SetWindowPos(list, nullptr, 0, 0, state->listWidth, state->listHeight,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(list, ListProcProperty);
    }
    return previous ? CallWindowProcA(previous, list, message, wParam, lParam)
                    : DefWindowProcA(list, message, wParam, lParam);
}

void AttachListView(HWND list) {
    if (GetPropA(list, ListProcProperty))
        return;
    LONG_PTR previous = GetWindowLongPtrA(list, GWLP_WNDPROC);
    SetPropA(list, ListProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewProc));
}

// Sees list views of our dialogs being made and their view mode changing.
LRESULT CALLBACK CallWndRetHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        CWPRETSTRUCT const *call = reinterpret_cast<CWPRETSTRUCT const *>(lParam);
        if ((call->message == WM_CREATE || call->message == WM_STYLECHANGED) && IsListViewClass(call->hwnd)) {
            SelectorState *state = StateOf(GetParent(GetParent(call->hwnd)));
            if (state) {
                if (call->message == WM_CREATE)
                    AttachListView(call->hwnd);
                else if (call->wParam == static_cast<WPARAM>(GWL_STYLE))
                    state->listStyle = reinterpret_cast<STYLESTRUCT const *>(call->lParam)->styleNew &
                                       ListViewModeMask;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- layout

struct Placement {
    HWND window;
    HWND parent;
    RECT rect;  // screen coordinates
};

// Expands (the dialog grows to nearly the whole screen) or collapses it again.
void RedoLayout(SelectorState &state, HWND dialog, int expand) {
    HWND fileList = GetDlgItem(dialog, IdFileList);
    HWND grower = GetDlgItem(state.child, IdGrowsWithList);
    if (!fileList || !grower || !state.normalWidth)
        return;
    int dx, dy;
    if (expand) {
        dx = GetSystemMetrics(SM_CXSCREEN) - state.normalWidth - 60;
        dy = GetSystemMetrics(SM_CYSCREEN) - state.normalHeight - 60;
        dx = dx > 0 ? dx : 0;
        dy = dy > 0 ? dy : 0;
        state.appliedDx = dx;
        state.appliedDy = dy;
    } else {
        dx = -state.appliedDx;
        dy = -state.appliedDy;
        state.appliedDx = state.appliedDy = 0;
    }
    if (!dx && !dy)
        return;

    RECT list;
    GetWindowRect(fileList, &list);
    std::vector<Placement> windows;
    for (HWND parent : {dialog, state.child})
        for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            Placement p = {w, parent, {0, 0, 0, 0}};
            GetWindowRect(w, &p.rect);
            windows.push_back(p);
        }
    for (Placement const &p : windows) {
        int moveX = 0, moveY = 0, growX = 0, growY = 0;
        if (p.window == state.child || p.window == fileList || p.window == grower) {
            growX = dx;
            growY = dy;
        } else if (p.rect.left >= list.right) {
            moveX = dx;
        } else if (p.rect.top >= list.bottom) {
            moveX = dx / 2;
            moveY = dy;
        } else if (p.rect.bottom <= list.top) {
            moveX = dx / 2;
        } else {
            continue;
        }
        POINT origin = {p.rect.left, p.rect.top};
        ScreenToClient(p.parent, &origin);
        int w = p.rect.right - p.rect.left + growX, h = p.rect.bottom - p.rect.top + growY;
        if (p.window == fileList) {
            state.listWidth = w;
            state.listHeight = h;
        }
        SetWindowPos(p.window, nullptr, origin.x + moveX, origin.y + moveY, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND listView = FindListViewIn(dialog)) {
        // the list view fills its placeholder
        RECT client;
        GetClientRect(fileList, &client);
        state.listWidth = client.right;
        state.listHeight = client.bottom;
        SetWindowPos(listView, nullptr, 0, 0, client.right, client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterOnScreen(dialog, 0);
}

// ---- common dialog subclass

void OnFirstShow(SelectorState &state, HWND dialog) {
    state.shown = 1;
    RECT r;
    GetWindowRect(dialog, &r);
    state.normalWidth = r.right - r.left;
    state.normalHeight = r.bottom - r.top;
    HWND listView = FindListViewIn(dialog);
    if (listView)
        AttachListView(listView);
    if (state.listStyle >= 0 && listView) {
        LONG style = GetWindowLongA(listView, GWL_STYLE);
        SetWindowLongA(listView, GWL_STYLE, (style & ~ListViewModeMask) | (state.listStyle & ListViewModeMask));
    }
    if (state.expanded)
        RedoLayout(state, dialog, 1);
    FileSelectorInfo const &info = *state.info;
    if (info.smallIconId) {
        HANDLE icon = LoadImageA(info.iconModule, MAKEINTRESOURCEA(info.smallIconId), IMAGE_ICON,
                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
        if (icon)
            SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    String okText = info.okText;
    if (okText.IsEmpty() && info.okTextId)
        okText = FindString(info.module, static_cast<unsigned int>(info.okTextId));
    if (!okText.IsEmpty())
        SetDlgItemTextA(dialog, IDOK, okText.c_str());
}

LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(dialog, DialogProcProperty));
    if (message == WM_SHOWWINDOW && wParam) {
        SelectorState *state = StateOf(dialog);
        if (state && !state->shown) {
            try {
                OnFirstShow(*state, dialog);
            } catch (Exception const &e) {
                ReportFailure(e);
            } catch (...) {
            }
        }
    }
    return previous ? CallWindowProcA(previous, dialog, message, wParam, lParam)
                    : DefWindowProcA(dialog, message, wParam, lParam);
}

// ---- hook of the child dialog

void ShowCurrentFolder(HWND dialog, HWND child) {
    HWND folderText = GetDlgItem(child, IdFolderText);
    if (!folderText)
        return;
    char path[MAX_PATH];
    path[0] = 0;
    if (SendMessageA(dialog, CDM_GETFOLDERPATH, 259, reinterpret_cast<LPARAM>(path)) < 0)
        path[0] = 0;
    path[258] = 0;
    SetWindowTextA(folderText, path);
}

void OnInitDone(SelectorState &state, HWND dialog, HWND child) {
    if (HWND combo = GetDlgItem(child, IdRecentFolders))
        if (recentFolders)
            for (FileName *folder = recentFolders->GetFirst(); folder; folder = recentFolders->GetNext(folder))
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder->c_str()));
    if (state.info->centre && !state.expanded)
        CenterOnScreen(dialog, 1);
    ShowCurrentFolder(dialog, child);
}

void OnSelectionChange(SelectorState &state, HWND dialog) {
    state.rememberedName.Clear();
    char typed[MAX_PATH], path[MAX_PATH];
    LRESULT typedLength = SendMessageA(dialog, CDM_GETSPEC, sizeof typed, reinterpret_cast<LPARAM>(typed));
    if (typedLength <= 1 || typedLength > static_cast<LRESULT>(sizeof typed) || strchr(typed, '"'))
        return;
    LRESULT pathLength = SendMessageA(dialog, CDM_GETFILEPATH, 259, reinterpret_cast<LPARAM>(path));
    if (pathLength <= 1 || pathLength > 259 || strchr(path, '"'))
        return;
    FileName name(path);
    if (File::Exist(name, File::kFile))
        state.rememberedName = name;
}

// A folder chosen in the recent list: the dialog is sent there by typing it
// into the name box and pressing Enter; the name typed before comes back after.
void OnRecentFolderChosen(SelectorState &state, HWND dialog, HWND child) {
    HWND combo = GetDlgItem(child, IdRecentFolders);
    LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return;
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0);
    if (length < 0)
        return;
    std::vector<char> text(static_cast<size_t>(length) + 2, 0);
    SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    String folder(text.data());
    if (folder.GetLastChar() != '\\')
        folder.Append("\\");

    int nameBox = FileNameControlId(dialog);
    if (!nameBox)
        return;
    char typed[260];
    typed[0] = 0;
    GetDlgItemTextA(dialog, nameBox, typed, sizeof typed);
    String name(typed);
    state.rememberedName = name.ContainsDrive() ? String(name.GetTitle(1)) : name;
    SendMessageA(dialog, CDM_SETCONTROLTEXT, nameBox, reinterpret_cast<LPARAM>(folder.c_str()));
    PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(dialog, WM_KEYUP, VK_RETURN, 0xC0000001);
    PostMessageA(child, WM_COMMAND, IdRestoreName, 0);
}

void OnInitDialog(HWND child, OPENFILENAMEA *request) {
    HWND dialog = GetParent(child);
    FileSelectorInfo *info = reinterpret_cast<FileSelectorInfo *>(request->lCustData);
    SelectorState *state = new SelectorState();
    state->info = info;
    state->request = request;
    state->normalWidth = state->normalHeight = 0;
    state->listWidth = state->listHeight = 0;
    state->shown = 0;
    state->child = child;
    state->expanded = expandedSetting;
    state->listStyle = listStyleSetting;
    state->appliedDx = state->appliedDy = 0;
    request->lCustData = reinterpret_cast<LPARAM>(state);
    SetPropA(dialog, RequestProperty, request);
    if (!info->templateId)
        return;
    if (!threadHookUsers++)
        threadHook = SetWindowsHookExA(WH_CALLWNDPROCRET, CallWndRetHook, nullptr, GetCurrentThreadId());
    SetPropA(dialog, DialogProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)));
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogProc));
    if (expandBitmap)
        if (HWND button = GetDlgItem(child, IdExpandButton))
            SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(expandBitmap));
}

void OnDestroy(SelectorState *state, HWND dialog) {
    if (state->info->templateId) {
        WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(dialog, DialogProcProperty));
        // Someone who subclassed after us still needs our procedure to pass on.
        if (GetWindowLongPtrA(dialog, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(DialogProc)) {
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropA(dialog, DialogProcProperty);
        }
        if (threadHookUsers && !--threadHookUsers) {
            UnhookWindowsHookEx(threadHook);
            threadHook = nullptr;
        }
    }
    RemovePropA(dialog, RequestProperty);
    listStyleSetting = state->listStyle;
    expandedSetting = state->expanded;
    state->request->lCustData = reinterpret_cast<LPARAM>(state->info);
    delete state;
}

// Runs the selector's part of a message; returns the info for the caller's hook.
FileSelectorInfo *HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND dialog = GetParent(child);
    if (message == WM_INITDIALOG) {
        if (!lParam)
            return nullptr;
        OnInitDialog(child, reinterpret_cast<OPENFILENAMEA *>(lParam));
        return StateOf(dialog) ? StateOf(dialog)->info : nullptr;
    }
    SelectorState *state = StateOf(dialog);
    if (!state)
        return nullptr;
    FileSelectorInfo *info = state->info;
    int extras = info->templateId != 0;
    switch (message) {
    case WM_COMMAND:
        if (!extras)
            break;
        if (LOWORD(wParam) == IdExpandButton) {
            state->expanded = !state->expanded;
            RedoLayout(*state, dialog, state->expanded);
        } else if (LOWORD(wParam) == IdRecentFolders && HIWORD(wParam) == CBN_SELCHANGE) {
            OnRecentFolderChosen(*state, dialog, child);
        } else if (LOWORD(wParam) == IdRestoreName) {
            if (int nameBox = FileNameControlId(dialog))
                SendMessageA(dialog, CDM_SETCONTROLTEXT, nameBox,
                             reinterpret_cast<LPARAM>(state->rememberedName.c_str()));
        }
        break;
    case WM_NOTIFY:
        switch (reinterpret_cast<NMHDR const *>(lParam)->code) {
        case CDN_SELCHANGE:
            OnSelectionChange(*state, dialog);
            break;
        case CDN_INITDONE:
            if (extras)
                OnInitDone(*state, dialog, child);
            break;
        case CDN_FOLDERCHANGE:
            if (extras)
                ShowCurrentFolder(dialog, child);
            break;
        }
        break;
    case WM_DESTROY:
        OnDestroy(state, dialog);
        break;
    }
    return info;
}

UINT_PTR CALLBACK ChildHookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        FileSelectorInfo *info = HandleChildMessage(child, message, wParam, lParam);
        if (info && info->hook)
            return info->hook(info, child, message, wParam, lParam);
    } catch (Exception const &e) {
        ReportFailure(e);
    } catch (...) {
    }
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- FileSelectorInfo

FileSelectorInfo::FileSelectorInfo()
    : kind(2), captionId(0), smallIconId(0), iconModule(nullptr), okTextId(0), filterId(0), filterIndex(0),
      showHelp(0), centre(0), keepCurrentDirectory(0), showReadOnly(0), readOnlyChecked(0), multiSelection(0),
      fileMustExist(0), noLinkResolution(0), pathMustExist(1), owner(nullptr), module(nullptr), templateId(0),
      hook(nullptr), selectedFilterIndex(-1), readOnlyResult(0), dialogError(0) {
    memset(callerData, 0, sizeof callerData);
}

int FileSelectorInfo::HasMultiSelection() const { return selectedFiles.GetCount() > 1; }

// ---------------------------------------------------------------- pure parts

String FileSelection::BuildFilterText(FileSelectorInfo const &info) {
    String text = info.filter;
    if (text.IsEmpty() && info.filterId)
        text = FindString(info.module, static_cast<unsigned int>(info.filterId));
    if (text.IsEmpty() && !info.filterId) {
        for (StringItem<ListElement> *item = info.filterList.GetFirst(); item;
             item = info.filterList.GetNext(item)) {
            if (item != info.filterList.GetFirst())
                text.Append("|");
            text.Append(*item);
        }
    }
    if (text.IsEmpty())
        text = "*.*|*.*|";
    if (text.GetLastChar() != '|')
        text.Append("|");
    return text;
}

int FileSelection::DialogFilterIndex(int filterIndex, String const &filterText) {
    int index = filterIndex >= 0 ? filterIndex + 1 : 1;
    int pairs = filterText.GetNumberOf('|') / 2;
    return pairs < index ? 1 : index;
}

int FileSelection::TakeSelection(FileSelectorInfo &info, char const *buffer, unsigned int nameOffset) {
    if (strlen(buffer) > nameOffset) {
        FileName file(buffer);
        info.selectedFolder = file.GetPath();
        info.selectedFiles.Append(new FileName(file));
    } else {
        List<StringItem<ListElement>> parts;
        ExplodeString(parts, buffer, "", 1);
        if (parts.GetCount() < 2)
            return 0;
        StringItem<ListElement> *folder = parts.GetFirst();
        info.selectedFolder = FileName(*folder);
        for (StringItem<ListElement> *name = parts.GetNext(folder); name; name = parts.GetNext(name))
            info.selectedFiles.Append(new FileName(*folder, *name));
    }
    if (recentFolders) {
        if (info.selectedFolder.GetLastChar() == '\\')
            info.selectedFolder.RemoveRight(1);
        RecordRecentFolder(info.selectedFolder);
    }
    return 1;
}

void FileSelection::RecordRecentFolder(FileName const &folder) {
    if (!recentFolders)
        return;
    recentFolders->DeleteEqual(folder);
    recentFolders->Prepend(new FileName(folder));
    while (recentFolders->GetCount() > MaxRecentFolders)
        recentFolders->DeleteLast();
}

List<FileName> const *FileSelection::GetRecentFolders() { return recentFolders; }

int FileSelection::IsThreadHookInstalled() { return threadHook != nullptr; }

// ---------------------------------------------------------------- the dialog

int UserSelectsFile(FileSelectorInfo &info) {
    if (!info.module)
        info.module = GetModuleHandleA(nullptr);
    if (!info.iconModule)
        info.iconModule = info.module;
    info.selectedFiles.Clear();
    info.selectedFolder.Clear();
    info.dialogError = 0;
    if (answer)
        return answer(info);

    String filterText = FileSelection::BuildFilterText(info);
    std::vector<char> filter(filterText.c_str(), filterText.c_str() + filterText.GetLength() + 1);
    for (char &c : filter)
        if (c == '|')
            c = 0;

    std::vector<char> names(FileSelection::FileBufferSize, 0);
    String title = info.initialName.GetTitle(1);
    strncpy(names.data(), title.c_str(), names.size() - 1);

    String folder = info.initialName.ContainsDrive() ? String(info.initialName.GetPath()) : String(info.initialFolder);
    String caption = info.captionId ? String(FindString(info.module, static_cast<unsigned int>(info.captionId)))
                                    : info.caption;

    OPENFILENAMEA request;
    memset(&request, 0, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = info.owner;
    request.hInstance = info.module;
    request.lpstrFilter = filter.data();
    request.nFilterIndex = static_cast<DWORD>(FileSelection::DialogFilterIndex(info.filterIndex, filterText));
    request.lpstrFile = names.data();
    request.nMaxFile = static_cast<DWORD>(names.size());
    request.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.c_str();
    request.lpstrTitle = caption.c_str();
    request.lpstrDefExt = info.defaultExtension.IsEmpty() ? nullptr : info.defaultExtension.c_str();
    request.lCustData = reinterpret_cast<LPARAM>(&info);
    request.lpfnHook = ChildHookProc;
    request.lpTemplateName = MAKEINTRESOURCEA(info.templateId);
    request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    if (info.templateId)
        request.Flags |= OFN_ENABLETEMPLATE;
    if (info.keepCurrentDirectory)
        request.Flags |= OFN_NOCHANGEDIR;
    if (info.multiSelection)
        request.Flags |= OFN_ALLOWMULTISELECT;
    if (info.fileMustExist)
        request.Flags |= OFN_FILEMUSTEXIST;
    if (info.noLinkResolution)
        request.Flags |= OFN_NODEREFERENCELINKS;
    if (info.pathMustExist)
        request.Flags |= OFN_PATHMUSTEXIST;
    if (info.showHelp)
        request.Flags |= OFN_SHOWHELP;
    if (!info.showReadOnly)
        request.Flags |= OFN_HIDEREADONLY;
    if (info.readOnlyChecked)
        request.Flags |= OFN_READONLY;

    BOOL chosen = info.kind == 1 ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    if (!chosen) {
        info.dialogError = static_cast<int>(CommDlgExtendedError());
        return 0;
    }
    names.back() = 0;
    if (!FileSelection::TakeSelection(info, names.data(), request.nFileOffset))
        return 0;
    info.selectedFilterIndex = static_cast<int>(request.nFilterIndex) - 1;
    info.readOnlyResult = (request.Flags & OFN_READONLY) != 0;
    return 1;
}

FileSelectorAnswer SetFileSelectorAnswer(FileSelectorAnswer newAnswer) {
    FileSelectorAnswer previous = answer;
    answer = newAnswer;
    return previous;
}

// ---------------------------------------------------------------- preferences

namespace {

// Enters "RecentPaths" under the current key; 0 when it is absent and may not be made.
int EnterRecentPaths(Config &prefs) {
    ConfigKey *before = prefs.GetCurrentKey();
    return prefs.MoveDown("RecentPaths", 0) != before;
}

}  // namespace

void LoadPrefFileSelection(Config &prefs) {
    delete recentFolders;
    recentFolders = new List<FileName>();
    Config::PathSaver keep(prefs);
    if (!EnterRecentPaths(prefs))
        return;
    listStyleSetting = prefs.GetValue(-1, "Style", 0);
    expandedSetting = prefs.GetValue(0, "Expanded", 0);
    for (int i = 0; i < FileSelection::MaxRecentFolders; ++i) {
        String folder = prefs.GetValue("", "Folder", i);
        if (folder.IsEmpty())
            break;
        recentFolders->Append(new FileName(folder));
    }
}

void SavePrefFileSelection(Config &prefs) {
    {
        Config::PathSaver keep(prefs);
        if (EnterRecentPaths(prefs)) {
            prefs.DeleteKeys();
            prefs.SetValue(listStyleSetting, "Style", 0);
            prefs.SetValue(expandedSetting, "Expanded", 0);
            if (recentFolders) {
                int i = 0;
                for (FileName *folder = recentFolders->GetFirst();
                     folder && i < FileSelection::MaxRecentFolders; folder = recentFolders->GetNext(folder))
                    prefs.SetValue(*folder, "Folder", i++);
            }
        }
    }
    delete recentFolders;
    recentFolders = nullptr;
}

void SetFileSelectionSettings(int expanded, long style) {
    expandedSetting = expanded;
    listStyleSetting = style;
}

void GetFileSelectionSettings(int *expanded, long *style) {
    if (expanded)
        *expanded = expandedSetting;
    if (style)
        *style = listStyleSetting;
}

void SetFileSelectorExpandBitmap(HBITMAP bitmap) {
    if (expandBitmap && expandBitmap != bitmap)
        DeleteObject(expandBitmap);
    expandBitmap = bitmap;
}
