#include "trigger/Detonation.h"

#include "trigger/Hiding.h"

namespace {

// A switch is on only when it is exactly 1.
bool On(int32_t value) { return value == 1; }

void ActOnTarget(Desktop& desktop, const ActiveSettings& active, WindowId target, const ExtraSettings& extra,
                 Hiding* hiding) {
    if (active.NoDetonation != 0 || target == 0) return;
    if (IsShellWindowClass(desktop.WindowClassName(target))) return;
    if (extra.HideInsteadOfClose && hiding)
        hiding->HideTarget(desktop, target, extra.MuteWhileHidden);
    else if (On(active.MinimizeTarget))
        desktop.MinimizeWindow(target);
    else
        desktop.PostClose(target);
}

void RunFinalAction(Desktop& desktop, const ActiveSettings& active) {
    // With NotTopmost on, the control bar is put back among the ordinary
    // windows once the modal final actions (blackout, message) are over.
    const bool notTopmost = On(active.NotTopmost);
    switch (active.FinalAction) {
    case kFinalBlackout:
        desktop.Blackout();
        if (notTopmost) desktop.SetControlBarTopmost(false);
        break;
    case kFinalScreenSaver:
        desktop.ScreenSaver();
        break;
    case kFinalShutDown:
        desktop.ShutDown();
        break;
    case kFinalRunProgram:
        desktop.RunProgram(active.FinalProgram);
        break;
    case kFinalMessage:
        // The box is owned by the control bar: lift the bar so the box shows in front.
        if (notTopmost) desktop.SetControlBarTopmost(true);
        desktop.ShowFinalMessage(active.FinalMessage);
        if (notTopmost) desktop.SetControlBarTopmost(false);
        break;
    default:
        break;
    }
}

}  // namespace

bool IsShellWindowClass(std::string_view className) {
    return className == "Progman" || className == "WorkerW" || className == "Shell_TrayWnd";
}

void RunDetonation(Desktop& desktop, const ActiveSettings& active, WindowId target, const ExtraSettings& extra,
                   Hiding* hiding) {
    const bool hide = extra.HideInsteadOfClose && hiding;
    desktop.SetRangePos(active.Sensitivity);
    // Stopped before anything can open a window, so no tick re-enters.
    desktop.StopTimer();
    desktop.ShowArmedPicture(false);

    ActOnTarget(desktop, active, target, extra, hiding);

    if (On(active.PlaySound)) desktop.PlaySound(active.SoundType);
    if (On(active.MuteWave)) desktop.MuteWave();
    if (On(active.HangUpDialUp)) desktop.HangUpDialUp();
    // A minimised bar still shows on the taskbar; hiding leaves no trace.
    if (On(active.HideSelf)) {
        if (hide)
            hiding->HideBar(desktop);
        else
            desktop.MinimizeControlBar();
    }
    if (On(active.ClearRecentDocs)) desktop.ClearRecentDocs();
    if (On(active.EmptyRecycleBin)) desktop.EmptyRecycleBin();

    RunFinalAction(desktop, active);
    if (extra.LockAfterDetonation) desktop.LockWorkStation();

    desktop.EnableArmButton(true);
    desktop.SetRangePos(0);
}
