#include "foundation/Exception.h"
#include "malvane/Malvane.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/OsmeraModule.h"
#include "foundation/Strings.h"
#include "foundation/Thread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Takes the next posted exception off this thread's queue: for the window,
// or posted to the thread itself (hwnd null). Null when none is waiting.
std::unique_ptr<Exception> TakePosted(HWND window, bool &arrived) {
    MSG msg;
    arrived = PeekMessageA(&msg, window, WM_POSTED_EXCEPTION, WM_POSTED_EXCEPTION, PM_REMOVE) != 0;
    if (arrived && window != reinterpret_cast<HWND>(-1)) {
        EXPECT_EQ(window, msg.hwnd);
    }
    return std::unique_ptr<Exception>(arrived ? reinterpret_cast<Exception *>(msg.lParam) : nullptr);
}

HWND MakeWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OsmeraExceptionTarget";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "target", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

TEST(Exception, CaughtByTypeAcrossTheLibrary) {
    try {
        ExceptionThrower(0).SetAndThrow("disk", "C:\\a.wav", 5);
        FAIL() << "did not throw";
    } catch (Exception const &e) {
        EXPECT_STREQ("disk", e.GetText().c_str());
        EXPECT_STREQ("C:\\a.wav", e.GetSecondText().c_str());
        EXPECT_EQ(5u, e.GetErrorCode());
        EXPECT_EQ(0u, e.GetDriveIndex());
        EXPECT_TRUE(e.why().IsEmpty());
    }
    EXPECT_THROW(ExceptionThrower().SetAndThrow(), AException);
    EXPECT_THROW(ExceptionThrower(0).SetAndThrow(String("x"), 3), AException);
    // raise() throws the plain AException, which an Exception handler misses.
    bool plain = false;
    try {
        try {
            AException(String("why")).raise();
        } catch (Exception const &) {
            FAIL() << "caught as Exception";
        }
    } catch (AException const &a) {
        plain = true;
        EXPECT_STREQ("why", a.why().c_str());
    }
    EXPECT_TRUE(plain);
}

TEST(Exception, TextsAndCopies) {
    Exception empty("", "");
    EXPECT_EQ(nullptr, empty.text);
    EXPECT_EQ(nullptr, empty.second);
    EXPECT_STREQ("", empty.GetText().c_str());
    Exception none(static_cast<char const *>(nullptr), 7ul);
    EXPECT_EQ(nullptr, none.text);
    EXPECT_EQ(7u, none.errorCode);

    String name("song.wav");
    Exception e(String("cannot open"), name, 2);
    ASSERT_NE(nullptr, e.second);
    EXPECT_EQ(name.c_str(), e.second->c_str()) << "built from a String: shares its block";
    e.driveIndex = 3;
    Exception copy(e);
    EXPECT_EQ(e.text->c_str(), copy.text->c_str());
    EXPECT_EQ(3u, copy.driveIndex);
    Exception assigned;
    assigned = copy;
    EXPECT_EQ(e.second->c_str(), assigned.second->c_str());
    EXPECT_EQ(2u, assigned.errorCode);
    assigned = empty;
    EXPECT_EQ(nullptr, assigned.text);
    assigned = assigned;
    EXPECT_EQ(nullptr, assigned.second);
}

TEST(Exception, MessageNumbersFromTheCatalogue) {
    try {
        ExceptionThrower(0).SetAndThrow(ResMess(18012), ResMess(18008), 32);
    } catch (Exception const &e) {
        EXPECT_STREQ("File error", e.GetText().c_str());
        EXPECT_STREQ("Invalid directory name.", e.GetSecondText().c_str());
        EXPECT_EQ(32u, e.GetErrorCode());
    }
}

