#pragma once
// Every id the control bar's window hands out, in one list, so that a new
// timer or command cannot take one that is in use: its timers, its hotkey,
// its notification-area message and the commands that the icon's menu and
// the command line send it besides those of its controls and menus.
#include <windows.h>

enum BarTimer : UINT_PTR {
    kTickTimer = 1,       // the trigger monitor's 200 ms tick
    kTrayRetryTimer = 2,  // the icon offered again after the shell restarted
};

enum BarHotkey : int {
    kPanicHotkey = 1,
};

// The shell tells the bar of clicks on its icon with this message, the mouse
// message in lParam.
constexpr UINT kTrayMessage = WM_APP + 1;

// Commands besides the controls' and the icon menu's (res/resource.h).
enum BarCommand : UINT {
    kDetonateCommand = 40101,  // the bomb off now, against the window in front
};
