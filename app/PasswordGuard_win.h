#pragma once
// Where the control bar asks for VEXAL's password: the messages that would
// bring hidden windows back, disarm, open the settings, show the bar from
// the notification area or end VEXAL go no further unless it is given.
// Whatever protects (hiding, arming, detonating) passes at once.
#include <windows.h>

#include <string>

#include "app/PasswordRules.h"
#include "settings/ExtraSettings.h"
#include "trigger/Hiding.h"

class TrayPresence;

class PasswordGuard {
public:
    PasswordGuard(const ExtraSettings& extra, const Hiding& hiding, const TrayPresence& tray)
        : m_extra(extra), m_hiding(hiding), m_tray(tray) {}

    // True when the message is to go no further: the password was asked
    // for and not given.
    bool Stops(UINT message, WPARAM wParam, LPARAM lParam);
    // Whether `request` needs the password now.
    bool WouldAsk(Request request) const;
    // Asks where `request` needs the password; true when given or not needed.
    bool Allows(Request request);
    // Whether the last message stopped, once: the command line answers so.
    bool TakeRefusal();
    // Hidden windows come back at the end only where nothing needs asking,
    // or the end was granted for the password they were hidden under.
    bool EndMayBringBack() const;

private:
    // What brings hidden windows back asks for the password they were
    // hidden under, else the one in force now.
    const std::string& VerifierFor(Request request) const;

    const ExtraSettings& m_extra;
    const Hiding& m_hiding;
    const TrayPresence& m_tray;
    PasswordThrottle m_throttle;
    bool m_asking = false;
    bool m_refused = false;
    bool m_exitGranted = false;
};
