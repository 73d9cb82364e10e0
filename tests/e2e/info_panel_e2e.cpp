// The information panel from the outside: opened from the "?" button, the
// system menu and F1, its facts compared with what the machine tells the
// driver, and the control bar's z-order around it.
#include <windows.h>
#include <commctrl.h>
#include <cpuid.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "sysinfo/InfoFormat.h"
#include "sysinfo/WindowsVersion.h"
#include "tests/e2e/ControlBarDriver.h"
#include "tests/e2e/ProcStats.h"

namespace {

const wchar_t kPanelCaption[] = L"VEXAL：信息";

std::wstring Field(HWND panel, int id) { return WindowText(GetDlgItem(panel, id)); }

int GaugePos(HWND panel, int id) { return static_cast<int>(SendMessageW(GetDlgItem(panel, id), PBM_GETPOS, 0, 0)); }

// A text of the panel's formatting (sysinfo/InfoFormat.h, checked by its
// unit tests), to compare with what a field shows.
std::wstring Shown(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::string Printf(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The number that follows `prefix` in `text`; NAN when it is not there.
double NumberAfter(const std::wstring& text, const std::wstring& prefix) {
    size_t at = text.find(prefix);
    if (at == std::wstring::npos) return NAN;
    const wchar_t* start = text.c_str() + at + prefix.size();
    wchar_t* end = nullptr;
    double value = std::wcstod(start, &end);
    return end == start ? NAN : value;
}

// Waits for the panel after `open` has asked for it; `elapsedMs` gets the
// time from the request to the visible panel.
HWND OpenPanel(const ControlBar& p, const std::function<void()>& open, DWORD* elapsedMs = nullptr) {
    DWORD start = GetTickCount();
    open();
    HWND panel = p.WaitWindow(kPanelCaption, 10000);
    if (elapsedMs) *elapsedMs = GetTickCount() - start;
    return panel;
}

void ClosePanel(HWND panel) {
    Click(panel, IDOK);
    Check(WaitFor([&] { return !IsWindow(panel); }, 5000), "the panel closes with its OK button");
}

// The drive lines the panel should show: every fixed drive whose free space
// can be read.
std::vector<std::wstring> ExpectedDriveLetters() {
    std::vector<std::wstring> letters;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        wchar_t root[] = {c, L':', L'\\', 0};
        ULARGE_INTEGER free, total;
        if (GetDriveTypeW(root) == DRIVE_FIXED && GetDiskFreeSpaceExW(root, &free, &total, nullptr))
            letters.push_back(std::wstring(L"[") + c + L":]");
    }
    return letters;
}

// ---- the facts ---------------------------------------------------------------

void CheckNamesAndDate(HWND panel, const SYSTEMTIME& before) {
    wchar_t name[256];
    DWORD size = 256;
    if (GetComputerNameW(name, &size)) Check(Field(panel, IDC_INFO_COMPUTER) == name, "the computer name");
    size = 256;
    if (GetUserNameW(name, &size)) Check(Field(panel, IDC_INFO_USER) == name, "the user name");

    // Either side of midnight is right.
    SYSTEMTIME after;
    GetLocalTime(&after);
    std::wstring date = Field(panel, IDC_INFO_DATE);
    bool matches = false;
    for (const SYSTEMTIME* t : {&before, static_cast<const SYSTEMTIME*>(&after)})
        matches = matches || date == Shown(FormatDate(t->wYear, t->wMonth, t->wDay));
    Check(matches, "the date as the machine has it", WideToUtf8(date));

    Check(Field(panel, IDC_INFO_SCREEN) ==
              Shown(FormatScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))),
          "the screen size", WideToUtf8(Field(panel, IDC_INFO_SCREEN)));
}

void CheckMemory(HWND panel) {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    std::wstring total = Field(panel, IDC_INFO_TOTAL_MEMORY);
    const std::wstring expected = Shown(FormatTotalMemory(status.ullTotalPhys));
    Check(total == expected, "total memory as the 64-bit query reports it",
          WideToUtf8(total) + " against " + WideToUtf8(expected));

    // Free memory moves: a figure the panel's formatting makes, between 0 and the total.
    std::wstring free = Field(panel, IDC_INFO_FREE_MEMORY);
    double freeMB = NumberAfter(free, L"");
    bool shaped = !std::isnan(freeMB) && free == Shown(FormatFreeMemory(std::llround(freeMB * 1048576.0)));
    Check(shaped && freeMB > 0 && freeMB <= static_cast<double>(status.ullTotalPhys) / 1048576.0,
          "free memory lies between 0 and the total", WideToUtf8(free));
    std::printf("     memory: %s / %s\n", WideToUtf8(total).c_str(), WideToUtf8(free).c_str());
}

