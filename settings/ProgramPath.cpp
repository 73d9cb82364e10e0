#include "settings/ProgramPath.h"

#include "base/Codepage.h"

namespace {

// Exact means it comes back unchanged: a best-fit substitute ("a" for "ä")
// reports no loss but names another file.
bool ConvertsExactly(const std::u16string& wide, std::string& gbk) {
    return WideToGbk(wide, gbk) && GbkToWide(gbk) == wide;
}

}  // namespace

PathChoice ChooseProgramPath(const std::u16string& path, const ShortPathLookup& shortPathOf, std::string& gbk) {
    std::string converted;
    if (ConvertsExactly(path, converted)) {
        gbk = converted;
        return PathChoice::AsChosen;
    }
    std::u16string shortPath = shortPathOf ? shortPathOf(path) : std::u16string();
    if (!shortPath.empty() && ConvertsExactly(shortPath, converted)) {
        gbk = converted;
        return PathChoice::ShortForm;
    }
    return PathChoice::Refused;
}
