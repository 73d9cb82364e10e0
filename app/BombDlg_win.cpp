#include "app/BombDlg.h"

#include <commctrl.h>

#include <ctime>
#include <utility>

#include "actions/RealWinCalls.h"
#include "base/Codepage.h"
#include "base/Scoped_win.h"
#include "actions/SystemActions.h"
#include "app/ControlBarDesktop.h"
#include "app/HiddenStateFile.h"
#include "app/PanicKey.h"
#include "app/RemoteRequest.h"
#include "app/TrayPresence.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/ExtraDlg.h"
#include "settings/ExtraSettingsFile.h"
#include "settings/Pictures.h"
#include "settings/SettingsDlg.h"
#include "settings/SettingsFile.h"
#include "sysinfo/InfoDlg.h"
#include "trigger/Targets.h"

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
        OnMessage(WM_SYSCOMMAND, &CBombDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CBombDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CBombDlg::OnQueryDragIcon),
        OnMessage(WM_TIMER, &CBombDlg::OnTimer),
        OnMessage(WM_DESTROY, &CBombDlg::OnDestroy),
        OnMessage(WM_HELP, &CBombDlg::OnHelp),
        OnMessage(WM_HOTKEY, &CBombDlg::OnHotKey),
        OnMessage(WM_ENDSESSION, &CBombDlg::OnEndSession),
        OnMessage(BringBackMessage(), &CBombDlg::OnBringBack),
        OnMessage(kTrayMessage, &CBombDlg::OnTrayIcon),
        OnMessage(TaskbarCreatedMessage(), &CBombDlg::OnTaskbarCreated),
        OnMessage(WM_COPYDATA, &CBombDlg::OnCopyData),
        OnCommand(IDC_ARM, &CBombDlg::OnArm),
        OnCommand(IDC_DISARM, &CBombDlg::OnDisarm),
        OnCommand(IDC_SETTINGS, &CBombDlg::OnSettings),
        OnCommand(IDC_RADIO1, &CBombDlg::ChooseSetting, 0),
        OnCommand(IDC_RADIO2, &CBombDlg::ChooseSetting, 1),
        OnCommand(IDC_RADIO3, &CBombDlg::ChooseSetting, 2),
        OnCommand(IDC_RADIO4, &CBombDlg::ChooseSetting, 3),
        OnCommand(IDC_RADIO5, &CBombDlg::ChooseSetting, 4),
        OnCommand(IDC_RADIO6, &CBombDlg::ChooseSetting, 5),
        OnCommand(IDC_INFO, &CBombDlg::OnInfo),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

void CBombDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ARMED_PICTURE, m_armedPicture);
    DDX_Control(pDX, IDC_RANGEBAR, m_rangeBar);
    DDX_Control(pDX, IDC_DISARM, m_disarmButton);
    DDX_Control(pDX, IDC_ARM, m_armButton);
    DDX_Radio(pDX, IDC_RADIO1, m_settings.CurrentSetting);
}

BOOL CBombDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_panicKey.reset(new PanicKey(m_hWnd));
    m_tray.reset(new TrayPresence(m_hWnd, m_hIcon));
    m_desktop.reset(new ControlBarDesktop(m_hWnd, m_facts, m_tray.get()));

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
    m_rangeBar.SetPos(0);
    m_armedPicture.ShowWindow(SW_HIDE);

    if (LoadSettingsFile(m_facts.ProgramFolder, m_settings) == LoadResult::Broken) {
        AfxMessageBox(kBrokenFileMessage, MB_OK | MB_ICONEXCLAMATION);
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }

    m_settings.ApplySetting(m_settings.CurrentSetting);
    RefreshAfterApply();
    SetRangeToSensitivity();
    ApplyTopmostState();

    StartExtras();
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

void CBombDlg::RefreshAfterApply() {
    int resource = PictureResourceOf(m_settings.Active.IconIndex);
    m_armedPicture.SetIcon(LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(resource)));
    UpdateData(false);
}

void CBombDlg::SetRangeToSensitivity() { m_rangeBar.SetRange(0, m_settings.Active.Sensitivity); }

void CBombDlg::ApplyTopmostState() { SetTopmost(m_settings.Active.NotTopmost != 1); }

LRESULT CBombDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        ShowInfoPanel(false);
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

LRESULT CBombDlg::OnTimer(WPARAM id, LPARAM) {
    if (id == TrayPresence::kRetryTimer)
        m_tray->OnRetryTimer();
    else
        Detonating([this] { m_monitor.Tick(Roles(), m_settings, &m_hiding); });
    return 0;
}

// However the program ends, nothing it hid stays hidden.
LRESULT CBombDlg::OnDestroy(WPARAM, LPARAM) {
    BringBack();
    MoveBar(BarEvent::Exit);
    LRESULT result = Default();
    m_monitor.OnDestroy(*this);
    return result;
}

// F1: no help viewer exists on a modern Windows; the information panel with
// its brief instructions stands in for a help file. F1 in one of our modal
// windows also ends up here, passed on to the owner; the control bar is
// disabled then, and a second panel is not opened over the first.
LRESULT CBombDlg::OnHelp(WPARAM, LPARAM) {
    if (IsWindowEnabled(m_hWnd)) OnInfo();
    return TRUE;
}

