#pragma once
// What vexal.exe is asked to do by its command line: one argument, with `/`
// or `-`, in any case. Portable: the program hands in GetCommandLineW().
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CommandRequest {
    enum Kind { kNone, kRestore, kDetonate, kArm, kDisarm, kShow, kExit, kUnknown };
    Kind kind = kNone;
    int32_t setting = 0;          // kArm: the setting number in force, 0 to 5
    std::u16string argument;      // kUnknown: the argument it could not take
    bool settingMissing = false;  // kUnknown: "/arm" without a number from 1 to 6
};

// The arguments after the program's name, split as Windows programs split
// them (spaces apart, quotes group, backslashes before a quote escape it).
// A line that begins with `programPath` itself, quoted or not, has no
// argument there: Windows hands on the line as the starter wrote it, and a
// shortcut may name "C:\Program Files\..." without quotes.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine, std::u16string_view programPath);

// kUnknown names the first argument that is not one of the known ones, or
// "/arm" with what followed it when that is no number from 1 to 6.
CommandRequest ReadCommandRequest(const std::vector<std::u16string>& arguments);

// The arguments VEXAL knows, as the message about an unknown one lists them.
extern const char16_t kKnownArguments[];
