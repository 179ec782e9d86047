// The common-controls library bound by name, its failure, and the notification records.
#include "core/CommonControls.h"
#include "tests/framework/TestApp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>


using testsupport::ByArch;
TEST(CommonControls, EveryEntryIsBoundByNameInOrderOnce) {
    TCommCtrlDll *dll = TCommCtrl::Dll();
    ASSERT_TRUE(dll);
    EXPECT_EQ(dll, TCommCtrl::Dll());  // one object for the process
    EXPECT_EQ(1, TCommCtrl::IsAvailable());
    EXPECT_EQ(dll, &TCommCtrl::Required());

    TCommCtrlDll &d = *dll;
    struct {
        TModuleProc const *entry;
        char const *name;
    } entries[] = {
        {&d.InitCommonControls, "InitCommonControls"},
        {&d.ImageList_AddMasked, "ImageList_AddMasked"},
        {&d.ImageList_BeginDrag, "ImageList_BeginDrag"},
        {&d.ImageList_EndDrag, "ImageList_EndDrag"},
        {&d.ImageList_DragEnter, "ImageList_DragEnter"},
        {&d.ImageList_DragLeave, "ImageList_DragLeave"},
        {&d.ImageList_DragMove, "ImageList_DragMove"},
        {&d.ImageList_SetDragCursorImage, "ImageList_SetDragCursorImage"},
        {&d.ImageList_DragShowNolock, "ImageList_DragShowNolock"},
        {&d.ImageList_GetDragImage, "ImageList_GetDragImage"},
        {&d.ImageList_DrawEx, "ImageList_DrawEx"},
        {&d.ImageList_GetIconSize, "ImageList_GetIconSize"},
        {&d.ImageList_GetIcon, "ImageList_GetIcon"},
        {&d.ImageList_GetImageInfo, "ImageList_GetImageInfo"},
        {&d.ImageList_Replace, "ImageList_Replace"},
        {&d.ImageList_Remove, "ImageList_Remove"},
        {&d.ImageList_LoadImageA, "ImageList_LoadImageA"},
        {&d.ImageList_Merge, "ImageList_Merge"},
        {&d.ImageList_SetIconSize, "ImageList_SetIconSize"},
        {&d.CreateMappedBitmap, "CreateMappedBitmap"},
        {&d.CreatePropertySheetPageA, "CreatePropertySheetPageA"},
        {&d.CreateStatusWindowA, "CreateStatusWindowA"},
        {&d.CreateToolbarEx, "CreateToolbarEx"},
        {&d.CreateUpDownControl, "CreateUpDownControl"},
        {&d.DestroyPropertySheetPage, "DestroyPropertySheetPage"},
        {&d.DrawInsert, "DrawInsert"},
        {&d.DrawStatusTextA, "DrawStatusTextA"},
        {&d.GetEffectiveClientRect, "GetEffectiveClientRect"},
        {&d.ImageList_Create, "ImageList_Create"},
        {&d.ImageList_Destroy, "ImageList_Destroy"},
        {&d.ImageList_GetImageCount, "ImageList_GetImageCount"},
        {&d.ImageList_Add, "ImageList_Add"},
        {&d.ImageList_ReplaceIcon, "ImageList_ReplaceIcon"},
        {&d.ImageList_SetBkColor, "ImageList_SetBkColor"},
        {&d.ImageList_GetBkColor, "ImageList_GetBkColor"},
        {&d.ImageList_SetOverlayImage, "ImageList_SetOverlayImage"},
        {&d.ImageList_Draw, "ImageList_Draw"},
        {&d.LBItemFromPt, "LBItemFromPt"},
        {&d.MakeDragList, "MakeDragList"},
        {&d.MenuHelp, "MenuHelp"},
        {&d.PropertySheetA, "PropertySheetA"},
        {&d.ShowHideMenuCtl, "ShowHideMenuCtl"},
    };
    ASSERT_EQ(42u, sizeof entries / sizeof entries[0]);
    // the entries follow the module one after the other, nothing else among them
    EXPECT_EQ(sizeof(TModule) + 42 * sizeof(TModuleProc), sizeof(TCommCtrlDll));
    HMODULE library = ::GetModuleHandleA("COMCTL32.DLL");
    ASSERT_TRUE(library);
    char const *previous = (char const *)entries[0].entry - sizeof(TModuleProc);
    for (auto const &e : entries) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ((char const *)e.entry, previous + sizeof(TModuleProc));
        previous = (char const *)e.entry;
        ASSERT_TRUE(e.entry->Proc);
        EXPECT_EQ(::GetProcAddress(library, e.name), e.entry->Proc);
    }
}

