#include "tests/libs/pindral/TreeFixture.h"

namespace pindraltest {

namespace {

char const kParentClass[] = "PindralTestParent";

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ParentLog &log = Log();
    if (message == WM_COMMAND && LOWORD(wParam) == kTreeId) {
        log.notes.push_back(HIWORD(wParam));
        if (HIWORD(wParam) == log.destroyOn)
            DestroyWindow(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    if (message == WM_VKEYTOITEM) {
        log.keys.push_back(LOWORD(wParam));
        return log.keyAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ParentLog &Log() {
    static ParentLog log;
    return log;
}

void TreeFixture::SetUp() {
    HINSTANCE self = GetModuleHandleA(nullptr);
    ASSERT_TRUE(SftTree_RegisterApp2(self));
    WNDCLASSA parent = {};
    parent.lpfnWndProc = ParentProc;
    parent.hInstance = self;
    parent.lpszClassName = kParentClass;
    RegisterClassA(&parent);
    Log() = ParentLog();
    parent_ = CreateWindowA(kParentClass, "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 40, kHeight + 40, nullptr, nullptr,
                            self, nullptr);
    tree_ = CreateWindowA(PINDRAL_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, parent_,
                          reinterpret_cast<HMENU>(kTreeId), self, nullptr);
    ASSERT_TRUE(tree_ != nullptr);
}

void TreeFixture::TearDown() {
    DestroyWindow(parent_);
    SftTree_UnregisterApp2(GetModuleHandleA(nullptr));
}

int TreeFixture::Add(char const *text, int level) const {
    int item = int(Send(PTM_ADDITEM, 0, reinterpret_cast<LPARAM>(text)));
    Send(PTM_SETLEVEL, item, level);
    return item;
}

RECT TreeFixture::Cell(int item, int column) const {
    PindralCellRect cell = {item, column, {0, 0, 0, 0}};
    Send(PTM_GETCELLRECT, 0, reinterpret_cast<LPARAM>(&cell));
    return cell.rect;
}

std::string TreeFixture::Text(int item, int column, int capacity) const {
    std::vector<char> buffer(capacity + 1, '#');
    PindralCellBuffer cell = {item, column, buffer.data(), capacity};
    if (Send(PTM_GETCELLTEXT, 0, reinterpret_cast<LPARAM>(&cell)) < 0)
        return "(none)";
    return buffer.data();
}

PindralHit TreeFixture::Hit(POINT at) const {
    PindralHit hit = {at.x, at.y, 0, 0, 0};
    Send(PTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit;
}

std::vector<int> TreeFixture::Heard() {
    std::vector<int> notes;
    notes.swap(Log().notes);
    return notes;
}

void TreeFixture::AddFamily() const {
    char const *names[] = {"A", "A1", "A1a", "A2", "B", "B1", "C"};
    int const levels[] = {0, 1, 2, 1, 0, 1, 0};
    for (int i = 0; i < 7; ++i)
        Add(names[i], levels[i]);
}

}  // namespace pindraltest
