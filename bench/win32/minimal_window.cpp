// The yardstick for the exe's figures: the least a Win32 program does to
// show one window, here a red pixel in the top-right corner like the call
// point, built and run exactly as the launcher is.
#include <windows.h>

static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassExW(&wc);
    const int right = GetSystemMetrics(SM_CXSCREEN) - 1;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP, right, 0,
                                1, 1, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNA);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
