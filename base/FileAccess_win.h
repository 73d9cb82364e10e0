#pragma once
// Whole-file reads and crash-safe replacement of small files beside the
// program, by wide paths.
#include <cstdint>
#include <string>
#include <vector>

enum class ReadOutcome { Read, Missing, Failed };

// Reads up to `maxBytes` from the start of the file, held without sharing
// for the time of the read so nobody writes it halfway through.
ReadOutcome ReadWholeFile(const std::wstring& path, uint32_t maxBytes, std::vector<uint8_t>& bytes);

// Writes `bytes` to `temp`, flushes it to disk and moves it over `target`
// in one step; on false `target` is untouched and `temp` is gone.
bool ReplaceFileSafely(const std::wstring& target, const std::wstring& temp, const std::string& bytes);

// The same replacement without the flush and with one try at the move: for
// a file that matters only until the system stops, where a file another
// program holds calls for another folder rather than a wait.
bool ReplaceFileQuickly(const std::wstring& target, const std::wstring& temp, const std::string& bytes);

// Deletes the file, tried again for about a second while another program
// holds it; true when it is gone or was never there.
bool DeleteFileRetrying(const std::wstring& path);

// `folder` (with or without its trailing backslash) joined with `name`.
std::wstring PathIn(const std::wstring& folder, const wchar_t* name);
