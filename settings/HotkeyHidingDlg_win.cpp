#include "settings/HotkeyHidingDlg_win.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/PasswordCheck_win.h"
#include "settings/PasswordVerifier.h"

namespace {

const ToolText kTooltips[] = {
    {IDC_EXTRA_HOTKEY, L"在这里按下要用作热键的组合键，也可以只用一个键，例如Pause或F12"},
    {IDC_EXTRA_WIN, L"热键同时需要按住Windows键"},
    {IDC_EXTRA_CLEAR, L"不使用热键"},
    {IDC_EXTRA_HIDE, L"爆炸时隐藏活动窗口和同一程序的其他窗口，不关闭也不最小化；再按热键即可恢复"},
    {IDC_EXTRA_MUTE, L"窗口隐藏期间关闭所有声音，窗口恢复时声音也恢复原状"},
    {IDC_EXTRA_LOCK, L"爆炸后的处理全部完成后锁定计算机"},
    {IDC_EXTRA_TRAY, L"准备爆弹后隐藏VEXAL，只在通知区域显示图标；单击图标放弃爆弹，右击显示菜单"},
    {IDC_EXTRA_ALSO_HIDE,
     L"爆炸时这些程序的窗口也和活动窗口一起隐藏。用分号隔开程序的文件名，可用*和?，例如 QQ.exe;chrome*.exe。"
     L"只在钩选“隐藏窗口而不关闭”时有效"},
    {IDC_EXTRA_IDLE_MINUTES, L"准备期间键盘和鼠标无人操作这么久，就先警告再爆炸；0分0秒为不使用"},
    {IDC_EXTRA_IDLE_SECONDS, L"准备期间键盘和鼠标无人操作这么久，就先警告再爆炸；0分0秒为不使用"},
    {IDC_EXTRA_IDLE_WARNING, L"爆炸前在屏幕中央倒数的秒数（0至60），期间任何操作都会取消；0为不警告直接爆炸"},
    {IDC_EXTRA_OLD_PASSWORD, L"已经设置了密码时，更改或删除密码需要先在这里输入旧密码"},
    {IDC_EXTRA_NEW_PASSWORD, L"新密码；旧密码正确而新密码留空，则删除密码。三栏都空着，密码不变"},
    {IDC_EXTRA_NEW_PASSWORD_AGAIN, L"再输入一次新密码"},
    {IDOK, L"保存设置并关闭对话框"},
    {IDCANCEL, L"放弃设置"},
};

const wchar_t kPasswordsDiffer[] = L"两次输入的新密码不一样，请重新输入。";
const wchar_t kOldPasswordNeeded[] = L"更改或删除密码需要先输入旧密码。";
const wchar_t kOldPasswordWrong[] = L"旧密码不对。";
const wchar_t kPasswordNotMade[] = L"无法设置密码：系统的加密功能不可用。";
constexpr int kPasswordMaxChars = 127;
const int kPasswordFields[] = {IDC_EXTRA_OLD_PASSWORD, IDC_EXTRA_NEW_PASSWORD, IDC_EXTRA_NEW_PASSWORD_AGAIN};

// The three password fields as typed, wiped when they go; the fields
// themselves are emptied once read.
struct TypedPasswords {
    wchar_t text[3][kPasswordMaxChars + 1] = {};
    int length[3] = {};
    explicit TypedPasswords(HWND dialog) {
        for (int i = 0; i < 3; ++i) {
            length[i] = GetDlgItemTextW(dialog, kPasswordFields[i], text[i], kPasswordMaxChars + 1);
            SetDlgItemTextW(dialog, kPasswordFields[i], L"");
        }
    }
    ~TypedPasswords() { SecureZeroMemory(text, sizeof text); }
    TypedPasswords(const TypedPasswords&) = delete;
    TypedPasswords& operator=(const TypedPasswords&) = delete;
    bool NewOnesAgree() const {
        return length[1] == length[2] &&
               SameBytes(reinterpret_cast<const uint8_t*>(text[1]), reinterpret_cast<const uint8_t*>(text[2]),
                         sizeof(wchar_t) * static_cast<size_t>(length[1]));
    }
};

// A long list, far below VEXAL.ini's size limit.
constexpr int kAlsoHideMaxChars = 2000;

const wchar_t kIdleRefused[] = L"空闲时间须为0（不使用）或10秒至24小时。";
const wchar_t kWarningRefused[] = L"爆炸前警告须为0至60秒。";

const wchar_t kKeyRefused[] = L"这个键不能用作热键，请另选一个。";
const wchar_t kTypingKeyRefused[] =
    L"打字用的键（字母、数字、空格等）不能单独用作热键，否则打字时就会触发。请同时按住Ctrl或Alt，或者改用F1至F24、Pause"
    L"等键。";

// The hotkey control's modifier flags and RegisterHotKey's, pair by pair.
const struct {
    BYTE control;
    uint32_t modifier;
} kModifierPairs[] = {{HOTKEYF_SHIFT, kModShift}, {HOTKEYF_CONTROL, kModCtrl}, {HOTKEYF_ALT, kModAlt}};

// The keys of the cursor block, which the control tells from the number
// pad's by the extended flag.
bool IsCursorBlockKey(uint32_t key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
}

// VEXAL.ini is UTF-8: the list goes to and from the control as UTF-16, and
// comes back without the spaces around it.
void ExchangeUtf8(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->Control(id);
    if (!pDX->m_bSaveAndValidate) {
        std::wstring wide(value.size() + 1, L'\0');
        int n = MultiByteToWideChar(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), &wide[0],
                                    static_cast<int>(wide.size()));
        wide.resize(n > 0 ? n : 0);
        SetWindowTextW(control, wide.c_str());
        return;
    }
    std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    wide.resize(GetWindowTextW(control, &wide[0], static_cast<int>(wide.size())));
    const size_t first = wide.find_first_not_of(L" \t");
    wide = first == std::wstring::npos ? L"" : wide.substr(first, wide.find_last_not_of(L" \t") - first + 1);
    value.assign(wide.size() * 3, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &value[0],
                                static_cast<int>(value.size()), nullptr, nullptr);
    value.resize(n > 0 ? n : 0);
}

