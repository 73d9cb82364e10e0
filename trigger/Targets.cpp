#include "trigger/Targets.h"

#include "trigger/TickDecision.h"

// "#32769" is the desktop window itself, which Wine may report in front; the
// last two are the taskbar's overflow of icons (Windows 10, Windows 11).
bool IsSparedWindowClass(std::string_view className) {
    return className == "Progman" || className == "WorkerW" || className == "Shell_TrayWnd" ||
           className == "Shell_SecondaryTrayWnd" || className == "#32769" || className == "NotifyIconOverflowWindow" ||
           className == "TopLevelWindowForOverflowXamlIsland";
}

bool IsOwnWindow(ScreenState& screen, WindowId window) {
    return window != 0 && (screen.IsControlBar(window) || IsOwnTitle(screen.WindowTitle(window)));
}

bool IsWatchableWindow(ScreenState& screen, WindowId window) {
    return window != 0 && !IsOwnWindow(screen, window) && !IsSparedWindowClass(screen.WindowClassName(window));
}

WindowId WindowToGiveBack(ScreenState& screen, WindowId lastWatched, WindowId beforeMenu) {
    if (lastWatched != 0 && screen.WindowProcess(lastWatched) != 0) return lastWatched;
    return IsWatchableWindow(screen, beforeMenu) ? beforeMenu : 0;
}
