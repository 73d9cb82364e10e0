#pragma once
// The panic hotkey: registered on the control bar's window, which then gets
// WM_HOTKEY with kPanicHotkey; a key another program holds is said once.
#include <windows.h>

#include "app/BarIds_win.h"
#include "settings/HotkeyText.h"

class PanicKey {
public:
    explicit PanicKey(HWND owner) : m_owner(owner) {}
    ~PanicKey() { UnregisterHotKey(m_owner, kPanicHotkey); }
    PanicKey(const PanicKey&) = delete;
    PanicKey& operator=(const PanicKey&) = delete;

    // Puts `hotkey` in force in place of any other (key 0: none). False,
    // with none in force, when another program holds it.
    bool Register(const Hotkey& hotkey);
    // As Register, telling the user when the key is taken; `inForce` then stays.
    bool PutInForce(const Hotkey& chosen, const Hotkey& inForce);
    static void ShowTaken(const Hotkey& hotkey);

private:
    HWND m_owner;
};
