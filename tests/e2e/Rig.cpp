#include "tests/e2e/Rig.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Scoped_win.h"

namespace {
int g_passed = 0;
int g_failed = 0;
int g_todo = 0;
const char* g_case = "";
}  // namespace

int E2EFailures() { return g_failed; }

void BeginCase(const char* name) {
    g_case = name;
    std::printf("case %s\n", name);
    std::fflush(stdout);
}

// The count of todos on a line of its own: the last line is the count that
// the scripts read.
void PrintTotals() {
    if (g_todo) std::printf("%d todo under Wine (known differences from Windows)\n", g_todo);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
}

void CheckWindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    const std::string reported = std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion);
    std::printf("Windows %s, as the system reports it\n", reported.c_str());
    char expected[16] = "";
    if (!GetEnvironmentVariableA("VEXAL_EXPECT_WINDOWS", expected, sizeof expected)) return;
    BeginCase("windows_version");
    Check(reported == expected, ("the system reports Windows " + std::string(expected)).c_str(), reported);
}

bool WindowsBefore(DWORD major, DWORD minor) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return info.dwMajorVersion < major || (info.dwMajorVersion == major && info.dwMinorVersion < minor);
}

namespace {

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L'\\'));
}
}  // namespace

std::vector<E2ECase>& E2ECases() {
    static std::vector<E2ECase> cases;
    return cases;
}

