#include "app/BarPresence.h"

BarPresence BarAfter(BarPresence now, BarEvent event, bool trayWhileArmed) {
    switch (event) {
        case BarEvent::Arm:
            now.inTray = now.inTray || trayWhileArmed;
            break;
        case BarEvent::Disarm:  // the user asked for the bar: nothing keeps it away
        case BarEvent::Show:
            now = BarPresence();
            break;
        case BarEvent::Exit:
            now.inTray = false;
            break;
        case BarEvent::HidingTookBar:
            now.hiddenAway = true;
            break;
        case BarEvent::HidingGaveBack:
            now.hiddenAway = false;
            break;
    }
    return now;
}
