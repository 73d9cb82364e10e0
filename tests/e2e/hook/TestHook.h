#pragma once
// The test build's count window: its class, and the counts it answers to
// SendMessage(window, kTestHookCount, kind, 0).
#include <windows.h>

const wchar_t kTestHookClass[] = L"VexalTestHook";
const UINT kTestHookCount = WM_APP + 0x7E1;
enum TestHookKind : WPARAM { kCountHandles, kCountUserObjects, kCountGdiObjects, kCountWindows };

// The count window of the process with this id, found by the driver.
inline HWND FindTestHook(DWORD processId) {
    wchar_t title[16];
    wsprintfW(title, L"%lu", processId);
    return FindWindowExW(HWND_MESSAGE, nullptr, kTestHookClass, title);
}
