#pragma once
// The narrow interfaces through which the trigger monitor and the detonation
// sequence reach the desktop, one per role. The control bar implements them
// over Win32; the tests with a recording fake, so that the order of every
// step can be checked without a desktop.
#include <cstdint>
#include <string>
#include <vector>

#include "actions/SystemActions.h"
#include "trigger/ProgramList.h"

using WindowId = uintptr_t;  // a window handle; 0 is none

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// A visible top-level window and what the hiding needs to know of it.
struct TopWindow {
    WindowId window = 0;
    uint32_t process = 0;
    std::string className;
    uint64_t processCreated = 0;  // the process's creation time (FILETIME), 0 where unknown
};

// A window VEXAL hid, with the process it belonged to: a handle alone could
// by then name another program's new window.
struct HiddenWindow {
    WindowId window = 0;
    uint32_t process = 0;
    uint64_t processCreated = 0;  // FILETIME; 0 in a record of an older version
    bool operator==(const HiddenWindow& o) const {
        return window == o.window && process == o.process && processCreated == o.processCreated;
    }
};

// What is hidden, front window first, and the sound to give back.
struct HiddenState {
    std::vector<HiddenWindow> windows;
    SavedSound sound;  // kNothing: the sound was not touched
    // The window that was the target, active again once back; 0: the front
    // one (a record of the version before); kNoTarget: none went, only the
    // listed programs, and none of theirs takes the front.
    static constexpr WindowId kNoTarget = ~WindowId{0};
    WindowId target = 0;
    // The password's verifier in force when they were hidden, as VEXAL.ini
    // held it: only its password brings them back. Empty: none.
    std::string verifier;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay& o) const { return hour == o.hour && minute == o.minute && second == o.second; }
};

// What a tick reads.
class ScreenState {
public:
    virtual ~ScreenState() = default;
    virtual WindowId ForegroundWindow() = 0;
    virtual std::string WindowTitle(WindowId window) = 0;      // code page 936 bytes, at most 511
    virtual std::string WindowClassName(WindowId window) = 0;  // empty for none
    virtual bool IsControlBar(WindowId window) = 0;
    virtual ScreenPoint CursorPos() = 0;
    virtual bool ShiftDown() = 0;
    virtual int32_t ScreenWidth() = 0;
    virtual int32_t ScreenHeight() = 0;
    virtual TimeOfDay LocalNow() = 0;
    virtual TimeOfDay LocalTimeOf(int32_t seconds) = 0;
    // The visible top-level windows of the window's process (none for 0)
    // and of every running program whose file name `alsoHide` matches, all
    // in stacking order, front first; never the program's own.
    virtual std::vector<TopWindow> ProcessWindows(WindowId window, const ProgramPatterns& alsoHide) = 0;
    virtual uint32_t WindowProcess(WindowId window) = 0;  // 0 once the window is gone
    // Milliseconds since the last keyboard or mouse input anywhere in the
    // session (not only the program's); read only where the idle trigger is on.
    virtual uint32_t SinceLastInputMs() = 0;
    // The creation time (FILETIME) of the window's process, which tells it
    // from a later process that got the same id; 0 where it cannot be read.
    virtual uint64_t ProcessCreated(WindowId window) = 0;
};

// What the control bar shows and does with itself.
class BarControls {
public:
    virtual ~BarControls() = default;
    virtual void SetRangePos(int32_t position) = 0;
    virtual void SetRangeMax(int32_t sensitivity) = 0;
    virtual void EnableArmButton(bool enable) = 0;
    virtual void ShowArmedPicture(bool show) = 0;
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;
    virtual void RefreshControls() = 0;    // the control bar's fields into its controls
    virtual void RefreshAfterApply() = 0;  // armed picture from IconIndex, then RefreshControls
    virtual void MinimizeControlBar() = 0;
    virtual void HideControlBar() = 0;
    virtual void ShowControlBar() = 0;
    virtual void SetControlBarTopmost(bool topmost) = 0;
    virtual void ShowFinalMessage(const std::string& text) = 0;  // modal, captioned with the application name
    // The idle warning in front of everything, without taking the focus.
    virtual void ShowIdleWarning(int32_t secondsLeft) = 0;
    virtual void HideIdleWarning() = 0;
};

// What the detonation does to the rest of the system.
class SystemEffects {
public:
    virtual ~SystemEffects() = default;
    // The target window.
    virtual void MinimizeWindow(WindowId window) = 0;
    virtual void PostClose(WindowId window) = 0;
    // The system actions.
    virtual void PlaySound(int32_t soundType) = 0;
    virtual void MuteWave() = 0;
    virtual void HangUpDialUp() = 0;
    virtual void ClearRecentDocs() = 0;
    virtual void EmptyRecycleBin() = 0;
    virtual void Blackout() = 0;
    virtual void ScreenSaver() = 0;  // aimed at the control bar
    virtual void ShutDown() = 0;     // with the control bar's WindowsVersion
    virtual void RunProgram(const std::string& path) = 0;
    virtual void LockWorkStation() = 0;
    // Hiding instead of closing.
    virtual void HideWindow(WindowId window) = 0;
    // Each shown without activation on top of the ones before, so that the
    // old stacking order comes back.
    virtual void ShowHiddenWindows(const std::vector<WindowId>& bottomFirst) = 0;
    virtual void ActivateWindow(WindowId window) = 0;
    virtual SavedSound ReadSound() = 0;
    virtual void Silence(const SavedSound& sound) = 0;
    virtual void RestoreSound(const SavedSound& sound) = 0;
    // The record that outlives the program, so a later start can bring
    // back what a killed one had hidden.
    virtual void SaveHiddenState(const HiddenState& state) = 0;
    virtual void ForgetHiddenState() = 0;
};

// All three roles in one, as the tests' recording fake plays them, so that
// one ordered list holds every call.
class Desktop : public ScreenState, public BarControls, public SystemEffects {};

// The three roles as a tick or a detonation reaches them: the control bar
// hands in its desktop adapter for the screen and the system, and itself
// for the bar.
struct DesktopRoles {
    ScreenState& screen;
    BarControls& bar;
    SystemEffects& system;
    DesktopRoles(ScreenState& s, BarControls& b, SystemEffects& e) : screen(s), bar(b), system(e) {}
    DesktopRoles(Desktop& all) : screen(all), bar(all), system(all) {}  // NOLINT: one fake plays every role
};
