#include "framework/WinApp.h"

#include <commctrl.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

void CWinApp::Start(HINSTANCE instance) {
    m_hInstance = instance;
    wchar_t path[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    m_appName = name;
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : GetModuleHandleW(nullptr); }

int AfxMessageBox(const wchar_t* text, UINT type) {
    HWND owner = nullptr;
    if (CWnd* main = AfxGetMainWnd()) owner = main->m_hWnd ? GetLastActivePopup(main->m_hWnd) : nullptr;
    const wchar_t* caption = g_app ? g_app->AppName().c_str() : L"";
    return MessageBoxW(owner, text, caption, type);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->Start(instance);
    app->InitInstance();  // our InitInstance always ends the program
    return app->ExitInstance();
}
