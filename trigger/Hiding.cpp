#include "trigger/Hiding.h"

#include <algorithm>

#include "trigger/Detonation.h"

// "#32769" is the desktop window itself, which Wine may report in front.
bool IsSparedWindowClass(std::string_view className) {
    return IsShellWindowClass(className) || className == "Shell_SecondaryTrayWnd" || className == "#32769";
}

namespace {

// The window is still the one hidden: its process has the id and the
// creation time it had then (a record of the version before has no time).
bool StillTheHiddenWindow(ScreenState& screen, const HiddenWindow& w) {
    return w.process != 0 && screen.WindowProcess(w.window) == w.process &&
           (w.processCreated == 0 || screen.ProcessCreated(w.window) == w.processCreated);
}

}  // namespace

bool Hiding::Active() const {
    return !m_state.windows.empty() || m_state.sound.kind != SavedSound::kNothing || m_barHidden;
}

void Hiding::HideTarget(DesktopRoles desktop, WindowId target, bool silence) {
    if (target == 0) return;
    std::vector<HiddenWindow> added;
    for (const TopWindow& w : desktop.screen.ProcessWindows(target)) {
        const HiddenWindow hidden = {w.window, w.process};
        if (IsSparedWindowClass(w.className)) continue;
        if (std::find(m_state.windows.begin(), m_state.windows.end(), hidden) != m_state.windows.end()) continue;
        added.push_back(hidden);
    }
    if (added.empty()) return;

    // The newly hidden were in front of those hidden before.
    HiddenState next = m_state;
    next.windows.insert(next.windows.begin(), added.begin(), added.end());
    const bool silenceNow = silence && next.sound.kind == SavedSound::kNothing;
    if (silenceNow) next.sound = desktop.system.ReadSound();
    desktop.system.SaveHiddenState(next);
    if (silenceNow) desktop.system.Silence(next.sound);
    for (const HiddenWindow& w : added) desktop.system.HideWindow(w.window);
    m_state = next;
}

void Hiding::HideBar(BarControls& bar) {
    bar.HideControlBar();
    m_barHidden = true;
}

void Hiding::Restore(DesktopRoles desktop) {
    if (m_barHidden) desktop.bar.ShowControlBar();
    std::vector<WindowId> back;
    for (const HiddenWindow& w : m_state.windows)
        if (StillTheHiddenWindow(desktop.screen, w)) back.push_back(w.window);
    for (auto w = back.rbegin(); w != back.rend(); ++w) desktop.system.ShowHiddenWindow(*w);
    if (!back.empty()) desktop.system.ActivateWindow(back.front());
    if (m_state.sound.kind != SavedSound::kNothing) desktop.system.RestoreSound(m_state.sound);
    desktop.system.ForgetHiddenState();
    m_state = HiddenState();
    m_barHidden = false;
}
