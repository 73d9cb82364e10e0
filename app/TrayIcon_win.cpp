#include "app/TrayIcon_win.h"

#include <shellapi.h>

#include "base/SystemLibrary_win.h"

namespace {

constexpr UINT kIconId = 1;

// The shell is loaded on first use, not at start-up.
bool Notify(DWORD message, NOTIFYICONDATAW& data) {
    using Fn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    auto notify = SystemFunction<Fn>(L"shell32.dll", "Shell_NotifyIconW");
    return notify && notify(message, &data);
}

NOTIFYICONDATAW DataFor(HWND owner) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = kIconId;
    return data;
}

}  // namespace

bool TrayIcon::Add(HWND owner, HICON icon, const wchar_t* tip) {
    m_owner = owner;
    m_asked = true;
    NOTIFYICONDATAW data = DataFor(m_owner);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    lstrcpynW(data.szTip, tip, sizeof data.szTip / sizeof data.szTip[0]);
    // A refused add may still have put the icon there (the shell answered
    // late, or it was there already): a change it accepts says it is.
    m_shown = Notify(NIM_ADD, data) || Notify(NIM_MODIFY, data);
    return m_shown;
}

void TrayIcon::Remove() {
    if (!m_asked) return;
    NOTIFYICONDATAW data = DataFor(m_owner);
    Notify(NIM_DELETE, data);
    m_asked = m_shown = false;
}

void TrayIcon::SetTip(const wchar_t* tip) {
    if (!m_shown) return;
    NOTIFYICONDATAW data = DataFor(m_owner);
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, tip, sizeof data.szTip / sizeof data.szTip[0]);
    Notify(NIM_MODIFY, data);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}
