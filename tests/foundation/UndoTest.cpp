#include "foundation/Exception.h"
#include "foundation/Undo.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A step that records the document's value; counts live steps to catch leaks
// and double deletes.
class Step : public AUndoMemento {
public:
    Step(char const *name, int instance, int value, int packable, int comparable, int groups = 0)
        : AUndoMemento(name, instance, packable, 0), value(value), comparable(comparable), groups(groups) {
        ++alive;
    }
    ~Step() override { --alive; }

    int IsEqual(AUndoMemento const &other) const override { return value == static_cast<Step const &>(other).value; }
    int IsComparable() const override { return comparable; }
    int CanGroup(AUndoMemento const &) const override { return groups; }
    CollectionElement *CreateClone(void const *) const override { return new Step(*this); }

    Step(Step const &other) : AUndoMemento(other), value(other.value), comparable(other.comparable), groups(other.groups) {
        ++alive;
    }

    int value;
    int comparable;
    int groups;
    static int alive;
};

int Step::alive = 0;

class Doc : public AUndoable {
public:
    explicit Doc(int maximum = 2147483647) : AUndoable(maximum) {}

    // An edit records the value it leaves behind.
    void Edit(char const *name, int newValue, int instance = 0, int packable = 0, int comparable = 1) {
        if (IsUndoEnabledFor(String(name)))
            AdoptMemento(new Step(name, instance, value, packable, comparable));
        value = newValue;
    }

    std::string UndoNames() const { return Names(GetFirstUndoMemento(), true); }
    std::string RedoNames() const { return Names(GetFirstRedoMemento(), false); }

    int value = 0;
    bool failApply = false;

protected:
    AUndoMemento *ApplyUndoMemento(AUndoMemento *step, int) override {
        if (failApply)
            throw Exception("cannot apply");
        Step *s = static_cast<Step *>(step);
        Step *back = new Step(s->GetActionName().c_str(), s->GetActionInstance(), value, s->IsPackable(),
                              s->comparable);
        value = s->value;
        return back;
    }

private:
    std::string Names(AUndoMemento *s, bool undo) const {
        std::string out;
        for (; s; s = undo ? GetNextUndoMemento(s) : GetNextRedoMemento(s)) {
            if (!out.empty())
                out += ' ';
            out += s->GetActionName().c_str();
        }
        return out;
    }
};

// Script words: +A adopt a step named A (unique value); +A* packable;
// +A*2 packable, instance 2; +A- not comparable; =A a step equal to the
// newest one; ~A a step the newest one groups with; u undo; r redo;
// mN lower the maximum to N.
void RunScript(Doc &doc, std::string const &script) {
    std::istringstream words(script);
    std::string w;
    int next = 100;
    while (words >> w) {
        if (w == "u") {
            doc.UndoCurrentState();
        } else if (w == "r") {
            doc.RedoLastUndoneState();
        } else if (w[0] == 'm') {
            doc.SetMaxNumOfUndoMementos(std::stoi(w.substr(1)));
        } else if (w[0] == '=') {
            Step *newest = static_cast<Step *>(doc.GetFirstUndoMemento());
            doc.AdoptMemento(new Step(w.substr(1).c_str(), 0, newest ? newest->value : -1, 0, 1));
        } else if (w[0] == '~') {
            if (Step *newest = static_cast<Step *>(doc.GetFirstUndoMemento()))
                newest->groups = 1;
            doc.AdoptMemento(new Step(w.substr(1).c_str(), 0, next++, 0, 1));
        } else {
            std::string name(1, w[1]);
            bool packable = w.find('*') != std::string::npos;
            bool comparable = w.find('-') == std::string::npos;
            int instance = 0;
            if (packable && w.back() != '*')
                instance = w.back() - '0';
            doc.Edit(name.c_str(), next++, instance, packable, comparable);
        }
    }
}

struct Scenario {
    char const *what;
    int maximum;
    char const *script;
    char const *undoNames;  // newest first
    char const *redoNames;
};