bool Check(bool ok, const char* what, const std::string& detail) {
    if (ok) {
        ++g_passed;
        std::printf("ok   %s: %s\n", g_case, what);
    } else {
        ++g_failed;
        std::printf("FAIL %s: %s %s\n", g_case, what, detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

bool CheckTodoWine(bool ok, const char* what, const char* wine, const std::string& detail) {
    if (!UnderWine()) return Check(ok, what, detail);
    if (ok) {
        ++g_failed;
        std::printf("FAIL %s: %s: fixed in Wine, take the mark off (%s)\n", g_case, what, wine);
    } else {
        ++g_todo;
        std::printf("todo %s: %s (%s) %s\n", g_case, what, wine, detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

void Skip(const char* what, const char* why) {
    std::printf("SKIP %s: %s (%s)\n", g_case, what, why);
    std::fflush(stdout);
}

namespace {

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    DWORD start = GetTickCount();
    for (;;) {
        TargetWindow::Pump();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(pollMs);
    }
}

DWORD DeadlineFactor() {
    static const DWORD factor = [] {
        char text[8] = "";
        GetEnvironmentVariableA("VEXAL_E2E_DEADLINE_FACTOR", text, sizeof text);
        int n = std::atoi(text);
        return static_cast<DWORD>(n > 1 ? n : 1);
    }();
    return factor;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    return PollUntil(condition, timeoutMs * DeadlineFactor(), pollMs);
}

std::wstring Utf8ToWide(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string WideToUtf8(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// ---- Program -------------------------------------------------------------------

Program::Program(const std::wstring& exeName, const std::wstring& source) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%svexal-e2e-%lu-%d", temp, GetCurrentProcessId(), ++serial);
    m_folder = folder;
    CreateDirectoryW(m_folder.c_str(), nullptr);
    m_exe = PathOf(exeName);
    CopyFileW((ModuleFolder() + L"\\" + source).c_str(), m_exe.c_str(), FALSE);
}

Program::~Program() {
    Stop();
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((m_folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name != L"." && name != L"..") {
                SetFileAttributesW(PathOf(name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(PathOf(name).c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(m_folder.c_str());
}

void Program::WriteFile(const std::wstring& name, const std::string& bytes) const {
    HANDLE h = CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

bool Program::ReadFile(const std::wstring& name, std::string& bytes) const {
    return ReadWholeFile(PathOf(name), bytes);
}

bool Program::Start(const std::wstring& arguments) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + m_exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!CreateProcessW(m_exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si, &m_pi))
        return false;
    return true;
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_pi.hProcess) GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

bool Program::Running() const { return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitExit(DWORD timeoutMs) {
    return WaitFor([&] { return !Running(); }, timeoutMs);
}

void Program::Stop() {
    if (!m_pi.hProcess) return;
    if (Running()) {
        HWND bar = FindTopWindow(m_pi.dwProcessId, L"VEXAL汉化版");
        if (bar) PostMessageW(bar, WM_COMMAND, IDCANCEL, 0);
        if (!WaitExit(5000)) {
            TerminateProcess(m_pi.hProcess, 1);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
    }
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = {};
}

bool Program::HasModule(const wchar_t* name) const {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(m_pi.hProcess, modules, sizeof modules, &bytes)) return false;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t base[MAX_PATH];
        if (GetModuleBaseNameW(m_pi.hProcess, modules[i], base, MAX_PATH) && lstrcmpiW(base, name) == 0) return true;
    }
    return false;
}

// ---- windows -------------------------------------------------------------------

HWND FindTopWindow(DWORD processId, const std::wstring& caption) {
    for (HWND w : VisibleWindowsOf(processId))
        if (WindowText(w) == caption) return w;
    return nullptr;
}

HWND WaitTopWindow(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopWindow(processId, caption)) != nullptr; }, timeoutMs);
    return found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512];
    // Asked of the window itself, which works across processes for any control.
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &n))
        return L"";
    return std::wstring(text, n);
}

std::wstring ClassName(HWND window) {
    wchar_t name[256];
    int n = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(n > 0 ? n : 0));
}

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void MouseClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

void MouseClick(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MouseClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

RemoteMemory::RemoteMemory(DWORD processId, size_t size) {
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process) m_base = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (m_base) VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
    if (m_process) CloseHandle(m_process);
}

bool IsChecked(HWND dialog, int id) { return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> ListBoxLines(HWND list) {
    std::vector<std::wstring> lines;
    int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 256)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

// ---- the driver's own windows --------------------------------------------------

TargetWindow::TargetWindow(const wchar_t* title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"VexalE2ETarget";
        RegisterClassW(&wc);
        registered = true;
    }
    m_hwnd = CreateWindowExW(0, L"VexalE2ETarget", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 300, 200, nullptr,
                             nullptr, GetModuleHandleW(nullptr), this);
    Pump();
}

TargetWindow::~TargetWindow() {
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void TargetWindow::Activate() const {
    ShowWindow(m_hwnd, SW_RESTORE);
    BringToFront(m_hwnd);
}

void TargetWindow::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK TargetWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (message == WM_CLOSE && self) {
        // Recorded, not obeyed: the driver closes its own windows.
        self->m_lastCloseAt = now.QuadPart;
        ++self->m_closes;
        return 0;
    }
    if (message == WM_SHOWWINDOW && !wParam && self) self->m_lastHiddenAt = now.QuadPart;
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && self) self->m_lastActivatedAt = now.QuadPart;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---- the window program --------------------------------------------------------

WindowProgram::WindowProgram(const std::wstring& exeName) : m_program(exeName, L"twowindows.exe") {
    if (!m_program.Start()) return;
    m_back = WaitTopWindow(m_program.ProcessId(), L"Back window");
    m_front = WaitTopWindow(m_program.ProcessId(), L"Front window");
    ActivateFront();
}

WindowProgram::~WindowProgram() {
    if (m_front) PostMessageW(m_front, WM_CLOSE, 0, 0);
    m_program.WaitExit(3000);
}

bool WindowProgram::BothHidden() const { return !IsWindowVisible(m_back) && !IsWindowVisible(m_front); }
bool WindowProgram::BothShown() const { return IsWindowVisible(m_back) && IsWindowVisible(m_front); }

bool WindowProgram::InOrder() const {
    return BothShown() && GetForegroundWindow() == m_front && IsAbove(m_front, m_back);
}

void WindowProgram::ActivateFront() const { BringToFront(m_front); }

// ---- screenshots ---------------------------------------------------------------

void SaveScreenshot(const char* name, HWND window) {
    wchar_t folder[MAX_PATH];
    if (!GetEnvironmentVariableW(L"VEXAL_SHOTS", folder, MAX_PATH)) return;
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window) GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ old = SelectObject(mem, bitmap.Get());
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    DWORD size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    std::wstring path = std::wstring(folder) + L"\\" + Utf8ToWide(name) + L".bmp";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    ::WriteFile(f, &fh, sizeof fh, &written, nullptr);
    ::WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &written, nullptr);
    ::WriteFile(f, bits, size, &written, nullptr);
    CloseHandle(f);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

void SaveDialogScreenshot(const char* name, HWND dialog) {
    BringToFront(dialog);
    // Paints the dialog and its controls before it returns, across processes too.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveScreenshot(name, dialog);
}

namespace {
// One line for the X bridge (scripts/wine-env.sh), dropped as a file in its
// folder; true once the bridge has carried it out and removed the file.
bool XRequest(const std::string& line, DWORD timeoutMs) {
    wchar_t folder[MAX_PATH];
    if (!GetEnvironmentVariableW(L"VEXAL_XREQ", folder, MAX_PATH)) return false;
    static int serial = 0;
    wchar_t path[MAX_PATH + 32];
    wsprintfW(path, L"%s\\%d.req", folder, ++serial);
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written;
    const std::string text = line + "\n";
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return WaitFor([&] { return GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES; }, timeoutMs);
}
}  // namespace

bool XKey(const char* request) { return XRequest(request, 3000); }

bool XPointerPath(const std::vector<POINT>& points, DWORD stepMs) {
    std::string line = "mousepath " + std::to_string(stepMs);
    for (const POINT& p : points) line += " " + std::to_string(p.x) + " " + std::to_string(p.y);
    // The bridge answers once the whole path is gone through.
    return XRequest(line, 3000 + stepMs * static_cast<DWORD>(points.size()));
}

void FocusXKeys(HWND window) {
    if (auto xid = reinterpret_cast<uintptr_t>(GetPropW(window, L"__wine_x11_whole_window")))
        XKey(("windowfocus " + std::to_string(xid)).c_str());
}

void Rest(DWORD ms) {
    PollUntil([] { return false; }, ms, 20);
}

// ---- shared by the control-bar driver and the cases ------------------------

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    // Shared for deleting too, so the program can replace the file meanwhile.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return true;
}

std::string WholeFile(const std::wstring& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {
BOOL CALLBACK CollectVisible(HWND w, LPARAM p) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if ((!found->first || owner == found->first) && IsWindowVisible(w)) found->second.push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> found(processId, {});
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
}

HWND CreateTaskbarStandIn(const wchar_t* className, int top, int height) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP | WS_VISIBLE, 0, top,
                           GetSystemMetrics(SM_CXSCREEN), height, nullptr, nullptr, wc.hInstance, nullptr);
}
