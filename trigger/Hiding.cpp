#include "trigger/Hiding.h"

#include <algorithm>

#include "trigger/Detonation.h"

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

// Every visible window of the process goes, also one hidden before that its
// program has since shown again by itself; the record keeps each once, the
// ones hidden now in front. Recorded first, so that a kill at any later
// point loses nothing; silenced last, so that the windows go first.
void Hiding::HideTarget(DesktopRoles desktop, WindowId target, bool silence, const ProgramPatterns& alsoHide) {
    if (target == 0) return;
    std::vector<HiddenWindow> shown;
    for (const TopWindow& w : desktop.screen.ProcessWindows(target, alsoHide))
        if (!IsSparedWindowClass(w.className)) shown.push_back({w.window, w.process, w.processCreated});
    if (shown.empty()) return;

    HiddenState next;
    next.windows = shown;
    for (const HiddenWindow& w : m_state.windows)
        if (std::find(shown.begin(), shown.end(), w) == shown.end()) next.windows.push_back(w);
    next.sound = m_state.sound;
    const bool silenceNow = silence && next.sound.kind == SavedSound::kNothing;
    if (silenceNow) next.sound = desktop.system.ReadSound();
    desktop.system.SaveHiddenState(next);
    for (const HiddenWindow& w : shown) desktop.system.HideWindow(w.window);
    if (silenceNow) desktop.system.Silence(next.sound);
    m_state = next;
}

void Hiding::HideBar(BarControls& bar) {
    bar.HideControlBar();
    m_barHidden = true;
}

void Hiding::Restore(DesktopRoles desktop) {
    if (m_barHidden) desktop.bar.ShowControlBar();
    m_barHidden = false;
    RestoreWindows(desktop.screen, desktop.system);
}

void Hiding::RestoreWindows(ScreenState& screen, SystemEffects& system) {
    std::vector<WindowId> back;
    for (const HiddenWindow& w : m_state.windows)
        if (StillTheHiddenWindow(screen, w)) back.push_back(w.window);
    for (auto w = back.rbegin(); w != back.rend(); ++w) system.ShowHiddenWindow(*w);
    if (!back.empty()) system.ActivateWindow(back.front());
    if (m_state.sound.kind != SavedSound::kNothing) system.RestoreSound(m_state.sound);
    system.ForgetHiddenState();
    m_state = HiddenState();
}
