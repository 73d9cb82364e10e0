#pragma once
// The programs a detonation in hide mode takes along with the window in
// front, as VEXAL.ini's AlsoHide names them: file names apart by `;`, each
// matched without regard to case, `*` standing for any run of characters
// and `?` for one.
#include <string>
#include <string_view>
#include <vector>

using ProgramPatterns = std::vector<std::u16string>;

// Reads the list (UTF-8). Spaces around a name are dropped; a name that
// cannot be read (not UTF-8, a path, a character no file name may hold) is
// skipped and the others still apply.
ProgramPatterns ParseProgramList(std::string_view text);

// `fileName`: a program's file name without its folder.
bool MatchesProgram(const ProgramPatterns& patterns, std::u16string_view fileName);

// A character as Windows compares file names, for the letters that have
// case: Latin, Greek and Cyrillic. Chinese and the rest have none.
char16_t FoldFileNameCase(char16_t c);
