#pragma once
// Which windows a detonation acts on, decided in one place: the window in
// front, unless it is one of VEXAL's own or the shell's; and in hide mode
// the programs listed to go with it, whatever is in front.
#include <string_view>

#include "trigger/Desktop.h"

// The windows no detonation acts on, whether it closes, minimises or hides:
// the desktop window, the shell's desktop and every taskbar with its
// overflow of icons. A close request
// there offers to shut Windows down; hiding them leaves the user stranded.
bool IsSparedWindowClass(std::string_view className);

// The control bar, or a window whose title begins with "VEXAL". No window
// (0) is not one of them.
bool IsOwnWindow(ScreenState& screen, WindowId window);

// A window the bomb watches: neither VEXAL's own nor the shell's, nor none.
bool IsWatchableWindow(ScreenState& screen, WindowId window);

// The window that has the front again once the icon's menu has closed: the
// last window the armed bomb watched in front, while it still exists (on
// Windows the click on the icon has already given the taskbar the front);
// else the one in front when the menu opened, if the bomb may watch it.
// 0: none.
WindowId WindowToGiveBack(ScreenState& screen, WindowId lastWatched, WindowId beforeMenu);
