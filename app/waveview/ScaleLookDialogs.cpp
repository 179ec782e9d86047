#include "waveview/ScaleLookDialogs.h"

#include "controls/ColorDialog.h"
#include "controls/FontDialog.h"
#include "core/FrameWindow.h"
#include "core/Module.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"

namespace {

ScaleLookAnswers const *answers = nullptr;

HWND MainWindow() {
    TFrameWindow *frame = _docManager ? _docManager->GetMainWindow() : nullptr;
    return frame ? frame->GetHandle() : 0;
}

// The chosen command goes to the window that opened the menu: while it is open that
// window is the command target, so the menu's items are enabled by it.
class PopupOwner {
public:
    explicit PopupOwner(HWND window) : previous_(DoubleView::GetCommandTargetOverride()) {
        DoubleView::SetCommandTargetOverride(window);
    }
    ~PopupOwner() { DoubleView::SetCommandTargetOverride(previous_); }
    PopupOwner(PopupOwner const &) = delete;
    PopupOwner &operator=(PopupOwner const &) = delete;

private:
    HWND previous_;
};

}  // namespace

bool AskScaleFont(TWindow *parent, LOGFONTA &font, uint32_t &color) {
    if (answers)
        return answers->font(font, color);
    TChooseFontDialog::TData data;
    data.Flags = CF_SCREENFONTS | CF_ANSIONLY | CF_EFFECTS | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    data.LogFont = font;
    data.Color = TColor(COLORREF(color));
    data.SizeMin = 1;
    data.SizeMax = 24;
    FontDialog dialog(parent, data);
    if (dialog.Execute() != IDOK)
        return false;
    font = data.LogFont;
    color = data.Color.GetValue();
    return true;
}

bool AskScaleColor(TWindow *parent, uint32_t &color) {
    if (answers)
        return answers->color(color);
    unsigned long chosen = color;
    if (!AskColor(parent, chosen))
        return false;
    color = uint32_t(chosen);
    return true;
}

ScaleLookAnswers const *SetScaleLookAnswers(ScaleLookAnswers const *next) {
    ScaleLookAnswers const *previous = answers;
    answers = next;
    return previous;
}

void RunScalePopup(TWindow &window, int menuId, TPoint point, void (*check)(HMENU menu, void *arg), void *arg) {
    TModule *module = TModule::_localizedResourceDLL;
    HMENU menu = module ? ::LoadMenuA(module->GetHandle(), MAKEINTRESOURCEA(menuId)) : nullptr;
    if (!menu)
        return;
    HMENU popup = ::GetSubMenu(menu, 0);
    check(popup, arg);
    POINT screen = point;
    ::ClientToScreen(window.GetHandle(), &screen);
    HWND owner = MainWindow() ? MainWindow() : window.GetHandle();
    int chosen;
    {
        PopupOwner scope(window.GetHandle());
        chosen = ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, owner, nullptr);
    }
    ::DestroyMenu(menu);
    if (chosen && ::IsWindow(window.GetHandle()))
        window.SendMessageA(WM_COMMAND, WPARAM(chosen), 0);
}

