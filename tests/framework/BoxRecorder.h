// Answers the framework's message boxes for a test and records what they said.
#pragma once

#include "core/MessageBoxSeam.h"

#include <string>
#include <vector>

struct BoxRecorder {
    struct Box {
        std::string text, caption;
        unsigned style;
    };
    BoxRecorder(int answer = IDOK) {
        Current() = this;
        Answer = answer;
        Previous = SetMessageBoxAnswerer(&Record);
    }
    ~BoxRecorder() {
        SetMessageBoxAnswerer(Previous);
        Current() = 0;
    }
    static int Record(HWND, char const *text, char const *caption, unsigned style) {
        BoxRecorder *r = Current();
        r->Boxes.push_back({text ? text : "", caption ? caption : "", style});
        return r->Answer;
    }
    static BoxRecorder *&Current() {
        static BoxRecorder *current;
        return current;
    }
    int Answer;
    std::vector<Box> Boxes;
    TMessageBoxAnswerer Previous;
};
