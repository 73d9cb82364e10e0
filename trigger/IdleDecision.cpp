#include "trigger/IdleDecision.h"

namespace {

// Whole seconds left, rounded up, so the count shows the warning's full
// length first and never shows 0.
int32_t SecondsLeft(int32_t warningSeconds, uint32_t elapsedMs) {
    const int64_t leftMs = int64_t{warningSeconds} * 1000 - elapsedMs;
    return static_cast<int32_t>((leftMs + 999) / 1000);
}

}  // namespace

IdleOutcome DecideIdle(const IdleInputs& in) {
    IdleOutcome out;
    if (in.warning) {
        if (in.inputSinceWarning) {
            out.step = IdleOutcome::kCancel;
        } else {
            out.secondsLeft = SecondsLeft(in.warningSeconds, in.sinceWarningMs);
            out.step = out.secondsLeft > 0 ? IdleOutcome::kCount : IdleOutcome::kFire;
        }
        return out;
    }
    if (in.idleSeconds <= 0 || in.sinceInputMs < static_cast<uint32_t>(in.idleSeconds) * 1000u) return out;
    out.step = in.warningSeconds > 0 ? IdleOutcome::kWarn : IdleOutcome::kFire;
    out.secondsLeft = in.warningSeconds;
    return out;
}
