#pragma once
// What one tick of the trigger monitor decides, as a pure function of what
// the tick reads, so every rule can be checked without a desktop.
#include <cstdint>
#include <string>
#include <string_view>

#include "trigger/Desktop.h"

// The value of Sensitivity that switches the mouse-movement trigger off.
constexpr int32_t kMouseTriggerOff = 999;

// Which conditions made a tick fire; several may hold in the same tick.
enum TickTrigger : unsigned {
    kTriggerNone = 0,
    kTriggerMouse = 1u << 0,
    kTriggerTime = 1u << 1,
    kTriggerTop = 1u << 2,
    kTriggerBottom = 1u << 3,
    kTriggerLeft = 1u << 4,
    kTriggerRight = 1u << 5,
};

struct TickInputs {
    bool ownWindow = false;
    ScreenPoint cursor;
    ScreenPoint reference;
    bool shiftDown = false;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    TimeOfDay now;             // local time of day at the tick
    TimeOfDay detonationTime;  // local time of day of DetonationTime
    int32_t sensitivity = 0;
    int32_t timerEnabled = 0;
    std::string edgeFlags;  // top, bottom, left, right; '1' is on
};

struct TickOutcome {
    bool fires = false;
    unsigned triggers = kTriggerNone;  // TickTrigger bits
    int32_t rangePos = 0;              // the larger axis travel; 0 for an own window
    bool clearTimerEnabled = false;    // the scheduled time fired
    ScreenPoint reference;             // the reference point after the tick
};

// Which of the optional inputs the decision will look at. The tick reads
// only these, since it runs every 200 ms for as long as the bomb is armed;
// the decision never depends on the inputs it does not ask for.
struct TickReads {
    bool shift = false;
    bool screenWidth = false;
    bool screenHeight = false;
    bool clock = false;  // now and detonationTime
};

// A window whose title begins with the exact bytes "VEXAL" is one of the
// program's own (as is the control bar, whatever its title); the monitor
// idles while one is in front.
bool IsOwnTitle(std::string_view title);

// The pointer travelled more than `sensitivity` on either axis.
bool MovedBeyond(ScreenPoint from, ScreenPoint to, int32_t sensitivity);

// Needs ownWindow, cursor, reference, sensitivity, timerEnabled, edgeFlags.
TickReads ReadsNeeded(const TickInputs& in);

TickOutcome DecideTick(const TickInputs& in);
