#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "foundation/Config.h"
#include "foundation/FileSelector.h"
#include "tests/support/TestSupport.h"

using testsupport::PostCommand;
using testsupport::TempDir;
using testsupport::Watchdog;
using testsupport::WriteBytes;

namespace {

std::string Folders() {
    std::string out;
    if (List<FileName> const *list = FileSelection::GetRecentFolders())
        for (FileName *f = list->GetFirst(); f; f = list->GetNext(f))
            out += std::string(f->c_str()) + ";";
    return out;
}

// Gives the selector a recent-folder list for the test and takes it away after.
struct RecentList {
    explicit RecentList(char const *folders = "") {
        Config prefs("P");
        prefs.MoveDown("RecentPaths");
        int i = 0;
        for (std::string rest = folders; !rest.empty();) {
            size_t end = rest.find(';');
            prefs.SetValue(rest.substr(0, end).c_str(), "Folder", i++);
            rest = end == std::string::npos ? "" : rest.substr(end + 1);
        }
        prefs.MoveToRoot();
        LoadPrefFileSelection(prefs);
    }
    ~RecentList() {
        Config prefs("P");
        SavePrefFileSelection(prefs);
        SetFileSelectionSettings(0, -1);
    }
};

TEST(FileSelector, Filters) {
    FileSelectorInfo info;
    EXPECT_STREQ("*.*|*.*|", FileSelection::BuildFilterText(info).c_str());
    info.filterList.Append(new StringItem<ListElement>("Wave"));
    info.filterList.Append(new StringItem<ListElement>("*.wav"));
    info.filterList.Append(new StringItem<ListElement>("All"));
    info.filterList.Append(new StringItem<ListElement>("*.*"));
    EXPECT_STREQ("Wave|*.wav|All|*.*|", FileSelection::BuildFilterText(info).c_str());
    info.filter = "Raw|*.raw";
    EXPECT_STREQ("Raw|*.raw|", FileSelection::BuildFilterText(info).c_str());

    struct Case {
        int index;
        char const *filter;
        int shown;
    } const cases[] = {
        {5, "a|b|c|d|", 1}, {1, "a|b|c|d|", 2}, {2, "a|b|c|d|", 1}, {-3, "a|b|", 1}, {0, "*.*|*.*|", 1},
    };
    for (Case const &k : cases)
        EXPECT_EQ(k.shown, FileSelection::DialogFilterIndex(k.index, String(k.filter))) << k.index << k.filter;
}

TEST(FileSelector, TakesSingleAndMultipleSelections) {
    RecentList recent("D:\\old");
    FileSelectorInfo single;
    ASSERT_EQ(1, FileSelection::TakeSelection(single, "C:\\snd\\a.wav", 7));
    ASSERT_EQ(1, single.selectedFiles.GetCount());
    EXPECT_STREQ("C:\\snd\\a.wav", single.selectedFiles.GetFirst()->c_str());
    EXPECT_STREQ("C:\\snd", single.selectedFolder.c_str());
    EXPECT_EQ(0, single.HasMultiSelection());

    FileSelectorInfo multi;
    char const buffer[] = "C:\\\0a.wav\0 b.wav \0\0";
    ASSERT_EQ(1, FileSelection::TakeSelection(multi, buffer, 3));
    EXPECT_EQ(1, multi.HasMultiSelection());
    EXPECT_STREQ("C:", multi.selectedFolder.c_str());  // a drive root loses its backslash
    EXPECT_STREQ("C:\\a.wav", multi.selectedFiles.GetFirst()->c_str());
    EXPECT_STREQ("C:\\b.wav", multi.selectedFiles.GetLast()->c_str());
    EXPECT_EQ("C:;C:\\snd;D:\\old;", Folders());

    FileSelectorInfo lonely;
    EXPECT_EQ(0, FileSelection::TakeSelection(lonely, "C:\\\0\0", 3));

    FileSelectorInfo copy(multi);
    EXPECT_EQ(2, copy.selectedFiles.GetCount());
    copy.callerData[39] = 7;
    multi = copy;
    EXPECT_EQ(7u, multi.callerData[39]);
}

TEST(FileSelector, RecentFolders) {
    {
        RecentList none;
        FileSelection::RecordRecentFolder(FileName("C:\\a"));
        FileSelection::RecordRecentFolder(FileName("C:\\b"));
        FileSelection::RecordRecentFolder(FileName("c:\\A"));  // moves to the front, once
        EXPECT_EQ("c:\\A;C:\\b;", Folders());
        for (int i = 0; i < 16; ++i)
            FileSelection::RecordRecentFolder(FileName(("E:\\" + std::to_string(i)).c_str()));
        std::string all = Folders();
        EXPECT_EQ(0u, all.find("E:\\15;E:\\14;"));
        EXPECT_EQ(std::string::npos, all.find("E:\\0;"));
        EXPECT_EQ(std::string::npos, all.find("C:\\b"));
    }
    EXPECT_EQ(nullptr, FileSelection::GetRecentFolders());
    FileSelection::RecordRecentFolder(FileName("C:\\x"));  // no list: nothing kept

    // a gap hides the later folders; saving writes at most 15
    Config prefs("Main");
    prefs.MoveDown("Section");
    prefs.MoveDown("RecentPaths");
    prefs.SetValue(3L, "Style");
    prefs.SetValue(1, "Expanded");
    prefs.SetValue("C:\\one", "Folder", 0);
    prefs.SetValue("C:\\two", "Folder", 1);
    prefs.SetValue("C:\\four", "Folder", 3);
    prefs.MoveUp();
    ConfigKey *section = prefs.GetCurrentKey();
    LoadPrefFileSelection(prefs);
    EXPECT_EQ(section, prefs.GetCurrentKey());
    EXPECT_EQ("C:\\one;C:\\two;", Folders());
    int expanded;
    long style;
    GetFileSelectionSettings(&expanded, &style);
    EXPECT_EQ(1, expanded);
    EXPECT_EQ(3, style);
    for (int i = 0; i < 20; ++i)
        FileSelection::RecordRecentFolder(FileName(("F:\\" + std::to_string(i)).c_str()));
    SavePrefFileSelection(prefs);
    EXPECT_EQ(section, prefs.GetCurrentKey());
    EXPECT_EQ(nullptr, FileSelection::GetRecentFolders());
    prefs.MoveDown("RecentPaths");
    EXPECT_EQ(17, prefs.GetNumValues());
    EXPECT_STREQ("F:\\19", prefs.GetValue("", "Folder").c_str());
    EXPECT_STREQ("F:\\5", prefs.GetValue("", "Folder", 14).c_str());
    EXPECT_EQ(3, prefs.GetValue(0, "Style"));
    SetFileSelectionSettings(0, -1);
}

int Answered(FileSelectorInfo &info) {
    info.selectedFiles.Append(new FileName("C:\\answer.wav"));
    return info.module != nullptr && info.iconModule == info.module;
}

TEST(FileSelector, TestsCanAnswerInPlaceOfTheDialog) {
    FileSelectorAnswer before = SetFileSelectorAnswer(Answered);
    FileSelectorInfo info;
    info.selectedFiles.Append(new FileName("C:\\stale.wav"));
    EXPECT_EQ(1, UserSelectsFile(info));
    EXPECT_EQ(1, info.selectedFiles.GetCount());
    EXPECT_EQ(Answered, SetFileSelectorAnswer(before));
}

// Shows the dialog a hook drives; one left open is closed after 20 seconds.
int SelectWatched(FileSelectorInfo &info) {
    Watchdog watchdog(20);
    int chosen = UserSelectsFile(info);
    EXPECT_FALSE(watchdog.Fired());
    return chosen;
}

enum { WM_DRIVE = WM_APP + 17 };

// What the caller's hook saw while it drove the dialog.
struct Drive {
    std::string name;  // typed into the name box, or empty to cancel
    HWND dialog = nullptr;
    int initDone = 0;
    int propertyWhileOpen = 0, hookWhileOpen = 0;
    LONG_PTR procWhileOpen = 0;
    int propertyAtEnd = -1, hookAtEnd = -1;
    LONG_PTR procAtEnd = 0;
    RECT expandedRect{}, collapsedRect{};
    int hasFileList = 0;
    long listViewMode = -1;
    int listViewSubclassed = 0;
    LRESULT comboCount = -1;
    char folderText[MAX_PATH] = "";
};

UINT_PTR DrivingHook(FileSelectorInfo *info, HWND child, UINT message, WPARAM, LPARAM lParam) {
    Drive &d = *reinterpret_cast<Drive *>(info->callerData[0]);
    HWND dialog = GetParent(child);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == CDN_INITDONE) {
        d.initDone = 1;
        d.dialog = dialog;
        d.propertyWhileOpen = GetPropA(dialog, "JqOFN") != nullptr;
        d.hookWhileOpen = FileSelection::IsThreadHookInstalled();
        d.procWhileOpen = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
        PostMessageA(child, WM_DRIVE, 0, 0);  // after the dialog is shown
    } else if (message == WM_DRIVE) {
        d.hasFileList = GetDlgItem(dialog, lst2) != nullptr;
        if (HWND list = GetWindow(GetDlgItem(dialog, lst2), GW_CHILD)) {
            d.listViewMode = GetWindowLongA(list, GWL_STYLE) & 3;
            d.listViewSubclassed = GetPropA(list, "JqOFNListProc") != nullptr;
        }
        d.comboCount = SendDlgItemMessageA(child, 501, CB_GETCOUNT, 0, 0);
        GetDlgItemTextA(child, 502, d.folderText, sizeof d.folderText);
        GetWindowRect(dialog, &d.expandedRect);
        SendMessageA(child, WM_COMMAND, 500, 0);  // the expand button collapses it
        GetWindowRect(dialog, &d.collapsedRect);
        if (d.name.empty()) {
            PostCommand(dialog, IDCANCEL);
        } else {
            SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(d.name.c_str()));
            SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(d.name.c_str()));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        }
    } else if (message == WM_DESTROY) {
        d.propertyAtEnd = GetPropA(dialog, "JqOFN") != nullptr;
        d.hookAtEnd = FileSelection::IsThreadHookInstalled();
        d.procAtEnd = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    }
    return 0;
}

