// Main of every test executable: no system error boxes, so a failing test
// never waits on a window nobody answers, and a crash names the test it
// happened in and ends the program at once.
//
// The 64-bit build runs the tests with no room left below 4 GiB and on a stack
// above it, so a pointer cut to 32 bits faults here as on a real 64-bit
// system (under Wine the heap and stacks otherwise lie low, where a truncated
// pointer still works by luck).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS *crash) {
    EXCEPTION_RECORD const *r = crash->ExceptionRecord;
    testing::TestInfo const *test = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "crash: exception %08lX at %p in %s.%s\n", r->ExceptionCode, r->ExceptionAddress,
                 test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), r->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

int RunTests() {
    try {
        return RUN_ALL_TESTS();
    } catch (...) {
        std::fprintf(stderr, "an exception left the test run\n");
        return 1;
    }
}

#ifdef _WIN64

ULONG_PTR const kLowEnd = ULONG_PTR(1) << 32;

bool IsLow(void const *p) { return reinterpret_cast<ULONG_PTR>(p) < kLowEnd; }

// Reserves [start, end), halving around what Wine keeps for itself there
// (which VirtualQuery shows as free). Returns the bytes left free.
ULONG_PTR ReserveRange(ULONG_PTR start, ULONG_PTR end, ULONG_PTR grain) {
    if (VirtualAlloc(reinterpret_cast<void *>(start), end - start, MEM_RESERVE, PAGE_NOACCESS))
        return 0;
    if (end - start <= grain)
        return end - start;
    ULONG_PTR middle = start + (end - start) / grain / 2 * grain;
    return ReserveRange(start, middle, grain) + ReserveRange(middle, end, grain);
}

// Reserves every free stretch below 4 GiB. Returns the bytes left free.
ULONG_PTR ReserveLowAddressSpace() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    ULONG_PTR const grain = system.dwAllocationGranularity;
    ULONG_PTR left = 0;
    MEMORY_BASIC_INFORMATION region;
    for (ULONG_PTR at = grain; at < kLowEnd && VirtualQuery(reinterpret_cast<void *>(at), &region, sizeof region);) {
        ULONG_PTR end = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + region.RegionSize;
        end = end < kLowEnd ? end : kLowEnd;
        ULONG_PTR start = (at + grain - 1) / grain * grain;  // allocations start on the grain
        if (region.State == MEM_FREE && start < end)
            left += ReserveRange(start, end, grain);
        at = end;
    }
    return left;
}

// Takes the room a heap still has below 4 GiB, so that its next blocks come
// from above. A heap that cannot grow gets its room back.
void TakeLowHeapRoom(HANDLE heap) {
    void *taken = nullptr;  // the blocks taken, linked through themselves
    for (;;) {
        void **block = static_cast<void **>(HeapAlloc(heap, 0, sizeof(void *)));
        if (block && !IsLow(block)) {
            HeapFree(heap, 0, block);
            return;
        }
        if (!block)
            break;
        *block = taken;
        taken = block;
    }
    while (taken) {
        void *next = *static_cast<void **>(taken);
        HeapFree(heap, 0, taken);
        taken = next;
    }
}

void TakeLowHeapRoom() {
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
        TakeLowHeapRoom(heaps[i]);
}

// The tests run on a fiber of the main thread: its stack is made after the
// reservation, so it lies above 4 GiB, and the tests still run on the thread
// that loaded the libraries.
struct FiberRun {
    void *mainFiber;
    int result;
};

void CALLBACK RunOnFiber(void *param) {
    FiberRun *run = static_cast<FiberRun *>(param);
    int stackProbe = 0;
    if (IsLow(&stackProbe)) {
        std::fprintf(stderr, "test main: the test stack lies below 4 GiB\n");
        run->result = 1;
    }
    if (RunTests() != 0)
        run->result = 1;
    SwitchToFiber(run->mainFiber);  // a fiber routine must not return
}

int RunAboveLowAddressSpace() {
    int result = 0;
    // What stays free is crumbs smaller than the allocation grain and Wine's own pieces.
    ULONG_PTR left = ReserveLowAddressSpace();
    if (left > (ULONG_PTR(16) << 20)) {
        std::fprintf(stderr, "test main: %llu KiB below 4 GiB could not be reserved\n",
                     static_cast<unsigned long long>(left >> 10));
        result = 1;
    }
    TakeLowHeapRoom();
    FiberRun run = {ConvertThreadToFiber(nullptr), result};
    void *tests = run.mainFiber ? CreateFiberEx(0, SIZE_T(64) << 20, 0, RunOnFiber, &run) : nullptr;
    if (!tests) {
        std::fprintf(stderr, "test main: no fiber for the tests (error %lu)\n", GetLastError());
        return 1;
    }
    SwitchToFiber(tests);
    DeleteFiber(tests);
    return run.result;
}

#endif

}  // namespace

int main(int argc, char **argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN64
    return RunAboveLowAddressSpace();
#else
    return RunTests();
#endif
}
