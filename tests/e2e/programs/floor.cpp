// The floor of the benchmarks: a bare dialog of ours, started the way VEXAL
// is, whose 200 ms timer makes only the reads every armed tick must make
// (the foreground window and its title, the cursor, the Shift key, the
// screen size) and moves a progress bar. What VEXAL costs beyond it is its own.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace {

// An in-memory template: a small tool dialog in the control bar's font,
// holding one progress bar.
void Put(std::vector<WORD>& t, const wchar_t* text) {
    do t.push_back(static_cast<WORD>(*text));
    while (*text++);
}
void PutDword(std::vector<WORD>& t, DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
}
std::vector<WORD> FloorTemplate() {
    std::vector<WORD> t;
    PutDword(t, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT);
    PutDword(t, WS_EX_TOOLWINDOW);
    t.insert(t.end(), {1, 0, 0, 148, 34, 0, 0});  // one item, position, size, no menu, default class
    Put(t, L"Floor");
    // The control bar's font, so both pay the same for loading it.
    t.push_back(9);
    Put(t, L"宋体");
    if (t.size() % 2) t.push_back(0);  // items start on a DWORD boundary
    PutDword(t, WS_CHILD | WS_VISIBLE);
    PutDword(t, 0);
    t.insert(t.end(), {41, 16, 65, 6, 1});
    Put(t, L"msctls_progress32");
    t.push_back(0);  // no text
    t.push_back(0);  // no creation data
    return t;
}

INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SendDlgItemMessageW(hwnd, 1, PBM_SETRANGE, 0, MAKELPARAM(0, 200));
            SetTimer(hwnd, 1, 200, nullptr);
            return TRUE;
        case WM_TIMER: {
            HWND fg = GetForegroundWindow();
            char title[512];
            GetWindowTextA(fg, title, sizeof title);
            POINT p;
            GetCursorPos(&p);
            GetAsyncKeyState(VK_SHIFT);
            int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
            SendDlgItemMessageW(hwnd, 1, PBM_SETPOS, static_cast<WPARAM>((p.x + p.y + w + h) % 3), 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    std::vector<WORD> t = FloorTemplate();
    DialogBoxIndirectW(instance, reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr, Proc);
    return 0;
}
