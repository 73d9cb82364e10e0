#include "base/TimeConversion.h"

namespace {

// 28 Gregorian years without a skipped leap day: 10227 days, a whole number
// of weeks, so date, weekday and time of day repeat.
constexpr int64_t kTwentyEightYears = 883612800;

}  // namespace

int32_t ToTime32(int64_t seconds) {
    if (seconds > INT32_MAX) {
        int64_t steps = (seconds - INT32_MAX + kTwentyEightYears - 1) / kTwentyEightYears;
        seconds -= steps * kTwentyEightYears;
    } else if (seconds < INT32_MIN) {
        int64_t steps = (INT32_MIN - seconds + kTwentyEightYears - 1) / kTwentyEightYears;
        seconds += steps * kTwentyEightYears;
    }
    return static_cast<int32_t>(seconds);
}
