#include "app/HiddenStateFile.h"

#include <windows.h>

#include <vector>

#include "base/FileAccess_win.h"
#include "trigger/HiddenStateText.h"

namespace {

const wchar_t kName[] = L"VEXAL.hidden";
const wchar_t kTempName[] = L"VEXAL.hidden.tmp";
constexpr uint32_t kMaxBytes = 1u << 20;  // some ten thousand windows

}  // namespace

// A record that cannot be written leaves the hiding to go ahead: the
// windows still come back at the hotkey and at every ordinary end.
void SaveHiddenStateFile(const std::wstring& folder, const HiddenState& state) {
    ReplaceFileSafely(PathIn(folder, kName), PathIn(folder, kTempName), FormatHiddenState(state));
}

void RemoveHiddenStateFile(const std::wstring& folder) { DeleteFileW(PathIn(folder, kName).c_str()); }

bool LoadHiddenStateFile(const std::wstring& folder, HiddenState& state) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(PathIn(folder, kName), kMaxBytes, bytes) != ReadOutcome::Read) return false;
    state = ParseHiddenState(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}