TEST(CommonControls, FailureCarriesItsFrameworkText) {
    try {
        TXCommCtrl::Raise();
        FAIL() << "not raised";
    } catch (TXCommCtrl const &failure) {
        EXPECT_EQ(String("Internal error: Failure in Common Control DLL"), failure.why());
        EXPECT_EQ(32755u, failure.GetErrorCode());
        std::unique_ptr<TXCommCtrl> copy(failure.Clone());
        EXPECT_EQ(32755u, copy->GetErrorCode());
        TXCommCtrl assigned;
        assigned = *copy;
        EXPECT_EQ(failure.why(), assigned.why());
        EXPECT_THROW(copy->Throw(), TXCommCtrl);
    }
}

namespace {
template <class R, class S>
void ExpectSameRecord(char const *name, size_t systemSize) {
    SCOPED_TRACE(name);
    EXPECT_EQ(sizeof(S), sizeof(R));
    EXPECT_EQ(systemSize, sizeof(R));
    R record;
    NMHDR &header = record;
    EXPECT_EQ((void *)&record, (void *)&header);  // the header leads
    EXPECT_EQ(0u, header.code);                   // and starts empty
}
}  // namespace

TEST(NotificationRecords, KeepTheSystemsLayout) {
    EXPECT_EQ(ByArch(12, 24), sizeof(TNotify));
    EXPECT_EQ(ByArch(4, 8), offsetof(NMHDR, idFrom));
    EXPECT_EQ(ByArch(8, 16), offsetof(NMHDR, code));
    EXPECT_EQ(ByArch(20, 32), sizeof(TNmUpDown));
    EXPECT_EQ(ByArch(12, 24), offsetof(NMUPDOWN, iPos));
    EXPECT_EQ(ByArch(16, 28), offsetof(NMUPDOWN, iDelta));
    EXPECT_EQ(ByArch(18, 30), sizeof(TTabKeyDown));  // packed: the flags follow the key directly
    EXPECT_EQ(ByArch(12, 24), offsetof(NMTCKEYDOWN, wVKey));
    EXPECT_EQ(ByArch(14, 26), offsetof(NMTCKEYDOWN, flags));
    ExpectSameRecord<TNmUpDown, NMUPDOWN>("up-down", ByArch(20, 32));
    ExpectSameRecord<TTabKeyDown, NMTCKEYDOWN>("tab key", ByArch(18, 30));
    ExpectSameRecord<THdrNotify, NMHEADERA>("header", ByArch(24, 40));
    ExpectSameRecord<TEnDropFiles, ENDROPFILES>("drop files", ByArch(24, 40));
    ExpectSameRecord<TMsgFilter, MSGFILTER>("message filter", ByArch(24, 44));
    ExpectSameRecord<TEnProtected, ENPROTECTED>("protected", ByArch(32, 52));
    ExpectSameRecord<TReqResize, REQRESIZE>("request resize", ByArch(28, 40));
    ExpectSameRecord<TSelChange, SELCHANGE>("selection change", ByArch(24, 36));
    ExpectSameRecord<TLwNotify, NMLISTVIEW>("list view", ByArch(44, 64));
    ExpectSameRecord<TLwDispInfoNotify, NMLVDISPINFOA>("list view display", sizeof(NMHDR) + sizeof(LVITEMA));
    ExpectSameRecord<TLwKeyDownNotify, NMLVKEYDOWN>("list view key", ByArch(18, 30));
    ExpectSameRecord<TTwNotify, NMTREEVIEWA>("tree view", ByArch(104, 152));
    ExpectSameRecord<TTwDispInfoNotify, NMTVDISPINFOA>("tree view display", ByArch(52, 80));
    ExpectSameRecord<TTwKeyDownNotify, NMTVKEYDOWN>("tree view key", ByArch(18, 30));
    EXPECT_EQ(ByArch(16, 24), sizeof(TTwHitTestInfo));
}

