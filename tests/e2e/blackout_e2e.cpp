// The blackout screen from the outside, shown by a detonation whose final
// action is the black screen.
#include <windows.h>

#include "tests/e2e/ControlBarDriver.h"

namespace {

// A stand-in taskbar where the shell has none (a bare Wine): a visible window
// of the taskbar's class that the blackout screen finds, hides and restores.
class StandInTaskbar {
public:
    StandInTaskbar() {
        m_own = FindWindowA("Shell_TrayWnd", nullptr);
        if (m_own) {
            ShowWindow(m_own, SW_SHOWNA);
            m_own = nullptr;
            return;
        }
        m_own = CreateTaskbarStandIn(L"Shell_TrayWnd", 740, 28);
    }
    ~StandInTaskbar() {
        if (m_own) DestroyWindow(m_own);
    }
    static bool Visible() { return IsWindowVisible(FindWindowA("Shell_TrayWnd", nullptr)) != FALSE; }

private:
    HWND m_own = nullptr;
};

bool CursorShowing() {
    CURSORINFO ci = {};
    ci.cbSize = sizeof ci;
    return GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

// Sensitivity 20, the black screen as the final action, not topmost.
BombSettings BlackoutSettings() {
    BombSettings s = WithSensitivity(20);
    SetPreset(s, 0, Preset::FinalAction, 1);
    SetPreset(s, 0, Preset::NotTopmost, 1);
    return s;
}

// Arms, sets the bomb off and returns the black window.
HWND Detonate(const ControlBar& b, TargetWindow& target) {
    b.Arm(target);
    SetCursorPos(700, 400);
    return b.WaitWindow(L"", 3000);
}

}  // namespace

E2E_CASE(blackout_covers_and_ignores_keys) {
    StandInTaskbar taskbar;
    ControlBar b(BlackoutSettings());
    TargetWindow target(L"Blackout target");
    if (!Check(b.Start(), "the control bar appears")) return;
    bool cursorBefore = CursorShowing();
    HWND black = Detonate(b, target);
    if (!Check(black != nullptr, "the blackout window appears")) return;
    RECT r;
    GetWindowRect(black, &r);
    HDC dc = GetDC(black);
    int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(black, dc);
    Check(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h, "it covers the screen at the size its DC reports",
          std::to_string(r.right) + "x" + std::to_string(r.bottom));
    Check(IsTopmost(black), "it is topmost");
    Check(WindowText(black).empty(), "its title is empty");
    Check(!StandInTaskbar::Visible(), "the taskbar is hidden");
    Check(target.CloseRequests() == 1, "the target was closed first");
    SaveScreenshot("blackout-screen");
    HDC screen = GetDC(nullptr);
    COLORREF centre = GetPixel(screen, w / 2, h / 2);
    ReleaseDC(nullptr, screen);
    Check(centre == RGB(0, 0, 0), "the screen is black");

    const UINT keys[] = {VK_ESCAPE, VK_RETURN, VK_SPACE, 'A', 'Q'};
    for (UINT key : keys) {
        PostMessageW(black, WM_KEYDOWN, key, 0);
        PostMessageW(black, WM_KEYUP, key, 0xC0000000);
    }
    PostMessageW(black, WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_MBUTTONDOWN, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_MBUTTONUP, 0, MAKELPARAM(100, 100));
    SetCursorPos(10, 10);
    SetCursorPos(900, 600);
    Check(!WaitFor([&] { return !IsWindow(black) || !IsWindowVisible(black); }, 800),
          "keys, right and middle clicks and movement leave it black (watched for 800 ms)");
    Check(b.Armed(), "the detonation waits for it");

    MouseClick(black);
    Check(WaitFor([&] { return !IsWindow(black); }), "a left click closes it");
    Check(WaitFor([&] { return b.Disarmed(); }), "and the detonation goes on to disarm");
    Check(StandInTaskbar::Visible(), "the taskbar is back");
    if (!cursorBefore)
        Skip("the cursor is back", "this display reports no cursor to other processes");
    else
        Check(WaitFor(CursorShowing), "the cursor is back");
    Check(!IsTopmost(b.Handle()), "NotTopmost 1 puts the control bar back among ordinary windows");
    SaveScreenshot("after-blackout");
}

E2E_CASE(blackout_restores_on_every_close) {
    StandInTaskbar taskbar;
    ControlBar b(BlackoutSettings());
    TargetWindow target(L"Blackout target");
    if (!Check(b.Start(), "the control bar appears")) return;
    struct Way {
        const char* name;
        void (*close)(HWND);
    };
    const Way ways[] = {
        {"Alt+F4", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"a close request from outside", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"a left click", [](HWND w) { MouseClick(w); }},
    };
    bool cursorBefore = CursorShowing();
    for (const Way& way : ways) {
        target.Activate();
        HWND black = Detonate(b, target);
        if (!Check(black != nullptr, way.name)) return;
        Check(!StandInTaskbar::Visible(), "the taskbar is hidden while it shows");
        way.close(black);
        std::string what = std::string("closed by ") + way.name + ", it is gone and the bar disarmed";
        Check(WaitFor([&] { return !IsWindow(black) && b.Disarmed(); }), what.c_str());
        what = std::string("the taskbar is back after ") + way.name;
        Check(WaitFor(StandInTaskbar::Visible), what.c_str());
        if (cursorBefore) {
            what = std::string("the cursor is back after ") + way.name;
            Check(WaitFor(CursorShowing), what.c_str());
        }
    }
}
