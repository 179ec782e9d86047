#include "tests/framework/TestKit.h"
#include "tests/framework/ControlHost.h"
#include "controls/Edit.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {
class Host : public ControlHost {
public:
    Host() : ControlHost("host", 0, 0, 400, 300) {}
    char Refused = 0;
    LRESULT EvFilterChar(WPARAM ch, LPARAM) { return ch == (uint)(unsigned char)Refused; }
    DECLARE_RESPONSE_TABLE(Host);
};
DEFINE_RESPONSE_TABLE1(Host, ControlHost)
    EV_MESSAGE(WM_EDITFILTERCHAR, EvFilterChar, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

using Enabler = EnablerProbe;

std::string TextOf(TEdit &edit) {
    char text[512] = "";
    edit.GetText(text, sizeof text);
    return text;
}

class EditTest : public ::testing::Test {
protected:
    TestApp App;
    Host Parent;
    TEdit *Line = new TEdit(&Parent, 42201, "", 5, 5, 300, 22, 6);
    TEdit *Memo = new TEdit(&Parent, 42202, "", 5, 40, 300, 200, 0, 1);
    void SetUp() override { ASSERT_TRUE(Parent.Create()); }
    void Type(TEdit &edit, char const *keys) {
        for (; *keys; keys++)
            edit.SendMessageA(WM_CHAR, (unsigned char)*keys, 1);
    }
    int Ask(TEdit &edit, uint id) {
        Enabler ce(id);
        edit.HandleMessage(0x7FFF, 0, (LPARAM)&ce);
        return ce.Enabled;
    }
};
}  // namespace

TEST_F(EditTest, TypingStopsAtTheTextLimitAndThroughTheParentsFilter) {
    EXPECT_EQ(5u, Line->GetLimitText());
    Type(*Line, "abcdefgh");
    EXPECT_EQ("abcde", TextOf(*Line));
    Parent.Refused = 'x';
    Type(*Memo, "axbx");
    EXPECT_EQ("ab", TextOf(*Memo));
    Line->LimitText(0x7FFF);
    EXPECT_EQ(0x7FFFu, Line->GetLimitText());
}

TEST_F(EditTest, GetLineTellsWhetherTheWholeLineFitted) {
    Memo->SetText("first\r\n\r\nthird line");
    EXPECT_EQ(3, Memo->GetNumLines());
    EXPECT_EQ(10, Memo->GetLineLength(2));
    char buffer[16];
    struct {
        int size, line;
        bool whole;
        char const *text;
    } cases[] = {
        {11, 2, true, "third line"}, {10, 2, false, "third lin"}, {2, 2, false, "t"},
        {1, 1, true, ""},            {1, 0, false, ""},           {6, 0, true, "first"},
    };
    for (auto const &c : cases) {
        SCOPED_TRACE(c.size * 10 + c.line);
        std::memset(buffer, 'z', sizeof buffer);
        EXPECT_EQ(c.whole, Memo->GetLine(buffer, c.size, c.line) != 0);
        EXPECT_STREQ(c.text, buffer);
    }
    EXPECT_EQ(0, Memo->GetLine(buffer, 0, 0));
}

TEST_F(EditTest, SubTextJoinsLinesAndDeleteLineRemovesOne) {
    Memo->SetText("one\r\ntwo\r\nthree");
    char buffer[64];
    EXPECT_EQ(10, Memo->GetSubText(buffer, 1, 11));
    EXPECT_STREQ("ne\r\ntwo\r\nt", buffer);
    EXPECT_EQ(0, Memo->GetSubText(buffer, 5, 4));
    EXPECT_STREQ("", buffer);
    EXPECT_TRUE(Memo->DeleteLine(1));
    EXPECT_EQ("one\r\nthree", TextOf(*Memo));
    EXPECT_TRUE(Memo->DeleteLine(1));  // the last line: up to its end
    EXPECT_EQ("one\r\n", TextOf(*Memo));
    EXPECT_FALSE(Memo->DeleteLine(7));
    Memo->SetText("a\r\nb\r\nc");
    Memo->SetSelection(4, 4);
    EXPECT_TRUE(Memo->DeleteLine(-1));  // the caret's line
    EXPECT_EQ("a\r\nc", TextOf(*Memo));

    Memo->SetText("");
    EXPECT_TRUE(Memo->DeleteLine(0));  // one empty line
    EXPECT_EQ("", TextOf(*Memo));
    Memo->SetText("abc");
    EXPECT_FALSE(Memo->DeleteSelection());  // nothing selected
    Memo->Clear();
    EXPECT_EQ("", TextOf(*Memo));
}