TEST(FileSelector, DrivesTheOpenDialog) {
    TempDir dir;
    std::string file = dir.File("take1.wav");
    WriteBytes(file, "RIFF");
    RecentList recent("C:\\elsewhere;C:\\more");
    SetFileSelectionSettings(1, 1);  // opens expanded, the list in details

    Drive d;
    d.name = file;
    FileSelectorInfo info;
    info.templateId = 7133;
    info.hook = DrivingHook;
    info.callerData[0] = reinterpret_cast<ULONG_PTR>(&d);
    info.initialFolder = dir.Path().c_str();
    info.fileMustExist = 1;
    info.filter = "Wave|*.wav|All|*.*";
    info.filterIndex = 1;
    int chosen = SelectWatched(info);
    ASSERT_EQ(1, d.initDone);
    EXPECT_EQ(1, chosen) << "dialog error " << info.dialogError;
    ASSERT_EQ(1, info.selectedFiles.GetCount());
    EXPECT_EQ(0, lstrcmpiA(file.c_str(), info.selectedFiles.GetFirst()->c_str())) << info.selectedFiles.GetFirst()->c_str();
    EXPECT_EQ(0, lstrcmpiA(dir.Path().c_str(), info.selectedFolder.c_str()));
    EXPECT_EQ(1, info.selectedFilterIndex);
    EXPECT_EQ(0, lstrcmpiA((dir.Path() + ";C:\\elsewhere;C:\\more;").c_str(), Folders().c_str()));

    // the extra controls were served
    EXPECT_EQ(2, d.comboCount);
    EXPECT_NE(std::string::npos, std::string(d.folderText).find(dir.Path().substr(dir.Path().rfind('\\'))))
        << d.folderText;
    if (d.hasFileList) {
        EXPECT_EQ(1, d.listViewMode);
        EXPECT_EQ(1, d.listViewSubclassed);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 60, d.expandedRect.right - d.expandedRect.left);
        EXPECT_LT(d.collapsedRect.right - d.collapsedRect.left, d.expandedRect.right - d.expandedRect.left);
    }
    int expanded;
    long style;
    GetFileSelectionSettings(&expanded, &style);
    EXPECT_EQ(0, expanded);  // the collapse was remembered
    EXPECT_EQ(1, style);

    // hook, property and subclass were there while it was open, gone at the end
    EXPECT_EQ(1, d.propertyWhileOpen);
    EXPECT_EQ(1, d.hookWhileOpen);
    EXPECT_EQ(0, d.propertyAtEnd);
    EXPECT_EQ(0, d.hookAtEnd);
    EXPECT_NE(d.procWhileOpen, d.procAtEnd);
    EXPECT_EQ(0, FileSelection::IsThreadHookInstalled());
}

