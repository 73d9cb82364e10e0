#pragma once
// What the application object finds out before the control bar opens.
#include <string>

struct StartupFacts {
    std::wstring ProgramFolder;  // the executable's folder, ending in a backslash
    std::string WindowsVersion;  // the short version name
};
