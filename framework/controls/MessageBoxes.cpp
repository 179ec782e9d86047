#include "controls/MessageBoxes.h"

#include "core/Application.h"
#include "core/MessageBoxSeam.h"
#include "core/Module.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

namespace {

// The box's help button: the help window comes up beside a box that no longer stays on top.
void CALLBACK BoxHelp(LPHELPINFO info) {
    try {
        if (!info || !info->dwContextId)
            return;
        HWND box = info->hItemHandle ? ::GetAncestor((HWND)info->hItemHandle, GA_ROOT) : 0;
        if (box)
            ::SetWindowPos(box, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (TApplication *app = GetApplicationObject())
            app->OpenHelpWindow(HELP_CONTEXT, info->dwContextId);
    } catch (AException const &e) {
        if (TApplication *app = GetApplicationObject())
            app->WarnUser(e, 1);
    } catch (...) {
        // nothing may unwind into the box's help callback
    }
}

int FetchedBox(int textId, char const *caption, int style, unsigned long helpId, int iconId) {
    char text[CatalogueBufferSize];
    return MessageBox(FindString(text, unsigned(textId)), caption, style, helpId, iconId);
}

}  // namespace

int MessageBox(char const *text, char const *caption, int style, unsigned long helpId, int iconId) {
    MSGBOXPARAMSA box = {};
    box.cbSize = sizeof box;
    box.hwndOwner = 0;
    box.lpszText = text;
    box.lpszCaption = caption;
    box.dwStyle = DWORD(style) | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    if (helpId)
        box.dwStyle |= MB_HELP;
    if (iconId) {
        box.hInstance = TModule::_commonResourceDLL ? TModule::_commonResourceDLL->GetHandle() : 0;
        box.dwStyle = (box.dwStyle & ~DWORD(MB_ICONMASK)) | MB_USERICON;
        box.lpszIcon = MAKEINTRESOURCEA(iconId & 0xFFFF);
    }
    box.dwContextHelpId = helpId;
    box.lpfnMsgBoxCallback = &BoxHelp;
    box.dwLanguageId = 0;
    return ShowMessageBoxIndirect(box);
}

int MessageBox(char const *text, char const *caption, int style) { return MessageBox(text, caption, style, 0, 0); }

int MessageBox(char const *text, char const *caption, int style, unsigned long helpId) {
    return MessageBox(text, caption, style, helpId, 0);
}

int MessageBox(int textId, char const *caption, int style) { return FetchedBox(textId, caption, style, 0, 0); }

int MessageBox(int textId, char const *caption, int style, unsigned long helpId) {
    return FetchedBox(textId, caption, style, helpId, 0);
}

int MessageBox(int textId, char const *caption, int style, unsigned long helpId, int iconId) {
    return FetchedBox(textId, caption, style, helpId, iconId);
}
