#pragma once
// The narrow interface through which the trigger monitor and the detonation
// sequence reach the desktop. The control bar implements it over Win32; the
// tests implement it with a recording fake, so that the order of every step
// can be checked without a desktop.
#include <cstdint>
#include <string>

using WindowId = uintptr_t;  // a window handle; 0 is none

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay& o) const {
        return hour == o.hour && minute == o.minute && second == o.second;
    }
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // What a tick reads.
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

    // The control bar's controls.
    virtual void SetRangePos(int32_t position) = 0;
    virtual void SetRangeMax(int32_t sensitivity) = 0;
    virtual void EnableArmButton(bool enable) = 0;
    virtual void ShowArmedPicture(bool show) = 0;
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;
    virtual void RefreshControls() = 0;    // the control bar's fields into its controls
    virtual void RefreshAfterApply() = 0;  // armed picture from IconIndex, then RefreshControls
    virtual void MinimizeControlBar() = 0;
    virtual void SetControlBarTopmost(bool topmost) = 0;
    virtual void ShowFinalMessage(const std::string& text) = 0;  // modal, captioned with the application name

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
    virtual void ScreenSaver() = 0;   // aimed at the control bar
    virtual void ShutDown() = 0;      // with the control bar's WindowsVersion
    virtual void RunProgram(const std::string& path) = 0;
};
