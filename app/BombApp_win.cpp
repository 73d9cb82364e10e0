#include "app/BombApp_win.h"

#include <string>

#include "app/BombDlg_win.h"
#include "app/CommandLine.h"
#include "app/ControlBarDesktop_win.h"
#include "app/HiddenStateFile.h"
#include "app/PasswordDlg_win.h"
#include "app/RemoteRequest_win.h"
#include "settings/ExtraSettingsFile.h"
#include "sysinfo/WindowsVersion.h"
#include "trigger/Hiding.h"

namespace {

CBombApp theApp;
const char kMutexName[] = "VEXAL";

// Exit codes of a start with an argument: done; none running; an argument
// it does not know; running, but it cannot do it now.
constexpr int kExitDone = 0;
constexpr int kExitNoneRunning = 1;
constexpr int kExitUnknownArgument = 2;
constexpr int kExitNotNow = 3;

std::wstring ProgramPath() {
    wchar_t path[1024];
    const DWORD n = GetModuleFileNameW(nullptr, path, 1024);
    return std::wstring(path, n < 1024 ? n : 0);
}

StartupFacts GatherStartupFacts() {
    StartupFacts facts;
    // The size of the original structure, which every Windows accepts.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    facts.WindowsVersion = WindowsVersionName(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);

    facts.ProgramFolder = ProgramPath();
    facts.ProgramFolder.erase(facts.ProgramFolder.find_last_of(L'\\') + 1);
    return facts;
}

void ShowUnknownArgument(const CommandRequest& request) {
    const std::wstring given(request.argument.begin(), request.argument.end());
    const std::wstring why = request.settingMissing ? L"”：设置编号为1到6。" : L"”。";
    const std::wstring text =
        L"VEXAL不认识参数“" + given + why + L"\n可用的参数：\n" + reinterpret_cast<const wchar_t*>(kKnownArguments);
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// What a run that was killed left hidden, brought back without a bar, for
// the password it was hidden under (else the one in force); false where a
// record is there that cannot be read, or the password was not given.
bool BringBackLeftHidden(const StartupFacts& facts) {
    HiddenState left;
    const RecordFound found = LoadHiddenStateFile(facts.ProgramFolder, left);
    if (found != RecordFound::Read) return found == RecordFound::None;
    const std::string verifier =
        left.verifier.empty() ? LoadExtraSettings(facts.ProgramFolder).Password : left.verifier;
    PasswordThrottle throttle;
    if (!AskPassword(Request::BringBack, verifier, throttle)) return false;
    ControlBarDesktop desktop(nullptr, facts, nullptr);
    Hiding hiding;
    hiding.Adopt(left);
    hiding.RestoreWindows(desktop, desktop);
    return true;
}

}  // namespace

// A second start shows no bar of its own. Without an argument it has the
// running bar bring back what it has hidden, or bring itself back; with one
// it hands the request over and ends once it is carried out.
int CBombApp::TellFirstInstance(const CommandRequest& request) {
    if (request.kind == CommandRequest::kNone) {
        AllowSetForegroundWindow(ASFW_ANY);
        PostMessageW(HWND_BROADCAST, BringBackMessage(), 0, 0);
        return kExitDone;
    }
    switch (SendToRunningBar(request)) {
        case Delivery::CarriedOut:
            return kExitDone;
        case Delivery::RefusedNow:
            return kExitNotNow;
        default:
            return kExitNoneRunning;
    }
}

BOOL CBombApp::InitInstance() {
    const std::wstring self = ProgramPath();
    const CommandRequest request =
        ReadCommandRequest(SplitCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW()),
                                            {reinterpret_cast<const char16_t*>(self.data()), self.size()}));
    if (request.kind == CommandRequest::kUnknown) {
        ShowUnknownArgument(request);
        m_exitCode = kExitUnknownArgument;
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
    if (request.kind == CommandRequest::kRestore) {
        m_exitCode = BringBackLeftHidden(facts) ? kExitDone : kExitNotNow;
        return FALSE;
    }
    if (request.kind != CommandRequest::kNone && request.kind != CommandRequest::kArm) {
        m_exitCode = kExitNoneRunning;
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