void ExchangeSwitch(CDataExchange* pDX, int id, bool& value) {
    int32_t on = value ? 1 : 0;
    DDX_Check(pDX, id, on);
    if (pDX->m_bSaveAndValidate) value = on == 1;
}

}  // namespace

CHotkeyHidingDlg::CHotkeyHidingDlg(const ExtraSettings& extra, std::function<bool(const ExtraSettings&)> apply)
    : CDialog(IDD_EXTRA), m_extra(extra), m_apply(std::move(apply)) {}

const MessageMap* CHotkeyHidingDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        OnCommand(IDC_EXTRA_CLEAR, &CHotkeyHidingDlg::OnClear),
        OnCommand(IDC_EXTRA_HIDE, &CHotkeyHidingDlg::EnableProgramList),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

void CHotkeyHidingDlg::DoDataExchange(CDataExchange* pDX) {
    Hotkey& hotkey = m_extra.Hotkey;
    HWND control = pDX->Control(IDC_EXTRA_HOTKEY);
    if (pDX->m_bSaveAndValidate) {
        WORD value = LOWORD(::SendMessageW(control, HKM_GETHOTKEY, 0, 0));
        hotkey.key = LOBYTE(value);
        hotkey.modifiers = 0;
        for (const auto& pair : kModifierPairs)
            if (HIBYTE(value) & pair.control) hotkey.modifiers |= pair.modifier;
    } else {
        BYTE flags = IsCursorBlockKey(hotkey.key) ? HOTKEYF_EXT : 0;
        for (const auto& pair : kModifierPairs)
            if (hotkey.modifiers & pair.modifier) flags |= pair.control;
        ::SendMessageW(control, HKM_SETHOTKEY, MAKEWORD(hotkey.key, flags), 0);
    }
    bool win = (hotkey.modifiers & kModWin) != 0;
    ExchangeSwitch(pDX, IDC_EXTRA_WIN, win);
    if (pDX->m_bSaveAndValidate && win) hotkey.modifiers |= kModWin;
    ExchangeSwitch(pDX, IDC_EXTRA_HIDE, m_extra.HideInsteadOfClose);
    ExchangeSwitch(pDX, IDC_EXTRA_MUTE, m_extra.MuteWhileHidden);
    ExchangeSwitch(pDX, IDC_EXTRA_LOCK, m_extra.LockAfterDetonation);
    ExchangeSwitch(pDX, IDC_EXTRA_TRAY, m_extra.TrayWhileArmed);
    ExchangeUtf8(pDX, IDC_EXTRA_ALSO_HIDE, m_extra.AlsoHide);
    ExchangeIdle(pDX);
}

// VEXAL.ini keeps seconds; the dialog shows minutes and seconds. A value
// out of range is refused at OK with its reason (the framework tells it and
// focuses the field).
void CHotkeyHidingDlg::ExchangeIdle(CDataExchange* pDX) {
    if (!pDX->m_bSaveAndValidate) {
        SetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_MINUTES, m_extra.IdleSeconds / 60, FALSE);
        SetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_SECONDS, m_extra.IdleSeconds % 60, FALSE);
        SetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_WARNING, m_extra.IdleWarningSeconds, FALSE);
        return;
    }
    BOOL minutesRead = FALSE, secondsRead = FALSE, warningRead = FALSE;
    const UINT minutes = GetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_MINUTES, &minutesRead, FALSE);
    const UINT seconds = GetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_SECONDS, &secondsRead, FALSE);
    const UINT warning = GetDlgItemInt(m_hWnd, IDC_EXTRA_IDLE_WARNING, &warningRead, FALSE);
    const uint64_t idle = uint64_t{minutes} * 60 + seconds;
    if (!minutesRead || !secondsRead || (idle != 0 && (idle < 10 || idle > 86400))) {
        pDX->Fail(IDC_EXTRA_IDLE_MINUTES, kIdleRefused);
        return;
    }
    if (!warningRead || warning > 60) {
        pDX->Fail(IDC_EXTRA_IDLE_WARNING, kWarningRefused);
        return;
    }
    m_extra.IdleSeconds = static_cast<int32_t>(idle);
    m_extra.IdleWarningSeconds = static_cast<int32_t>(warning);
}

