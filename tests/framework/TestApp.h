// An application object for window tests: idle calls and a command of its own
// are instrumented, and loops are guarded so that no test can hang.
#pragma once

#include "core/Application.h"
#include "core/FrameWindow.h"
#include "tests/framework/TestKit.h"

#include <functional>
#include <string>

class TestApp : public TApplication {
public:
    TestApp() : TApplication("TestApp", GlobalModule()) {}
    ~TestApp() override { Drain(); }

    std::function<int(long)> Idle;
    std::string Trace;

    int IdleAction(long n) override { return Idle ? Idle(n) : TApplication::IdleAction(n); }
    using TApplication::SetMainWindow;
    void Cm504() { Trace += "app504 "; }
    void Ce504(TCommandEnabler &ce) { ce.Enable(true); }

    // Runs the loop with a watchdog that ends it after ten seconds.
    int RunLoop() {
        int result;
        {
            Watchdog watchdog;
            result = MessageLoop();
        }
        Drain();
        return result;
    }
    // Removes what is left in the queue, the re-posted quit included.
    static void Drain() {
        MSG msg;
        while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                ::DispatchMessageA(&msg);
    }
    static TModule *&GlobalModule() {
        static TModule *module;
        return module;
    }

private:
    DECLARE_RESPONSE_TABLE(TestApp);
};
