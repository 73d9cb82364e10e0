#include "sysinfo/InfoDlg_win.h"

#include <array>
#include <utility>

#include "base/Scoped_win.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "sysinfo/CpuProbe.h"
#include "sysinfo/InfoFormat.h"

namespace {

constexpr DWORD kNameBufferChars = 256;
constexpr uint32_t kTimeStampCounterBit = 1u << 4;  // CPUID leaf 1, EDX
constexpr DWORD kClockSpinMs = 1000;

// Busy-waits for at least a second by the tick count and measures how far
// the time-stamp counter moved. The elapsed time used is the one measured,
// which includes the tick count's own granularity, not the nominal second.
double MeasureClockMHz() {
    DWORD t0 = GetTickCount();
    uint64_t c0 = ReadTimeStampCounter();
    DWORD base = GetTickCount();
    while (GetTickCount() - base < kClockSpinMs) {
    }
    DWORD t1 = GetTickCount();
    uint64_t c1 = ReadTimeStampCounter();
    return ClockMHz(c1 - c0, t1 - t0);
}

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
using FreeResourcesFn = int(WINAPI*)(int kind);

}  // namespace

CInfoDlg::CInfoDlg(std::string osName) : CDialog(IDD_INFO), m_strOsName(std::move(osName)) {}

CInfoDlg::~CInfoDlg() = default;

void CInfoDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_INFO_GDI_GAUGE, m_gaugeGdi);
    DDX_Control(pDX, IDC_INFO_SYSTEM_GAUGE, m_gaugeSystem);
    DDX_Control(pDX, IDC_INFO_USER_GAUGE, m_gaugeUser);
    DDX_Control(pDX, IDC_INFO_DRIVES, m_listDrives);
    DDX_Text(pDX, IDC_INFO_CPU, m_strCpuInfo);
}

BOOL CInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();  // binds the controls and clears the CPU field

    ShowNames();

    SYSTEMTIME now;
    GetLocalTime(&now);
    SetField(IDC_INFO_DATE, FormatDate(now.wYear, now.wMonth, now.wDay));
    SetField(IDC_INFO_SYSTEM, FormatWindowsLine(m_strOsName));

    ShowMemory();
    ShowFixedDrives();
    SetField(IDC_INFO_SCREEN, FormatScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    ShowProcessor();
    ShowResourceGauges();

    CenterWindow();
    return TRUE;
}

void CInfoDlg::SetField(int id, const std::u16string& text) const {
    SetDlgItemTextW(m_hWnd, id, reinterpret_cast<const wchar_t*>(text.c_str()));
}

// A name that cannot be read leaves its field empty.
void CInfoDlg::ShowNames() {
    wchar_t name[kNameBufferChars];
    DWORD size = kNameBufferChars;
    if (GetComputerNameW(name, &size)) SetDlgItemTextW(m_hWnd, IDC_INFO_COMPUTER, name);
    size = kNameBufferChars;
    if (GetUserNameW(name, &size)) SetDlgItemTextW(m_hWnd, IDC_INFO_USER, name);
}

// GlobalMemoryStatus counts in 32 bits and stops at 2 or 4 GB, so the
// 64-bit query is preferred. It is looked up rather than linked, so that
// the program still starts on a system that lacks it.
void CInfoDlg::ShowMemory() {
    uint64_t total = 0;
    uint64_t available = 0;
    auto statusEx = SystemFunction<GlobalMemoryStatusExFn>(L"kernel32.dll", "GlobalMemoryStatusEx");
    MEMORYSTATUSEX ex = {};
    ex.dwLength = sizeof ex;
    if (statusEx && statusEx(&ex)) {
        total = ex.ullTotalPhys;
        available = ex.ullAvailPhys;
    } else {
        MEMORYSTATUS status = {};
        status.dwLength = sizeof status;  // 32
        GlobalMemoryStatus(&status);
        total = status.dwTotalPhys;
        available = status.dwAvailPhys;
    }
    SetField(IDC_INFO_TOTAL_MEMORY, FormatTotalMemory(total));
    SetField(IDC_INFO_FREE_MEMORY, FormatFreeMemory(available));
}

// Only the drive type is asked of other drives, so no floppy or optical
// drive is ever touched. A fixed drive whose free space cannot be read has
// no value worth showing and is left out. The list sorts its lines, which
// begin with the bracketed letter.
void CInfoDlg::ShowFixedDrives() {
    wchar_t root[] = L"A:\\";
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        root[0] = letter;
        if (GetDriveTypeW(root) != DRIVE_FIXED) continue;
        ULARGE_INTEGER freeToCaller, total;
        if (!GetDiskFreeSpaceExW(root, &freeToCaller, &total, nullptr)) continue;
        std::u16string line = FormatDriveLine(static_cast<char>(letter), freeToCaller.QuadPart);
        m_listDrives.AddString(reinterpret_cast<const wchar_t*>(line.c_str()));
    }
}

// Without CPUID the field stays empty. Only AMD's vendor text is replaced
// by the brand text; without a time-stamp counter no clock is measured.
void CInfoDlg::ShowProcessor() {
    if (!CpuHasCpuid()) return;
    CpuidRegisters leaf0 = CpuidLeaf(0);
    std::string vendor = VendorText(leaf0.ebx, leaf0.edx, leaf0.ecx);
    std::string brand;
    if (vendor == "AuthenticAMD") {
        std::array<uint32_t, 12> registers{};
        for (uint32_t i = 0; i < 3; ++i) {
            CpuidRegisters r = CpuidLeaf(0x80000002u + i);
            registers[i * 4] = r.eax;
            registers[i * 4 + 1] = r.ebx;
            registers[i * 4 + 2] = r.ecx;
            registers[i * 4 + 3] = r.edx;
        }
        brand = BrandText(registers);
    }
    std::u16string text = ProcessorText(vendor, brand);
    if (CpuidLeaf(1).edx & kTimeStampCounterBit) text += FormatClock(MeasureClockMHz());
    SetField(IDC_INFO_CPU, text);
}

// The resource meter library exists on Windows 95, 98 and ME only; where it
// is missing the fields stay empty and the gauges at 0. It is let go again
// once the gauges are filled.
void CInfoDlg::ShowResourceGauges() {
    ScopedLibrary meter(LoadSystemLibrary(L"rsrc32.dll"));
    auto freeResources = meter.Function<FreeResourcesFn>("_MyGetFreeSystemResources32@4");
    if (!freeResources) return;
    // Kinds as the library numbers them: 0 system, 2 user, 1 GDI.
    const struct {
        int kind;
        const CProgressCtrl& gauge;
        int field;
    } kinds[] = {
        {0, m_gaugeSystem, IDC_INFO_SYSTEM_RES},
        {2, m_gaugeUser, IDC_INFO_USER_RES},
        {1, m_gaugeGdi, IDC_INFO_GDI_RES},
    };
    for (const auto& k : kinds) {
        int percent = freeResources(k.kind);
        k.gauge.SetPos(percent);
        SetField(k.field, FormatPercent(percent));
    }
}
