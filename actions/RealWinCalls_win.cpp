#include <windows.h>
// After windows.h:
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>
// Only for the layout of RASCONNA; remote access is loaded on first use.
#include <ras.h>

#include <algorithm>
#include <cstddef>

#include "actions/RealWinCalls.h"
#include "actions/SystemActions.h"
#include "base/Scoped_win.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text passes to the wide functions unchanged");

// RASCONNA in the form every remote-access version accepts: without the
// phone-book and sub-entry fields that the current headers add, packed as
// remote access packs it (4 bytes), so the handle is unaligned in a 64-bit
// program.
#pragma pack(push, 4)
struct RasConnSmall {
    DWORD dwSize;
    HANDLE hrasconn;
    CHAR szEntryName[256 + 1];
    CHAR szDeviceType[16 + 1];
    CHAR szDeviceName[128 + 1];
};
#pragma pack(pop)
#ifdef _WIN64
static_assert(sizeof(RasConnSmall) == 416, "the 64-bit RASCONNA without phone-book fields");
#else
static_assert(sizeof(RasConnSmall) == 412, "the 32-bit RASCONNA without phone-book fields");
#endif
static_assert(sizeof(RasConnSmall) == RasConnSize(sizeof(void*)), "the size the dial-up hang-up enumerates with");
static_assert(offsetof(RasConnSmall, szDeviceName) == offsetof(RASCONNA, szDeviceName),
              "the leading fields of the system's own RASCONNA");

using RasEnumConnectionsAFn = DWORD(WINAPI*)(RasConnSmall*, DWORD*, DWORD*);
using RasHangUpAFn = DWORD(WINAPI*)(HANDLE);

struct RasApi {
    RasEnumConnectionsAFn enumConnections = nullptr;
    RasHangUpAFn hangUp = nullptr;
};

// Remote access is absent from some systems: looked up once, on first use.
const RasApi& Ras() {
    static const RasApi api = {SystemFunction<RasEnumConnectionsAFn>(L"rasapi32.dll", "RasEnumConnectionsA"),
                               SystemFunction<RasHangUpAFn>(L"rasapi32.dll", "RasHangUpA")};
    return api;
}

// Core Audio identifiers, defined here so that nothing depends on which of
// them the import libraries carry.
const CLSID kClsidMMDeviceEnumerator = {0xbcde0395, 0xe52f, 0x467c, {0x8e, 0x3d, 0xc4, 0x57, 0x92, 0x91, 0x69, 0x2e}};
const IID kIidIMMDeviceEnumerator = {0xa95664d2, 0x9614, 0x4f35, {0xa7, 0x46, 0xde, 0x8d, 0xb6, 0x36, 0x17, 0xe6}};
const IID kIidIAudioEndpointVolume = {0x5cdf2c82, 0x841e, 0x4546, {0x97, 0x22, 0x0c, 0xf7, 0x40, 0x78, 0x22, 0x9a}};

