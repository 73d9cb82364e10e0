#pragma once
// Hiding instead of closing: the target's windows are hidden, not closed,
// and come back on request, in their old stacking order. The record of what
// is hidden is saved before anything is hidden, so that nothing is lost even
// when the program is killed in between.
#include <string>

#include "trigger/Desktop.h"

class Hiding {
public:
    // Something is hidden, silenced, or the control bar is away.
    bool Active() const;

    // Hides every visible top-level window of the target's process (none
    // for 0), and of the programs `alsoHide` names, but the shell's; with
    // `silence`, all sound goes quiet while they are hidden. A second call
    // adds to what is hidden. `verifier` is the password's in force; a record
    // that has one already keeps its own.
    void HideTarget(DesktopRoles desktop, WindowId target, bool silence, const ProgramPatterns& alsoHide,
                    const std::string& verifier = std::string());
    // A password set while windows are hidden protects them too: a record
    // without one takes `verifier` and is written again.
    void TakeVerifier(SystemEffects& system, const std::string& verifier);
    // The password's verifier that brings back what is hidden; empty: none.
    const std::string& Verifier() const { return m_state.verifier; }
    void HideBar(BarControls& bar);

    // Brings everything back: each window that still exists and still
    // belongs to its process, bottom first, then the last target (else the
    // front one) is activated;
    // the sound as it was; the control bar.
    void Restore(DesktopRoles desktop);
    // The same without a control bar to show.
    void RestoreWindows(ScreenState& screen, SystemEffects& system);

    // Takes over what an earlier run of the program recorded.
    void Adopt(const HiddenState& state) { m_state = state; }

private:
    HiddenState m_state;
    bool m_barHidden = false;
};