TEST(NotificationRecords, ConstructorsFillTheHeaderAndValues) {
    HWND ctl = (HWND)0x1234;
    TNotify empty;
    EXPECT_EQ(nullptr, empty.hwndFrom);
    EXPECT_EQ(0u, empty.idFrom);
    TNotify n(ctl, 7, 9);
    EXPECT_EQ(ctl, n.hwndFrom);
    EXPECT_EQ(7u, n.idFrom);
    EXPECT_EQ(9u, n.code);

    TNmUpDown up(ctl, 3, UDN_DELTAPOS, 50, -2);
    EXPECT_EQ((UINT)UDN_DELTAPOS, up.hdr.code);
    EXPECT_EQ(50, up.iPos);
    EXPECT_EQ(-2, up.iDelta);
    TNmUpDown copied;
    copied = up;
    EXPECT_EQ(-2, copied.iDelta);
    EXPECT_EQ(&copied.hdr, &static_cast<NMHDR &>(copied));

    TTabKeyDown none;
    EXPECT_EQ(0, none.wVKey);
    EXPECT_EQ(0u, none.flags);
    TTabKeyDown key(ctl, 4, TCN_KEYDOWN, VK_LEFT, 0x4B0001);
    EXPECT_EQ(VK_LEFT, key.wVKey);
    EXPECT_EQ(0x4B0001u, key.flags);
    EXPECT_EQ(4u, key.hdr.idFrom);
}

namespace {
class CodeHost : public TWindow {
public:
    CodeHost() : TWindow((TWindow *)0, "codes") { Attr.Style = WS_POPUP; }
    std::string Trace;
    void Heard(uint code) { Trace += "host " + std::to_string(code) + " "; }
    DECLARE_RESPONSE_TABLE(CodeHost);
};
DEFINE_RESPONSE_TABLE1(CodeHost, TWindow)
    EV_CHILD_NOTIFY_CODE(42401, 77, Heard),
END_RESPONSE_TABLE;

class CodeChild : public TWindow {
public:
    CodeChild(CodeHost *parent) : TWindow(parent, "child"), Host(parent) { Attr.Id = 42402; }
    CodeHost *Host;
    void Heard(uint code) { Host->Trace += "child " + std::to_string(code) + " "; }
    DECLARE_RESPONSE_TABLE(CodeChild);
};
DEFINE_RESPONSE_TABLE1(CodeChild, TWindow)
    EV_NOTIFY_CODE_AT_CHILD(88, Heard),
END_RESPONSE_TABLE;
}  // namespace

TEST(NotificationRecords, CodeRowsGetOnlyTheCodeAndAnswerZero) {
    TestApp app;
    CodeHost host;
    CodeChild *child = new CodeChild(&host);
    ASSERT_TRUE(host.Create());
    TNotify byId(0, 42401, 77);
    EXPECT_EQ(0, host.SendMessageA(WM_NOTIFY, 42401, (LPARAM)&byId));
    TNotify fromChild(child->GetHandle(), 42402, 88);
    EXPECT_EQ(0, host.SendMessageA(WM_NOTIFY, 42402, (LPARAM)&fromChild));
    EXPECT_EQ("host 77 child 88 ", host.Trace);
}
