#include "core/CommonControls.h"

#include <memory>

TXCommCtrl::TXCommCtrl() : TXYrt(IDS_COMMCTRLFAILURE) {}

TXCommCtrl *TXCommCtrl::Clone() const { return new TXCommCtrl(*this); }

void TXCommCtrl::Throw() { throw *this; }

void TXCommCtrl::Raise() {
    TXCommCtrl failure;
    failure.Throw();
}

#define BIND(name) name(*this, #name)

TCommCtrlDll::TCommCtrlDll()
    : TModule("COMCTL32.DLL", true, true), BIND(InitCommonControls), BIND(ImageList_AddMasked),
      BIND(ImageList_BeginDrag), BIND(ImageList_EndDrag), BIND(ImageList_DragEnter), BIND(ImageList_DragLeave),
      BIND(ImageList_DragMove), BIND(ImageList_SetDragCursorImage), BIND(ImageList_DragShowNolock),
      BIND(ImageList_GetDragImage), BIND(ImageList_DrawEx), BIND(ImageList_GetIconSize), BIND(ImageList_GetIcon),
      BIND(ImageList_GetImageInfo), BIND(ImageList_Replace), BIND(ImageList_Remove),
      ImageList_LoadImage(*this, "ImageList_LoadImageA"), BIND(ImageList_Merge), BIND(ImageList_SetIconSize),
      BIND(CreateMappedBitmap), CreatePropertySheetPage(*this, "CreatePropertySheetPageA"),
      CreateStatusWindow(*this, "CreateStatusWindowA"), BIND(CreateToolbarEx), BIND(CreateUpDownControl),
      BIND(DestroyPropertySheetPage), BIND(DrawInsert), DrawStatusText(*this, "DrawStatusTextA"),
      BIND(GetEffectiveClientRect), BIND(ImageList_Create), BIND(ImageList_Destroy),
      BIND(ImageList_GetImageCount), BIND(ImageList_Add), BIND(ImageList_ReplaceIcon), BIND(ImageList_SetBkColor),
      BIND(ImageList_GetBkColor), BIND(ImageList_SetOverlayImage), BIND(ImageList_Draw), BIND(LBItemFromPt),
      BIND(MakeDragList), BIND(MenuHelp), PropertySheet(*this, "PropertySheetA"), BIND(ShowHideMenuCtl) {
    InitCommonControls();
}

#undef BIND

TCommCtrlDll *TCommCtrl::Dll() {
    static std::unique_ptr<TCommCtrlDll> dll = []() -> std::unique_ptr<TCommCtrlDll> {
        try {
            return std::unique_ptr<TCommCtrlDll>(new TCommCtrlDll);
        } catch (const TXBase &) {
            return nullptr;
        }
    }();
    return dll.get();
}

TCommCtrlDll &TCommCtrl::Required() {
    TCommCtrlDll *dll = Dll();
    if (!dll)
        TXCommCtrl::Raise();
    return *dll;
}
