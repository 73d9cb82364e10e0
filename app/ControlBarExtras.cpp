// The control bar beyond its six setting numbers: VEXAL.ini, the panic
// hotkey, and bringing hidden windows back whenever they should come back.
#include <string>

#include "app/BombDlg.h"
#include "app/ControlBarDesktop.h"
#include "app/HiddenStateFile.h"
#include "framework/WinApp.h"
#include "settings/ExtraDlg.h"
#include "settings/ExtraSettingsFile.h"

namespace {

constexpr int kHotkeyId = 1;
// Held down, a key repeats; this flag (Windows 7 on) keeps the repeats from
// bringing back what the first press hid. Older systems refuse it.
constexpr UINT kModNoRepeat = 0x4000;

const wchar_t kIniSaveFailed[] = L"无法保存VEXAL.ini，新的设置只在本次运行中有效。";

void ShowPanicKeyTaken(const Hotkey& hotkey) {
    const std::string name = FormatHotkey(hotkey);  // ASCII
    const std::wstring text = L"热键 " + std::wstring(name.begin(), name.end()) + L" 已被其他程序占用，请另选一个。";
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

UINT BringBackMessage() {
    static const UINT message = RegisterWindowMessageW(L"VEXAL.BringBackHidden");
    return message;
}

// What a run that was killed had hidden comes back first; a hotkey another
// program holds is said once, and the program runs on without one.
void CBombDlg::StartExtras() {
    HiddenState left;
    if (LoadHiddenStateFile(ProgramFolder(), left)) {
        m_hiding.Adopt(left);
        m_hiding.Restore(*m_desktop);
    }
    m_settings.Extra = LoadExtraSettings(ProgramFolder());
    if (!RegisterPanicKey(m_settings.Extra.Hotkey)) ShowPanicKeyTaken(m_settings.Extra.Hotkey);
}

bool CBombDlg::RegisterPanicKey(const Hotkey& hotkey) {
    UnregisterHotKey(m_hWnd, kHotkeyId);
    if (hotkey.key == 0) return true;
    if (RegisterHotKey(m_hWnd, kHotkeyId, hotkey.modifiers | kModNoRepeat, hotkey.key)) return true;
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
           RegisterHotKey(m_hWnd, kHotkeyId, hotkey.modifiers, hotkey.key);
}

bool CBombDlg::PutPanicKeyInForce(const Hotkey& hotkey) {
    if (RegisterPanicKey(hotkey)) return true;
    ShowPanicKeyTaken(hotkey);
    RegisterPanicKey(m_settings.Extra.Hotkey);  // the one in force stays
    return false;
}

// While one of the program's own modal windows is open (a dialog, the
// blackout screen, the final message) the bar is disabled and the key waits.
LRESULT CBombDlg::OnHotKey(WPARAM id, LPARAM) {
    if (id != kHotkeyId || !IsWindowEnabled(m_hWnd)) return 0;
    if (m_hiding.Active())
        m_hiding.Restore(*m_desktop);
    else
        m_monitor.DetonateNow(*m_desktop, m_settings, &m_hiding);
    return 0;
}

// The session ends: the process may be gone right after this returns.
LRESULT CBombDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending) BringBack();
    return 0;
}

LRESULT CBombDlg::OnBringBack(WPARAM, LPARAM) {
    BringBack();
    return 0;
}

void CBombDlg::BringBack() {
    if (m_hiding.Active()) m_hiding.Restore(*m_desktop);
}

// OK has put the hotkey in force already; the file is written afterwards.
void CBombDlg::OnExtraSettings() {
    CExtraDlg dlg;
    dlg.m_extra = m_settings.Extra;
    dlg.m_apply = [this](const ExtraSettings& chosen) { return PutPanicKeyInForce(chosen.Hotkey); };
    if (DoModalBelowBar(dlg) != IDOK) return;
    m_settings.Extra = dlg.m_extra;
    if (!SaveExtraSettings(ProgramFolder(), m_settings.Extra))
        AfxMessageBox(kIniSaveFailed, MB_OK | MB_ICONEXCLAMATION);
}
