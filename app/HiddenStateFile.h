#pragma once
// "VEXAL.hidden": what is hidden right now, so that a start after the
// program was killed can bring it back. Beside the program, or where that
// folder cannot take it, in the user's local application data folder
// (%LOCALAPPDATA%\VEXAL; on XP "Local Settings\Application Data").
#include <string>

#include "trigger/Desktop.h"

// Where neither folder can take it, the hiding goes ahead without a record:
// the windows still come back at the hotkey and at every ordinary end.
void SaveHiddenStateFile(const std::wstring& folder, const HiddenState& state);
// Removes the record in both places. One that stays is outranked by a newer
// empty one, so that it is not obeyed twice.
void RemoveHiddenStateFile(const std::wstring& folder);
enum class RecordFound { None, Read, Unreadable };

// What a start brings back of the records it finds; Unreadable where a
// record is there but none could be read.
RecordFound LoadHiddenStateFile(const std::wstring& folder, HiddenState& state);
