#pragma once
// VEXAL's icon in the notification area, standing in for the control bar
// while the bar is away. The shell tells the owner window of clicks by
// kTrayMessage, with the mouse message in lParam.
#include <windows.h>

#include "app/BarIds_win.h"

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Also after the shell restarted, when the icon it had is gone. False
    // when there is no notification area to take it.
    bool Add(HWND owner, HICON icon, const wchar_t* tip);
    // Removes the icon whenever it was asked for: the shell may add it and
    // still report a failure when it answers late.
    void Remove();
    bool Shown() const { return m_shown; }
    void SetTip(const wchar_t* tip);

private:
    HWND m_owner = nullptr;
    bool m_asked = false;
    bool m_shown = false;
};

// The message the shell sends every top-level window when it (re)starts.
UINT TaskbarCreatedMessage();
