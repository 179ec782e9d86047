// The system's open and save dialogs as framework dialogs, the library's variants that
// disable the application's other top-level windows (the open one also collecting a
// multiple selection), and a folder chooser built on the open dialog.
#pragma once

#include "controls/CommonDialog.h"

#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <commdlg.h>

class VELTRANE_API TOpenSaveDialog : public TCommonDialog {
public:
    // The values of one file dialog, in and out.
    class VELTRANE_API TData {
    public:
        TData(unsigned long flags = 0, char *filter = 0, char *customFilter = 0, char *initialDir = 0,
              char *defExt = 0, int maxPath = 0, int filterIndex = 0);
        TData(TData const &src);
        TData &operator=(TData const &src);
        ~TData();

        // "Description|pattern|..." or a list already separated by NULs and ended by an
        // empty string; null keeps the filter.
        void SetFilter(char const *filter);

        unsigned long Flags;
        unsigned long Error;  // extended error code of the last run, 0 after success or a cancel
        char *FileName;       // owned, MaxPath characters
        char *Filter;         // owned, NUL-separated pairs ended by an empty string
        char *CustomFilter;   // not owned, not handed to the system
        int FilterIndex;      // 1-based
        char *InitialDir;     // not owned
        char *DefExt;         // not owned
        int MaxPath;
    };

    TOpenSaveDialog(TWindow *parent, TData &data, TResId templateId = 0, char const *title = 0,
                    TModule *module = 0);

    OPENFILENAMEA &GetOFN() { return Ofn; }
    void SetOFN(OPENFILENAMEA const &ofn) { Ofn = ofn; }
    TData &GetData() { return Data; }
    // Copies the record over the caller's and points the parameter block at its buffers.
    void SetData(TData const &data);

    static int GetFileTitleLen(char const *path);
    static int GetFileTitleA(char const *path, char *buffer, int size);
    static uint GetShareViMsgId() { return ShareViMsgId; }

    int DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) override;
    // Asked when the chosen file is in use elsewhere: 0 lets the system ask the user.
    virtual int ShareViolation();

protected:
    // Records the data only; the derived class fills the parameter block.
    TOpenSaveDialog(TWindow *parent, TData &data, TModule *module);
    void Init(TResId templateId);
    // Runs the open (or save) dialog with the hook that binds the window to this object.
    int RunHooked(TCommonDialogKind kind);
    // Runs it without a hook while the other top-level windows are disabled; the focus
    // goes back afterwards. The filter index stays in the parameter block.
    int RunUnhooked(TCommonDialogKind kind);

    void CmOk() { DefaultProcessing(); }
    void CmLbSelChanged() { DefaultProcessing(); }

    OPENFILENAMEA Ofn;
    TData &Data;

private:
    void PointAtData();
    static uint ShareViMsgId;

    DECLARE_RESPONSE_TABLE(TOpenSaveDialog);
};

class VELTRANE_API TFileOpenDialog : public TOpenSaveDialog {
public:
    TFileOpenDialog(TWindow *parent, TData &data, TResId templateId = 0, char const *title = 0,
                    TModule *module = 0);
    int DoExecute() override;
};

class VELTRANE_API TFileSaveDialog : public TOpenSaveDialog {
public:
    TFileSaveDialog(TWindow *parent, TData &data, TResId templateId = 0, char const *title = 0,
                    TModule *module = 0);
    int DoExecute() override;
};

// The open dialog run without a hook while the application's other top-level windows
// are disabled; a multiple selection is split into full names.
class VELTRANE_API FileOpenDialog : public TFileOpenDialog {
public:
    FileOpenDialog(TWindow *parent, TOpenSaveDialog::TData &data, int templateId = 0, char const *title = 0,
                   TModule *module = 0);

    // The chosen filter index is read here.
    OPENFILENAMEA &GetParam() { return Ofn; }
    bool HasMultiSelection() const;
    FileName *GetFirst();
    FileName *GetNext();

    int DoExecute() override;

private:
    void TakeMultiSelection();

    List<FileName> Names;
    FileName *Cursor;
};

class VELTRANE_API FileSaveDialog : public TOpenSaveDialog {
public:
    FileSaveDialog(TWindow *parent, TOpenSaveDialog::TData &data, int templateId = 0, char const *title = 0,
                   TModule *module = 0);

    OPENFILENAMEA &GetParam() { return Ofn; }
    int DoExecute() override;
};

// Asks for a folder; the empty string when the user cancels. A null title uses the
// catalogue text "Choose a folder".
VELTRANE_API String GetPathFromUser(TWindow *parent, char const *title, char const *initialDir);
