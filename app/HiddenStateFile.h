#pragma once
// "VEXAL.hidden" beside the program: what is hidden right now, so that a
// start after the program was killed can bring it back.
#include <string>

#include "trigger/Desktop.h"

void SaveHiddenStateFile(const std::wstring& folder, const HiddenState& state);
void RemoveHiddenStateFile(const std::wstring& folder);
// False when there is no such file (or nothing readable in it).
bool LoadHiddenStateFile(const std::wstring& folder, HiddenState& state);
