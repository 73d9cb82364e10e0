#include "app/PanicKey_win.h"

#include <string>

#include "framework/WinApp.h"

namespace {

// Held down, a key repeats; this flag (Windows 7 on) keeps the repeats from
// bringing back what the first press hid. Older systems refuse it.
constexpr UINT kModNoRepeat = 0x4000;

}  // namespace

bool PanicKey::Register(const Hotkey& hotkey) {
    UnregisterHotKey(m_owner, kPanicHotkey);
    if (hotkey.key == 0) return true;
    if (RegisterHotKey(m_owner, kPanicHotkey, hotkey.modifiers | kModNoRepeat, hotkey.key)) return true;
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
           RegisterHotKey(m_owner, kPanicHotkey, hotkey.modifiers, hotkey.key);
}

bool PanicKey::PutInForce(const Hotkey& chosen, const Hotkey& inForce) {
    if (Register(chosen)) return true;
    ShowTaken(chosen);
    Register(inForce);
    return false;
}

void PanicKey::ShowTaken(const Hotkey& hotkey) {
    const std::string name = FormatHotkey(hotkey);  // ASCII
    const std::wstring text = L"热键 " + std::wstring(name.begin(), name.end()) + L" 已被其他程序占用，请另选一个。";
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}
