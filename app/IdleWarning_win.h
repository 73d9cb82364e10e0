#pragma once
// The idle trigger's warning: a small window in front of everything, in the
// middle of the primary screen, counting down the seconds left. It never
// takes the focus from the window in front.
#include <windows.h>

#include "base/Scoped_win.h"

class IdleWarning {
public:
    IdleWarning() = default;
    ~IdleWarning();
    IdleWarning(const IdleWarning&) = delete;
    IdleWarning& operator=(const IdleWarning&) = delete;

    // Shows the window, or only its new count when it shows already.
    void Show(int secondsLeft);
    void Hide();

private:
    HWND m_window = nullptr;
    ScopedGdiObject<HFONT> m_font;
};
