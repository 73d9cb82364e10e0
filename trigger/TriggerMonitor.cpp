#include "trigger/TriggerMonitor.h"

#include "trigger/Detonation.h"
#include "trigger/TickDecision.h"

void TriggerMonitor::Arm(BarControls& bar, BombSettings& settings) {
    settings.ApplySetting(settings.CurrentSetting);
    bar.RefreshAfterApply();
    bar.SetRangeMax(settings.Active.Sensitivity);
    bar.EnableArmButton(false);
    bar.StartTimer();  // if it fails the monitor simply never ticks
    bar.ShowArmedPicture(true);
}

void TriggerMonitor::Disarm(BarControls& bar) {
    bar.StopTimer();
    bar.EnableArmButton(true);
    bar.ShowArmedPicture(false);
    bar.SetRangePos(0);
}

void TriggerMonitor::OnDestroy(BarControls& bar) {
    bar.StopTimer();
    bar.ShowArmedPicture(false);
}

namespace {

// No foreground window counts as a foreign one with an empty title.
bool IsOwnWindow(ScreenState& screen, WindowId window) {
    return window != 0 && (screen.IsControlBar(window) || IsOwnTitle(screen.WindowTitle(window)));
}

}  // namespace

void TriggerMonitor::DetonateNow(DesktopRoles desktop, const BombSettings& settings, Hiding* hiding) {
    WindowId target = desktop.screen.ForegroundWindow();
    if (IsOwnWindow(desktop.screen, target)) target = 0;
    RunDetonation(desktop, settings.Active, target, settings.Extra, hiding);
}

void TriggerMonitor::Tick(DesktopRoles desktop, BombSettings& settings, Hiding* hiding) {
    ActiveSettings& active = settings.Active;
    const WindowId foreground = desktop.screen.ForegroundWindow();
    const bool own = IsOwnWindow(desktop.screen, foreground);

    TickInputs in;
    in.ownWindow = own;
    in.cursor = desktop.screen.CursorPos();
    in.reference = m_reference;
    in.sensitivity = active.Sensitivity;
    in.timerEnabled = active.TimerEnabled;
    in.edgeFlags = active.EdgeFlags;

    const TickReads reads = ReadsNeeded(in);
    if (reads.shift) in.shiftDown = desktop.screen.ShiftDown();
    if (reads.screenWidth) in.screenWidth = desktop.screen.ScreenWidth();
    if (reads.screenHeight) in.screenHeight = desktop.screen.ScreenHeight();
    if (reads.clock) {
        in.now = desktop.screen.LocalNow();
        in.detonationTime = desktop.screen.LocalTimeOf(active.DetonationTime);
    }

    const TickOutcome out = DecideTick(in);
    m_reference = out.reference;

    if (own) {
        desktop.bar.SetRangePos(0);
        return;
    }
    if (out.fires) {
        // Only the active settings forget the scheduled time; arming restores it.
        if (out.clearTimerEnabled) active.TimerEnabled = 0;
        RunDetonation(desktop, active, foreground, settings.Extra, hiding);
        return;
    }
    desktop.bar.SetRangePos(out.rangePos);
    desktop.bar.RefreshControls();
}