TEST_F(EditTest, SearchFindsSelectsAndRespectsWordsCaseAndDirection) {
    for (TEdit *edit : {Line, Memo}) {
        SCOPED_TRACE(edit == Line ? "single line" : "multiline");
        edit->LimitText(0);
        edit->SetText("Tone to be, TO be");
        struct {
            uint start;
            char const *text;
            int caseSensitive, wholeWord, up, found;
        } cases[] = {
            {0, "to", 0, 0, 0, 0},     {0, "to", 1, 0, 0, 5},     {0, "to", 0, 1, 0, 5},
            {6, "to", 0, 1, 0, 12},    {17, "be", 0, 0, 0, -1},   {0, "be", 0, 0, 1, -1},
            {17, "be", 0, 0, 1, 15},   {15, "be", 0, 0, 1, 8},    {11, "to", 1, 0, 1, 5},
            {0, "", 0, 0, 0, -1},      {0, "missing", 0, 0, 0, -1}, {3, "e to be, TO be!", 0, 0, 0, -1},
        };
        for (auto const &c : cases) {
            SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.start));
            EXPECT_EQ(c.found, edit->Search(c.start, c.text, c.caseSensitive, c.wholeWord, c.up));
            if (c.found >= 0) {
                uint s, e;
                edit->GetSelection(s, e);
                EXPECT_EQ((uint)c.found, s);
                EXPECT_EQ(c.found + std::strlen(c.text), e);
            }
        }
        EXPECT_EQ(-1, edit->Search(0, 0));
        // from the selection: after it going down, before it going up
        edit->SetSelection(5, 7);
        EXPECT_EQ(12, edit->Search(UINT_MAX, "to"));
        edit->SetSelection(12, 14);
        EXPECT_EQ(5, edit->Search(UINT_MAX, "to", 0, 0, 1));
    }
}

TEST_F(EditTest, BufferIsLockedWithTheTextAndHandedBack) {
    for (TEdit *edit : {Line, Memo}) {
        SCOPED_TRACE(edit == Line ? "single line" : "multiline");
        edit->SetText("wave");
        char *buffer = edit->LockBuffer();
        ASSERT_TRUE(buffer);
        EXPECT_STREQ("wave", buffer);
        edit->UnlockBuffer(buffer);
        buffer = edit->LockBuffer(20);
        ASSERT_TRUE(buffer);
        std::strcpy(buffer, "cave");
        edit->UnlockBuffer(buffer, 1);
        EXPECT_EQ("cave", TextOf(*edit));
        edit->UnlockBuffer(0, 1);  // nothing to hand back
    }
}

TEST_F(EditTest, CommandsAndTheirEnablers) {
    Memo->SetText("");
    EXPECT_EQ(0, Ask(*Memo, CM_EDITCLEAR));  // one empty line
    EXPECT_EQ(0, Ask(*Memo, CM_EDITCUT));
    EXPECT_EQ(0, Ask(*Memo, CM_EDITUNDO));
    EXPECT_EQ(-1, Ask(*Memo, CM_EDITPASTE));  // paste has no enabler
    Memo->SetText("level\r\nmeter");
    Memo->SetSelection(0, 5);
    Memo->SendMessageA(EM_SETMODIFY, 1);
    EXPECT_EQ(1, Ask(*Memo, CM_EDITCLEAR));
    EXPECT_EQ(1, Ask(*Memo, CM_EDITCOPY));
    EXPECT_EQ(1, Ask(*Memo, CM_EDITDELETE));
    EXPECT_EQ(1, Ask(*Memo, CM_EDITUNDO));
    Memo->ClearModify();
    EXPECT_EQ(0, Ask(*Memo, CM_EDITUNDO));

    Memo->HandleMessage(WM_COMMAND, CM_EDITDELETE);
    EXPECT_EQ("\r\nmeter", TextOf(*Memo));
    Memo->HandleMessage(WM_COMMAND, CM_EDITCLEAR);
    EXPECT_EQ("", TextOf(*Memo));
}

TEST_F(EditTest, MarginsAndPositions) {
    Memo->SetMarginUseFontInfo();
    Memo->SetRightMargin(5);
    Memo->SetLeftMargin(8);
    EXPECT_EQ(8, LOWORD(Memo->GetMargins()));
    EXPECT_EQ(5, HIWORD(Memo->GetMargins()));
    Memo->SetText("ab\r\ncd");
    EXPECT_EQ(1, Memo->GetLineFromPos(5));
    EXPECT_EQ(4u, Memo->GetLineIndex(1));
    uint32_t at = Memo->PosFromChar(4);  // the start of the second line
    EXPECT_EQ(4u, LOWORD(Memo->CharFromPos(HIWORD(at) + 1, LOWORD(at) + 1)));
    Memo->SetSelection(1, 1);
    Memo->Insert("!");
    EXPECT_EQ("a!b\r\ncd", TextOf(*Memo));
    EXPECT_EQ(2u, Memo->GetCurrentPosition());
}
