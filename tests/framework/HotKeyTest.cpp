// The hot key control: the key word, its two-byte form, rules and transfer.
#include "tests/framework/ControlHost.h"

#include "core/CommonControls.h"
#include "controls/HotKey.h"

#include <gtest/gtest.h>

namespace {
class Host : public ControlHost {
public:
    Host() : ControlHost("keys", 0, 0, 200, 100) {}
};
}  // namespace

TEST(HotKeyTest, WordsBytesAndTransfer) {
    if (!TCommCtrl::IsAvailable())
        GTEST_SKIP() << "no common controls";
    TestApp app;
    Host host;
    ASSERT_TRUE(host.Create());
    THotKey *key = new THotKey(&host, 50300, 10, 10, 120, 22);
    EXPECT_STREQ("msctls_hotkey32", key->GetClassNameA());
    EXPECT_EQ(TSystem::GetPlatformId() == VER_PLATFORM_WIN32_NT, (key->Attr.Style & WS_BORDER) != 0);
    ASSERT_TRUE(key->Create());
    key->SetHotKey(uint8_t(0x41), uint8_t(HOTKEYF_CONTROL));
    EXPECT_EQ(0x0241, key->GetHotKey());
    key->SetHotKey(uint16_t(0x0441));
    EXPECT_EQ(0x0441, key->GetHotKey());
    uint16_t word = 0xBEEF;
    EXPECT_EQ(2u, key->Transfer(&word, tdSizeData));
    EXPECT_EQ(0xBEEF, word);
    EXPECT_EQ(0x0441, key->GetHotKey());
    EXPECT_EQ(2u, key->Transfer(&word, tdGetData));
    EXPECT_EQ(0x0441, word);
    word = 0x0142;
    EXPECT_EQ(2u, key->Transfer(&word, tdSetData));
    EXPECT_EQ(0x0142, key->GetHotKey());
    key->SetRules(HKCOMB_NONE, HOTKEYF_ALT);
    key->SetHotKey(uint16_t(0x0043));  // a bare key takes the default modifier
    EXPECT_EQ(0x43, key->GetHotKey() & 0xFF);
}
