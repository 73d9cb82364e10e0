#include "trigger/TickDecision.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "settings/EdgeFlags.h"

namespace {

constexpr std::string_view kOwnTitlePrefix = "VEXAL";

// Cursor travel per axis since the last tick. Differences of two 32-bit
// coordinates need 33 bits.
struct Travel {
    int64_t dx;
    int64_t dy;
};

Travel TravelOf(ScreenPoint from, ScreenPoint to) {
    return {std::llabs(int64_t{from.x} - to.x), std::llabs(int64_t{from.y} - to.y)};
}

bool OverTolerance(const Travel& t, int32_t sensitivity) { return t.dx > sensitivity || t.dy > sensitivity; }

}  // namespace

bool MovedBeyond(ScreenPoint from, ScreenPoint to, int32_t sensitivity) {
    return OverTolerance(TravelOf(from, to), sensitivity);
}

bool IsOwnTitle(std::string_view title) { return title.substr(0, kOwnTitlePrefix.size()) == kOwnTitlePrefix; }

TickReads ReadsNeeded(const TickInputs& in) {
    TickReads reads;
    if (in.ownWindow) return reads;
    // Shift only matters when the mouse trigger would otherwise fire.
    reads.shift =
        in.sensitivity != kMouseTriggerOff && OverTolerance(TravelOf(in.reference, in.cursor), in.sensitivity);
    reads.screenWidth = EdgeOn(in.edgeFlags, Edge::Right);
    reads.screenHeight = EdgeOn(in.edgeFlags, Edge::Bottom);
    reads.clock = in.timerEnabled == 1;
    return reads;
}

TickOutcome DecideTick(const TickInputs& in) {
    TickOutcome out;
    if (in.ownWindow) {
        // Movement while an own window is in front never counts later.
        out.reference = in.cursor;
        return out;
    }

    const Travel travel = TravelOf(in.reference, in.cursor);
    unsigned triggers = kTriggerNone;

    if (in.sensitivity != kMouseTriggerOff && !in.shiftDown && OverTolerance(travel, in.sensitivity))
        triggers |= kTriggerMouse;

    if (in.timerEnabled == 1 && in.now == in.detonationTime) {
        triggers |= kTriggerTime;
        out.clearTimerEnabled = true;  // fires once per arming
    }

    // Beyond the primary screen (another monitor) counts as touching the edge.
    const int64_t x = in.cursor.x;
    const int64_t y = in.cursor.y;
    if (EdgeOn(in.edgeFlags, Edge::Top) && y <= 0) triggers |= kTriggerTop;
    if (EdgeOn(in.edgeFlags, Edge::Bottom) && y >= int64_t{in.screenHeight} - 1) triggers |= kTriggerBottom;
    if (EdgeOn(in.edgeFlags, Edge::Left) && x <= 0) triggers |= kTriggerLeft;
    if (EdgeOn(in.edgeFlags, Edge::Right) && x >= int64_t{in.screenWidth} - 1) triggers |= kTriggerRight;

    out.triggers = triggers;
    out.fires = triggers != kTriggerNone;
    // The range bar clamps to its range; only the 32-bit message value needs a cap.
    out.rangePos =
        static_cast<int32_t>(std::min<int64_t>(std::max(travel.dx, travel.dy), std::numeric_limits<int32_t>::max()));
    // A firing tick leaves the reference where the last quiet tick put it.
    out.reference = out.fires ? in.reference : in.cursor;
    return out;
}
