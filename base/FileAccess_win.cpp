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

// Another program that holds the file for a moment (a virus scanner, an
// editor, a backup) makes the open or the move fail; each is tried again
// for about a second before it counts as failed.
constexpr int kAttempts = 10;
constexpr DWORD kPauseMs = 100;

bool HeldForAMoment(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }

bool MoveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (!HeldForAMoment(GetLastError()) || attempt == kAttempts - 1) return false;
        Sleep(kPauseMs);
    }
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
    ScopedHandle file;
    for (int attempt = 0; !file.Valid(); ++attempt) {
        file = ScopedHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file.Valid()) break;
        const DWORD error = GetLastError();
        if (NotFound(error)) return ReadOutcome::Missing;
        if (!HeldForAMoment(error) || attempt == kAttempts - 1) return ReadOutcome::Failed;
        Sleep(kPauseMs);
    }
    return ReadAll(file.Get(), maxBytes, bytes) ? ReadOutcome::Read : ReadOutcome::Failed;
}

namespace {

bool Replace(const std::wstring& target, const std::wstring& temp, const std::string& bytes, bool durable) {
    ScopedHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    // The old file is replaced only once the new one is complete (on disk, where durable).
    bool ok = WriteAll(file.Get(), bytes) && (!durable || FlushFileBuffers(file.Get()));
    ok = file.Close() && ok;
    ok = ok && (durable ? MoveOver(temp, target)
                        : MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

}  // namespace

bool ReplaceFileSafely(const std::wstring& target, const std::wstring& temp, const std::string& bytes) {
    return Replace(target, temp, bytes, true);
}

bool ReplaceFileQuickly(const std::wstring& target, const std::wstring& temp, const std::string& bytes) {
    return Replace(target, temp, bytes, false);
}

bool DeleteFileRetrying(const std::wstring& path) {
    for (int attempt = 0;; ++attempt) {
        if (DeleteFileW(path.c_str())) return true;
        const DWORD error = GetLastError();
        if (NotFound(error)) return true;
        if (!HeldForAMoment(error) || attempt == kAttempts - 1) return false;
        Sleep(kPauseMs);
    }
}
