#pragma once
// The control bar's controls as the trigger monitor and the detonation show
// through them: the range bar, the arm button, the armed picture, the tick
// timer, the final message and the idle warning; where the bar goes is its
// tray presence's to say.
#include <string>

#include "app/IdleWarning_win.h"
#include "framework/Dialog.h"
#include "settings/SettingRecord.h"
#include "trigger/Desktop.h"

class TrayPresence;

class BarView : public BarControls {
public:
    BarView(CDialog& bar, const BombSettings& settings, TrayPresence& tray)
        : m_bar(bar), m_settings(settings), m_tray(tray) {}

    void SetRangePos(int32_t position) override;
    void SetRangeMax(int32_t sensitivity) override;
    void EnableArmButton(bool enable) override;
    void ShowArmedPicture(bool show) override;
    bool StartTimer() override;
    void StopTimer() override;
    void RefreshControls() override;
    void RefreshAfterApply() override;
    void MinimizeControlBar() override;
    void HideControlBar() override;
    void ShowControlBar() override;
    void SetControlBarTopmost(bool topmost) override;
    void ShowFinalMessage(const std::string& text) override;
    void ShowIdleWarning(int32_t secondsLeft) override;
    void HideIdleWarning() override;

private:
    HWND Item(int id) const { return GetDlgItem(m_bar.m_hWnd, id); }

    CDialog& m_bar;
    const BombSettings& m_settings;
    TrayPresence& m_tray;
    IdleWarning m_idleWarning;
};