TEST(Exception, PostTargetFixedAtConstruction) {
    MSG drain;
    PeekMessageA(&drain, nullptr, 0, 0, PM_NOREMOVE);  // this thread gets its queue
    ASSERT_EQ(GetCurrentThreadId(), LoaderThreadId());
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);

    ExceptionThrower before(1);
    EXPECT_EQ(1, before.IsPosting());
    Exception::NotifyPostHandle(window);
    ExceptionThrower after(1);
    ExceptionThrower assigned(0);
    assigned = before;

    before.SetAndThrow("to the thread", "first.wav", 11);
    after.SetAndThrow("to the window", "second.wav", 12);
    Exception::NotifyPostHandle(0);

    bool arrived = false;
    std::unique_ptr<Exception> toWindow = TakePosted(window, arrived);
    ASSERT_TRUE(arrived);
    ASSERT_NE(nullptr, toWindow);
    EXPECT_STREQ("to the window", toWindow->GetText().c_str());
    EXPECT_STREQ("second.wav", toWindow->GetSecondText().c_str());
    EXPECT_EQ(12u, toWindow->GetErrorCode());

    std::unique_ptr<Exception> toThread = TakePosted(reinterpret_cast<HWND>(-1), arrived);
    ASSERT_TRUE(arrived);
    ASSERT_NE(nullptr, toThread);
    EXPECT_STREQ("to the thread", toThread->GetText().c_str());
    EXPECT_STREQ("first.wav", toThread->GetSecondText().c_str());
    EXPECT_EQ(11u, toThread->GetErrorCode());

    assigned.SetAndThrow("copied target");
    std::unique_ptr<Exception> third = TakePosted(reinterpret_cast<HWND>(-1), arrived);
    ASSERT_TRUE(arrived);
    EXPECT_STREQ("copied target", third->GetText().c_str());
    TakePosted(window, arrived);
    EXPECT_FALSE(arrived) << "only one message went to the window";
    DestroyWindow(window);
}

// Raises with a posting thrower on its own thread and returns at once.
class Poster : public Thread {
public:
    unsigned long MainLoop() override {
        ExceptionThrower(1).SetAndThrow(ResMess(18019), 112);
        returned = 1;
        return 0;
    }
    int returned = 0;
};

TEST(Exception, WorkerPostsToTheLoaderThread) {
    MSG drain;
    PeekMessageA(&drain, nullptr, 0, 0, PM_NOREMOVE);
    {
        Poster p;
        p.Run(&p);
        p.WaitForEnd();
        EXPECT_EQ(1, p.returned);
    }
    bool arrived = false;
    std::unique_ptr<Exception> e = TakePosted(reinterpret_cast<HWND>(-1), arrived);
    ASSERT_TRUE(arrived);
    ASSERT_NE(nullptr, e);
    EXPECT_STREQ("There is not enough disk space on partition %s.", e->GetText().c_str());
    EXPECT_EQ(112u, e->GetErrorCode());
}

TEST(Exception, FailedPostFreesTheCopy) {
    HWND window = MakeWindow();
    DestroyWindow(window);  // a handle nobody answers any more
    Exception::NotifyPostHandle(window);
    ExceptionThrower dead(1);
    Exception::NotifyPostHandle(0);
    dead.SetAndThrow("lost", "nowhere.wav", 1);  // first use makes the library's shared texts
    long before = _stringHeap->BlockCount();
    dead.SetAndThrow("lost", "nowhere.wav", 1);
    EXPECT_EQ(before, _stringHeap->BlockCount()) << "the undelivered copy was freed";
}

TEST(Exception, FailedAllocationThrowsOutOfMemory) {
    // 2 GiB fit only in a 64-bit address space; half the address range, and a
    // named-heap block past 4 GiB, fit in none.
    bool const wide = sizeof(void *) == 8;
    volatile std::size_t twoGiB = 0x7FFFFFF0UL, half = SIZE_MAX / 2;
    void *(*const newChars)(std::size_t) = [](std::size_t n) -> void * { return new char[n]; };
    struct Case {
        char const *what;
        std::size_t size;
        bool fits;
        void *(*allocate)(std::size_t);
    } const cases[] = {
        {"operator new, 2 GiB", twoGiB, wide, newChars},
        {"operator new, half the address range", half, false, newChars},
        {"default heap Alloc", twoGiB, wide,
         [](std::size_t n) { return NH_Heap::GetDefault().Alloc(static_cast<unsigned long>(n), 0); }},
        {"named heap Alloc", twoGiB, false,
         [](std::size_t n) { return _stringHeap->Alloc(static_cast<unsigned long>(n) + 0x80000000UL, 0); }},
        {"named heap ReAlloc", twoGiB, false, [](std::size_t n) {
             void *p = _stringHeap->Alloc(16, 0);
             std::unique_ptr<void, void (*)(void *)> hold(p, NH_Heap::FreeMem);
             return _stringHeap->ReAlloc(p, static_cast<unsigned long>(n) + 0x80000000UL, 0);
         }},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            void *p = c.allocate(c.size);
            NH_Heap::FreeMem(p);
            EXPECT_TRUE(c.fits) << "allocation did not fail";
        } catch (Exception const &e) {
            EXPECT_FALSE(c.fits) << "allocation failed";
            EXPECT_STREQ("Out of memory", e.GetText().c_str());
        }
    }
    // The handler stays usable.
    std::unique_ptr<char[]> fine(new char[64]);
    EXPECT_NE(nullptr, fine.get());
}

}  // namespace
