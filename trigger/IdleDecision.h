#pragma once
// The idle trigger: when no input has reached the system for IdleSeconds,
// a warning counts IdleWarningSeconds down; any input cancels it, and at 0
// the bomb goes off. A pure function of what one tick reads.
#include <cstdint>

struct IdleInputs {
    int32_t idleSeconds = 0;     // 0: the trigger is off
    int32_t warningSeconds = 0;  // 0: no warning, the bomb goes off at once
    uint32_t sinceInputMs = 0;   // since the last input the system saw
    bool warning = false;        // a warning shows
    bool inputSinceWarning = false;
    uint32_t sinceWarningMs = 0;
};

struct IdleOutcome {
    enum Step {
        kNothing,  // neither idle long enough nor warning
        kWarn,     // show the warning, with secondsLeft
        kCount,    // the warning shows on, with secondsLeft
        kCancel,   // input came: the warning goes, nothing happens
        kFire,     // the bomb goes off against the window in front when the warning appeared
    };
    Step step = kNothing;
    int32_t secondsLeft = 0;
};

IdleOutcome DecideIdle(const IdleInputs& in);
