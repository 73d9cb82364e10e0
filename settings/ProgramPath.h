#pragma once
// A program path chosen in the file dialog, made fit for a setting record,
// whose texts are code page 936 bytes.
#include <functional>
#include <string>

enum class PathChoice {
    AsChosen,   // the path converts exactly
    ShortForm,  // its short (8.3) form stands in for it
    Refused,    // neither converts exactly; nothing is stored
};

// The short form of a path, or empty when the file system has none.
using ShortPathLookup = std::function<std::u16string(const std::u16string&)>;

// Converts `path` into `gbk`. A path with a character that code page 936
// cannot hold would come back as a different, wrong path, so its short form
// is used instead when that one converts exactly; otherwise it is refused
// and `gbk` is left as it was.
PathChoice ChooseProgramPath(const std::u16string& path, const ShortPathLookup& shortPathOf, std::string& gbk);
