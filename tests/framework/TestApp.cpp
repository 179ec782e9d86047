#include "tests/framework/TestApp.h"

DEFINE_RESPONSE_TABLE1(TestApp, TApplication)
    EV_COMMAND(504, Cm504),
    EV_COMMAND_ENABLE(504, Ce504),
END_RESPONSE_TABLE;
