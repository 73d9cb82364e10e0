#pragma once
// The application object: one instance at a time, the control bar run
// modally for the whole life of the process.
#include "framework/WinApp.h"

class CBombApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_hMutex = nullptr;
};
