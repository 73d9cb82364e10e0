#pragma once
// Conversion between the program's code page 936 byte strings and UTF-16.
// Windows builds use the system's converter for code page 936; native builds
// use iconv, so the core behaves the same in both.
#include <string>

std::u16string GbkToWide(const std::string& gbk);

// Returns false when a character has no code page 936 form; `gbk` then holds
// the conversion with those characters replaced.
bool WideToGbk(const std::u16string& wide, std::string& gbk);
