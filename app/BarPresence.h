#pragma once
// Whether the control bar is on the screen and VEXAL's icon in the
// notification area. Two things take the bar away: VEXAL.ini's
// TrayWhileArmed while armed (the icon stands in for it), and hiding with
// HideSelf until the hidden windows come back. A detonation in the tray
// leaves the bar away and the icon there, so that whoever set it off sees
// nothing; only a disarm from the icon brings the bar back.
// Show: the bar asked into sight, armed or not.
enum class BarEvent { Arm, Disarm, Show, HidingTookBar, HidingGaveBack, Exit };

struct BarPresence {
    bool inTray = false;      // armed (or detonated) with TrayWhileArmed on
    bool hiddenAway = false;  // hidden with the target's windows
    bool BarShown() const { return !inTray && !hiddenAway; }
    bool IconShown() const { return inTray; }
    bool operator==(const BarPresence& o) const { return inTray == o.inTray && hiddenAway == o.hiddenAway; }
};

BarPresence BarAfter(BarPresence now, BarEvent event, bool trayWhileArmed);
