// The open and save dialogs: the system's Explorer-style common dialog with a
// hook, an optional child template of extra controls (expand button 500,
// recent-folder combo box 501, current-folder text 502, control 1119 that
// grows with the file list), the 15 most recently used folders and the
// remembered view mode of the file list.
#pragma once

#include <windows.h>

#include "foundation/OsmeraDefs.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/StringItem.h"
#include "foundation/Strings.h"

class Config;
struct FileSelectorInfo;

// Called for every message of the child dialog after the selector's own
// handling; its result is the hook's result.
typedef UINT_PTR (*FileSelectorHook)(FileSelectorInfo *info, HWND child, UINT message, WPARAM wParam,
                                     LPARAM lParam);

struct OSMERA_API FileSelectorInfo {
    FileSelectorInfo();
    // Every member is copied, the caller's data area and the results too.
    FileSelectorInfo(FileSelectorInfo const &other) = default;
    FileSelectorInfo &operator=(FileSelectorInfo const &other) = default;
    ~FileSelectorInfo() = default;

    // 1 when more than one file was selected.
    int HasMultiSelection() const;

    int kind;                  // 1 the save dialog, otherwise the open dialog
    String caption;
    int captionId;             // text of this number in module, when not 0
    int smallIconId;           // icon of iconModule, when not 0
    HINSTANCE iconModule;      // null: module
    String okText;
    int okTextId;              // used when okText is empty
    String filter;             // "description|pattern|..." pairs
    int filterId;              // used when filter is empty
    List<StringItem<ListElement>> filterList;  // used when both are empty
    int filterIndex;           // 0-based pair shown first; negative: the first
    String defaultExtension;
    int showHelp;
    int centre;                // centre on the screen when it opens (not expanded)
    int keepCurrentDirectory;
    int showReadOnly;
    int readOnlyChecked;
    int multiSelection;
    int fileMustExist;
    int noLinkResolution;
    int pathMustExist;
    HWND owner;
    HINSTANCE module;          // null: the program's own module
    int templateId;            // child dialog of module, 0 for none
    FileSelectorHook hook;
    FileName initialName;
    FileName initialFolder;
    FileName otherName;        // the caller's own use
    ULONG_PTR callerData[40];  // the caller hook's own state (room for pointers)

    // Results.
    List<FileName> selectedFiles;
    FileName selectedFolder;
    int selectedFilterIndex;   // 0-based, -1 until chosen
    int readOnlyResult;
    int dialogError;           // the common dialog's extended error code
};

// Shows the dialog; non-zero when the user chose, 0 when cancelled or failed
// (dialogError then holds the reason; 0 after a plain cancel).
OSMERA_API int UserSelectsFile(FileSelectorInfo &info);

// Preferences in the group "RecentPaths" under the current key: "Style",
// "Expanded", "Folder" .. "Folder14". Loading creates the recent-folder list,
// saving writes and destroys it.
OSMERA_API void LoadPrefFileSelection(Config &prefs);
OSMERA_API void SavePrefFileSelection(Config &prefs);
OSMERA_API void SetFileSelectionSettings(int expanded, long style);
OSMERA_API void GetFileSelectionSettings(int *expanded, long *style);
// The selector owns the bitmap from now on.
OSMERA_API void SetFileSelectorExpandBitmap(HBITMAP bitmap);

// Test seam: when an answer is set, UserSelectsFile calls it in place of the
// dialog (after filling the module defaults) and returns its result. Returns
// the answer set before.
typedef int (*FileSelectorAnswer)(FileSelectorInfo &info);
OSMERA_API FileSelectorAnswer SetFileSelectorAnswer(FileSelectorAnswer answer);

// The parts of the selector that need no window.
namespace FileSelection {

enum { MaxRecentFolders = 15, FileBufferSize = 64999 };

// The filter as "description|pattern|" pairs, always ending in "|".
OSMERA_API String BuildFilterText(FileSelectorInfo const &info);
// The 1-based pair the dialog shows first for a 0-based index.
OSMERA_API int DialogFilterIndex(int filterIndex, String const &filterText);
// Fills selected files and folder from the dialog's name buffer (one path, or
// a folder and names separated by NULs and ended by two NULs) and records
// the folder among the recent ones. 0 when a multi-selection holds fewer
// than two parts.
OSMERA_API int TakeSelection(FileSelectorInfo &info, char const *buffer, unsigned int nameOffset);
// Puts a folder at the front of the recent list (nothing without a list).
OSMERA_API void RecordRecentFolder(FileName const &folder);
// The recent folders, newest first; null while there is no list.
OSMERA_API List<FileName> const *GetRecentFolders();
// Whether the calling thread has the selector's window-procedure hook.
OSMERA_API int IsThreadHookInstalled();

}  // namespace FileSelection