void CheckDrives(HWND panel) {
    std::vector<std::wstring> lines = ListBoxLines(GetDlgItem(panel, IDC_INFO_DRIVES));
    std::vector<std::wstring> letters = ExpectedDriveLetters();
    bool sameDrives = lines.size() == letters.size();
    for (size_t i = 0; sameDrives && i < lines.size(); ++i)
        sameDrives = lines[i].compare(0, 4, letters[i]) == 0 && lines[i].find(L" GB 空闲") == lines[i].size() - 6;
    std::string shown;
    for (const std::wstring& line : lines) shown += WideToUtf8(line) + "; ";
    Check(sameDrives, "one line per fixed drive, in letter order", shown);

    ULARGE_INTEGER free, total;
    double expected =
        GetDiskFreeSpaceExW(L"C:\\", &free, &total, nullptr) ? static_cast<double>(free.QuadPart >> 20) / 1024.0 : NAN;
    double shownC = NAN;
    for (const std::wstring& line : lines)
        if (line.compare(0, 4, L"[C:]") == 0) shownC = NumberAfter(line, L"[C:] 约 ");
    std::printf("     drives: %s C: %.2f GB free now\n", shown.c_str(), expected);
    // The disk is shared with other work, so its free space may move a little.
    Check(!std::isnan(shownC) && std::fabs(shownC - expected) <= 0.25, "drive C: with its free space",
          Printf("%.2f GB shown, ", shownC) + Printf("%.2f GB now", expected));
}

// What the processor calls itself, by the panel's own choice between the
// vendor and the brand texts.
std::wstring ExpectedProcessorText() {
    unsigned eax, ebx, ecx, edx;
    __cpuid(0, eax, ebx, ecx, edx);
    std::array<uint32_t, 12> brand{};
    for (unsigned i = 0; i < 3; ++i)
        __cpuid(0x80000002u + i, brand[4 * i], brand[4 * i + 1], brand[4 * i + 2], brand[4 * i + 3]);
    return Shown(ProcessorText(VendorText(ebx, edx, ecx), BrandText(brand)));
}

void CheckProcessor(HWND panel, double referenceMHz) {
    std::wstring cpu = Field(panel, IDC_INFO_CPU);
    std::printf("     CPU field: %s\n", WideToUtf8(cpu).c_str());
    const std::wstring name = ExpectedProcessorText(), head = name + L" 实测 约 ";
    double mhz = cpu.compare(0, head.size(), head) == 0 ? NumberAfter(cpu, head) : NAN;
    bool shaped = !std::isnan(mhz) && cpu == name + Shown(FormatClock(mhz));
    Check(shaped, "the CPU field: the processor's name, then the measured clock", WideToUtf8(cpu));
    double deviation = (mhz - referenceMHz) / referenceMHz;
    std::printf("     clock: panel %.2f MHz, reference %.3f MHz, deviation %+.3f%%\n", mhz, referenceMHz,
                deviation * 100);
    Check(std::fabs(deviation) <= 0.02, "the measured clock is within 2% of the counter's rate");
}

// Where the resource meter would be: the system folder.
std::wstring SystemMeterPath() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\rsrc32.dll";
}

void CheckNoResourceMeter(HWND panel) {
    if (FileExists(SystemMeterPath())) {
        Skip("empty resource fields", "a resource meter library is present");
        return;
    }
    Check(Field(panel, IDC_INFO_SYSTEM_RES).empty() && Field(panel, IDC_INFO_USER_RES).empty() &&
              Field(panel, IDC_INFO_GDI_RES).empty(),
          "the resource fields are empty without the resource meter");
    Check(GaugePos(panel, IDC_INFO_SYSTEM_GAUGE) == 0 && GaugePos(panel, IDC_INFO_USER_GAUGE) == 0 &&
              GaugePos(panel, IDC_INFO_GDI_GAUGE) == 0,
          "the resource gauges stay at 0");
}

