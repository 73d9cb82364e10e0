#include "app/BombDlg_win.h"

#include <ctime>
#include <utility>

#include "actions/RealWinCalls.h"
#include "actions/SystemActions.h"
#include "app/BarIds_win.h"
#include "app/BarView_win.h"
#include "app/CommandRequests_win.h"
#include "app/ControlBarDesktop_win.h"
#include "app/HiddenStateFile.h"
#include "app/PanicKey_win.h"
#include "app/PasswordGuard_win.h"
#include "app/TrayPresence_win.h"
#include "base/Scoped_win.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/ExtraSettingsFile.h"
#include "settings/HotkeyHidingDlg_win.h"
#include "settings/SettingsDlg_win.h"
#include "settings/SettingsFile.h"
#include "sysinfo/InfoDlg_win.h"

namespace {

const ToolText kTooltips[] = {
    {IDC_ARM, L"准备爆弹"},
    {IDC_DISARM, L"放弃爆弹"},
    {IDC_SETTINGS, L"显示设置对话框"},
    {IDC_INFO, L"关于本程序和简单的操作方法"},
    {IDCANCEL, L"结束程序"},
    {IDC_RANGEBAR, L"蓝条到右端则爆炸"},
    {IDC_RADIO1, L"以设置1的处理待机"},
    {IDC_RADIO2, L"以设置2的处理待机"},
    {IDC_RADIO3, L"以设置3的处理待机"},
    {IDC_RADIO4, L"以设置4的处理待机"},
    {IDC_RADIO5, L"以设置5的处理待机"},
    {IDC_RADIO6, L"以设置6的处理待机"},
};

const wchar_t kBrokenFileMessage[] = L"由于Vexal.Vxl出错，请删除Vexal.Vxl";
const wchar_t kSaveFailedMessage[] = L"由于设置发生错误，程序将退出";
const wchar_t kIniSaveFailed[] = L"无法保存VEXAL.ini，新的设置只在本次运行中有效。";

}  // namespace

UINT BringBackMessage() {
    static const UINT message = RegisterWindowMessageW(L"VEXAL.BringBackHidden");
    return message;
}

CBombDlg::CBombDlg(StartupFacts facts)
    : CDialog(IDD_BOMB),
      m_facts(std::move(facts)),
      m_settings(static_cast<int64_t>(std::time(nullptr))),
      m_hIcon(LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

CBombDlg::~CBombDlg() = default;

const MessageMap* CBombDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        RoutedBy(&CBombDlg::Route),
        OnMessage<WM_SYSCOMMAND>(&CBombDlg::OnSysCommand),
        OnMessage<WM_PAINT>(&CBombDlg::OnPaint),
        OnMessage<WM_QUERYDRAGICON>(&CBombDlg::OnQueryDragIcon),
        OnMessage<WM_TIMER>(&CBombDlg::OnTimer),
        OnMessage<WM_DESTROY>(&CBombDlg::OnDestroy),
        OnMessage<WM_HELP>(&CBombDlg::OnHelp),
        OnMessage<WM_HOTKEY>(&CBombDlg::OnHotKey),
        OnMessage<WM_ENDSESSION>(&CBombDlg::OnEndSession),
        OnRegisteredMessage(BringBackMessage(), &CBombDlg::OnBringBack),
        OnCommand(IDC_ARM, &CBombDlg::OnArm),
        OnCommand(IDC_DISARM, &CBombDlg::OnDisarm),
        OnCommand(IDC_SETTINGS, &CBombDlg::OnSettings),
        OnCommand(IDC_RADIO1, &CBombDlg::ChooseSetting, 0),
        OnCommand(IDC_RADIO2, &CBombDlg::ChooseSetting, 1),
        OnCommand(IDC_RADIO3, &CBombDlg::ChooseSetting, 2),
        OnCommand(IDC_RADIO4, &CBombDlg::ChooseSetting, 3),
        OnCommand(IDC_RADIO5, &CBombDlg::ChooseSetting, 4),
        OnCommand(IDC_RADIO6, &CBombDlg::ChooseSetting, 5),
        OnCommand(IDC_INFO, &CBombDlg::ShowInfoPanel, 1),
        // What the icon's menu and the command line ask for.
        OnCommand(ID_TRAY_DISARM, &CBombDlg::OnDisarm),
        OnCommand(ID_TRAY_BRING_BACK, &CBombDlg::BringBack),
        OnCommand(ID_TRAY_SETTINGS, &CBombDlg::OnSettings),
        OnCommand(ID_TRAY_INFO, &CBombDlg::ShowInfoPanel, 0),
        OnCommand(ID_TRAY_EXIT, &CBombDlg::OnCancel),
        OnCommand(kDetonateCommand, &CBombDlg::DetonateNow),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

void CBombDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, IDC_RADIO1, m_settings.CurrentSetting); }

