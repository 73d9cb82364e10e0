#pragma once
// The detonation sequence: what the bomb does when a tick fires.
#include "settings/SettingRecord.h"
#include "trigger/Desktop.h"

class Hiding;

// The final actions, by the value of FinalAction; any other value does nothing.
enum FinalActionKind : int32_t {
    kFinalNothing = 0,
    kFinalBlackout = 1,
    kFinalScreenSaver = 2,
    kFinalShutDown = 3,
    kFinalRunProgram = 4,
    kFinalMessage = 5,
};

// Runs the whole sequence on `target`, the window in front at the firing
// tick (0 for none), and leaves the control bar disarmed. Changes nothing
// in the settings. With the extra settings' defaults (no VEXAL.ini) it is
// the sequence alone; hiding instead of closing needs `hiding`.
void RunDetonation(DesktopRoles desktop, const ActiveSettings& active, WindowId target,
                   const ExtraSettings& extra = ExtraSettings(), Hiding* hiding = nullptr);
