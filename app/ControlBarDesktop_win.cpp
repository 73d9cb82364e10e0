#include "app/ControlBarDesktop_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <map>
#include <set>

#include "actions/BlackoutDlg_win.h"
#include "actions/SystemActions.h"
#include "app/HiddenStateFile.h"
#include "app/TrayPresence_win.h"
#include "base/Codepage.h"
#include "base/Scoped_win.h"
#include "base/TimeConversion_win.h"

namespace {
HWND Hwnd(WindowId w) { return reinterpret_cast<HWND>(w); }

TimeOfDay TimeOf(const SYSTEMTIME& t) { return {t.wHour, t.wMinute, t.wSecond}; }

// The processes whose windows are wanted: the target's and those of the
// programs listed to go with it.
struct WindowSearch {
    std::set<DWORD> processes;
    std::vector<TopWindow> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!search->processes.count(process) || !IsWindowVisible(window)) return TRUE;
    char name[256];
    int n = GetClassNameA(window, name, sizeof name);
    search->found.push_back({reinterpret_cast<WindowId>(window), process, std::string(name, n > 0 ? n : 0)});
    return TRUE;
}

uint64_t ProcessCreationTime(DWORD process) {
    constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION: Vista on, and enough there
    ScopedHandle handle(OpenProcess(kQueryLimited, FALSE, process));
    if (!handle.Valid()) handle = ScopedHandle(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process));
    FILETIME created, exited, kernel, user;
    if (!handle.Valid() || !GetProcessTimes(handle.Get(), &created, &exited, &kernel, &user)) return 0;
    return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}
}  // namespace

WindowId ControlBarDesktop::ForegroundWindow() {
    if (m_tray && m_tray->OutOfSightInFront()) return 0;
    return reinterpret_cast<WindowId>(GetForegroundWindow());
}

std::string ControlBarDesktop::WindowTitle(WindowId window) {
    if (!window) return {};
    wchar_t title[512];
    int n = GetWindowTextW(Hwnd(window), title, 512);
    std::string gbk;
    WideToGbk(std::u16string(reinterpret_cast<const char16_t*>(title), static_cast<size_t>(n > 0 ? n : 0)), gbk);
    if (gbk.size() > 511) gbk.resize(511);
    return gbk;
}

std::string ControlBarDesktop::WindowClassName(WindowId window) {
    if (!window) return {};
    char name[256];
    int n = GetClassNameA(Hwnd(window), name, sizeof name);
    return std::string(name, static_cast<size_t>(n > 0 ? n : 0));
}

bool ControlBarDesktop::IsControlBar(WindowId window) { return Hwnd(window) == m_bar; }

ScreenPoint ControlBarDesktop::CursorPos() {
    POINT p = {0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
}

bool ControlBarDesktop::ShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }
int32_t ControlBarDesktop::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t ControlBarDesktop::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

TimeOfDay ControlBarDesktop::LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TimeOf(now);
}

TimeOfDay ControlBarDesktop::LocalTimeOf(int32_t seconds) {
    SYSTEMTIME local;
    if (!LocalTimeOfSeconds(seconds, local)) return {-1, -1, -1};
    return TimeOf(local);
}

namespace {

// Every running process whose file name `patterns` matches; never this one.
void AddListedPrograms(const ProgramPatterns& patterns, std::set<DWORD>& processes) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        if (entry.th32ProcessID != GetCurrentProcessId() &&
            MatchesProgram(patterns, reinterpret_cast<const char16_t*>(entry.szExeFile)))
            processes.insert(entry.th32ProcessID);
}

}  // namespace

// EnumWindows goes from the top of the z-order down.
std::vector<TopWindow> ControlBarDesktop::ProcessWindows(WindowId window, const ProgramPatterns& alsoHide) {
    WindowSearch search;
    const DWORD target = WindowProcess(window);
    if (target != 0 && target != GetCurrentProcessId()) search.processes.insert(target);
    if (!alsoHide.empty()) AddListedPrograms(alsoHide, search.processes);
    if (search.processes.empty()) return {};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    std::map<DWORD, uint64_t> created;
    for (TopWindow& w : search.found) {
        auto known = created.find(w.process);
        if (known == created.end()) known = created.emplace(w.process, ProcessCreationTime(w.process)).first;
        w.processCreated = known->second;
    }
    return search.found;
}

