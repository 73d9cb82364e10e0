#pragma once
// The control bar: the program's only permanent window. It owns the setting
// records, the setting number in force and the active settings, arms and
// disarms the bomb, opens the settings and information dialogs, and runs
// detonations; the hotkey, the notification area, the command line and
// the bar's own controls are kept by objects it owns, to which it routes
// their messages.
#include <functional>
#include <memory>

#include "app/StartupFacts.h"
#include "framework/Dialog.h"
#include "settings/SettingRecord.h"
#include "trigger/Desktop.h"
#include "trigger/Hiding.h"
#include "trigger/TriggerMonitor.h"

class BarView;
class CommandRequests;
class ControlBarDesktop;
class PanicKey;
class PasswordGuard;
class TrayPresence;

// The message a second start sends every top-level window, so that the
// running control bar brings back what it has hidden.
UINT BringBackMessage();

class CBombDlg : public CDialog {
public:
    explicit CBombDlg(StartupFacts facts);
    ~CBombDlg() override;
    // Once open, the bar puts setting number n (0 to 5) in force and arms.
    void ArmAtStart(int32_t n) { m_armAtStart = n; }

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool ShownWhenOpened() const override;

private:
    // The messages of the objects the bar owns go to them first.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnHelp(WPARAM, LPARAM);
    void OnArm();
    void OnDisarm();
    void OnSettings();
    void ChooseSetting(int n);
    // The "?" button and F1 (1) take the bar out of the topmost band while
    // the panel is open; the menus (0) leave the z-order alone.
    void ShowInfoPanel(int leaveTopmostBand);
    // Runs a dialog of ours with the bar out of the topmost band, when it is
    // in it, so that the dialog is not covered.
    INT_PTR DoModalBelowBar(CDialog& dlg);
    // The active settings into the controls, the range and the z-order.
    void ShowActiveSettings();

    // Beyond the six setting numbers: the hotkey, bringing hidden windows
    // back and the hotkey and hiding dialog.
    LRESULT OnHotKey(WPARAM, LPARAM);
    void DetonateNow();
    // Runs a detonation; what comes meanwhile is taken afterwards.
    void Detonating(const std::function<void()>& run);
    LRESULT OnEndSession(WPARAM, LPARAM);
    LRESULT OnBringBack(WPARAM, LPARAM);
    void BringBack();
    void OnExtraSettings();
    // The adapter for the screen and the system, the view for the bar.
    DesktopRoles Roles();

    const StartupFacts m_facts;
    BombSettings m_settings;  // records, CurrentSetting and the active settings
    HICON m_hIcon;
    TriggerMonitor m_monitor;
    Hiding m_hiding;
    bool m_detonating = false;
    bool m_hotkeyWaiting = false;
    int32_t m_armAtStart = -1;
    // Made once the window exists.
    std::unique_ptr<PanicKey> m_panicKey;
    std::unique_ptr<TrayPresence> m_tray;
    std::unique_ptr<ControlBarDesktop> m_desktop;
    std::unique_ptr<BarView> m_view;
    std::unique_ptr<PasswordGuard> m_guard;
    std::unique_ptr<CommandRequests> m_requests;
};
