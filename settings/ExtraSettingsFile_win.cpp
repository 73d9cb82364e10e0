#include <utility>
#include <vector>

#include "base/FileAccess_win.h"
#include "settings/ExtraSettingsFile.h"

namespace {

// A file too large to be read counts as unreadable: it is left as it is.
ReadOutcome ReadText(const std::wstring& folder, IniText& text) {
    std::vector<uint8_t> bytes;
    const ReadOutcome outcome = ReadWholeFile(PathIn(folder, L"VEXAL.ini"), kExtraSettingsMaxBytes + 1, bytes);
    if (outcome != ReadOutcome::Read) return outcome;
    std::optional<IniText> parsed =
        ParseExtraSettingsText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!parsed) return ReadOutcome::Failed;
    text = std::move(*parsed);
    return outcome;
}

}  // namespace

ExtraSettings LoadExtraSettings(const std::wstring& folder) {
    IniText text = IniText::Parse("");
    ReadText(folder, text);
    return ReadExtraSettings(text);
}

bool SaveExtraSettings(const std::wstring& folder, const ExtraSettings& settings) {
    IniText text = IniText::Parse("");
    // A file that is there but cannot be read whole is not overwritten.
    if (ReadText(folder, text) == ReadOutcome::Failed) return false;
    WriteExtraSettings(settings, text);
    return ReplaceFileSafely(PathIn(folder, L"VEXAL.ini"), PathIn(folder, L"VEXAL.ini.tmp"), text.Format());
}