// The line for the version the driver itself sees, by the program's own
// table: under Wine every program sees the prefix's version (XP in the run
// set to XP, where the panel names "XP", or "2000" for the 64-bit XP's 5.2).
std::wstring ExpectedWindowsLine() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return Shown(FormatWindowsLine(WindowsVersionName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion)));
}

// The stand-in resource meter (built beside the driver) in the system
// folder for the life of a case; a library already there is left alone.
class InstalledResourceMeter {
public:
    InstalledResourceMeter() : m_path(SystemMeterPath()) {
        m_installed = CopyFileW(L"rsrc32.dll", m_path.c_str(), TRUE) != FALSE;
    }
    ~InstalledResourceMeter() {
        if (m_installed) DeleteFileW(m_path.c_str());
    }
    bool Installed() const { return m_installed; }

private:
    std::wstring m_path;
    bool m_installed = false;
};

}  // namespace

E2E_CASE(info_panel_from_button_and_system_menu) {
    ControlBar p;
    if (!Check(p.Start(), "the control bar appears")) return;
    HWND bar = p.Handle();
    Check(IsTopmost(bar), "with NotTopmost 0 the control bar starts topmost");

    SYSTEMTIME before;
    GetLocalTime(&before);
    DWORD elapsed = 0;
    HWND panel = OpenPanel(
        p, [&] { p.Press(IDC_INFO); }, &elapsed);
    if (!Check(panel != nullptr, "\"?\" opens the panel titled VEXAL：信息")) return;
    std::printf("     click to visible panel: %lu ms\n", elapsed);
    Check(elapsed >= 1000, "the panel takes at least a second to appear (the clock measurement)");
    Check(!IsTopmost(bar), "the control bar is not topmost while the panel is open");

    SaveDialogScreenshot("info-panel", panel);

    std::wstring windowsLine = Field(panel, IDC_INFO_SYSTEM);
    Check(windowsLine == ExpectedWindowsLine(), "the Windows line names this Windows", WideToUtf8(windowsLine));
    CheckNamesAndDate(panel, before);
    CheckMemory(panel);
    CheckDrives(panel);
    CheckNoResourceMeter(panel);
    CheckProcessor(panel, ReferenceTscMHz());

    ClosePanel(panel);
    Check(WaitFor([&] { return IsTopmost(bar); }, 5000), "the control bar is topmost again after the panel");

    panel = OpenPanel(p, [&] { PostMessageW(bar, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); });
    if (!Check(panel != nullptr, "the system menu's about item opens the panel")) return;
    Check(Field(panel, IDC_INFO_SYSTEM) == windowsLine, "the same Windows line both ways");
    Check(IsTopmost(bar), "the system menu path leaves the control bar topmost");
    ClosePanel(panel);
    Check(IsTopmost(bar), "and topmost after");
}

// Where the resource meter exists (Windows 95 to ME), kind 0 fills the system
// gauge, kind 2 the user gauge and kind 1 the GDI gauge, each with its field,
// and the library is let go again.
E2E_CASE(info_panel_resource_gauges_with_meter) {
    InstalledResourceMeter meter;
    if (!meter.Installed()) {
        Skip("resource gauges", "no stand-in library could be put in the system folder");
        return;
    }
    ControlBar p;
    if (!Check(p.Start(), "the control bar appears")) return;
    HWND panel = OpenPanel(p, [&] { p.Press(IDC_INFO); });
    if (!Check(panel != nullptr, "\"?\" opens the panel")) return;

    const struct {
        int field, gauge, percent;
        const char* what;
    } rows[] = {
        {IDC_INFO_SYSTEM_RES, IDC_INFO_SYSTEM_GAUGE, 71, "system resources (kind 0): field and gauge"},
        {IDC_INFO_USER_RES, IDC_INFO_USER_GAUGE, 63, "user resources (kind 2): field and gauge"},
        {IDC_INFO_GDI_RES, IDC_INFO_GDI_GAUGE, 42, "GDI resources (kind 1): field and gauge"},
    };
    for (const auto& r : rows) {
        std::wstring text = Field(panel, r.field);
        int pos = GaugePos(panel, r.gauge);
        Check(text == std::to_wstring(r.percent) + L" %" && pos == r.percent, r.what,
              WideToUtf8(text) + ", gauge at " + std::to_string(pos));
    }
    Check(!p.HasModule(L"rsrc32.dll"), "the library is released once the gauges are filled");
    ClosePanel(panel);
}

