#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

#include "trigger/TickDecision.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A foreign tick on a 1024 x 768 screen, no edges, no scheduled time.
TickInputs Foreign(ScreenPoint reference, ScreenPoint cursor, int32_t sensitivity = 200) {
    TickInputs in;
    in.reference = reference;
    in.cursor = cursor;
    in.sensitivity = sensitivity;
    in.screenWidth = 1024;
    in.screenHeight = 768;
    in.now = {8, 30, 0};
    in.detonationTime = {9, 0, 0};
    return in;
}
TickInputs With(TickInputs in, const char* edges) {
    in.edgeFlags = edges;
    return in;
}
TickInputs Shifted(TickInputs in) {
    in.shiftDown = true;
    return in;
}
TickInputs Scheduled(TickInputs in, int32_t timerEnabled, TimeOfDay at) {
    in.timerEnabled = timerEnabled;
    in.detonationTime = at;
    return in;
}
TickInputs Own(TickInputs in) {
    in.ownWindow = true;
    return in;
}

struct TickCase {
    const char* name;
    TickInputs in;
    unsigned triggers;
    int32_t rangePos;
};

const ScreenPoint kRef{100, 100};
const TickCase kCases[] = {
    {"exactly Sensitivity on both axes", Foreign(kRef, {300, -100}), kTriggerNone, 200},
    {"one more on +x", Foreign(kRef, {301, 100}), kTriggerMouse, 201},
    {"one more on -x", Foreign(kRef, {-101, 100}), kTriggerMouse, 201},
    {"one more on +y", Foreign(kRef, {100, 301}), kTriggerMouse, 201},
    {"one more on -y", Foreign(kRef, {100, -101}), kTriggerMouse, 201},
    {"no diagonal distance", Foreign(kRef, {250, 250}), kTriggerNone, 150},
    {"999 shows travel but never fires", Foreign(kRef, {5100, 100}, 999), kTriggerNone, 5000},
    {"999 still fires an edge", With(Foreign(kRef, {100, 0}, 999), "1000"), kTriggerTop, 100},
    {"999 still fires the time", Scheduled(Foreign(kRef, kRef, 999), 1, {8, 30, 0}), kTriggerTime, 0},
    {"Shift stops the mouse", Shifted(Foreign(kRef, {900, 100})), kTriggerNone, 800},
    {"Shift leaves edges", Shifted(With(Foreign({300, 100}, {0, 100}), "0010")), kTriggerLeft, 300},
    {"Shift leaves the time", Shifted(Scheduled(Foreign(kRef, kRef), 1, {8, 30, 0})), kTriggerTime, 0},
    {"mouse and edge together", With(Foreign(kRef, {100, 767}), "0100"), kTriggerMouse | kTriggerBottom, 667},
    {"top at 0", With(Foreign({5, 0}, {5, 0}), "1000"), kTriggerTop, 0},
    {"top at 1 quiet", With(Foreign({5, 1}, {5, 1}), "1000"), kTriggerNone, 0},
    {"bottom at H-1", With(Foreign({5, 767}, {5, 767}), "0100"), kTriggerBottom, 0},
    {"bottom at H-2 quiet", With(Foreign({5, 766}, {5, 766}), "0100"), kTriggerNone, 0},
    {"right at W-1", With(Foreign({1023, 5}, {1023, 5}), "0001"), kTriggerRight, 0},
    {"right at W-2 quiet", With(Foreign({1022, 5}, {1022, 5}), "0001"), kTriggerNone, 0},
    {"left monitor, negative x", With(Foreign({-500, 5}, {-500, 5}), "0010"), kTriggerLeft, 0},
    {"above the screen, negative y", With(Foreign({5, -3}, {5, -3}), "1000"), kTriggerTop, 0},
    {"corner with all edges on", With(Foreign({0, 0}, {0, 0}), "1111"), kTriggerTop | kTriggerLeft, 0},
    {"empty flags: corner quiet", With(Foreign({0, 0}, {0, 0}), ""), kTriggerNone, 0},
    {"short flags leave right off", With(Foreign({1023, 767}, {1023, 767}), "01"), kTriggerBottom, 0},
    {"only '1' counts", With(Foreign({0, 0}, {0, 0}), "x1 T"), kTriggerNone, 0},
    {"time matches", Scheduled(Foreign(kRef, kRef), 1, {8, 30, 0}), kTriggerTime, 0},
    {"time a second off", Scheduled(Foreign(kRef, kRef), 1, {8, 30, 1}), kTriggerNone, 0},
    {"TimerEnabled 2 is off", Scheduled(Foreign(kRef, kRef), 2, {8, 30, 0}), kTriggerNone, 0},
    {"extremes fire without overflow", Foreign({kMin, kMin}, {kMax, 0}), kTriggerMouse, kMax},
    {"extremes under 999 cap the bar", Foreign({kMin, kMax}, {kMax, kMin}, 999), kTriggerNone, kMax},
    {"own window tests nothing", Own(Scheduled(With(Foreign(kRef, {0, 5000}), "1111"), 1, {8, 30, 0})), kTriggerNone,
     0},
};

TEST(TickDecision, Cases) {
    for (const TickCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TickOutcome out = DecideTick(c.in);
        EXPECT_EQ(out.triggers, c.triggers);
        EXPECT_EQ(out.fires, c.triggers != kTriggerNone);
        EXPECT_EQ(out.rangePos, c.rangePos);
        EXPECT_EQ(out.clearTimerEnabled, (c.triggers & kTriggerTime) != 0);
        // A firing tick keeps the old reference; every other tick takes the cursor.
        const ScreenPoint ref = out.fires ? c.in.reference : c.in.cursor;
        EXPECT_EQ(out.reference.x, ref.x);
        EXPECT_EQ(out.reference.y, ref.y);
    }
}

// The tick reads Shift, screen size and clock only when asked; whatever the
// skipped inputs hold must not change the decision.
TEST(TickDecision, SkippedReadsDoNotMatter) {
    for (const TickCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TickReads reads = ReadsNeeded(c.in);
        const TickOutcome expected = DecideTick(c.in);
        for (int variant = 0; variant < 2; ++variant) {
            TickInputs in = c.in;
            if (!reads.shift) in.shiftDown = variant == 0;
            if (!reads.screenWidth) in.screenWidth = variant == 0 ? 1 : kMin;
            if (!reads.screenHeight) in.screenHeight = variant == 0 ? 1 : kMin;
            if (!reads.clock) in.now = variant == 0 ? in.detonationTime : TimeOfDay{23, 59, 59};
            const TickOutcome out = DecideTick(in);
            EXPECT_EQ(out.triggers, expected.triggers);
            EXPECT_EQ(out.rangePos, expected.rangePos);
        }
    }
}

TEST(TickDecision, OwnTitle) {
    const struct {
        const char* title;
        bool own;
    } cases[] = {
        {"VEXAL\xba\xba\xbb\xaf\xb0\xe6", true},  // the control bar's caption
        {"VEXAL", true},
        {"VEXAL - Notepad", true},
        {"vexal settings", false},
        {"VEXAl", false},
        {"VEXA", false},
        {" VEXAL", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsOwnTitle(c.title), c.own) << c.title;
}

}  // namespace
