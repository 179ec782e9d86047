#include "shell/AnalysisWindows.h"

#include "core/MenuDescr.h"
#include "core/Module.h"
#include "manager/DocumentModel.h"
#include "manager/MdiDocumentWindows.h"

#include <windows.h>

namespace {
enum { kDocumentMenu = 2 };
}  // namespace

void InitWindowOnlyType(DocumentModel &type, char const *name, int descriptionId, int dialogValue, int typeValue) {
    type.name = name;
    type.descriptionId = descriptionId;
    type.dialogIcon = dialogValue;
    type.reserved = typeValue;
    type.livesWithViews = 1;
    type.noFile = 1;
}

MDIChild *OpenDocumentWindow(TWindow &view, TRect const *rect, bool shrinkToClient) {
    MDIChild *child = new MDIChild(view, nullptr, shrinkToClient);
    if (rect) {
        child->Attr.X = rect->left, child->Attr.Y = rect->top;
        child->Attr.W = rect->Width(), child->Attr.H = rect->Height();
    }
    // the document menu, where the language module has one
    TModule *language = TModule::_localizedResourceDLL;
    if (language && ::FindResourceA(language->GetHandle(), MAKEINTRESOURCEA(kDocumentMenu), RT_MENU))
        child->SetMenuDescr(TMenuDescr(kDocumentMenu, 0, 0, 0, 0, 0, 0, 0, language));
    child->Create();
    child->ShowWindow(SW_SHOW);
    return child;
}