// The meter is loaded by its full path in the system folder only: a library
// of its name beside the program (one that answers other shares) is never
// loaded, whether or not the system folder has one.
E2E_CASE(info_panel_resource_meter_only_from_the_system_folder) {
    auto openPanelWithImpostor = [](ControlBar& p) -> HWND {
        CopyFileW(L"rsrc32_impostor.dll", p.PathOf(L"rsrc32.dll").c_str(), FALSE);
        if (!Check(p.Start(), "vexal.exe starts beside a library named rsrc32.dll")) return nullptr;
        return OpenPanel(p, [&] { p.Press(IDC_INFO); });
    };
    {
        ControlBar p;
        HWND panel = openPanelWithImpostor(p);
        if (!Check(panel != nullptr, "\"?\" opens the panel")) return;
        CheckNoResourceMeter(panel);
        ClosePanel(panel);
    }
    InstalledResourceMeter meter;
    if (!meter.Installed()) {
        Skip("the system folder's meter wins", "no stand-in library could be put in the system folder");
        return;
    }
    ControlBar p;
    HWND panel = openPanelWithImpostor(p);
    if (!Check(panel != nullptr, "\"?\" opens the panel")) return;
    Check(Field(panel, IDC_INFO_SYSTEM_RES) == L"71 %" && Field(panel, IDC_INFO_GDI_RES) == L"42 %",
          "the system folder's meter fills the gauges, not the one beside the program",
          WideToUtf8(Field(panel, IDC_INFO_SYSTEM_RES)));
    ClosePanel(panel);
}

// Only a NotTopmost of exactly 0 lets the "?" button touch the z-order:
// with 1 the bar stays in the normal band, with 2 (topmost, as any value but
// 1 makes it) it stays topmost, while the panel is open and afterwards.
E2E_CASE(info_panel_keeps_z_order_unless_not_topmost_is_0) {
    for (int notTopmost : {1, 2}) {
        BombSettings s = DefaultSettings();
        SetPreset(s, 0, Preset::NotTopmost, notTopmost);
        ControlBar p(s);
        if (!Check(p.Start(), "the control bar appears")) return;
        HWND bar = p.Handle();
        const bool topmost = notTopmost != 1;
        std::string band = "NotTopmost " + std::to_string(notTopmost) + (topmost ? ": topmost" : ": not topmost");
        Check(IsTopmost(bar) == topmost, (band + " at the start").c_str());

        HWND panel = OpenPanel(p, [&] { p.Press(IDC_INFO); });
        if (!Check(panel != nullptr, "\"?\" opens the panel")) return;
        Check(IsTopmost(bar) == topmost, (band + " while the panel is open").c_str());
        ClosePanel(panel);
        Check(!WaitFor([&] { return IsTopmost(bar) != topmost; }, 1000), (band + " after the panel").c_str());
    }
}

// F1 stands in for help: it opens the panel as "?" does, and F1 inside the
// panel does not open a second one.
E2E_CASE(info_panel_from_f1) {
    ControlBar p;
    if (!Check(p.Start(), "the control bar appears")) return;
    HWND bar = p.Handle();

    auto pressF1 = [](HWND window) {
        BringToFront(window);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = VK_F1;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    };
    HWND panel = OpenPanel(p, [&] { pressF1(bar); });
    if (!Check(panel != nullptr, "F1 on the control bar opens the panel")) return;
    Check(!IsTopmost(bar), "the control bar is not topmost while the panel is open");

    pressF1(panel);
    auto secondPanel = [&] {
        std::vector<HWND> shown = p.Windows();
        return std::count_if(shown.begin(), shown.end(), [](HWND w) { return WindowText(w) == kPanelCaption; }) > 1;
    };
    Check(!WaitFor(secondPanel, 2500), "F1 in the panel opens no second panel");
    ClosePanel(panel);
    Check(WaitFor([&] { return IsTopmost(bar); }, 5000), "the control bar is topmost again after the panel");
}
