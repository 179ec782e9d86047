// The test display works: a window created on it paints, and a pixel read back
// from its device context has the painted colour.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

const COLORREF kPaint = RGB(0x20, 0xA0, 0x60);

LRESULT CALLBACK PaintProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(kPaint);
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST(Harness, WindowPaintsOnTheDisplay) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HarnessPaint";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowA("HarnessPaint", "paint", WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    UpdateWindow(hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);

    HDC dc = GetDC(hwnd);
    EXPECT_EQ(kPaint, GetPixel(dc, 60, 40));
    EXPECT_EQ(kPaint, GetPixel(dc, 0, 0));
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    UnregisterClassA("HarnessPaint", wc.hInstance);
}
