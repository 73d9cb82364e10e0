#pragma once
// The text of the hidden-state record: an [Hidden] section with the sound
// to give back and one Window= line per hidden window, front first.
//
//   [Hidden]
//   Sound=1,0
//   Window=0x000301A4,1234
#include <string>
#include <string_view>

#include "trigger/Desktop.h"

std::string FormatHiddenState(const HiddenState& state);
// Reads what it can: a line it cannot read is left out.
HiddenState ParseHiddenState(std::string_view text);
