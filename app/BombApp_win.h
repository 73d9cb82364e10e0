#pragma once
// The application object: one instance at a time, the control bar run
// modally for the whole life of the process.
#include "app/CommandLine.h"
#include "base/Scoped_win.h"
#include "framework/WinApp.h"

class CBombApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // The exit code of a start that hands a request to the running bar.
    static int TellFirstInstance(const CommandRequest& request);

    int m_exitCode = 0;
    // Held for the life of the process: the mutex exists while any handle
    // to it is open, and marks this instance as running.
    ScopedHandle m_hMutex;
};
