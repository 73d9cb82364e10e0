#include "settings/ExtraSettingsFile.h"

#include <vector>

#include "base/FileAccess_win.h"

namespace {

// A hand-edited file; anything larger is not one VEXAL could rewrite whole.
constexpr uint32_t kMaxBytes = 4u << 20;

ReadOutcome ReadText(const std::wstring& folder, IniText& text) {
    std::vector<uint8_t> bytes;
    ReadOutcome outcome = ReadWholeFile(PathIn(folder, L"VEXAL.ini"), kMaxBytes + 1, bytes);
    if (outcome == ReadOutcome::Read && bytes.size() > kMaxBytes) return ReadOutcome::Failed;
    text = IniText::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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