TEST(Undo, ScenarioTable) {
    Scenario const table[] = {
        {"maximum 3 keeps the three newest", 3, "+A +B +C +D +E", "E D C", ""},
        {"equal to the newest is dropped and still empties redo", 0, "+A +B u =A", "A", ""},
        {"run of a packable action packed when another begins", 0, "+A* +A* +A* +B", "B A", ""},
        {"newest of a run stays until another action", 0, "+A* +A* +A*", "A A A", ""},
        {"run of one is left alone", 0, "+A* +B* +C", "C B A", ""},
        {"run not packable is kept", 0, "+A +A +A +B", "B A A A", ""},
        {"run not comparable is kept", 0, "+A*- +A*- +B", "B A A", ""},
        {"other instance ends a run", 0, "+A*1 +A*1 +A*2 +B", "B A A", ""},
        {"grouped step is dropped", 0, "+A ~B", "A", ""},
        {"undo moves the step to redo", 0, "+A +B u", "A", "B"},
        {"redo keeps the rest of the redo list", 0, "+A +B +C u u r", "B A", "C"},
        {"undo then redo restores both lists", 0, "+A +B +C u r", "C B A", ""},
        {"a new step empties the redo list", 0, "+A +B u u +C", "C", ""},
        {"undo on an empty list does nothing", 0, "u r", "", ""},
        {"lower maximum trims both lists, oldest first", 0, "+A +B +C +D u u u m1", "A", "B"},
        {"maximum 0 deletes everything", 0, "+A +B u m0", "", ""},
        {"larger maximum changes nothing", 2, "+A +B +C m10 +D", "D C", ""},
        {"negative maximum empties the lists", 0, "+A +B u m-1", "", ""},
    };
    for (Scenario const &s : table) {
        SCOPED_TRACE(s.what);
        {
            Doc doc(s.maximum ? s.maximum : 2147483647);
            RunScript(doc, s.script);
            EXPECT_EQ(s.undoNames, doc.UndoNames());
            EXPECT_EQ(s.redoNames, doc.RedoNames());
        }
        EXPECT_EQ(0, Step::alive) << "steps leaked or deleted twice";
    }
}

TEST(Undo, MaximumAndSwitch) {
    Doc doc(5);
    EXPECT_EQ(1, doc.IsUndoEnabled());
    RunScript(doc, "+A +B +C +D +E +F +G");
    EXPECT_EQ(5, doc.GetNumUndoMementos());
    doc.SetMaxNumOfUndoMementos(10);
    RunScript(doc, "+H");
    EXPECT_EQ(5, doc.GetNumUndoMementos());
    doc.EnableUndo(0);
    EXPECT_EQ(0, doc.IsUndoEnabled());
    EXPECT_EQ(0, doc.IsUndoEnabledFor(String("X")));
    doc.EnableUndo(1);
    doc.SetMaxNumOfUndoMementos(0);
    EXPECT_EQ(0, doc.GetNumUndoMementos());
    EXPECT_EQ(0, doc.IsUndoEnabled());
    doc.AdoptMemento(new Step("Z", 0, 1, 0, 1));
    EXPECT_EQ(0, doc.GetNumUndoMementos());
    EXPECT_EQ(0, Step::alive) << "a step adopted with maximum 0 is deleted";
}

TEST(Undo, ExcludedNameRecordedOnce) {
    Doc doc;
    String x("Gain");
    doc.DoNotSaveUndoMementosWithName(x);
    RunScript(doc, "+A");
    EXPECT_EQ(1, doc.IsUndoEnabledFor(x));
    doc.Edit("Gain", 1);
    EXPECT_EQ(0, doc.IsUndoEnabledFor(x));
    doc.Edit("Gain", 2);
    doc.Edit("Gain", 3);
    EXPECT_EQ("Gain A", doc.UndoNames());
    EXPECT_EQ(1, doc.IsUndoEnabledFor(String("A")));
    doc.SaveUndoMementosWithAnyName();
    EXPECT_EQ(1, doc.IsUndoEnabledFor(x));
    // By default nothing is excluded.
    Doc fresh;
    fresh.Edit("Gain", 1);
    EXPECT_EQ(1, fresh.IsUndoEnabledFor(x));
    // The excluded name can come from the catalogue.
    doc.DoNotSaveUndoMementosWithName(18012);
    doc.Edit("File error", 4);
    EXPECT_EQ(0, doc.IsUndoEnabledFor(String("File error")));
}

class Heavy : public Step {
public:
    explicit Heavy(int value) : Step("H", 0, value, 0, 1) {}
    unsigned long GetInvolvedMemory() const override { return 1000; }
    unsigned long GetInvolvedDiskSpace() const override { return 50; }
    unsigned long GetNumInvolvedFiles() const override { return 2; }
};

class MajorStep : public AUndoMemento {
public:
    MajorStep() : AUndoMemento(String("M"), 0, 0, 1) {}
    int IsEqual(AUndoMemento const &) const override { return 0; }
    int IsComparable() const override { return 0; }
};

