// The packed state of a wave window in the layout: its bytes both ways, and what a block
// that is short, long, of another version or holding impossible values gives.
#include "waveview/WaveViewMemento.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

WaveViewGlobalMemento Sample() {
    WaveViewGlobalMemento m;
    m.placement.length = sizeof m.placement;
    m.placement.showCmd = SW_SHOWNORMAL;
    m.placement.rcNormalPosition = {10, 20, 410, 320};
    m.defaultFlag = 0;
    m.words = {{100, 0}, {2000, 0}, 50, 1, {-64, -1024}, {4, 1}, 120};
    m.views.overviewOpen = 1;
    m.views.views[0].view.caretWidth = 3;
    m.views.views[1].timeScale.unit = 2;
    return m;
}

std::string Bytes(PackedMemento const *packed) {
    return std::string(reinterpret_cast<char const *>(packed), PackedMemento::GetLength(packed));
}

// A block as the layout store would hand it over: its bytes, with its length word set.
std::unique_ptr<WaveViewGlobalMemento> Unpacked(std::string block, uint32_t lengthWord) {
    std::memcpy(&block[0], &lengthWord, 4);
    return std::unique_ptr<WaveViewGlobalMemento>(UnpackViewMemento(block.data(), block.size()));
}

TEST(ViewMemento, PackedAndUnpackedTheWindowStaysTheSame) {
    WaveViewGlobalMemento m = Sample();
    PackedMemento *packed = PackViewMemento(m);
    std::string bytes = Bytes(packed);
    PackedMemento::Free(packed);
    ASSERT_EQ(580u, bytes.size());
    uint32_t version;
    std::memcpy(&version, bytes.data() + 4, 4);
    EXPECT_EQ(1u, version);
    std::unique_ptr<WaveViewGlobalMemento> back = Unpacked(bytes, 580);
    EXPECT_EQ(0, back->defaultFlag);
    EXPECT_EQ(0, std::memcmp(&m.placement, &back->placement, sizeof m.placement));
    EXPECT_EQ(0, std::memcmp(&m.words, &back->words, sizeof m.words));
    EXPECT_EQ(0, std::memcmp(&m.views, &back->views, sizeof m.views));
}

TEST(ViewMemento, BlocksThatCannotBeAWindowsGiveTheDefaults) {
    std::string bytes = Bytes(std::unique_ptr<PackedMemento, void (*)(void *)>(PackViewMemento(Sample()),
                                                                                 PackedMemento::Free)
                                  .get());
    WaveViewGlobalMemento defaults;
    struct Case {
        char const *name;
        std::string block;
        uint32_t lengthWord;
    } const cases[] = {
        {"truncated", bytes.substr(0, 579), 579},
        {"longer than read", bytes, 600},
        {"version 2", std::string(bytes).replace(4, 1, "\x02"), 580},
        {"version 0", std::string(bytes).replace(4, 1, std::string(1, '\0')), 580},
    };
    for (Case const &c : cases) {
        std::unique_ptr<WaveViewGlobalMemento> m = Unpacked(c.block, c.lengthWord);
        EXPECT_EQ(1, m->defaultFlag) << c.name;
        EXPECT_EQ(0, std::memcmp(&defaults.words, &m->words, sizeof defaults.words)) << c.name;
        EXPECT_EQ(0u, m->placement.length) << c.name;
    }
    EXPECT_EQ(1, std::unique_ptr<WaveViewGlobalMemento>(UnpackViewMemento(nullptr, 0))->defaultFlag);
}

TEST(ViewMemento, ImpossibleValuesAreClampedAndFontNamesEnd) {
    WaveViewGlobalMemento m = Sample();
    m.placement.length = 12345;
    m.words = {{-5, 7}, {-1, 9}, -40, 1, {-1, 1000}, {0, 9999}, -3};
    m.views.overviewOpen = 77;
    for (WaveViewStyleBlock &b : m.views.views) {
        std::memset(b.timeScale.font.lfFaceName, 'A', sizeof b.timeScale.font.lfFaceName);
        std::memset(b.levelScale.font.lfFaceName, 'B', sizeof b.levelScale.font.lfFaceName);
        b.timeScale.unit = 9;
        b.timeScale.style = 5;
        b.levelScale.unit = 7;
        b.levelScale.style = -1;
        b.view.caretWidth = 40;
        b.view.markers = -1;
        b.view.shadowBar = 3;
    }
    PackedMemento *packed = PackViewMemento(m);
    std::unique_ptr<WaveViewGlobalMemento> back = Unpacked(Bytes(packed), 580);
    PackedMemento::Free(packed);
    EXPECT_EQ(0, back->defaultFlag);
    EXPECT_EQ(sizeof(WINDOWPLACEMENT), back->placement.length);
    WindowViewWords const &w = back->words;
    EXPECT_EQ(0, w.origin[0]);
    EXPECT_EQ(0, w.firstFrame[0]);
    EXPECT_EQ(-2, w.zoom[0]);
    EXPECT_EQ(32, w.zoom[1]);
    EXPECT_EQ(1, w.verticalZoom[0]);
    EXPECT_EQ(256, w.verticalZoom[1]);
    EXPECT_EQ(0, w.verticalPosition);
    EXPECT_EQ(0, w.overviewHeight);
    EXPECT_EQ(1, back->views.overviewOpen);
    for (WaveViewStyleBlock const &b : back->views.views) {
        EXPECT_EQ(31u, std::strlen(b.timeScale.font.lfFaceName));
        EXPECT_EQ(31u, std::strlen(b.levelScale.font.lfFaceName));
        EXPECT_EQ(5u, b.timeScale.unit);
        EXPECT_EQ(1, b.timeScale.style);
        EXPECT_EQ(2u, b.levelScale.unit);
        EXPECT_EQ(1, b.levelScale.style);
        EXPECT_EQ(3, b.view.caretWidth);
        EXPECT_EQ(7, b.view.markers);
        EXPECT_EQ(1, b.view.shadowBar);
    }
}

TEST(ViewMemento, ARectangleOnlyMementoHasNoPlacementLength) {
    WaveViewGlobalMemento m(RECT{5, 6, 105, 86});
    EXPECT_EQ(0u, m.placement.length);
    EXPECT_TRUE(m.HasRectangleOnly());
    EXPECT_FALSE(WaveViewGlobalMemento(RECT{5, 6, 5, 86}).HasRectangleOnly());
    EXPECT_FALSE(Sample().HasRectangleOnly());
}

}  // namespace
