#include "core/EventHandler.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string trace;

// Three levels, and a second base, to check search order and that each handler
// runs on the object of its own class.
class Base : virtual public TEventHandler {
public:
    int BaseValue = 1;
    void OnA() { trace += "Base::A(" + std::to_string(BaseValue) + ")"; }
    void OnB() { trace += "Base::B"; }
    void OnC() { trace += "Base::C"; }
    DECLARE_RESPONSE_TABLE(Base);
};
DEFINE_RESPONSE_TABLE(Base)
    EV_MESSAGE(100, OnA, v),
    EV_MESSAGE(101, OnB, v),
    EV_MESSAGE(102, OnC, v),
END_RESPONSE_TABLE;

class Middle : public Base {
public:
    int MiddleValue = 2;
    void OnB() { trace += "Middle::B(" + std::to_string(MiddleValue) + ")"; }
    DECLARE_RESPONSE_TABLE(Middle);
};
DEFINE_RESPONSE_TABLE1(Middle, Base)
    EV_MESSAGE(101, OnB, v),
END_RESPONSE_TABLE;

class Other : virtual public TEventHandler {
public:
    int OtherValue = 3;
    void OnC() { trace += "Other::C(" + std::to_string(OtherValue) + ")"; }
    void OnD() { trace += "Other::D(" + std::to_string(OtherValue) + ")"; }
    DECLARE_RESPONSE_TABLE(Other);
};
DEFINE_RESPONSE_TABLE(Other)
    EV_MESSAGE(102, OnC, v),
    EV_MESSAGE(103, OnD, v),
END_RESPONSE_TABLE;

class Empty : public Middle, public Other {
public:
    DECLARE_RESPONSE_TABLE(Empty);
};
DEFINE_RESPONSE_TABLE2(Empty, Middle, Other)
END_RESPONSE_TABLE;

class Top : public Empty {
public:
    long Last = 0;
    TPoint Point;
    int OnFive(LPARAM) { return 5; }
    void OnPoint(uint flags, TPoint &p) { Last = flags, Point = p; }
    void OnCopy(HWND, COPYDATASTRUCT *) {}
    void OnNotify(uint code) { Last = code; }
    DECLARE_RESPONSE_TABLE(Top);
};
DEFINE_RESPONSE_TABLE1(Top, Empty)
    EV_MESSAGE(200, OnFive, B_LPARAM),
    EV_MESSAGE(201, OnPoint, v_U_POINT),
    EV_MESSAGE(202, OnCopy, v_HWND_PCOPYDATASTRUCT),
    EV_CHILD_NOTIFY_ALL_CODES(77, OnNotify),
END_RESPONSE_TABLE;
}  // namespace

TEST(ResponseTables, OwnRowsFirstThenBasesInOrder) {
    Top top;
    struct { uint msg; char const *ran; } table[] = {
        {100, "Base::A(1)"},       // two levels down
        {101, "Middle::B(2)"},     // the derived row hides the base's
        {102, "Base::C"},          // the first base in the base list wins
        {103, "Other::D(3)"},      // through the second base, on its part of the object
    };
    for (auto &c : table) {
        trace.clear();
        TEventHandler::TEventInfo info(c.msg);
        ASSERT_TRUE(top.Find(info)) << c.msg;
        top.Dispatch(info, 0, 0);
        EXPECT_EQ(c.ran, trace) << c.msg;
    }
    trace.clear();
    EXPECT_EQ(0, top.DispatchMsg(999, 0, 0, 0));
    EXPECT_EQ("", trace);

    // the row of the second base is called on that base's part of the object
    Other &other = top;
    TEventHandler::TEventInfo info(103);
    ASSERT_TRUE(top.Find(info));
    EXPECT_EQ((GENERIC *)&other, info.Object);
}

TEST(ResponseTables, Dispatchers) {
    Top top;
    EXPECT_EQ(1, top.DispatchMsg(200, 0, 0, 0));  // 5 becomes 1
    EXPECT_EQ(1, top.DispatchMsg(202, 0, 0, 0));  // copy data always answers 1
    top.DispatchMsg(201, 0, 9, MAKELPARAM(0xFFFF, 20));
    EXPECT_EQ(9, top.Last);
    EXPECT_EQ(TPoint(-1, 20), top.Point);
}

TEST(ResponseTables, NotificationRows) {
    Top top;
    TEventHandler::TEventInfo exact(5, 77);
    EXPECT_FALSE(top.Find(exact));  // the any-code row matches only with the notify match
    TEventHandler::TEventInfo any(5, 77);
    ASSERT_TRUE(top.Find(any, TEventHandler::EqualNotify));
    top.Dispatch(any, 5, 0);
    EXPECT_EQ(5, top.Last);
    TEventHandler::TEventInfo otherId(5, 78);
    EXPECT_FALSE(top.Find(otherId, TEventHandler::EqualNotify));
}