TEST(Undo, InvolvedResourcesAndPendingNames) {
    Doc doc;
    EXPECT_EQ(String(""), doc.GetPendingUndoName());
    doc.AdoptMemento(new Step("A", 0, 1, 0, 1));
    doc.AdoptMemento(new Heavy(2));
    doc.AdoptMemento(new Heavy(3));
    doc.UndoCurrentState();  // one Heavy-sized step moves to redo as a plain Step
    EXPECT_EQ(28u + 1000u + 28u, doc.GetInvolvedUndoMemory());
    EXPECT_EQ(50u, doc.GetInvolvedUndoDiskSpace());
    EXPECT_EQ(2u, doc.GetNumInvolvedUndoFiles());
    EXPECT_EQ(String("H"), doc.GetPendingUndoName());
    EXPECT_EQ(String("H"), doc.GetPendingRedoName());
    EXPECT_EQ(0, doc.HasMajorModification());
    doc.AdoptMemento(new MajorStep);
    EXPECT_EQ(1, doc.HasMajorModification());
    EXPECT_EQ(0, doc.AdoptMementoIfDifference(new Step("S", 0, 7, 0, 1), Step("S", 0, 7, 0, 1)));
    EXPECT_EQ(1, doc.AdoptMementoIfDifference(new Step("S", 0, 7, 0, 1), Step("S", 0, 8, 0, 1)));
    EXPECT_EQ(String("S"), doc.GetPendingUndoName());
}

TEST(Undo, FailingApplyKeepsTheStep) {
    Doc doc;
    RunScript(doc, "+A +B +C u");
    int before = doc.value;
    doc.failApply = true;
    EXPECT_THROW(doc.UndoCurrentState(), Exception);
    EXPECT_EQ("B A", doc.UndoNames());
    EXPECT_THROW(doc.RedoLastUndoneState(), Exception);
    EXPECT_EQ("C", doc.RedoNames());
    EXPECT_EQ(before, doc.value);
    doc.failApply = false;
    doc.UndoCurrentState();
    EXPECT_EQ("A", doc.UndoNames());
    EXPECT_EQ("B C", doc.RedoNames());
}

TEST(Undo, CopiesBothLists) {
    Doc doc(4);
    RunScript(doc, "+A +B +C u");
    Doc copy(doc);
    EXPECT_EQ("B A", copy.UndoNames());
    EXPECT_EQ("C", copy.RedoNames());
    Doc other;
    other = doc;
    EXPECT_EQ("B A", other.UndoNames());
    RunScript(other, "+D +E +F");
    EXPECT_EQ(4, other.GetNumUndoMementos()) << "the maximum is copied";
}

// Random edits, undos and redos against a model of two stacks of values.
TEST(Undo, RandomRoundTripsMatchModel) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 40; ++round) {
        int maximum = 1 + static_cast<int>(random() % 8);
        Doc doc(maximum);
        std::vector<int> undo, redo;
        int next = 1;
        for (int op = 0; op < 200; ++op) {
            int choice = static_cast<int>(random() % 3);
            if (choice == 0) {
                undo.push_back(doc.value);
                if (static_cast<int>(undo.size()) > maximum)
                    undo.erase(undo.begin());
                redo.clear();
                doc.Edit(("s" + std::to_string(next)).c_str(), next);
                ++next;
            } else {
                // undo^k then redo^k returns to the same state and list sizes
                int k = static_cast<int>(random() % (undo.size() + 1));
                int value = doc.value;
                int u = doc.GetNumUndoMementos(), r = doc.GetNumRedoMementos();
                for (int i = 0; i < k; ++i)
                    doc.UndoCurrentState();
                ASSERT_EQ(k == 0 ? value : undo[undo.size() - k], doc.value);
                for (int i = 0; i < k; ++i)
                    doc.RedoLastUndoneState();
                ASSERT_EQ(value, doc.value);
                ASSERT_EQ(u, doc.GetNumUndoMementos());
                ASSERT_EQ(r, doc.GetNumRedoMementos());
                if (choice == 1 && !undo.empty()) {
                    redo.push_back(doc.value);
                    doc.UndoCurrentState();
                    undo.pop_back();
                } else if (choice == 2 && !redo.empty()) {
                    undo.push_back(doc.value);
                    if (static_cast<int>(undo.size()) > maximum)
                        undo.erase(undo.begin());
                    doc.RedoLastUndoneState();
                    redo.pop_back();
                }
            }
            ASSERT_EQ(static_cast<int>(undo.size()), doc.GetNumUndoMementos());
            ASSERT_EQ(static_cast<int>(redo.size()), doc.GetNumRedoMementos());
            if (!undo.empty()) {
                ASSERT_EQ(undo.back(), static_cast<Step *>(doc.GetFirstUndoMemento())->value);
            }
        }
    }
    EXPECT_EQ(0, Step::alive);
}

}  // namespace
