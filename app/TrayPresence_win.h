#pragma once
// Where the control bar is: on the screen, or away with VEXAL's icon in the
// notification area standing in for it, and the icon's menu. It answers the
// icon's messages, the shell's restart and its own retry timer itself; what
// is chosen from the menu reaches the bar as a command.
#include <windows.h>

#include "app/BarPresence.h"
#include "app/TrayIcon_win.h"
#include "trigger/Desktop.h"

class Hiding;
class TriggerMonitor;

class TrayPresence {
public:
    // The menu offers bringing back while `hiding` holds something; once it
    // has closed, the window `monitor` last watched has the front again.
    TrayPresence(HWND bar, HICON icon, const TriggerMonitor& monitor, const Hiding& hiding)
        : m_bar(bar), m_icon(icon), m_monitor(monitor), m_hiding(hiding) {}

    // Shows or hides the bar and the icon after `event`. The bar goes away
    // only where the icon can stand in for it.
    void Move(BarEvent event, bool trayWhileArmed);
    bool BarShown() const { return m_presence.BarShown(); }
    // The icon's tooltip says which.
    void SetArmed(bool armed);
    bool Armed() const { return m_armed; }

    // The icon's messages, the shell's restart and the retry timer; false
    // for any other message.
    bool Handle(ScreenState& screen, UINT message, WPARAM wParam, LPARAM lParam);
    // The bar is away yet the foreground window, its menu closed: it stands
    // for no window at all, so that the armed bomb still watches.
    bool OutOfSightInFront() const;

private:
    const wchar_t* Tip() const;
    void Show(bool shown) const;
    // The shell restarted: the icon is offered again, and again on the retry
    // timer for a while; then the bar comes back.
    void OnTaskbarCreated();
    void OnRetryTimer();
    // A left click is the disarm command; the right button opens the menu.
    void OnIcon(ScreenState& screen, LPARAM mouse);
    // Opens the menu at the cursor; the command chosen, 0 for none.
    UINT TrackMenu();
    void GiveForegroundBack(HWND window) const;

    HWND m_bar;
    HICON m_icon;
    const TriggerMonitor& m_monitor;
    const Hiding& m_hiding;
    BarPresence m_presence;
    TrayIcon m_trayIcon;
    bool m_armed = false;
    int m_retriesLeft = 0;
    bool m_inMenu = false;
};
