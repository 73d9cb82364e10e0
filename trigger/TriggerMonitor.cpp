#include "trigger/TriggerMonitor.h"

#include "trigger/Detonation.h"
#include "trigger/IdleDecision.h"
#include "trigger/Targets.h"
#include "trigger/TickDecision.h"

// Arming again while armed (another setting from the command line) ends a
// warning that counts down.
void TriggerMonitor::Arm(BarControls& bar, BombSettings& settings) {
    EndWarning(bar);
    settings.ApplySetting(settings.CurrentSetting);
    bar.RefreshAfterApply();
    bar.SetRangeMax(settings.Active.Sensitivity);
    bar.EnableArmButton(false);
    bar.StartTimer();  // if it fails the monitor simply never ticks
    bar.ShowArmedPicture(true);
    m_settling = false;
    m_lastSeen = m_lastWatched = 0;
}

void TriggerMonitor::Disarm(BarControls& bar) {
    EndWarning(bar);
    bar.StopTimer();
    bar.EnableArmButton(true);
    bar.ShowArmedPicture(false);
    bar.SetRangePos(0);
}

void TriggerMonitor::OnDestroy(BarControls& bar) {
    EndWarning(bar);
    bar.StopTimer();
    bar.ShowArmedPicture(false);
}

// A warning on the screen would stay over what the detonation cleared.
void TriggerMonitor::DetonateNow(DesktopRoles desktop, const BombSettings& settings, Hiding* hiding) {
    EndWarning(desktop.bar);
    WindowId target = desktop.screen.ForegroundWindow();
    if (IsOwnWindow(desktop.screen, target)) target = 0;
    RunDetonation(desktop, settings.Active, target, settings.Extra, hiding);
}

void TriggerMonitor::EndWarning(BarControls& bar) {
    if (!m_warning) return;
    bar.HideIdleWarning();
    m_warning = false;
}

// The idle time only grows without input: a smaller one than when the
// warning appeared means somebody touched the computer.
bool TriggerMonitor::IdleFires(DesktopRoles desktop, const ExtraSettings& extra, WindowId foreground,
                               WindowId& target) {
    if (extra.IdleSeconds <= 0 && !m_warning) return false;
    IdleInputs in;
    in.idleSeconds = extra.IdleSeconds;
    in.warningSeconds = extra.IdleWarningSeconds;
    in.sinceInputMs = desktop.screen.SinceLastInputMs();
    in.warning = m_warning;
    in.inputSinceWarning = m_warning && in.sinceInputMs < m_idleAtWarning;
    in.sinceWarningMs = in.sinceInputMs - m_idleAtWarning;
    const IdleOutcome out = DecideIdle(in);
    switch (out.step) {
        case IdleOutcome::kWarn:
            m_warning = true;
            m_warningTarget = foreground;
            m_idleAtWarning = in.sinceInputMs;
            desktop.bar.ShowIdleWarning(out.secondsLeft);
            return false;
        case IdleOutcome::kCount:
            desktop.bar.ShowIdleWarning(out.secondsLeft);
            return false;
        case IdleOutcome::kCancel:
            EndWarning(desktop.bar);
            return false;
        case IdleOutcome::kFire:
            target = m_warning ? m_warningTarget : foreground;
            EndWarning(desktop.bar);
            return true;
        case IdleOutcome::kNothing:
            break;
    }
    return false;
}

void TriggerMonitor::Watch(ScreenState& screen, WindowId foreground, bool own) {
    if (foreground == m_lastSeen) return;
    m_lastSeen = foreground;
    if (!own && foreground != 0 && !IsSparedWindowClass(screen.WindowClassName(foreground))) m_lastWatched = foreground;
}

void TriggerMonitor::Tick(DesktopRoles desktop, BombSettings& settings, Hiding* hiding) {
    ActiveSettings& active = settings.Active;
    const WindowId foreground = desktop.screen.ForegroundWindow();
    const bool own = IsOwnWindow(desktop.screen, foreground);
    Watch(desktop.screen, foreground, own);

    // Over one of the program's own windows nothing fires, the idle time neither.
    WindowId idleTarget = 0;
    const bool warned = m_warning;
    const bool idleFires = !own && IdleFires(desktop, settings.Extra, foreground, idleTarget);
    if (own) EndWarning(desktop.bar);

    TickInputs in;
    in.ownWindow = own;
    in.cursor = desktop.screen.CursorPos();
    in.reference = m_reference;
    // While the warning shows, and until the movement that ended it has
    // come to rest, moving the mouse is how the user cancels it.
    in.sensitivity = warned || m_warning || m_settling ? kMouseTriggerOff : active.Sensitivity;
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
    // A hand's movement starts slowly: little travel while input still comes
    // is its start, not a rest. Rested: within the range, and no input for
    // most of a tick (200 ms).
    constexpr uint32_t kRestedMs = 150;
    if (warned || m_warning)
        m_settling = true;
    else if (m_settling && !MovedBeyond(in.reference, in.cursor, active.Sensitivity) &&
             desktop.screen.SinceLastInputMs() >= kRestedMs)
        m_settling = false;
    m_reference = out.reference;

    if (own) {
        desktop.bar.SetRangePos(0);
        return;
    }
    if (out.fires || idleFires) {
        // Only the active settings forget the scheduled time; arming restores it.
        if (out.clearTimerEnabled) active.TimerEnabled = 0;
        // Another trigger in the same tick fires at the window in front now.
        EndWarning(desktop.bar);
        RunDetonation(desktop, active, out.fires ? foreground : idleTarget, settings.Extra, hiding);
        return;
    }
    desktop.bar.SetRangePos(out.rangePos);
    desktop.bar.RefreshControls();
}
