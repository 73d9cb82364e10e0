#pragma once
// Byte-text helpers for the hand-edited files: only ASCII letters fold and
// only spaces and tabs count as blanks, so any other byte is kept as it is.
#include <string_view>

// `text` without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// True when `a` and `b` differ at most in the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
