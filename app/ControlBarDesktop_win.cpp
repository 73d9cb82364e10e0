#include "app/ControlBarDesktop.h"

#include <windows.h>

#include "actions/BlackoutDlg.h"
#include "actions/SystemActions.h"
#include "app/BombDlg.h"
#include "framework/WinApp.h"
#include "settings/Codepage.h"

namespace {
HWND Hwnd(WindowId w) { return reinterpret_cast<HWND>(w); }

TimeOfDay TimeOf(const SYSTEMTIME& t) { return {t.wHour, t.wMinute, t.wSecond}; }
}  // namespace

WindowId ControlBarDesktop::ForegroundWindow() { return reinterpret_cast<WindowId>(GetForegroundWindow()); }

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

bool ControlBarDesktop::IsControlBar(WindowId window) { return Hwnd(window) == m_bar.m_hWnd; }

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
    // Through FILETIME, which reaches back to 1601, so times before 1970 work too.
    int64_t t = static_cast<int64_t>(seconds) * 10000000 + 116444736000000000LL;
    FILETIME ft = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {-1, -1, -1};
    return TimeOf(local);
}

void ControlBarDesktop::SetRangePos(int32_t position) { m_bar.m_rangeBar.SetPos(position); }
void ControlBarDesktop::SetRangeMax(int32_t sensitivity) { m_bar.m_rangeBar.SetRange(0, sensitivity); }
void ControlBarDesktop::EnableArmButton(bool enable) { m_bar.m_armButton.EnableWindow(enable); }
void ControlBarDesktop::ShowArmedPicture(bool show) { m_bar.m_armedPicture.ShowWindow(show ? SW_SHOW : SW_HIDE); }

bool ControlBarDesktop::StartTimer() {
    m_bar.m_timerId = SetTimer(m_bar.m_hWnd, 1, 200, nullptr);
    return m_bar.m_timerId != 0;
}

void ControlBarDesktop::StopTimer() { KillTimer(m_bar.m_hWnd, m_bar.m_timerId); }
void ControlBarDesktop::RefreshControls() { m_bar.UpdateData(false); }
void ControlBarDesktop::RefreshAfterApply() { m_bar.RefreshAfterApply(); }
void ControlBarDesktop::MinimizeControlBar() { m_bar.ShowWindow(SW_MINIMIZE); }
void ControlBarDesktop::SetControlBarTopmost(bool topmost) { m_bar.SetTopmost(topmost); }

void ControlBarDesktop::ShowFinalMessage(const std::string& text) {
    MessageBoxW(m_bar.m_hWnd, reinterpret_cast<const wchar_t*>(GbkToWide(text).c_str()),
                AfxGetApp()->AppName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void ControlBarDesktop::MinimizeWindow(WindowId window) { ShowWindow(Hwnd(window), SW_MINIMIZE); }
void ControlBarDesktop::PostClose(WindowId window) { PostMessageW(Hwnd(window), WM_CLOSE, 0, 0); }

void ControlBarDesktop::PlaySound(int32_t soundType) { ActPlaySound(m_win, soundType); }
void ControlBarDesktop::MuteWave() { ActMuteWave(m_win); }
void ControlBarDesktop::HangUpDialUp() { ActHangUpDialUp(m_win); }
void ControlBarDesktop::ClearRecentDocs() { ActClearRecentDocs(m_win); }
void ControlBarDesktop::EmptyRecycleBin() { ActEmptyRecycleBin(m_win); }
void ControlBarDesktop::Blackout() { ActBlackout(); }
void ControlBarDesktop::ScreenSaver() { ActScreenSaver(m_win, reinterpret_cast<uintptr_t>(m_bar.m_hWnd)); }
void ControlBarDesktop::ShutDown() { ActShutDown(m_win, m_bar.WindowsVersion); }
void ControlBarDesktop::RunProgram(const std::string& path) { ActRunProgram(m_win, path); }
