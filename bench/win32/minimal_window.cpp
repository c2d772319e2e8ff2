// The yardstick for the exe's figures: the least a Win32 program does to
// show one window, here a red pixel in the top-right corner like the call
// point, built and run exactly as the launcher is.
// Built with -DTAKES_DRAGS it is the floor of what the launcher must do
// besides: its window is activated (as the splash is; Wine's IME support
// then sets up COM for the thread) and takes drags as they pass, through
// an OLE drop target registered at start (the first drag over the call
// point must already be seen).
#include <windows.h>
#ifdef TAKES_DRAGS
#include <ole2.h>

namespace {
struct RefusingTarget final : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        const bool known = id == __uuidof(IUnknown) || id == __uuidof(IDropTarget);
        *object = known ? this : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        return refuse(effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        return refuse(effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        return refuse(effect);
    }
    static HRESULT refuse(DWORD* effect) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
};
RefusingTarget target;
}  // namespace
#endif

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
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP,
                                right, 0, 1, 1, nullptr, nullptr, instance, nullptr);
#ifdef TAKES_DRAGS
    if (SUCCEEDED(OleInitialize(nullptr))) RegisterDragDrop(hwnd, &target);
    ShowWindow(hwnd, SW_SHOW);
#else
    ShowWindow(hwnd, SW_SHOWNA);
#endif
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