HANDLE AsHandle(uintptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

// The shell, sound and COM libraries are loaded when an action first needs
// them; a missing one makes its action do nothing, quietly.
void RealWinCalls::SHAddToRecentDocs(uint32_t flags, const void* item) {
    using Fn = void(WINAPI*)(UINT, LPCVOID);
    if (auto fn = SystemFunction<Fn>(L"shell32.dll", "SHAddToRecentDocs")) fn(flags, item);
}

void RealWinCalls::SHEmptyRecycleBinA(uintptr_t owner, const char* rootPath, uint32_t flags) {
    using Fn = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
    if (auto fn = SystemFunction<Fn>(L"shell32.dll", "SHEmptyRecycleBinA"))
        fn(reinterpret_cast<HWND>(owner), rootPath, flags);
}

uint32_t RealWinCalls::RasEnumConnectionsA(uint32_t entrySize, uint32_t& bytes, uint32_t& count,
                                           std::vector<uintptr_t>& connections) {
    connections.clear();
    const RasApi& ras = Ras();
    if (!ras.enumConnections) return ERROR_MOD_NOT_FOUND;
    // Entries are read with this structure's stride; another size would
    // misread them, and remote access refuses it the same way.
    if (entrySize != sizeof(RasConnSmall)) return 632;  // ERROR_INVALID_SIZE
    std::vector<RasConnSmall> buffer(std::max<size_t>(1, bytes / sizeof(RasConnSmall)));
    buffer[0].dwSize = entrySize;
    DWORD cb = bytes;
    DWORD n = 0;
    DWORD result = ras.enumConnections(buffer.data(), &cb, &n);
    bytes = cb;
    count = n;
    if (result == 0) {
        size_t filled = std::min<size_t>(n, buffer.size());
        for (size_t i = 0; i < filled; ++i) connections.push_back(reinterpret_cast<uintptr_t>(buffer[i].hrasconn));
    }
    return result;
}

uint32_t RealWinCalls::RasHangUpA(uintptr_t connection) {
    const RasApi& ras = Ras();
    if (!ras.hangUp) return ERROR_MOD_NOT_FOUND;
    return ras.hangUp(AsHandle(connection));
}

uint32_t RealWinCalls::waveOutSetVolume(uintptr_t device, uint32_t volume) {
    using Fn = MMRESULT(WINAPI*)(HWAVEOUT, DWORD);
    auto fn = SystemFunction<Fn>(L"winmm.dll", "waveOutSetVolume");
    return fn ? fn(reinterpret_cast<HWAVEOUT>(device), volume) : MMSYSERR_NODRIVER;
}

bool RealWinCalls::IsVistaOrLater() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExA(&info) && info.dwMajorVersion >= 6;
}

uint32_t RealWinCalls::waveOutGetVolume(uintptr_t device, uint32_t& volume) {
    using Fn = MMRESULT(WINAPI*)(HWAVEOUT, LPDWORD);
    auto fn = SystemFunction<Fn>(L"winmm.dll", "waveOutGetVolume");
    DWORD value = 0;
    MMRESULT result = fn ? fn(reinterpret_cast<HWAVEOUT>(device), &value) : MMSYSERR_NODRIVER;
    volume = value;
    return result;
}

namespace {

// A playback endpoint's volume control, through Core Audio, for one use:
// the endpoint named by `id`, or the default one where `id` is empty. `use`
// also gets the endpoint itself. False without COM, without a playback
// device, or where the named one is gone.
template <class Use>
bool WithEndpointVolume(const std::u16string& id, const Use& use) {
    using CreateFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    auto coCreateInstance = SystemFunction<CreateFn>(L"ole32.dll", "CoCreateInstance");
    if (!coCreateInstance) return false;
    ScopedCom com;
    ScopedComPtr<IMMDeviceEnumerator> enumerator;
    ScopedComPtr<IMMDevice> device;
    ScopedComPtr<IAudioEndpointVolume> volume;
    if (FAILED(coCreateInstance(kClsidMMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIidIMMDeviceEnumerator,
                                enumerator.ReceiveVoid())))
        return false;
    const HRESULT found = id.empty() ? enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.Receive())
                                     : enumerator->GetDevice(reinterpret_cast<LPCWSTR>(id.c_str()), device.Receive());
    return SUCCEEDED(found) &&
           SUCCEEDED(device->Activate(kIidIAudioEndpointVolume, CLSCTX_INPROC_SERVER, nullptr, volume.ReceiveVoid())) &&
           use(*device.Get(), *volume.Get());
}

constexpr float kMillionths = 1000000.0f;

}  // namespace

void RealWinCalls::SetMasterVolumeToZero() {
    WithEndpointVolume(
        {}, [](IMMDevice&, IAudioEndpointVolume& v) { return SUCCEEDED(v.SetMasterVolumeLevelScalar(0.0f, nullptr)); });
}

