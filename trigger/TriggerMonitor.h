#pragma once
// The trigger monitor of the control bar: arming, disarming and the 200 ms
// tick that decides when the bomb goes off. It is armed while the control
// bar's timer runs; there is no armed flag of its own.
#include "settings/SettingRecord.h"
#include "trigger/Desktop.h"

class Hiding;

class TriggerMonitor {
public:
    // Reapplies the setting number in force, so TimerEnabled is restored.
    void Arm(BarControls& bar, BombSettings& settings);
    // Harmless while disarmed.
    void Disarm(BarControls& bar);
    // The control bar is being destroyed.
    void OnDestroy(BarControls& bar);
    // One timer message; runs the detonation sequence when a trigger holds.
    void Tick(DesktopRoles desktop, BombSettings& settings, Hiding* hiding = nullptr);
    // The hotkey: the detonation sequence at once against the window in
    // front, armed or not; never against one of the program's own windows.
    void DetonateNow(DesktopRoles desktop, const BombSettings& settings, Hiding* hiding);

    // Movement is measured from where the cursor is now.
    void TakeReference(ScreenState& screen) { m_reference = screen.CursorPos(); }

    // The last window the armed bomb watched in front (neither VEXAL's own
    // nor the shell's); 0 before the first since arming.
    WindowId LastWatched() const { return m_lastWatched; }

private:
    // The idle trigger's part of a tick: true when it sets the bomb off,
    // against `target`.
    bool IdleFires(DesktopRoles desktop, const ExtraSettings& extra, WindowId foreground, WindowId& target);
    void EndWarning(BarControls& bar);
    // Notes the window in front; its class is read only when it changed.
    void Watch(ScreenState& screen, WindowId foreground, bool own);

    // The cursor position of the last tick that did not fire; (0, 0) at start.
    ScreenPoint m_reference;
    // The movement that cancelled the warning may last longer than a tick:
    // the mouse trigger waits until the pointer has rested for one.
    bool m_settling = false;
    WindowId m_lastSeen = 0;
    WindowId m_lastWatched = 0;
    // The idle warning while it shows: the window in front when it
    // appeared, and the idle time then, which input sets back.
    bool m_warning = false;
    WindowId m_warningTarget = 0;
    uint32_t m_idleAtWarning = 0;
};
