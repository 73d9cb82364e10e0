#pragma once
// The control bar: the program's only permanent window. It owns the setting
// records, the setting number in force and the active settings, arms and
// disarms the bomb, and opens the settings and information dialogs.
#include <memory>
#include <string>

#include "framework/Dialog.h"
#include "framework/ToolTipCtrl.h"
#include "settings/SettingRecord.h"
#include "trigger/TriggerMonitor.h"

class ControlBarDesktop;

class CBombDlg : public CDialog {
public:
    CBombDlg();
    ~CBombDlg() override;

    std::wstring ProgramFolder;  // the executable's folder, ending in a backslash
    UINT_PTR m_timerId = 0;
    BombSettings m_settings;     // records, CurrentSetting and the active settings
    std::string WindowsVersion;
    CStatic m_armedPicture;
    CProgressCtrl m_rangeBar;
    CButton m_disarmButton;
    CButton m_armButton;

    // The armed picture from the active IconIndex, then the fields into the controls.
    void RefreshAfterApply();
    // The range bar's range is 0 to the Sensitivity in force.
    void SetRangeToSensitivity();
    void ApplyTopmostState();

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

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
    void OnRadio1();
    void OnRadio2();
    void OnRadio3();
    void OnRadio4();
    void OnRadio5();
    void OnRadio6();
    void OnInfo();
    void ChooseSetting(int n);
    void ShowInfoPanel(bool leaveTopmostBand);

    CToolTipCtrl m_toolTip;
    HICON m_hIcon;
    TriggerMonitor m_monitor;
    std::unique_ptr<ControlBarDesktop> m_desktop;

    friend class ControlBarDesktop;
};
