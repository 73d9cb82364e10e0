#pragma once
// The end-to-end rig: runs under Wine (or Windows) beside vexal.exe, starts
// it in a folder of its own, finds its windows by caption and control ID,
// acts on them as a person would and checks what follows by polling for a
// state with a deadline. A fixed pause (Rest) is left only where time itself
// is the point, a span measured or a pace kept, or where nothing observable
// follows, as the X server drawing before a screenshot.
//
// Two layers: this rig, and the drivers of VEXAL's windows built on it
// (ControlBarDriver.h, SettingsDialogDriver.h); ProcStats.h adds what the
// kernel knows of a process. The cases use them as they are.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- cases and checks ------------------------------------------------------

struct E2ECase {
    const char* name;
    void (*run)();
};
std::vector<E2ECase>& E2ECases();
struct E2ERegister {
    E2ERegister(const char* name, void (*run)()) { E2ECases().push_back({name, run}); }
};
#define E2E_CASE(fn)                      \
    static void fn();                     \
    static E2ERegister fn##_reg(#fn, fn); \
    static void fn()

void BeginCase(const char* name);
void PrintTotals();
// Prints the Windows version the system reports. A run for one version
// (VEXAL_EXPECT_WINDOWS, "5.1" for XP) first checks that it is the one
// reported, so that it never passes on another.
void CheckWindowsVersion();
// The system reports a Windows older than major.minor.
bool WindowsBefore(DWORD major, DWORD minor);
int E2EFailures();

// Records one check; returns its outcome so a case can stop early.
bool Check(bool ok, const char* what, const std::string& detail = "");
void Skip(const char* what, const char* why);
// A check known to come out otherwise under Wine than on Windows, for the
// reason `wine` gives, as Wine's own todo_wine marks one: under Wine a
// failure is reported as "todo" with that reason and counted apart, and a
// pass as a failure, so that the mark comes off once Wine does as Windows
// does; on Windows it is an ordinary check.
bool CheckTodoWine(bool ok, const char* what, const char* wine, const std::string& detail = "");
// Running under Wine rather than Windows.
bool UnderWine();

// Polls until the condition holds or the deadline passes, every `pollMs`.
// An emulated system runs several times slower: VEXAL_E2E_DEADLINE_FACTOR,
// a whole number, stretches every deadline (a pause, Rest, stays as it is).
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000, DWORD pollMs = 20);

// ---- the program under test ------------------------------------------------

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

class Program {
public:
    // Copies `source` (beside the driver) under the given file name into a
    // new empty folder.
    explicit Program(const std::wstring& exeName = L"vexal.exe", const std::wstring& source = L"vexal.exe");
    ~Program();

    const std::wstring& Folder() const { return m_folder; }
    const std::wstring& ExePath() const { return m_exe; }
    std::wstring PathOf(const std::wstring& name) const { return m_folder + L"\\" + name; }
    void WriteFile(const std::wstring& name, const std::string& bytes) const;
    bool ReadFile(const std::wstring& name, std::string& bytes) const;

    bool Start(const std::wstring& arguments = L"");
    bool Running() const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs
    bool WaitExit(DWORD timeoutMs);
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }
    // A library of this file name is loaded in the running program.
    bool HasModule(const wchar_t* name) const;
    // Ends the program as its user would: the exit button, then by force.
    void Stop();

private:
    std::wstring m_folder;
    std::wstring m_exe;
    PROCESS_INFORMATION m_pi = {};
};

// ---- windows ----------------------------------------------------------------

// A visible top-level window of the given process whose caption is `caption`
// (empty process id: any process).
HWND FindTopWindow(DWORD processId, const std::wstring& caption);
HWND WaitTopWindow(DWORD processId, const std::wstring& caption, DWORD timeoutMs = 5000);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
bool IsTopmost(HWND window);
// `upper` stands above `lower` in the z-order.
bool IsAbove(HWND upper, HWND lower);
// Presses a button through its own click, so the program sees a real click.
void Click(HWND dialog, int id);
// A real left click at a point of the screen, or at the centre of a
// control, through the mouse.
void MouseClickAt(POINT point);
void MouseClick(HWND control);
// The control with the keyboard focus in the window's thread, of any process.
HWND FocusOf(HWND window);
bool IsChecked(HWND dialog, int id);
// The lines of a list box, of any process.
std::vector<std::wstring> ListBoxLines(HWND list);