BOOL CBombDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_panicKey.reset(new PanicKey(m_hWnd));
    m_tray.reset(new TrayPresence(m_hWnd, m_hIcon, m_monitor, m_hiding));
    m_desktop.reset(new ControlBarDesktop(m_hWnd, m_facts, m_tray.get()));
    m_view.reset(new BarView(*this, m_settings, *m_tray));
    m_guard.reset(new PasswordGuard(m_settings.Extra, m_hiding, *m_tray));
    m_requests.reset(new CommandRequests(m_hWnd, *m_tray, *m_guard));

    if (HMENU menu = GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t about[128];
        if (LoadStringW(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, 128) > 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
        }
        wchar_t extra[128];
        if (LoadStringW(AfxGetInstanceHandle(), IDS_EXTRA, extra, 128) > 0)
            AppendMenuW(menu, MF_STRING, IDM_EXTRA, extra);
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    SetTopmost(true);
    m_view->SetRangePos(0);
    m_view->ShowArmedPicture(false);

    // Ends without asking for the password, and so without bringing back
    // what a password protects.
    if (LoadSettingsFile(m_facts.ProgramFolder, m_settings) == LoadResult::Broken) {
        AfxMessageBox(kBrokenFileMessage, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
    }

    m_settings.ApplySetting(m_settings.CurrentSetting);
    ShowActiveSettings();

    // What a run that was killed had hidden comes back first, for the
    // password it was hidden under; a hotkey another program holds is said
    // once, and the program runs on without one.
    m_settings.Extra = LoadExtraSettings(m_facts.ProgramFolder);
    HiddenState left;
    if (LoadHiddenStateFile(m_facts.ProgramFolder, left) == RecordFound::Read) {
        m_hiding.Adopt(left);
        if (m_guard->Allows(Request::BringBack)) m_hiding.Restore(Roles());
    }
    if (!m_panicKey->Register(m_settings.Extra.Hotkey)) PanicKey::ShowTaken(m_settings.Extra.Hotkey);

    if (IsSettingNumber(m_armAtStart)) {
        ChooseSetting(m_armAtStart);
        OnArm();
    }

    if (m_settings.Active.LaunchAtStart == 1) {
        RealWinCalls win;
        ActRunProgram(win, m_settings.Active.StartupProgram);
    }

    m_toolTip.CreateWithTools(this, kTooltips);
    // Started armed into the notification area, the bar never shows nor
    // takes the focus: the window in front stays there, watched.
    return m_tray->BarShown();
}

bool CBombDlg::ShownWhenOpened() const { return m_tray->BarShown(); }

// What needs the password goes no further without it.
bool CBombDlg::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!m_requests) return false;  // before the window's own set-up
    if (m_guard->Stops(message, wParam, lParam)) {
        m_view->RefreshControls();  // a setting's button clicked shows the one in force again
        return true;
    }
    if (m_tray->Handle(*m_desktop, message, wParam, lParam)) return true;
    return m_requests->Handle(message, lParam, m_detonating, result);
}

void CBombDlg::ShowActiveSettings() {
    m_view->RefreshAfterApply();
    m_view->SetRangeMax(m_settings.Active.Sensitivity);
    SetTopmost(m_settings.Active.NotTopmost != 1);
}

LRESULT CBombDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        ShowInfoPanel(0);
        return 0;
    }
    if ((wParam & 0xFFF0) == IDM_EXTRA) {
        OnExtraSettings();
        return 0;
    }
    return Default();
}

LRESULT CBombDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic(m_hWnd)) return Default();
    ScopedPaint paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT r;
    GetClientRect(m_hWnd, &r);
    int x = (r.right - r.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (r.bottom - r.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, m_hIcon);
    return 0;
}

LRESULT CBombDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

// A timer the bar does not know does nothing.
LRESULT CBombDlg::OnTimer(WPARAM id, LPARAM) {
    if (id == kTickTimer) Detonating([this] { m_monitor.Tick(Roles(), m_settings, &m_hiding); });
    return 0;
}

// However the program ends, nothing it hid stays hidden, unless a password
// protects it and the end did not ask for it: the record then keeps it for
// the next start.
LRESULT CBombDlg::OnDestroy(WPARAM, LPARAM) {
    if (m_guard->EndMayBringBack()) BringBack();
    m_tray->Move(BarEvent::Exit, m_settings.Extra.TrayWhileArmed);
    LRESULT result = Default();
    m_monitor.OnDestroy(*m_view);
    return result;
}

// F1: no help viewer exists on a modern Windows; the information panel with
// its brief instructions stands in for a help file. F1 in one of our modal
// windows also ends up here, passed on to the owner; the control bar is
// disabled then, and a second panel is not opened over the first.
LRESULT CBombDlg::OnHelp(WPARAM, LPARAM) {
    if (IsWindowEnabled(m_hWnd)) ShowInfoPanel(1);
    return TRUE;
}

// When NotTopmost is 0.
void CBombDlg::ShowInfoPanel(int leaveTopmostBand) {
    CInfoDlg dlg(m_facts.WindowsVersion);
    if (leaveTopmostBand && m_settings.Active.NotTopmost == 0) SetTopmost(false);
    dlg.DoModal();
    if (leaveTopmostBand && m_settings.Active.NotTopmost == 0) SetTopmost(true);
}

