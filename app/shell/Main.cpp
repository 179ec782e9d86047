// The program's entry point. Until the program's own application object stands,
// Tessaro starts through the document manager with the MDI main frame, its menus and
// texts from the language module, and plain document windows that show which file they
// hold; the window layout brings them back at the next start.
#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "manager/DocumentModel.h"
#include "manager/MainFrame.h"
#include "core/MdiWindows.h"
#include "manager/View.h"
#include "manager/MdiDocumentWindows.h"

#include "brastow/Brastow.h"
#include "core/Dc.h"
#include "engine/AudioState.h"
#include "engine/SamplerLink.h"
#include "foundation/Exception.h"
#include "pindral/Pindral.h"

#include "LanguageCommon/LanguageIds.h"

#include <windows.h>

#include <cstdlib>

namespace {

LanguageDLL const kLanguages[] = {{LANG_ENGLISH, "system\\EnglishTs.dll"},
                                  {LANG_FRENCH, "system\\FrenchTs.dll"},
                                  {LANG_GERMAN, "system\\GermanTs.dll"},
                                  {0, "system\\EnglishTs.dll"}};

char const kProduct[] = "Tessaro";
char const kCompany[] = "Tessaro";
char const kFrameClass[] = "TessaroFrame";
char const kSettingsFile[] = "system\\main.set";
char const kCommonResources[] = "system\\CommonRscTs.dll";
int const kStampSettings = 1;  // main.set records when it was saved
int const kNoSplash = 0;
unsigned long const kSplashMs = 250;
int const kAboutBoxParam = 1010;    // handed to the about box
int const kTrackMenuSelection = 1;  // menu hints in the status bar

// The white page inside a document window, showing the document's name.
class ShellView : public TWindow, public View {
public:
    explicit ShellView(Document &doc) : TWindow(0, 0, 0), View("ShellView", doc, 0) {
        Attr.Style = WS_CHILD | WS_VISIBLE;
        SetBkgndColor(TColor::SysWindow);
        SetWindow(this);
    }

    PackedMemento *CreatePackedMemento() override {
        return static_cast<PackedMemento *>(MDIChildMemento(GetParentH()).CreatePacked());
    }

    void Paint(TDC &dc, int, TRect &) override {
        String name = GetDocument().GetName(0);
        TRect r = GetClientRect();
        r.Inflate(-8, -8);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawTextA(name.c_str(), -1, r, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    }
};

// A document window whose page fills it.
class ShellWindow : public MDIChild {
public:
    ShellWindow(ShellView &view, MDIChildMemento const *memento) : MDIChild(view, memento) {}

    void SetupWindow() override {
        MDIChild::SetupWindow();
        FitPage();
    }

    void EvSize(uint sizeType, TSize &) {
        DefaultProcessing();
        if (sizeType != SIZE_MINIMIZED)
            FitPage();
    }

private:
    void FitPage() {
        TWindow *page = GetClientWindow();
        if (page && page->GetHandle()) {
            TRect r = GetClientRect();
            page->MoveWindow(0, 0, r.Width(), r.Height(), true);
        }
    }

    DECLARE_RESPONSE_TABLE(ShellWindow);
};

DEFINE_RESPONSE_TABLE1(ShellWindow, MDIChild)
    EV_WM_SIZE,
END_RESPONSE_TABLE;

// Any sound or text file, opened as a window that names it.
class ShellDocType : public DocumentModel {
public:
    ShellDocType() {
        name = "ShellDocument";
        openFilter =
            "Sound files (*.wav;*.aif;*.aiff;*.au;*.snd;*.raw)|*.wav;*.aif;*.aiff;*.au;*.snd;*.raw|"
            "Text files (*.txt)|*.txt|";
        livesWithViews = 1;
        recordInHistory = 1;
    }

    Document *OpenDoc(FileName const &file, DocMemento const *memento, int createView, int) override {
        Document *doc = new Document(*this, &file);
        if (createView)
            CreateView(*doc, memento ? memento->viewMemento : 0);
        return doc;
    }

    View *CreateView(Document &doc, ViewMemento const *memento) override {
        ShellView *view = new ShellView(doc);
        (new ShellWindow(*view, dynamic_cast<MDIChildMemento const *>(memento)))->Create();
        return view;
    }

    ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed) override {
        return MDIChildMemento::CreateUnpacked(packed);
    }

    DocMemento *CreateUnpackedDocMemento(PackedMemento const *) override { return new DocMemento; }
};

ShellDocType shellDocType;

// "New window" makes an untitled document.
class ShellClient : public MDIClient {
public:
    TMDIChild *InitChild() override {
        ShellView *view = new ShellView(*new Document(shellDocType));
        return new ShellWindow(*view, 0);
    }
};

class ShellApp : public DocumentManager {
public:
    ShellApp() : DocumentManager(kProduct, kSettingsFile, kStampSettings, kNoSplash, kSplashMs, kAboutBoxParam) {}

    void InitMainWindow() override {
        ShellClient *client = new ShellClient;
        SetMainWindow(
            new FrameWindow(kProduct, IDM_MAINFRAME, *client, kTrackMenuSelection, TModule::_localizedResourceDLL));
    }

    void CmFileOpen() { OpenFileOpenDialog(shellDocType, 0, 0, 0, 1); }

    DECLARE_RESPONSE_TABLE(ShellApp);
};

DEFINE_RESPONSE_TABLE1(ShellApp, DocumentManager)
    EV_COMMAND(CM_FILEOPEN, CmFileOpen),
END_RESPONSE_TABLE;

// The tree control's class, the CD library and the sampler link (when its file is there),
// from before the message loop until after it, also when the loop ends by an exception.
class OutsideLibraries {
public:
    explicit OutsideLibraries(HINSTANCE instance) : instance_(instance) {
        SftTree_RegisterApp2(instance_);
        CDR_Init();
        LoadSamplerLibrary();
    }
    ~OutsideLibraries() {
        FreeSamplerLibrary();
        CDR_End();
        SftTree_UnregisterApp2(instance_);
    }
    OutsideLibraries(OutsideLibraries const &) = delete;
    OutsideLibraries &operator=(OutsideLibraries const &) = delete;

private:
    HINSTANCE instance_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    TApplication::SetWinMainParams(instance, previous, commandLine, show);
    try {
        FrameWindow::_className = kFrameClass;
        if (!DocumentManager::VeryFirstInit(__argc, __argv, kProduct, kFrameClass, kCompany, kCommonResources,
                                            kLanguages))
            return 1;
        AttachGuiThreadToAudio();
        ShellApp app;
        OutsideLibraries libraries(instance);
        return app.Run();
    } catch (AException const &e) {
        ShowMessageBox(0, e.why().IsEmpty() ? "Tessaro could not start." : e.why().c_str(), kProduct, MB_ICONHAND);
        return 1;
    }
}
