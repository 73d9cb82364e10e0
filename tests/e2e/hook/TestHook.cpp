// Linked only into vexal_test.exe, the build the reliability cases run: a
// hidden message-only window in the program's own thread that answers how
// many handles, USER and GDI objects the process holds, where the system
// will not tell another process (as under Wine).
#include "tests/e2e/hook/TestHook.h"

#include <windows.h>

namespace {

// Kernel handles, counted by asking each possible handle value; used where
// the system does not report the count.
LRESULT ProbedHandleCount() {
    LRESULT n = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++n;
    }
    return n;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<LRESULT*>(counter);
        EnumChildWindows(hwnd, CountWindow, counter);
    }
    return TRUE;
}

LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTestHookCount) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (wParam) {
        case kCountHandles: {
            DWORD n = 0;
            if (GetProcessHandleCount(GetCurrentProcess(), &n) && n > 0) return n;
            return ProbedHandleCount();
        }
        case kCountUserObjects:
            return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        case kCountGdiObjects:
            return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        case kCountWindows: {
            LRESULT n = 0;
            EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&n));
            return n;
        }
    }
    return -1;
}

struct Install {
    Install() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HookProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kTestHookClass;
        RegisterClassW(&wc);
        wchar_t title[16];
        wsprintfW(title, L"%lu", GetCurrentProcessId());
        CreateWindowExW(0, kTestHookClass, title, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
} install;

}  // namespace
