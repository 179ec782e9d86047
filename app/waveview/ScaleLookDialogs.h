// The popup menus of the rulers and level scales, and the font and colour dialogs they
// open; a test puts its own answers in the dialogs' place.
#pragma once

#include <windows.h>

#include <cstdint>

class TPoint;
class TWindow;

// Runs a popup menu of the language module (its first submenu) at a client point of
// window, check having marked its items; the chosen command is sent to window. While the
// menu is open window is the command target, so it enables the items.
void RunScalePopup(TWindow &window, int menuId, TPoint point, void (*check)(HMENU menu, void *arg), void *arg);

// Screen fonts, ANSI only, with effects, sizes 1 to 24, starting from the given font and
// colour; true (and both changed) on OK.
bool AskScaleFont(TWindow *parent, LOGFONTA &font, uint32_t &color);
// True (and the colour changed) on OK.
bool AskScaleColor(TWindow *parent, uint32_t &color);

struct ScaleLookAnswers {
    bool (*font)(LOGFONTA &font, uint32_t &color);
    bool (*color)(uint32_t &color);
};
// Null: the dialogs again. Returns the answers it replaces.
ScaleLookAnswers const *SetScaleLookAnswers(ScaleLookAnswers const *answers);
