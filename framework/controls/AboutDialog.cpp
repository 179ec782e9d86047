#include "controls/AboutDialog.h"

#include "controls/Static.h"
#include "controls/VersionInfo.h"

#include <cstdio>

AboutDialog::AboutDialog(TWindow *parent, int param, int templateId, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, templateId, module), Param(param) {
    UseContextHelp(0);
}

void AboutDialog::SetupWindow() {
    static int const wrapped[] = {ProductLine, Copyright, ExtraTextId};
    for (int id : wrapped)
        if (!ChildWithId(id))  // a second opening keeps the first wrappers
            new TStatic(this, id, 255, 0);
    Dialog::SetupWindow();
    if (!ExtraText.IsEmpty())
        SetText(ExtraTextId, ExtraText);
    ProjectRCVersion version(GetModule());
    char const *name, *number, *copyright;
    if (version.GetProductName(name) && version.GetProductVersion(number)) {
        char between[128] = "";
        ::GetDlgItemTextA(GetHandle(), ProductLine, between, sizeof between);
        char line[512];
        std::snprintf(line, sizeof line, "%s %s %s", name, between, number);
        SetText(ProductLine, line);
    }
    if (version.GetCopyright(copyright))
        SetText(Copyright, copyright);
}
