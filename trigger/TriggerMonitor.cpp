#include "trigger/TriggerMonitor.h"

#include "trigger/Detonation.h"
#include "trigger/TickDecision.h"

void TriggerMonitor::Arm(Desktop& desktop, BombSettings& settings) {
    settings.ApplySetting(settings.CurrentSetting);
    desktop.RefreshAfterApply();
    desktop.SetRangeMax(settings.Active.Sensitivity);
    desktop.EnableArmButton(false);
    desktop.StartTimer();  // if it fails the monitor simply never ticks
    desktop.ShowArmedPicture(true);
}

void TriggerMonitor::Disarm(Desktop& desktop) {
    desktop.StopTimer();
    desktop.EnableArmButton(true);
    desktop.ShowArmedPicture(false);
    desktop.SetRangePos(0);
}

void TriggerMonitor::OnDestroy(Desktop& desktop) {
    desktop.StopTimer();
    desktop.ShowArmedPicture(false);
}

void TriggerMonitor::Tick(Desktop& desktop, BombSettings& settings) {
    ActiveSettings& active = settings.Active;
    const WindowId foreground = desktop.ForegroundWindow();

    // No foreground window counts as a foreign one with an empty title.
    const bool own = foreground != 0 &&
                     (desktop.IsControlBar(foreground) || IsOwnTitle(desktop.WindowTitle(foreground)));

    TickInputs in;
    in.ownWindow = own;
    in.cursor = desktop.CursorPos();
    in.reference = m_reference;
    in.sensitivity = active.Sensitivity;
    in.timerEnabled = active.TimerEnabled;
    in.edgeFlags = active.EdgeFlags;

    const TickReads reads = ReadsNeeded(in);
    if (reads.shift) in.shiftDown = desktop.ShiftDown();
    if (reads.screenWidth) in.screenWidth = desktop.ScreenWidth();
    if (reads.screenHeight) in.screenHeight = desktop.ScreenHeight();
    if (reads.clock) {
        in.now = desktop.LocalNow();
        in.detonationTime = desktop.LocalTimeOf(active.DetonationTime);
    }

    const TickOutcome out = DecideTick(in);
    m_reference = out.reference;

    if (own) {
        desktop.SetRangePos(0);
        return;
    }
    if (out.fires) {
        // Only the active settings forget the scheduled time; arming restores it.
        if (out.clearTimerEnabled) active.TimerEnabled = 0;
        RunDetonation(desktop, active, foreground);
        return;
    }
    desktop.SetRangePos(out.rangePos);
    desktop.RefreshControls();
}
