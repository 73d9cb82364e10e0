// Two windows of one process for the hiding cases: "Back window" behind,
// "Front window" in front and active. A close request to either ends it.
// The test prefix keeps its windows unmanaged, so that Wine does not wait
// for a window manager each time one is hidden.
#include <windows.h>

#include <initializer_list>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"VexalTwoWindows";
    RegisterClassW(&wc);
    for (const wchar_t* title : {L"Back window", L"Front window"}) {
        HWND w = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 200,
                                 nullptr, nullptr, instance, nullptr);
        SetForegroundWindow(w);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
