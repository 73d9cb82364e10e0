#include "trigger/Detonation.h"

#include "trigger/Hiding.h"
#include "trigger/Targets.h"

namespace {

// A switch is on only when it is exactly 1.
bool On(int32_t value) { return value == 1; }

// `hider` is set when hiding takes the place of closing and minimising.
// The programs listed to go along are hidden with the target, never closed,
// and go whatever is in front: the desktop, the taskbar or nothing.
void ActOnTarget(DesktopRoles desktop, const ActiveSettings& active, WindowId target, Hiding* hider,
                 const ExtraSettings& extra) {
    if (active.NoDetonation != 0) return;
    if (target != 0 && IsSparedWindowClass(desktop.screen.WindowClassName(target))) target = 0;
    if (hider)
        hider->HideTarget(desktop, target, extra.MuteWhileHidden, ParseProgramList(extra.AlsoHide), extra.Password);
    else if (target == 0)
        return;
    else if (On(active.MinimizeTarget))
        desktop.system.MinimizeWindow(target);
    else
        desktop.system.PostClose(target);
}

void RunFinalAction(DesktopRoles desktop, const ActiveSettings& active) {
    // With NotTopmost on, the control bar is put back among the ordinary
    // windows once the modal final actions (blackout, message) are over.
    const bool notTopmost = On(active.NotTopmost);
    switch (active.FinalAction) {
        case kFinalBlackout:
            desktop.system.Blackout();
            if (notTopmost) desktop.bar.SetControlBarTopmost(false);
            break;
        case kFinalScreenSaver:
            desktop.system.ScreenSaver();
            break;
        case kFinalShutDown:
            desktop.system.ShutDown();
            break;
        case kFinalRunProgram:
            desktop.system.RunProgram(active.FinalProgram);
            break;
        case kFinalMessage:
            // The box is owned by the control bar: lift the bar so the box shows in front.
            if (notTopmost) desktop.bar.SetControlBarTopmost(true);
            desktop.bar.ShowFinalMessage(active.FinalMessage);
            if (notTopmost) desktop.bar.SetControlBarTopmost(false);
            break;
        default:
            break;
    }
}

}  // namespace

void RunDetonation(DesktopRoles desktop, const ActiveSettings& active, WindowId target, const ExtraSettings& extra,
                   Hiding* hiding) {
    Hiding* const hider = extra.HideInsteadOfClose ? hiding : nullptr;
    desktop.bar.SetRangePos(active.Sensitivity);
    // Stopped before anything can open a window, so no tick re-enters.
    desktop.bar.StopTimer();
    desktop.bar.ShowArmedPicture(false);

    ActOnTarget(desktop, active, target, hider, extra);

    if (On(active.PlaySound)) desktop.system.PlaySound(active.SoundType);
    if (On(active.MuteWave)) desktop.system.MuteWave();
    if (On(active.HangUpDialUp)) desktop.system.HangUpDialUp();
    // A minimised bar still shows on the taskbar; hiding leaves no trace.
    if (On(active.HideSelf)) {
        if (hider)
            hider->HideBar(desktop.bar);
        else
            desktop.bar.MinimizeControlBar();
    }
    if (On(active.ClearRecentDocs)) desktop.system.ClearRecentDocs();
    if (On(active.EmptyRecycleBin)) desktop.system.EmptyRecycleBin();

    RunFinalAction(desktop, active);
    if (extra.LockAfterDetonation) desktop.system.LockWorkStation();

    desktop.bar.EnableArmButton(true);
    desktop.bar.SetRangePos(0);
}
