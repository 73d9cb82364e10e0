#include "app/BombApp.h"

#include "app/BombDlg.h"

namespace {
CBombApp theApp;
const char kMutexName[] = "VEXAL";
}  // namespace

BOOL CBombApp::InitInstance() {
    m_hMutex = nullptr;
    if (HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
        CloseHandle(other);
        return FALSE;
    }
    // Two starts in the same instant can both miss the mutex above; the one
    // that did not create it leaves quietly as well.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return FALSE;
    }
    m_hMutex = mutex;

    CBombDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CBombApp::ExitInstance() {
    if (m_hMutex) ReleaseMutex(m_hMutex);
    return CWinApp::ExitInstance();
}