// Picks the second recent folder in the combo box, then, once the dialog has
// gone there, accepts the name that was typed before.
struct Recent {
    std::string typed;
    char folderAfter[MAX_PATH] = "";
    char nameAfter[MAX_PATH] = "";
};

enum { WM_PICK = WM_APP + 18, WM_ACCEPT = WM_APP + 19 };

UINT_PTR RecentHook(FileSelectorInfo *info, HWND child, UINT message, WPARAM, LPARAM lParam) {
    Recent &r = *reinterpret_cast<Recent *>(info->callerData[0]);
    HWND dialog = GetParent(child);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == CDN_INITDONE) {
        PostMessageA(child, WM_PICK, 0, 0);
    } else if (message == WM_PICK) {
        SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(r.typed.c_str()));
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(r.typed.c_str()));
        HWND combo = GetDlgItem(child, 501);
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SendMessageA(child, WM_COMMAND, MAKEWPARAM(501, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        PostMessageA(child, WM_ACCEPT, 0, 0);
    } else if (message == WM_ACCEPT) {
        GetDlgItemTextA(child, 502, r.folderAfter, sizeof r.folderAfter);
        if (!GetDlgItemTextA(dialog, edt1, r.nameAfter, sizeof r.nameAfter))
            GetDlgItemTextA(dialog, cmb13, r.nameAfter, sizeof r.nameAfter);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    return 0;
}

TEST(FileSelector, RecentFolderComboSendsTheDialogThere) {
    TempDir start, other;
    WriteBytes(other.File("kick.wav"), "RIFF");
    RecentList recent((start.Path() + ";" + other.Path()).c_str());
    Recent r;
    r.typed = "kick.wav";
    FileSelectorInfo info;
    info.templateId = 7133;
    info.hook = RecentHook;
    info.callerData[0] = reinterpret_cast<ULONG_PTR>(&r);
    info.initialFolder = start.Path().c_str();
    int chosen = SelectWatched(info);
    EXPECT_STREQ("kick.wav", r.nameAfter);  // the typed name came back
    std::string leaf = other.Path().substr(other.Path().rfind('\\'));
    EXPECT_NE(std::string::npos, std::string(r.folderAfter).find(leaf)) << r.folderAfter;
    ASSERT_EQ(1, chosen) << info.dialogError;
    EXPECT_EQ(0, lstrcmpiA(other.File("kick.wav").c_str(), info.selectedFiles.GetFirst()->c_str()));
}

TEST(FileSelector, CallerHookRunsWithoutTemplate) {
    TempDir dir;
    Drive d;  // no name: the hook cancels
    FileSelectorInfo info;
    info.kind = 1;
    info.hook = DrivingHook;
    info.callerData[0] = reinterpret_cast<ULONG_PTR>(&d);
    info.initialFolder = dir.Path().c_str();
    int chosen = SelectWatched(info);
    EXPECT_EQ(1, d.initDone);
    EXPECT_EQ(0, chosen);
    EXPECT_EQ(0, info.dialogError);
    EXPECT_EQ(1, d.propertyWhileOpen);
    EXPECT_EQ(0, d.hookWhileOpen);  // no template, no window-procedure hook
    EXPECT_EQ(0, d.propertyAtEnd);
    EXPECT_EQ(0, info.selectedFiles.GetCount());
}

}  // namespace
