#pragma once
// The control bar: the program's only permanent window. It owns the setting
// records, the setting number in force and the active settings, arms and
// disarms the bomb, opens the settings and information dialogs, and runs
// detonations; the hotkey, the hidden windows and where the bar is are kept
// by objects it owns and calls.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/IdleWarning.h"
#include "app/StartupFacts.h"
#include "framework/Dialog.h"
#include "settings/SettingRecord.h"
#include "trigger/BarPresence.h"
#include "trigger/Desktop.h"
#include "trigger/Hiding.h"
#include "trigger/TriggerMonitor.h"

class ControlBarDesktop;
class PanicKey;
class TrayPresence;

// The message a second start sends every top-level window, so that the
// running control bar brings back what it has hidden.
UINT BringBackMessage();

// The bar's own controls are what the trigger monitor shows through: the
// bar is their BarControls.
class CBombDlg : public CDialog, public BarControls {
public:
    explicit CBombDlg(StartupFacts facts);
    ~CBombDlg() override;
    // Once open, the bar puts setting number n (0 to 5) in force and arms.
    void ArmAtStart(int32_t n) { m_armAtStart = n; }

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

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool ShownWhenOpened() const override;

private:
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);
    void OnArm();
    void OnDisarm();
    void OnSettings();
    void OnInfo();
    void ChooseSetting(int n);
    void ShowInfoPanel(bool leaveTopmostBand);
    // Runs a dialog of ours with the bar out of the topmost band, when it is
    // in it, so that the dialog is not covered.
    INT_PTR DoModalBelowBar(CDialog& dlg);

    // Beyond the six setting numbers: VEXAL.ini, the hotkey, bringing hidden
    // windows back and the notification area.
    void StartExtras();
    LRESULT OnHotKey(WPARAM, LPARAM);
    void TakeHotkey();
    // Runs a detonation; a hotkey pressed meanwhile is taken afterwards.
    void Detonating(const std::function<void()>& run);
    LRESULT OnEndSession(WPARAM, LPARAM);
    LRESULT OnBringBack(WPARAM, LPARAM);
    void BringBack();
    void OnExtraSettings();
    void MoveBar(BarEvent event);
    LRESULT OnTrayIcon(WPARAM, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    LRESULT OnCopyData(WPARAM, LPARAM);
    void CarryOut(const CommandRequest& request);
    void ShowTrayMenu();
    // The range bar's range is 0 to the Sensitivity in force.
    void SetRangeToSensitivity();
    void ApplyTopmostState();
    // The adapter for the screen and the system, the bar itself for the bar.
    DesktopRoles Roles();

    const StartupFacts m_facts;
    BombSettings m_settings;  // records, CurrentSetting and the active settings
    UINT_PTR m_timerId = 0;
    CStatic m_armedPicture;
    CProgressCtrl m_rangeBar;
    CButton m_disarmButton;
    CButton m_armButton;
    HICON m_hIcon;
    TriggerMonitor m_monitor;
    IdleWarning m_idleWarning;
    Hiding m_hiding;
    bool m_detonating = false;
    bool m_hotkeyWaiting = false;
    std::vector<CommandRequest> m_requestsWaiting;  // came during a detonation
    int32_t m_armAtStart = -1;
    // Made once the window exists.
    std::unique_ptr<PanicKey> m_panicKey;
    std::unique_ptr<TrayPresence> m_tray;
    std::unique_ptr<ControlBarDesktop> m_desktop;
};
