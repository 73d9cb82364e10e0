#include <vector>

#include "base/FileAccess_win.h"
#include "settings/SettingsCodec.h"
#include "settings/SettingsFile.h"

namespace {

// A file whose values would need more than this is taken as broken rather
// than read whole into memory; the dialog cannot produce one anywhere near.
constexpr uint32_t kMaxFileBytes = 64u << 20;

}  // namespace

LoadResult LoadSettingsFile(const std::wstring& folder, BombSettings& settings) {
    std::vector<uint8_t> bytes;
    switch (ReadWholeFile(PathIn(folder, L"VEXAL.vxl"), kMaxFileBytes, bytes)) {
        case ReadOutcome::Missing:
            return LoadResult::Missing;
        case ReadOutcome::Failed:
            return LoadResult::Broken;
        case ReadOutcome::Read:
            break;
    }
    return ParseSettingsFile(bytes.data(), bytes.size(), settings) == ParseResult::Loaded ? LoadResult::Loaded
                                                                                          : LoadResult::Broken;
}

bool SaveSettingsFile(const std::wstring& folder, const BombSettings& settings) {
    return ReplaceFileSafely(PathIn(folder, L"VEXAL.Vxl"), PathIn(folder, L"VEXAL.Vxl.tmp"),
                             FormatSettingsFile(settings));
}
