#include "app/BombApp.h"

#include "app/BombDlg.h"
#include "sysinfo/WindowsVersion.h"

namespace {

CBombApp theApp;
const char kMutexName[] = "VEXAL";

StartupFacts GatherStartupFacts() {
    StartupFacts facts;
    // The size of the original structure, which every Windows accepts.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    facts.WindowsVersion = WindowsVersionName(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);

    wchar_t path[1024];
    DWORD n = GetModuleFileNameW(nullptr, path, 1024);
    facts.ProgramFolder.assign(path, n);
    facts.ProgramFolder.erase(facts.ProgramFolder.find_last_of(L'\\') + 1);
    return facts;
}

// A second start shows nothing; it only has the running control bar bring
// back what it has hidden, and lets it bring the front window forward.
BOOL TellFirstInstance() {
    AllowSetForegroundWindow(ASFW_ANY);
    PostMessageW(HWND_BROADCAST, BringBackMessage(), 0, 0);
    return FALSE;
}

}  // namespace

BOOL CBombApp::InitInstance() {
    if (ScopedHandle other{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName)}; other.Valid()) return TellFirstInstance();
    // Two starts in the same instant can both miss the mutex above; the one
    // that did not create it leaves quietly as well.
    ScopedHandle mutex(CreateMutexA(nullptr, FALSE, kMutexName));
    if (mutex.Valid() && GetLastError() == ERROR_ALREADY_EXISTS) return TellFirstInstance();
    m_hMutex = std::move(mutex);

    CBombDlg dlg(GatherStartupFacts());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// The mutex is never owned, so there is nothing to release: closing the one
// handle ends it.
int CBombApp::ExitInstance() {
    m_hMutex.Close();
    return CWinApp::ExitInstance();
}
