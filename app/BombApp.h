#pragma once
// The application object: one instance at a time, the control bar run
// modally for the whole life of the process.
#include "base/Scoped_win.h"
#include "framework/WinApp.h"

class CBombApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Held for the life of the process: the mutex exists while any handle
    // to it is open, and marks this instance as running.
    ScopedHandle m_hMutex;
};
