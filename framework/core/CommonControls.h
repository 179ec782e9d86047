// The common-controls library bound by name: one entry point per function,
// so the framework runs (without image lists) where the library is missing.
#pragma once

#include "core/Module.h"
#include "core/Notify.h"

#include <commctrl.h>

// "Internal error: Failure in Common Control DLL"
class VELTRANE_API TXCommCtrl : public TXYrt {
public:
    TXCommCtrl();
    TXCommCtrl *Clone() const override;
    [[noreturn]] void Throw() override;
    [[noreturn]] static void Raise();
};

#define COMMCTRL_ENTRY(name) TModuleProcOf<decltype(&::name)> name

// "COMCTL32.DLL" with its entry points bound in this order; binding ends with one call
// of InitCommonControls. A missing library or entry raises the framework's exception.
class VELTRANE_API TCommCtrlDll : public TModule {
public:
    TCommCtrlDll();

    COMMCTRL_ENTRY(InitCommonControls);
    COMMCTRL_ENTRY(ImageList_AddMasked);
    COMMCTRL_ENTRY(ImageList_BeginDrag);
    COMMCTRL_ENTRY(ImageList_EndDrag);
    COMMCTRL_ENTRY(ImageList_DragEnter);
    COMMCTRL_ENTRY(ImageList_DragLeave);
    COMMCTRL_ENTRY(ImageList_DragMove);
    COMMCTRL_ENTRY(ImageList_SetDragCursorImage);
    COMMCTRL_ENTRY(ImageList_DragShowNolock);
    COMMCTRL_ENTRY(ImageList_GetDragImage);
    COMMCTRL_ENTRY(ImageList_DrawEx);
    COMMCTRL_ENTRY(ImageList_GetIconSize);
    COMMCTRL_ENTRY(ImageList_GetIcon);
    COMMCTRL_ENTRY(ImageList_GetImageInfo);
    COMMCTRL_ENTRY(ImageList_Replace);
    COMMCTRL_ENTRY(ImageList_Remove);
    COMMCTRL_ENTRY(ImageList_LoadImage);
    COMMCTRL_ENTRY(ImageList_Merge);
    COMMCTRL_ENTRY(ImageList_SetIconSize);
    COMMCTRL_ENTRY(CreateMappedBitmap);
    COMMCTRL_ENTRY(CreatePropertySheetPage);
    COMMCTRL_ENTRY(CreateStatusWindow);
    COMMCTRL_ENTRY(CreateToolbarEx);
    COMMCTRL_ENTRY(CreateUpDownControl);
    COMMCTRL_ENTRY(DestroyPropertySheetPage);
    COMMCTRL_ENTRY(DrawInsert);
    COMMCTRL_ENTRY(DrawStatusText);
    COMMCTRL_ENTRY(GetEffectiveClientRect);
    COMMCTRL_ENTRY(ImageList_Create);
    COMMCTRL_ENTRY(ImageList_Destroy);
    COMMCTRL_ENTRY(ImageList_GetImageCount);
    COMMCTRL_ENTRY(ImageList_Add);
    COMMCTRL_ENTRY(ImageList_ReplaceIcon);
    COMMCTRL_ENTRY(ImageList_SetBkColor);
    COMMCTRL_ENTRY(ImageList_GetBkColor);
    COMMCTRL_ENTRY(ImageList_SetOverlayImage);
    COMMCTRL_ENTRY(ImageList_Draw);
    COMMCTRL_ENTRY(LBItemFromPt);
    COMMCTRL_ENTRY(MakeDragList);
    COMMCTRL_ENTRY(MenuHelp);
    COMMCTRL_ENTRY(PropertySheet);
    COMMCTRL_ENTRY(ShowHideMenuCtl);
};

#undef COMMCTRL_ENTRY

class VELTRANE_API TCommCtrl {
public:
    // The one library object of the process, made at the first call; null
    // when the library or one of its entries is missing (never tried again).
    static TCommCtrlDll *Dll();
    static int IsAvailable() { return Dll() != 0; }
    // The object that Dll() gives, or the failure a wrapper raises without it.
    static TCommCtrlDll &Required();
};
