#include "shell/PreferencesDialog.h"

#include "audio/AudioFileSettings.h"
#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "shell/PreferenceValues.h"
#include "shell/ShellSettings.h"
#include "shell/WaveStatusBar.h"
#include "waveview/DoubleView.h"

namespace {

enum {
    kTextGeneral = 11000, kTextAudioCard = 11189, kTextToolBar = 11001, kTextEditing = 11002, kTextFile = 11003,
    kTextDisplay = 11004, kTextUnits = 11005, kTextTimeScale = 11006, kTextDatabase = 11007
};

// The dialog's place and open page for the life of the process.
struct Remembered {
    bool placed = false;
    TPoint position;
    int page = 0;
};
Remembered _remembered;

int RunModal(PrefPropertyDialog &dialog) { return dialog.Execute(); }

PreferencesRunner _runner = &RunModal;

// Panes, rulers and scales draw again in the new units and way; the status bar follows.
void TakeNewDisplaySettings(DoubleView &view) {
    if (view.GetHandle())
        ::RedrawWindow(view.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    view.UpdateStatusBar();
}

}  // namespace

// ---- the dialog

PrefPropertyDialog::PrefPropertyDialog(TWindow *parent, DocumentManager &manager, TModule *module)
    : TWindow(parent, 0, module),
      PropertyDialog(parent, kResource, Tab::Style(Tab::Stacked | Tab::SingleHeight | Tab::UseTabBitmaps), kTabPictures,
                     kTabValue, module),
      manager_(manager) {
    Add(kTextGeneral, new GeneralPage(*this, module));
    Add(kTextAudioCard, new AudioCardPage(*this, module));
    Add(kTextToolBar, new ToolBarPage(*this, module));
    Add(kTextEditing, new EditingPage(*this, module));
    Add(kTextFile, new FilePage(*this, module));
    Add(kTextDisplay, new DisplayPage(*this, module));
    Add(kTextUnits, new UnitsPage(*this, module));
    Add(kTextTimeScale, new TimeScalePage(*this, module));
    Add(kTextDatabase, new DatabasePage(*this, module));
    Add("CD-R", new CdrPage(*this, module));
}

FrameWindow *PrefPropertyDialog::GetFrame() const { return dynamic_cast<FrameWindow *>(manager_.GetMainWindow()); }

FilePage &PrefPropertyDialog::GetFilePage() const { return *static_cast<FilePage *>(GetPageRef(kFile)); }

// The folder is checked before any page saves, so that a refused OK changes nothing.
void PrefPropertyDialog::CmOk() {
    FilePage &page = GetFilePage();
    if (!IsFastWritableDirectory(page.TypedFolder())) {
        String caption(manager_.GetName());
        String text(FindString(kTextBadFolder));
        ShowMessageBox(GetHandle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
        SelectTab(kFile);
        if (HWND edit = page.GetHandle() ? ::GetDlgItem(page.GetHandle(), FilePage::kFolder) : nullptr)
            PostMessageA(WM_NEXTDLGCTL, WPARAM(edit), 1);
        return;
    }
    PropertyDialog::CmOk();
}

void PrefPropertyDialog::CmCancel() {
    AudioFileSettings &files = TheAudioFileSettings();
    if (!IsFastWritableDirectory(files.tempDir))
        files.tempDir = GetSystemDrive();
    PropertyDialog::CmCancel();
}

void PrefPropertyDialog::CleanupWindow() {
    _remembered.placed = true;
    _remembered.position = GetWindowRect().TopLeft();
    _remembered.page = GetCurrPage();
    PropertyDialog::CleanupWindow();
}

// ---- command 380

PreferencesRunner SetPreferencesRunner(PreferencesRunner runner) {
    PreferencesRunner previous = _runner;
    _runner = runner ? runner : &RunModal;
    return previous;
}

int OpenPreferences(DocumentManager &manager) {
    TWindow *frame = manager.GetMainWindow();
    if (frame && frame->GetHandle())
        frame->UpdateWindow();
    int32_t const cacheBytes = TheShellSettings().cacheBytes;
    int result;
    {
        PrefPropertyDialog dialog(frame, manager, TModule::_localizedResourceDLL);
        if (_remembered.placed)
            dialog.SetPosition(kTopLeftAtPoint, &_remembered.position);
        dialog.SetOpenPage(_remembered.page);
        result = _runner(dialog);
    }
    ApplyPreferencesAfterClose(manager, cacheBytes);
    return result;
}

void ApplyPreferencesAfterClose(DocumentManager &manager, int32_t cacheBytesBefore) {
    ShellSettings &settings = TheShellSettings();
    if (settings.cacheBytes != cacheBytesBefore)
        settings.cacheBytes = SizeFileCache(preferences::CacheBlocks(settings.cacheBytes) * kCacheBlockBytes);
    if (MDIClient *client = manager.GetMDIClient())
        for (TWindow *c = client->GetFirstChild(); c; c = c == client->GetLastChild() ? nullptr : c->Next())
            if (MDIChild *child = dynamic_cast<MDIChild *>(c))
                if (DoubleView *view = dynamic_cast<DoubleView *>(child->GetView()))
                    TakeNewDisplaySettings(*view);
    if (WaveStatusBar *bar = TheStatusBar()) {
        bar->SetValue(WaveStatusBar::kCachedField, -1);
        bar->SetValue(WaveStatusBar::kCachedOtherField, -1);
        if (bar->GetHandle())
            bar->Invalidate();
    }
}
