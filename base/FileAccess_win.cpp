#include "base/FileAccess_win.h"

#include <windows.h>

#include "base/Scoped_win.h"

namespace {

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool ReadAll(HANDLE file, uint32_t maxBytes, std::vector<uint8_t>& bytes) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    DWORD want = (high != 0 || low > maxBytes) ? maxBytes : low;
    bytes.resize(want);
    DWORD total = 0;
    while (total < want) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + total, want - total, &got, nullptr)) return false;
        if (got == 0) break;  // the file shrank under us: take what there is
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

std::wstring PathIn(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + name;
}

ReadOutcome ReadWholeFile(const std::wstring& path, uint32_t maxBytes, std::vector<uint8_t>& bytes) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return NotFound(GetLastError()) ? ReadOutcome::Missing : ReadOutcome::Failed;
    ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return NotFound(GetLastError()) ? ReadOutcome::Missing : ReadOutcome::Failed;
    return ReadAll(file.Get(), maxBytes, bytes) ? ReadOutcome::Read : ReadOutcome::Failed;
}

bool ReplaceFileSafely(const std::wstring& target, const std::wstring& temp, const std::string& bytes) {
    ScopedHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    // The old file is replaced only once the new one is complete on disk.
    bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}