BOOL CHotkeyHidingDlg::OnInitDialog() {
    // Keys such as Pause and F12 may stand alone; a typing key alone is
    // refused at OK with its reason, rather than changed by the control.
    SendDlgItemMessageW(m_hWnd, IDC_EXTRA_HOTKEY, HKM_SETRULES, 0, 0);
    CDialog::OnInitDialog();
    SendDlgItemMessageW(m_hWnd, IDC_EXTRA_ALSO_HIDE, EM_LIMITTEXT, kAlsoHideMaxChars, 0);
    for (int field : kPasswordFields) SendDlgItemMessageW(m_hWnd, field, EM_LIMITTEXT, kPasswordMaxChars, 0);
    EnableProgramList();
    CenterWindow();
    m_toolTip.CreateWithTools(this, kTooltips);
    return TRUE;
}

void CHotkeyHidingDlg::OnOK() {
    if (!UpdateData(true)) return;
    Hotkey& hotkey = m_extra.Hotkey;
    if (hotkey.key == 0) hotkey.modifiers = 0;  // modifiers alone are no hotkey
    if (IsTypingKeyAlone(hotkey) || (!IsNameableKey(hotkey.key) && hotkey.key != 0)) {
        AfxMessageBox(IsTypingKeyAlone(hotkey) ? kTypingKeyRefused : kKeyRefused, MB_OK | MB_ICONEXCLAMATION);
        ::SetFocus(GetDlgItem(IDC_EXTRA_HOTKEY));
        return;
    }
    if (!TakePassword()) return;
    if (m_apply && !m_apply(m_extra)) {
        ::SetFocus(GetDlgItem(IDC_EXTRA_HOTKEY));
        return;
    }
    EndDialog(IDOK);
}

// All three empty leave the password as it is. Setting one where none is
// takes the new one twice; changing or removing one (the new ones empty)
// takes the old one too. A line that cannot be read counts as a password.
bool CHotkeyHidingDlg::TakePassword() {
    const TypedPasswords typed(m_hWnd);
    if (typed.length[0] == 0 && typed.length[1] == 0 && typed.length[2] == 0) return true;
    const wchar_t* refused = nullptr;
    int field = IDC_EXTRA_NEW_PASSWORD;
    PasswordVerifier read;
    const bool set = ReadVerifier(m_extra.Password, read) != PasswordState::None;
    if (!typed.NewOnesAgree()) {
        refused = kPasswordsDiffer;
    } else if (set && typed.length[0] == 0) {
        refused = kOldPasswordNeeded;
        field = IDC_EXTRA_OLD_PASSWORD;
    } else if (set && !PasswordMatches(typed.text[0], static_cast<size_t>(typed.length[0]), m_extra.Password)) {
        refused = kOldPasswordWrong;
        field = IDC_EXTRA_OLD_PASSWORD;
    }
    std::string verifier;
    if (!refused && typed.length[1] > 0) {
        verifier = MakeVerifier(typed.text[1], static_cast<size_t>(typed.length[1]));
        if (verifier.empty()) refused = kPasswordNotMade;
    }
    if (refused) {
        AfxMessageBox(refused, MB_OK | MB_ICONEXCLAMATION);
        ::SetFocus(GetDlgItem(field));
        return false;
    }
    m_extra.Password = verifier;
    return true;
}

// The list counts only where windows are hidden, not closed.
void CHotkeyHidingDlg::EnableProgramList() {
    const BOOL hiding = IsDlgButtonChecked(m_hWnd, IDC_EXTRA_HIDE) == BST_CHECKED;
    ::EnableWindow(GetDlgItem(IDC_EXTRA_ALSO_HIDE), hiding);
    ::EnableWindow(GetDlgItem(IDC_EXTRA_ALSO_HIDE_LABEL), hiding);
}

void CHotkeyHidingDlg::OnClear() {
    SendDlgItemMessageW(m_hWnd, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, 0, 0);
    SendDlgItemMessageW(m_hWnd, IDC_EXTRA_WIN, BM_SETCHECK, BST_UNCHECKED, 0);
}