bool RealWinCalls::GetEndpointState(std::u16string& id, bool& muted, uint32_t& level) {
    using FreeFn = void(WINAPI*)(LPVOID);
    auto coTaskMemFree = SystemFunction<FreeFn>(L"ole32.dll", "CoTaskMemFree");
    return coTaskMemFree && WithEndpointVolume({}, [&](IMMDevice& device, IAudioEndpointVolume& v) {
               BOOL mute = FALSE;
               float scalar = 0;
               LPWSTR name = nullptr;
               if (FAILED(v.GetMute(&mute)) || FAILED(v.GetMasterVolumeLevelScalar(&scalar)) ||
                   FAILED(device.GetId(&name)))
                   return false;
               id.assign(reinterpret_cast<const char16_t*>(name));
               coTaskMemFree(name);
               muted = mute != FALSE;
               level = static_cast<uint32_t>(std::min(std::max(scalar, 0.0f), 1.0f) * kMillionths + 0.5f);
               return true;
           });
}

bool RealWinCalls::SetEndpointMute(const std::u16string& id, bool muted) {
    return WithEndpointVolume(
        id, [&](IMMDevice&, IAudioEndpointVolume& v) { return SUCCEEDED(v.SetMute(muted, nullptr)); });
}

bool RealWinCalls::SetEndpointLevel(const std::u16string& id, uint32_t level) {
    return WithEndpointVolume(id, [&](IMMDevice&, IAudioEndpointVolume& v) {
        return SUCCEEDED(v.SetMasterVolumeLevelScalar(std::min(level / kMillionths, 1.0f), nullptr));
    });
}

bool RealWinCalls::LockWorkStation() {
    // Looked up: the systems before 2000 have no such call.
    using Fn = BOOL(WINAPI*)();
    auto fn = SystemFunction<Fn>(L"user32.dll", "LockWorkStation");
    return fn && fn();
}

void RealWinCalls::MessageBeep(uint32_t type) { ::MessageBeep(type); }

void RealWinCalls::SendMessageA(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    ::SendMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

uintptr_t RealWinCalls::GetCurrentProcess() { return reinterpret_cast<uintptr_t>(::GetCurrentProcess()); }

bool RealWinCalls::OpenProcessToken(uintptr_t process, uint32_t access, uintptr_t& token) {
    HANDLE opened = nullptr;
    bool ok = ::OpenProcessToken(AsHandle(process), access, &opened);
    token = reinterpret_cast<uintptr_t>(opened);
    return ok;
}

bool RealWinCalls::LookupPrivilegeValueA(const char* system, const char* name, uint64_t& luid) {
    LUID value = {};
    bool ok = ::LookupPrivilegeValueA(system, name, &value);
    luid = static_cast<uint64_t>(static_cast<uint32_t>(value.HighPart)) << 32 | value.LowPart;
    return ok;
}

bool RealWinCalls::AdjustTokenPrivileges(uintptr_t token, bool disableAll, uint32_t privilegeCount, uint64_t luid,
                                         uint32_t attributes) {
    // TOKEN_PRIVILEGES holds room for exactly one entry.
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = std::min<uint32_t>(privilegeCount, 1);
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    privileges.Privileges[0].Attributes = attributes;
    return ::AdjustTokenPrivileges(AsHandle(token), disableAll, &privileges, 0, nullptr, nullptr);
}

bool RealWinCalls::ExitWindowsEx(uint32_t flags, uint32_t reason) { return ::ExitWindowsEx(flags, reason); }

bool RealWinCalls::CloseHandle(uintptr_t handle) { return ::CloseHandle(AsHandle(handle)); }

uintptr_t RealWinCalls::ShellExecuteOpen(const std::u16string& path, int showCommand) {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    auto fn = SystemFunction<Fn>(L"shell32.dll", "ShellExecuteW");
    if (!fn) return 0;
    HINSTANCE result =
        fn(nullptr, L"open", reinterpret_cast<const wchar_t*>(path.c_str()), nullptr, nullptr, showCommand);
    return reinterpret_cast<uintptr_t>(result);
}
