#include "app/BombApp.h"

#include <string>

#include "app/BombDlg.h"
#include "app/CommandLine.h"
#include "app/ControlBarDesktop.h"
#include "app/HiddenStateFile.h"
#include "app/RemoteRequest.h"
#include "sysinfo/WindowsVersion.h"
#include "trigger/Hiding.h"

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

void ShowUnknownArgument(const std::u16string& argument) {
    const std::wstring text = L"VEXAL不认识参数“" + std::wstring(argument.begin(), argument.end()) +
                              L"”。\n可用的参数：\n" + reinterpret_cast<const wchar_t*>(kKnownArguments);
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// What a run that was killed left hidden, brought back without a bar.
void BringBackLeftHidden(const StartupFacts& facts) {
    HiddenState left;
    if (!LoadHiddenStateFile(facts.ProgramFolder, left)) return;
    ControlBarDesktop desktop(nullptr, facts, nullptr);
    Hiding hiding;
    hiding.Adopt(left);
    hiding.RestoreWindows(desktop, desktop);
}

}  // namespace

// A second start shows no bar of its own. Without an argument it has the
// running bar bring back what it has hidden, or bring itself back; with one
// it hands the request over and ends once it is carried out.
int CBombApp::TellFirstInstance(const CommandRequest& request) {
    if (request.kind != CommandRequest::kNone) return SendToRunningBar(request) ? 0 : 1;
    AllowSetForegroundWindow(ASFW_ANY);
    PostMessageW(HWND_BROADCAST, BringBackMessage(), 0, 0);
    return 0;
}

BOOL CBombApp::InitInstance() {
    const CommandRequest request =
        ReadCommandRequest(SplitCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW())));
    if (request.kind == CommandRequest::kUnknown) {
        ShowUnknownArgument(request.argument);
        m_exitCode = 2;
        return FALSE;
    }
    if (ScopedHandle other{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName)}; other.Valid()) {
        m_exitCode = TellFirstInstance(request);
        return FALSE;
    }
    // Two starts in the same instant can both miss the mutex above; the one
    // that did not create it leaves quietly as well.
    ScopedHandle mutex(CreateMutexA(nullptr, FALSE, kMutexName));
    if (mutex.Valid() && GetLastError() == ERROR_ALREADY_EXISTS) {
        m_exitCode = TellFirstInstance(request);
        return FALSE;
    }
    m_hMutex = std::move(mutex);

    // With none running, only bringing back and arming have anything to do.
    const StartupFacts facts = GatherStartupFacts();
    if (request.kind == CommandRequest::kRestore) BringBackLeftHidden(facts);
    if (request.kind != CommandRequest::kNone && request.kind != CommandRequest::kArm) {
        m_exitCode = request.kind == CommandRequest::kRestore ? 0 : 1;
        return FALSE;
    }

    CBombDlg dlg(facts);
    if (request.kind == CommandRequest::kArm) dlg.ArmAtStart(request.setting);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// The mutex is never owned, so there is nothing to release: closing the one
// handle ends it.
int CBombApp::ExitInstance() {
    m_hMutex.Close();
    return m_exitCode;
}
