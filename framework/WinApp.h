#pragma once
// The application object: one static instance whose InitInstance runs the
// program and whose ExitInstance gives the process exit code.
#include <string>

#include "framework/Wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

    // The executable's file name without folder and extension.
    const std::wstring& AppName() const { return m_appName; }

    CWnd* m_pMainWnd = nullptr;

    // Called by the entry point before InitInstance.
    void Start(HINSTANCE instance);
    HINSTANCE m_hInstance = nullptr;

private:
    std::wstring m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();

// A message box captioned with the application name, owned by the active
// window of the application.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK);
