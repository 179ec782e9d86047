// A tree control in a parent window that records the tree's notifications.
#pragma once

#include "pindral/Pindral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pindraltest {

int const kTreeId = 100;
int const kWidth = 320, kHeight = 200;

// What the parent window heard and how it answers.
struct ParentLog {
    std::vector<int> notes;  // notification codes, in order
    std::vector<int> keys;   // WM_VKEYTOITEM keys
    LRESULT keyAnswer = -1;  // to WM_VKEYTOITEM
    int destroyOn = -1;      // destroys the tree on this notification
};

class TreeFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(tree_, message, wParam, lParam);
    }
    int Add(char const *text, int level = 0) const;
    // The client rectangle of a cell (0 when the row is not shown).
    RECT Cell(int item, int column) const;
    POINT Middle(RECT const &r) const { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    std::string Text(int item, int column, int capacity = 64) const;
    PindralHit Hit(POINT at) const;
    // Notifications heard since the last call.
    std::vector<int> Heard();
    // The items A (with A1, A1a, A2), B (with B1) and C.
    void AddFamily() const;

    HWND parent_ = nullptr;
    HWND tree_ = nullptr;
};

ParentLog &Log();

}  // namespace pindraltest