uint32_t ControlBarDesktop::WindowProcess(WindowId window) {
    DWORD process = 0;
    if (window && IsWindow(Hwnd(window))) GetWindowThreadProcessId(Hwnd(window), &process);
    return process;
}

uint64_t ControlBarDesktop::ProcessCreated(WindowId window) {
    const DWORD process = WindowProcess(window);
    return process ? ProcessCreationTime(process) : 0;
}

// The whole session's input, as the system counts it.
uint32_t ControlBarDesktop::SinceLastInputMs() {
    LASTINPUTINFO info = {};
    info.cbSize = sizeof info;
    if (!GetLastInputInfo(&info)) return 0;
    return GetTickCount() - info.dwTime;
}

void ControlBarDesktop::MinimizeWindow(WindowId window) { ShowWindow(Hwnd(window), SW_MINIMIZE); }
void ControlBarDesktop::PostClose(WindowId window) { PostMessageW(Hwnd(window), WM_CLOSE, 0, 0); }

void ControlBarDesktop::PlaySound(int32_t soundType) { ActPlaySound(m_win, soundType); }
void ControlBarDesktop::MuteWave() { ActMuteWave(m_win); }
void ControlBarDesktop::HangUpDialUp() { ActHangUpDialUp(m_win); }
void ControlBarDesktop::ClearRecentDocs() { ActClearRecentDocs(m_win); }
void ControlBarDesktop::EmptyRecycleBin() { ActEmptyRecycleBin(m_win); }
void ControlBarDesktop::Blackout() { ActBlackout(); }
void ControlBarDesktop::ScreenSaver() { ActScreenSaver(m_win, reinterpret_cast<uintptr_t>(m_bar)); }
void ControlBarDesktop::ShutDown() { ActShutDown(m_win, m_facts.WindowsVersion); }
void ControlBarDesktop::RunProgram(const std::string& path) { ActRunProgram(m_win, path); }
void ControlBarDesktop::LockWorkStation() { ActLockWorkStation(m_win); }

// Asynchronous, so that a hung program cannot hold the control bar up.
void ControlBarDesktop::HideWindow(WindowId window) { ShowWindowAsync(Hwnd(window), SW_HIDE); }

// With one of the program's modal windows open (a dialog, the blackout
// screen, the final message) the windows come back behind it, and it stays
// the active one.
HWND ControlBarDesktop::OpenModalWindow() const {
    if (!m_bar || IsWindowEnabled(m_bar)) return nullptr;
    const HWND popup = GetLastActivePopup(m_bar);
    return popup != m_bar ? popup : nullptr;
}

void ControlBarDesktop::ShowHiddenWindows(const std::vector<WindowId>& bottomFirst) {
    // A window of the topmost band is above every ordinary one already.
    HWND modal = OpenModalWindow();
    if (modal && (GetWindowLongW(modal, GWL_EXSTYLE) & WS_EX_TOPMOST)) modal = nullptr;
    // The windows of different programs are placed by their own threads, in
    // no set order: each is waited for, so that the old stacking comes back,
    // within one deadline for them all, which is what a hung program costs.
    constexpr DWORD kPlacedWithinMs = 300;
    const DWORD asked = GetTickCount();
    for (WindowId w : bottomFirst) {
        const HWND window = Hwnd(w);
        SetWindowPos(window, modal ? modal : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
        while (!IsWindowVisible(window) && IsWindow(window) && GetTickCount() - asked < kPlacedWithinMs) Sleep(1);
    }
}

void ControlBarDesktop::ActivateWindow(WindowId window) {
    if (!OpenModalWindow()) SetForegroundWindow(Hwnd(window));
}

SavedSound ControlBarDesktop::ReadSound() { return ActReadSound(m_win); }
void ControlBarDesktop::Silence(const SavedSound& sound) { ActSilence(m_win, sound); }
void ControlBarDesktop::RestoreSound(const SavedSound& sound) { ActRestoreSound(m_win, sound); }

void ControlBarDesktop::SaveHiddenState(const HiddenState& state) { SaveHiddenStateFile(m_facts.ProgramFolder, state); }
void ControlBarDesktop::ForgetHiddenState() { RemoveHiddenStateFile(m_facts.ProgramFolder); }
