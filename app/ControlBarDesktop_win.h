#pragma once
// The screen and the rest of the system as the control bar's trigger
// monitor sees them, over Win32. The bar's own controls are the bar's.
#include <windows.h>

#include "actions/RealWinCalls.h"
#include "app/StartupFacts.h"
#include "trigger/Desktop.h"

class TrayPresence;

class ControlBarDesktop : public ScreenState, public SystemEffects {
public:
    // `bar` and `tray` are null where no control bar runs (a start that
    // only brings back what a killed run left hidden).
    ControlBarDesktop(HWND bar, const StartupFacts& facts, const TrayPresence* tray)
        : m_bar(bar), m_facts(facts), m_tray(tray) {}

    WindowId ForegroundWindow() override;
    std::string WindowTitle(WindowId window) override;
    std::string WindowClassName(WindowId window) override;
    bool IsControlBar(WindowId window) override;
    ScreenPoint CursorPos() override;
    bool ShiftDown() override;
    int32_t ScreenWidth() override;
    int32_t ScreenHeight() override;
    TimeOfDay LocalNow() override;
    TimeOfDay LocalTimeOf(int32_t seconds) override;
    std::vector<TopWindow> ProcessWindows(WindowId window, const ProgramPatterns& alsoHide) override;
    uint32_t WindowProcess(WindowId window) override;
    uint64_t ProcessCreated(WindowId window) override;
    uint32_t SinceLastInputMs() override;

    void MinimizeWindow(WindowId window) override;
    void PostClose(WindowId window) override;
    void PlaySound(int32_t soundType) override;
    void MuteWave() override;
    void HangUpDialUp() override;
    void ClearRecentDocs() override;
    void EmptyRecycleBin() override;
    void Blackout() override;
    void ScreenSaver() override;
    void ShutDown() override;
    void RunProgram(const std::string& path) override;
    void LockWorkStation() override;
    void HideWindow(WindowId window) override;
    void ShowHiddenWindows(const std::vector<WindowId>& bottomFirst) override;
    void ActivateWindow(WindowId window) override;
    SavedSound ReadSound() override;
    void Silence(const SavedSound& sound) override;
    void RestoreSound(const SavedSound& sound) override;
    void SaveHiddenState(const HiddenState& state) override;
    void ForgetHiddenState() override;

private:
    HWND OpenModalWindow() const;

    HWND m_bar;
    const StartupFacts& m_facts;
    const TrayPresence* m_tray;
    RealWinCalls m_win;
};