void CBombDlg::OnArm() {
    m_monitor.Arm(*m_view, m_settings);
    // Gone into the tray, the bar will not be in front for the first ticks
    // to take the resting cursor as the point movement is measured from: it
    // is taken now, before the bar goes.
    if (m_settings.Extra.TrayWhileArmed) m_monitor.TakeReference(*m_desktop);
    m_tray->Move(BarEvent::Arm, m_settings.Extra.TrayWhileArmed);
}

void CBombDlg::OnDisarm() {
    m_monitor.Disarm(*m_view);
    m_tray->Move(BarEvent::Disarm, m_settings.Extra.TrayWhileArmed);
}

// The dialog edits a copy of records 0 to 5; only OK brings it back, puts
// the setting number last shown in force and writes the settings file.
void CBombDlg::OnSettings() {
    CSettingsDlg dlg(CopyForEditing(m_settings.Records), m_settings.CurrentSetting);
    UpdateData(false);
    if (DoModalBelowBar(dlg) != IDOK) return;

    // A recall group with no button pressed leaves the setting number as it was.
    if (IsSettingNumber(dlg.ShownSetting())) m_settings.CurrentSetting = dlg.ShownSetting();
    TakeBackEdited(dlg.Records(), m_settings.Records);
    m_settings.ApplySetting(m_settings.CurrentSetting);
    ShowActiveSettings();
    if (!SaveSettingsFile(m_facts.ProgramFolder, m_settings)) {
        AfxMessageBox(kSaveFailedMessage, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
    }
}

DesktopRoles CBombDlg::Roles() { return {*m_desktop, *m_view, *m_desktop}; }

INT_PTR CBombDlg::DoModalBelowBar(CDialog& dlg) {
    const bool topmost = m_settings.Active.NotTopmost == 0;
    if (topmost) SetTopmost(false);
    INT_PTR result = dlg.DoModal();
    if (topmost) SetTopmost(true);
    return result;
}

// The range follows the setting chosen; the z-order does not.
void CBombDlg::ChooseSetting(int n) {
    m_settings.ApplySetting(n);
    m_view->RefreshAfterApply();
    m_view->SetRangeMax(m_settings.Active.Sensitivity);
}

// Bringing back works over any window of ours (a dialog, the blackout
// screen, the final message), the windows coming back behind it; a press
// that would set the bomb off is dropped while one is open. A press that
// comes in the middle of a detonation, while one of its actions lets
// messages through, is taken once the detonation is over.
LRESULT CBombDlg::OnHotKey(WPARAM id, LPARAM) {
    if (id != kPanicHotkey) return 0;
    if (m_detonating && IsWindowEnabled(m_hWnd))
        m_hotkeyWaiting = true;
    else if (m_hiding.Active())
        BringBack();
    else if (IsWindowEnabled(m_hWnd))
        DetonateNow();
    return 0;
}

void CBombDlg::DetonateNow() {
    Detonating([this] { m_monitor.DetonateNow(Roles(), m_settings, &m_hiding); });
}

// The hotkey that waited first, then the command-line requests in order.
void CBombDlg::Detonating(const std::function<void()>& run) {
    m_detonating = true;
    run();
    m_detonating = false;
    if (m_hotkeyWaiting) {
        m_hotkeyWaiting = false;
        OnHotKey(kPanicHotkey, 0);
    }
    if (!m_detonating) m_requests->CarryOutWaiting();
}

// The session ends: the process may be gone right after this returns.
LRESULT CBombDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending) BringBack();
    return 0;
}

// A second start: what is hidden comes back; with nothing hidden and the
// bar away, the bar comes back as the icon's click brings it, for whoever
// has lost sight of the icon.
LRESULT CBombDlg::OnBringBack(WPARAM, LPARAM) {
    if (m_hiding.Active())
        BringBack();
    else if (!m_tray->BarShown() && IsWindowEnabled(m_hWnd))
        OnDisarm();
    return 0;
}

void CBombDlg::BringBack() {
    if (m_hiding.Active()) m_hiding.Restore(Roles());
}

// OK has put the hotkey in force already; the file is written afterwards.
void CBombDlg::OnExtraSettings() {
    CHotkeyHidingDlg dlg(m_settings.Extra, [this](const ExtraSettings& chosen) {
        return m_panicKey->PutInForce(chosen.Hotkey, m_settings.Extra.Hotkey);
    });
    if (DoModalBelowBar(dlg) != IDOK) return;
    m_settings.Extra = dlg.Chosen();
    m_hiding.TakeVerifier(*m_desktop, m_settings.Extra.Password);
    if (!SaveExtraSettings(m_facts.ProgramFolder, m_settings.Extra))
        AfxMessageBox(kIniSaveFailed, MB_OK | MB_ICONEXCLAMATION);
}
