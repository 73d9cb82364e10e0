#pragma once
// Where the control bar is: on the screen, or away with VEXAL's icon in the
// notification area standing in for it, and the icon's menu. The bar owns
// one and runs what is chosen from the menu.
#include <windows.h>

#include "app/TrayIcon.h"
#include "trigger/BarPresence.h"

class TrayPresence {
public:
    // The timer the bar passes on to OnRetryTimer.
    static constexpr UINT_PTR kRetryTimer = 2;

    TrayPresence(HWND bar, HICON icon) : m_bar(bar), m_icon(icon) {}

    // Shows or hides the bar and the icon after `event`. The bar goes away
    // only where the icon can stand in for it.
    void Move(BarEvent event, bool trayWhileArmed);
    bool BarShown() const { return m_presence.BarShown(); }
    // The icon's tooltip says which.
    void SetArmed(bool armed);

    // The shell restarted: the icon is offered again, and again on the retry
    // timer for a while; then the bar comes back.
    void OnTaskbarCreated();
    void OnRetryTimer();

    // Opens the icon's menu at the cursor; the command chosen, 0 for none.
    UINT TrackMenu(bool canBringBack);
    // Once the bar has run the command: `window` is in front again, while
    // the bar is still away and `window` in sight.
    void GiveForegroundBack(HWND window) const;
    // The bar is away yet the foreground window, its menu closed: it stands
    // for no window at all, so that the armed bomb still watches.
    bool OutOfSightInFront() const;

private:
    const wchar_t* Tip() const;
    void Show(bool shown) const;

    HWND m_bar;
    HICON m_icon;
    BarPresence m_presence;
    TrayIcon m_trayIcon;
    bool m_armed = false;
    int m_retriesLeft = 0;
    bool m_inMenu = false;
};
