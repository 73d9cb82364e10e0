#include "settings/SettingsFile.h"

#include <windows.h>

#include <vector>

#include "settings/SettingsCodec.h"

namespace {

// A file whose values would need more than this is taken as broken rather
// than read whole into memory; the dialog cannot produce one anywhere near.
constexpr DWORD kMaxFileBytes = 64u << 20;

std::wstring PathIn(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + name;
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Reads up to kMaxFileBytes from the start of the file.
bool ReadAll(HANDLE file, std::vector<uint8_t>& bytes) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    DWORD want = (high != 0 || low > kMaxFileBytes) ? kMaxFileBytes : low;
    bytes.resize(want);
    DWORD total = 0;
    while (total < want) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + total, want - total, &got, nullptr)) return false;
        if (got == 0) break;  // the file shrank under us: parse what there is
        total += got;
    }
    bytes.resize(total);
    return true;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        DWORD chunk = static_cast<DWORD>(bytes.size() - done > 1u << 20 ? 1u << 20 : bytes.size() - done);
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

}  // namespace

LoadResult LoadSettingsFile(const std::wstring& folder, BombSettings& settings) {
    const std::wstring path = PathIn(folder, L"VEXAL.vxl");
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return NotFound(GetLastError()) ? LoadResult::Missing : LoadResult::Broken;

    // No sharing: nobody writes the file halfway through our read.
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return NotFound(GetLastError()) ? LoadResult::Missing : LoadResult::Broken;

    std::vector<uint8_t> bytes;
    if (!ReadAll(file.Get(), bytes)) return LoadResult::Broken;
    file.Close();
    return ParseSettingsFile(bytes.data(), bytes.size(), settings) == ParseResult::Loaded
               ? LoadResult::Loaded
               : LoadResult::Broken;
}

bool SaveSettingsFile(const std::wstring& folder, const BombSettings& settings) {
    const std::wstring target = PathIn(folder, L"VEXAL.Vxl");
    const std::wstring temp = PathIn(folder, L"VEXAL.Vxl.tmp");
    const std::string bytes = FormatSettingsFile(settings);

    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    // The old file is replaced only once the new one is complete on disk.
    bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}
