// The effect types in their registry, and the running of an effect's dialog on a record.
#include "effects/ProcessorRegistry.h"
#include "foundation/Config.h"

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A record that counts its living copies.
struct CountedOpcodes : OpcodesOf<CountedOpcodes> {
    CountedOpcodes() { ++_living; }
    CountedOpcodes(CountedOpcodes const &other) : OpcodesOf(other), value(other.value) { ++_living; }
    CountedOpcodes &operator=(CountedOpcodes const &) = default;
    ~CountedOpcodes() override { --_living; }
    int value = 7;
    static int _living;
};
int CountedOpcodes::_living = 0;

// What the scripted dialog does: writes 42 into the record, then answers or throws.
enum Dialog { kAccepts, kCancels, kThrows };

class ScriptedProcessor : public ProcessorClass {
public:
    static constexpr std::int32_t kId = 99;
    ScriptedProcessor() : ProcessorClass(ProcessorRow{kId, 11137, nullptr, 1, nullptr}) {}
    Opcodes *ReadOpcodes(Config &, Opcodes *into) const override { return into ? into : new CountedOpcodes; }
    int OpenDialog(Opcodes &record, int) override {
        static_cast<CountedOpcodes &>(record).value = 42;
        if (dialog == kThrows)
            throw std::runtime_error("dialog failed");
        return dialog == kAccepts;
    }
    Dialog dialog = kAccepts;
};

class ProcessorRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        apptest::UseEnglishTexts();
        BuildProcessorRegistry();
    }
    void TearDown() override { DestroyProcessorRegistry(); }
};

}  // namespace

TEST_F(ProcessorRegistryTest, ListsTheEffectsInOrderWithNamesPresetsAndBatchability) {
    struct Row {
        std::int32_t id;
        char const *name;
        char const *presetFile;
        int batchable;
        bool ownRecord;  // the effect's own class, with a record of defaults
    } const rows[] = {
        {9, "Harmonizer", "harmoniz.set", 1, false},
        {10, "Chorus", "chorus.set", 1, false},
        {7, "Time stretch", "", 1, false},
        {8, "Pitch change", "", 1, false},
        {6, "Equaliser", "eq.set", 1, false},
        {3, "Swap channels", "", 1, false},
        {5, "Remove DC offset", "", 1, false},
        {4, "Invert phase", "", 1, false},
        {2, "Reverse", "", 1, false},
        {1, "Normalize", "", 1, true},
        {11, "Resample", "", 1, false},
        {12, "Convert sample format", "", 1, false},
        {13, "Dynamics", "dynamics.set", 1, false},
        {14, "Gain", "", 1, true},
        {15, "Fade", "fade.set", 1, true},
        {16, "Crossfade", "xfade.set", 0, true},
    };
    BuildProcessorRegistry();  // a second build changes nothing
    ProcessorRegistry *registry = TheProcessorRegistry();
    ASSERT_TRUE(registry);
    ASSERT_EQ(int(std::size(rows)), registry->Count());
    std::string system = std::string(FileName::GetApplicationPath().c_str()) + "\\system\\";
    for (int i = 0; i < registry->Count(); ++i) {
        ProcessorClass &processor = registry->At(i);
        Row const &row = rows[i];
        EXPECT_EQ(row.id, processor.GetId()) << i;
        EXPECT_STREQ(row.name, processor.GetName().c_str());
        EXPECT_EQ(*row.presetFile ? system + row.presetFile : "", processor.GetPresetFile().c_str());
        EXPECT_EQ(row.batchable, processor.IsBatchable()) << row.name;
        EXPECT_EQ(&processor, FindProcessorClass(row.id));
        ProcessorItem const &current = processor.GetCurrentItem();
        EXPECT_EQ(row.id, current.GetId());
        EXPECT_STREQ(row.name, current.GetType().c_str());
        EXPECT_STREQ("New task", current.GetName().c_str());
        EXPECT_EQ(1, current.GetState());
        EXPECT_EQ(row.ownRecord, current.GetRecord() != nullptr) << row.name;
        if (!row.ownRecord) {
            EXPECT_EQ(0, RunProcessorDialog(row.id, nullptr, 0));
        }
    }
    for (std::int32_t unknown : {0, -1, 17, 99}) {
        EXPECT_EQ(nullptr, FindProcessorClass(unknown));
        EXPECT_EQ(nullptr, GetCurrentOpcodes(unknown));
        EXPECT_EQ(0, RunProcessorDialog(unknown, nullptr, 1));
    }
    DestroyProcessorRegistry();
    EXPECT_EQ(nullptr, TheProcessorRegistry());
    EXPECT_EQ(nullptr, FindProcessorClass(9));
}

TEST_F(ProcessorRegistryTest, DialogOnAGivenRecordKeepsItUnlessAccepted) {
    auto owned = std::make_unique<ScriptedProcessor>();
    ScriptedProcessor &processor = *owned;
    processor.ResetCurrentItem();
    TheProcessorRegistry()->Add(std::move(owned));
    int const living = CountedOpcodes::_living;
    struct Case {
        int given;  // 1: a batch task's record, 0: the current record
        Dialog dialog;
        int answer;
        int value;  // of the record afterwards
    } const cases[] = {
        {0, kAccepts, 1, 42}, {0, kCancels, 0, 42},  // on the wave: what the dialog wrote stays
        {1, kAccepts, 1, 42}, {1, kCancels, 0, 7},  {1, kThrows, -1, 7},
    };
    for (Case const &c : cases) {
        CountedOpcodes task;
        static_cast<CountedOpcodes *>(processor.GetCurrentOpcodes())->value = 7;
        CountedOpcodes &record = c.given ? task : *static_cast<CountedOpcodes *>(processor.GetCurrentOpcodes());
        processor.dialog = c.dialog;
        int answer = -1;
        if (c.dialog == kThrows)
            EXPECT_THROW(RunProcessorDialog(ScriptedProcessor::kId, &record, c.given), std::runtime_error);
        else
            answer = RunProcessorDialog(ScriptedProcessor::kId, c.given ? &record : nullptr, c.given);
        EXPECT_EQ(c.answer, answer) << &c - cases;
        EXPECT_EQ(c.value, record.value) << &c - cases;
        EXPECT_EQ(living + 1, CountedOpcodes::_living) << "only the task's record besides the current one";
    }
}

TEST(ProcessorItem, CopiesCloneTheRecord) {
    int const living = CountedOpcodes::_living;
    {
        auto *record = new CountedOpcodes;
        record->value = 3;
        ProcessorItem item(14, "Gain", "louder", record);
        item.SetState(0);
        ProcessorItem copy(item);
        std::unique_ptr<CollectionElement> clone(item.CreateClone(nullptr));
        auto *cloned = dynamic_cast<ProcessorItem *>(clone.get());
        ASSERT_TRUE(cloned);
        for (ProcessorItem const *c : std::initializer_list<ProcessorItem const *>{&copy, cloned}) {
            EXPECT_EQ(14, c->GetId());
            EXPECT_STREQ("Gain", c->GetType().c_str());
            EXPECT_STREQ("louder", c->GetName().c_str());
            EXPECT_EQ(0, c->GetState());
            ASSERT_NE(record, c->GetRecord());
            EXPECT_EQ(3, static_cast<CountedOpcodes *>(c->GetRecord())->value);
        }
        ProcessorItem empty;
        copy = empty;
        EXPECT_EQ(nullptr, copy.GetRecord());
        EXPECT_EQ(1, copy.GetState());
        EXPECT_EQ(living + 2, CountedOpcodes::_living);
    }
    EXPECT_EQ(living, CountedOpcodes::_living);
}
