#include "manager/View.h"

#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "core/FrameWindow.h"

unsigned long View::_id = 0;

View::View(char const *name, Document &document, TWindow *window)
    : Doc(&document), Manager(document.GetManager()), Serial(0), Window(window), Name(name) {
    document.Views.Append(this);
    Serial = ++_id;
}

View::~View() {
    Document *doc = Doc;
    doc->Views.Detach(this);
    doc->UpdateViewTitles();
    if (!doc->Views.IsEmpty() || !doc->Type.livesWithViews)
        return;
    if (doc->OnLastClosedView() && !doc->HasReferent())
        Document::Delete(doc);
    else if (doc->Type.recordInHistory && Manager)
        Manager->GetFileHistory().Add(DocumentManager::GetFileNamesAsOneString(*doc), doc->Type.name);
}

int View::IsInFrameWindow() const {
    return Window && dynamic_cast<TFrameWindow *>(Window->GetParentO()) != 0;
}

int View::IsTopView() const {
    TApplication *app = Window ? Window->GetApplication() : 0;
    TFrameWindow *main = app ? app->GetMainWindow() : 0;
    TFrameWindow *mainFrame = main;
    if (!mainFrame || !mainFrame->GetClientWindow() || !mainFrame->GetClientWindow()->HWindow)
        return 0;
    HWND active = (HWND)::SendMessageA(mainFrame->GetClientWindow()->HWindow, WM_MDIGETACTIVE, 0, 0);
    TFrameWindow *child = dynamic_cast<TFrameWindow *>(active ? mainFrame->GetWindowPtr(active) : 0);
    return child && child->GetClientWindow() == Window;
}

void View::Delete() {
    if (!Window)
        return;
    if (IsInFrameWindow())
        TWindow::ShutDownWindow(Window->GetParentO());
    else
        TWindow::ShutDownWindow(Window);
}

void View::SetTitle(String const &title) {
    if (IsInFrameWindow())
        Window->GetParentO()->SetCaption(title.c_str());
}

int View::OnStartRubber() { return 0; }
void View::OnEndRubber(TRect const &) {}

int View::CanCloseView() {
    if (Manager && Manager->IsClosingAll())
        return Doc->CanClose();
    return Doc->GetNumViews() >= 2 ? 1 : Doc->CanClose();
}

void View::SetStatusBar(int) {}
void View::UpdateStatusBar() {}
PackedMemento *View::CreatePackedMemento() { return 0; }

int View::Handler(int code, long, long) {
    if (code == 0 && Window && Window->HWindow)
        ::InvalidateRect(Window->HWindow, 0, TRUE);
    return 1;
}
