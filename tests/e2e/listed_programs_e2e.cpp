// VEXAL.ini's AlsoHide from the outside: two listed programs behind the
// window in front go out of sight with it in hide mode and come back in
// their order; outside hide mode they are never touched.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "tests/e2e/ControlBarDriver.h"

namespace {

// The given windows as they stand in the z-order, top first.
std::vector<HWND> Stacking(const std::vector<HWND>& windows) {
    std::vector<HWND> order;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (std::find(windows.begin(), windows.end(), w) != windows.end()) order.push_back(w);
    return order;
}

}  // namespace

E2E_CASE(listed_programs_hide_with_the_window_in_front) {
    WindowProgram music(L"listedmusic.exe");
    WindowProgram chat(L"listedchat.exe");
    WindowProgram unlisted;
    if (!Check(music.Started() && chat.Started() && unlisted.Started(), "three window programs run")) return;
    for (const bool hide : {false, true}) {
        const std::string ini = std::string("[Extra]\r\nHotkey=F12\r\nAlsoHide=LISTEDCHAT.exe; listed?usic.*\r\n") +
                                "HideInsteadOfClose=" + (hide ? "1" : "0") + "\r\n";
        ControlBar p({DefaultSettings(), ini});
        if (!Check(p.Start(), "VEXAL starts with two programs listed")) return;
        music.ActivateFront();
        chat.ActivateFront();
        TargetWindow front(L"In front of the listed");
        front.Activate();
        const std::vector<HWND> before =
            Stacking({front.Handle(), chat.Front(), chat.Back(), music.Front(), music.Back()});
        p.PostHotkey();
        if (!hide) {
            Check(WaitFor([&] { return front.CloseRequests() == 1; }),
                  "outside hide mode the window in front is closed");
            Check(!WaitFor([&] { return !(chat.BothShown() && music.BothShown() && unlisted.BothShown()); }, 1000),
                  "and the listed programs are untouched (watched for 1 s)");
            continue;
        }
        Check(
            WaitFor([&] { return !IsWindowVisible(front.Handle()) && chat.BothHidden() && music.BothHidden(); }, 8000),
            "in hide mode the listed programs' windows go with the window in front");
        Check(unlisted.BothShown() && front.CloseRequests() == 0, "nothing else is hidden, nothing closed");
        p.PostHotkey();
        Check(WaitFor([&] { return IsWindowVisible(front.Handle()) && chat.BothShown() && music.BothShown(); }, 8000),
              "the hotkey brings all back");
        Check(WaitFor([&] { return GetForegroundWindow() == front.Handle(); }) && Stacking(before) == before,
              "in their old order, the window in front active");
    }
}
