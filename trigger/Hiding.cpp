#include "trigger/Hiding.h"

#include <algorithm>

#include "trigger/Targets.h"

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
// point loses nothing; the sound is read and silenced only once the windows
// are gone, and recorded again before it is silenced. The password of a
// record stays with it until everything is back.
void Hiding::HideTarget(DesktopRoles desktop, WindowId target, bool silence, const ProgramPatterns& alsoHide,
                        const std::string& verifier) {
    if (target == 0 && alsoHide.empty()) return;
    std::vector<HiddenWindow> shown;
    for (const TopWindow& w : desktop.screen.ProcessWindows(target, alsoHide))
        if (!IsSparedWindowClass(w.className)) shown.push_back({w.window, w.process, w.processCreated});
    if (shown.empty()) return;

    HiddenState next;
    next.windows = shown;
    for (const HiddenWindow& w : m_state.windows)
        if (std::find(shown.begin(), shown.end(), w) == shown.end()) next.windows.push_back(w);
    next.sound = m_state.sound;
    next.target = m_state.target == 0 ? HiddenState::kNoTarget : m_state.target;
    // What is hidden already keeps the password it was hidden under.
    next.verifier = m_state.verifier.empty() ? verifier : m_state.verifier;
    for (const HiddenWindow& w : shown)
        if (w.window == target) next.target = target;
    desktop.system.SaveHiddenState(next);
    for (const HiddenWindow& w : shown) desktop.system.HideWindow(w.window);
    m_state = next;
    if (!silence || m_state.sound.kind != SavedSound::kNothing) return;
    const SavedSound sound = desktop.system.ReadSound();
    if (sound.kind == SavedSound::kNothing) return;
    m_state.sound = sound;
    desktop.system.SaveHiddenState(m_state);
    desktop.system.Silence(sound);
}

void Hiding::TakeVerifier(SystemEffects& system, const std::string& verifier) {
    if (m_state.windows.empty() || !m_state.verifier.empty() || verifier.empty()) return;
    m_state.verifier = verifier;
    system.SaveHiddenState(m_state);
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
    for (auto w = m_state.windows.rbegin(); w != m_state.windows.rend(); ++w)
        if (StillTheHiddenWindow(screen, *w)) back.push_back(w->window);
    if (!back.empty()) {
        system.ShowHiddenWindows(back);
        const bool targetBack = std::find(back.begin(), back.end(), m_state.target) != back.end();
        if (m_state.target != HiddenState::kNoTarget) system.ActivateWindow(targetBack ? m_state.target : back.back());
    }
    if (m_state.sound.kind != SavedSound::kNothing) system.RestoreSound(m_state.sound);
    system.ForgetHiddenState();
    m_state = HiddenState();
}
