#include "framework/Wnd.h"

#include <vector>

namespace {

struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(window, GW_OWNER) == search->owner) search->found.push_back(window);
    return TRUE;
}

}  // namespace

void CWnd::SetTopmost(bool topmost) const {
    // A window out of sight is not made the active one: started armed into
    // the notification area, the bar must leave the window in front there.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (IsWindowVisible(m_hWnd) ? 0 : SWP_NOACTIVATE);
    ::SetWindowPos(m_hWnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (!topmost || (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;

    // Wine lifts the window's own pop-ups (the tooltip) into the topmost band
    // first and files the window just below them, where it stays out of the
    // band unless another topmost window follows. With its pop-ups unowned
    // for the moment the move takes, as it does on Windows at once.
    OwnedSearch search = {m_hWnd, {}};
    EnumThreadWindows(GetWindowThreadProcessId(m_hWnd, nullptr), CollectOwned, reinterpret_cast<LPARAM>(&search));
    for (HWND w : search.found) SetWindowLongPtrW(w, GWLP_HWNDPARENT, 0);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    for (HWND w : search.found) SetWindowLongPtrW(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWnd));
}