// Memory inside another process, for the control messages that carry
// pointers: the one way the rig reads and writes another process's memory.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    // The address `offset` bytes in, as the other process sees it.
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_base) + offset); }
    template <class T>
    void Put(const T& value, size_t offset = 0) const {
        WriteProcessMemory(m_process, reinterpret_cast<void*>(At(offset)), &value, sizeof value, nullptr);
    }
    template <class T>
    T Get(size_t offset = 0) const {
        T value{};
        ReadProcessMemory(m_process, reinterpret_cast<void*>(At(offset)), &value, sizeof value, nullptr);
        return value;
    }
    // A zero-ended text of 127 characters at most.
    std::wstring Text(size_t offset) const {
        std::array<wchar_t, 128> text = Get<std::array<wchar_t, 128>>(offset);
        text.back() = 0;
        return text.data();
    }

private:
    HANDLE m_process = nullptr;
    void* m_base = nullptr;
};

// ---- the driver's own windows ------------------------------------------------

// A top-level window of the driver that records what it receives.
class TargetWindow {
public:
    explicit TargetWindow(const wchar_t* title);
    ~TargetWindow();
    HWND Handle() const { return m_hwnd; }
    int CloseRequests() const { return m_closes; }
    // When the last close request was dispatched, the window was last hidden,
    // and last activated, in QueryPerformanceCounter ticks.
    int64_t LastCloseAt() const { return m_lastCloseAt; }
    int64_t LastHiddenAt() const { return m_lastHiddenAt; }
    int64_t LastActivatedAt() const { return m_lastActivatedAt; }
    void Activate() const;
    // Lets its messages through while waiting.
    static void Pump();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    int m_closes = 0;
    int64_t m_lastCloseAt = 0;
    int64_t m_lastHiddenAt = 0;
    int64_t m_lastActivatedAt = 0;
};

// The window program (twowindows.exe): two windows of another process, whose
// hiding Wine does not slow down. Closed again at the end.
class WindowProgram {
public:
    // Started under `exeName`, for the cases that tell programs by name.
    explicit WindowProgram(const std::wstring& exeName = L"twowindows.exe");
    ~WindowProgram();
    HWND Back() const { return m_back; }
    HWND Front() const { return m_front; }
    bool Started() const { return m_back && m_front; }
    bool BothHidden() const;
    bool BothShown() const;
    // Both shown, the front one above the back one and active.
    bool InOrder() const;
    void ActivateFront() const;

private:
    Program m_program;
    HWND m_back = nullptr;
    HWND m_front = nullptr;
};

// Saves what the screen shows inside the window's rectangle (or the whole
// screen) as a bitmap named `name` in the screenshot folder.
void SaveScreenshot(const char* name, HWND window = nullptr);
// The same of a dialog of the program, once it is in front (3 s at most) and
// painted in full.
void SaveDialogScreenshot(const char* name, HWND dialog);

// Presses or releases a key through the X server ("keydown shift"), or
// moves the pointer right as a hand does ("mousemove_relative 40"); false
// where no such bridge runs (on Windows).
bool XKey(const char* request);
// Moves the pointer through the X server from point to point, one every
// `stepMs` (under 1000), as a hand moves it; false where no such bridge runs.
bool XPointerPath(const std::vector<POINT>& points, DWORD stepMs);
// Puts the X focus, where the X server's keys go, on the window's X window:
// a window manager would, when Wine activates it; none runs here.
void FocusXKeys(HWND window);

// Pumps the driver's windows for a fixed time: a pace or a measured span,
// never a wait for something to happen.
void Rest(DWORD ms);

// ---- shared by the control-bar driver and the cases ------------------------

// All of a file, read while others may write or replace it; WholeFile
// gives "" for one that cannot be read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);
std::string WholeFile(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The visible top-level windows of a process (0: of every process).
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// Brings the window to the front; true once it is there (3 s at most).
bool BringToFront(HWND window);
// A visible window of a taskbar's class (a stand-in for the shell's) across
// the screen's bottom, from `top`; the caller destroys it.
HWND CreateTaskbarStandIn(const wchar_t* className, int top, int height);