void CBombDlg::OnInfo() { ShowInfoPanel(true); }

// The "?" button and F1 take the bar, and so the panel it owns, out of the
// topmost band while the panel is open, when NotTopmost is 0; the system
// menu leaves the z-order alone.
void CBombDlg::ShowInfoPanel(bool leaveTopmostBand) {
    CInfoDlg dlg(m_facts.WindowsVersion);
    if (leaveTopmostBand && m_settings.Active.NotTopmost == 0) SetTopmost(false);
    dlg.DoModal();
    if (leaveTopmostBand && m_settings.Active.NotTopmost == 0) SetTopmost(true);
}

void CBombDlg::OnArm() {
    m_monitor.Arm(*this, m_settings);
    // Gone into the tray, the bar will not be in front for the first ticks
    // to take the resting cursor as the point movement is measured from: it
    // is taken now, before the bar goes.
    if (m_settings.Extra.TrayWhileArmed) m_monitor.TakeReference(*m_desktop);
    MoveBar(BarEvent::Arm);
}

void CBombDlg::MoveBar(BarEvent event) { m_tray->Move(event, m_settings.Extra.TrayWhileArmed); }

void CBombDlg::OnDisarm() {
    m_monitor.Disarm(*this);
    MoveBar(BarEvent::Disarm);
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
    RefreshAfterApply();
    SetRangeToSensitivity();
    ApplyTopmostState();
    if (!SaveSettingsFile(m_facts.ProgramFolder, m_settings)) {
        AfxMessageBox(kSaveFailedMessage, MB_OK | MB_ICONEXCLAMATION);
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
}

DesktopRoles CBombDlg::Roles() { return {*m_desktop, *this, *m_desktop}; }

INT_PTR CBombDlg::DoModalBelowBar(CDialog& dlg) {
    const bool topmost = m_settings.Active.NotTopmost == 0;
    if (topmost) SetTopmost(false);
    INT_PTR result = dlg.DoModal();
    if (topmost) SetTopmost(true);
    return result;
}

void CBombDlg::ChooseSetting(int n) {
    m_settings.ApplySetting(n);
    RefreshAfterApply();
    SetRangeToSensitivity();
}

// The controls as the trigger monitor and the detonation sequence use them.
void CBombDlg::SetRangePos(int32_t position) { m_rangeBar.SetPos(position); }
void CBombDlg::SetRangeMax(int32_t sensitivity) { m_rangeBar.SetRange(0, sensitivity); }
void CBombDlg::EnableArmButton(bool enable) {
    m_armButton.EnableWindow(enable);
    m_tray->SetArmed(!enable);
}
void CBombDlg::ShowArmedPicture(bool show) { m_armedPicture.ShowWindow(show ? SW_SHOW : SW_HIDE); }

bool CBombDlg::StartTimer() {
    m_timerId = SetTimer(m_hWnd, 1, 200, nullptr);
    return m_timerId != 0;
}

void CBombDlg::StopTimer() { KillTimer(m_hWnd, m_timerId); }
void CBombDlg::RefreshControls() { UpdateData(false); }
// A bar that is away stays away: minimised, it would show on the taskbar.
void CBombDlg::MinimizeControlBar() {
    if (m_tray->BarShown()) ShowWindow(SW_MINIMIZE);
}
void CBombDlg::HideControlBar() { MoveBar(BarEvent::HidingTookBar); }
void CBombDlg::ShowControlBar() { MoveBar(BarEvent::HidingGaveBack); }
void CBombDlg::SetControlBarTopmost(bool topmost) { SetTopmost(topmost); }

void CBombDlg::ShowIdleWarning(int32_t secondsLeft) { m_idleWarning.Show(secondsLeft); }
void CBombDlg::HideIdleWarning() { m_idleWarning.Hide(); }

void CBombDlg::ShowFinalMessage(const std::string& text) {
    MessageBoxW(m_hWnd, reinterpret_cast<const wchar_t*>(GbkToWide(text).c_str()), AfxGetApp()->AppName().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

// What a run that was killed had hidden comes back first; a hotkey another
// program holds is said once, and the program runs on without one.
void CBombDlg::StartExtras() {
    HiddenState left;
    if (LoadHiddenStateFile(m_facts.ProgramFolder, left) == RecordFound::Read) {
        m_hiding.Adopt(left);
        m_hiding.Restore(Roles());
    }
    m_settings.Extra = LoadExtraSettings(m_facts.ProgramFolder);
    if (!m_panicKey->Register(m_settings.Extra.Hotkey)) PanicKey::ShowTaken(m_settings.Extra.Hotkey);
}

// Bringing back works over any window of ours (a dialog, the blackout
// screen, the final message), the windows coming back behind it; a press
// that would set the bomb off is dropped while one is open. A press that
// comes in the middle of a detonation, while one of its actions lets
// messages through, is taken once the detonation is over.
LRESULT CBombDlg::OnHotKey(WPARAM id, LPARAM) {
    if (id != PanicKey::kId) return 0;
    if (m_detonating && IsWindowEnabled(m_hWnd))
        m_hotkeyWaiting = true;
    else
        TakeHotkey();
    return 0;
}

void CBombDlg::TakeHotkey() {
    if (m_hiding.Active())
        BringBack();
    else if (IsWindowEnabled(m_hWnd))
        Detonating([this] { m_monitor.DetonateNow(Roles(), m_settings, &m_hiding); });
}

// What waited is taken in the order it came, the hotkey first.
void CBombDlg::Detonating(const std::function<void()>& run) {
    m_detonating = true;
    run();
    m_detonating = false;
    if (m_hotkeyWaiting) {
        m_hotkeyWaiting = false;
        TakeHotkey();
    }
    while (!m_detonating && !m_requestsWaiting.empty()) {
        const CommandRequest next = m_requestsWaiting.front();
        m_requestsWaiting.erase(m_requestsWaiting.begin());
        CarryOut(next);
    }
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
    CExtraDlg dlg(m_settings.Extra, [this](const ExtraSettings& chosen) {
        return m_panicKey->PutInForce(chosen.Hotkey, m_settings.Extra.Hotkey);
    });
    if (DoModalBelowBar(dlg) != IDOK) return;
    m_settings.Extra = dlg.Chosen();
    if (!SaveExtraSettings(m_facts.ProgramFolder, m_settings.Extra))
        AfxMessageBox(kIniSaveFailed, MB_OK | MB_ICONEXCLAMATION);
}

// A left click is the disarm button; the right button opens the menu.
LRESULT CBombDlg::OnTrayIcon(WPARAM, LPARAM mouse) {
    if (!IsWindowEnabled(m_hWnd)) return 0;  // one of our modal windows is open
    if (mouse == WM_LBUTTONUP) OnDisarm();
    if (mouse == WM_RBUTTONUP || mouse == WM_CONTEXTMENU) ShowTrayMenu();
    return 0;
}

LRESULT CBombDlg::OnTaskbarCreated(WPARAM, LPARAM) {
    m_tray->OnTaskbarCreated();
    return 0;
}

// Once the menu and what was chosen from it are over, the window the armed
// bomb watched is in front again, and it watches it as before; on Windows
// the click on the icon has given the taskbar the front already. A user who
// has gone to another window of their own meanwhile stays there.
void CBombDlg::ShowTrayMenu() {
    const bool armed = !IsWindowEnabled(m_armButton.m_hWnd);
    const WindowId back = WindowToGiveBack(*m_desktop, armed ? m_monitor.LastWatched() : 0,
                                           reinterpret_cast<WindowId>(GetForegroundWindow()));
    switch (m_tray->TrackMenu(m_hiding.Active())) {
        case ID_TRAY_DISARM:
            OnDisarm();
            break;
        case ID_TRAY_BRING_BACK:
            BringBack();
            break;
        case ID_TRAY_SETTINGS:
            OnSettings();
            break;
        case ID_TRAY_INFO:
            ShowInfoPanel(false);
            break;
        case ID_TRAY_EXIT:
            PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            break;
    }
    if (!IsWatchableWindow(*m_desktop, reinterpret_cast<WindowId>(GetForegroundWindow())))
        m_tray->GiveForegroundBack(reinterpret_cast<HWND>(back));
}

// A request from the command line of a second start. Bringing back works
// over any window of ours, as the hotkey's does; what comes in the middle
// of a detonation, while one of its actions lets messages through, is
// carried out once it is over; the rest is refused while a dialog is open.
LRESULT CBombDlg::OnCopyData(WPARAM, LPARAM data) {
    CommandRequest request;
    if (!ReadRemoteRequest(reinterpret_cast<const COPYDATASTRUCT*>(data), request)) return FALSE;
    if (request.kind == CommandRequest::kRestore) {
        BringBack();
        return kRequestCarriedOut;
    }
    if (m_detonating) {
        m_requestsWaiting.push_back(request);
        return kRequestCarriedOut;
    }
    if (!IsWindowEnabled(m_hWnd)) return kRequestRefusedNow;
    // The detonation may end in a message: the caller need not wait for it.
    if (request.kind == CommandRequest::kDetonate) ReplyMessage(kRequestCarriedOut);
    CarryOut(request);
    return kRequestCarriedOut;
}

void CBombDlg::CarryOut(const CommandRequest& request) {
    switch (request.kind) {
        case CommandRequest::kDetonate:
            Detonating([this] { m_monitor.DetonateNow(Roles(), m_settings, &m_hiding); });
            break;
        case CommandRequest::kArm:
            if (!IsWindowEnabled(m_armButton.m_hWnd)) OnDisarm();
            ChooseSetting(request.setting);
            OnArm();
            break;
        case CommandRequest::kDisarm:
            OnDisarm();
            break;
        case CommandRequest::kShow:
            MoveBar(BarEvent::Show);
            if (IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
            SetForegroundWindow(m_hWnd);
            break;
        case CommandRequest::kExit:
            BringBack();
            PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            break;
        default:
            break;
    }
}
