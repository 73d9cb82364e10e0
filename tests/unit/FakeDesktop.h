#pragma once
// A recording desktop: every call is kept in order as text such as
// "PostClose(77)", and what the reads return is set by the test.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "trigger/Desktop.h"

class FakeDesktop : public Desktop {
public:
    // Scripted inputs.
    WindowId foreground = 0;
    WindowId controlBar = 1;
    std::map<WindowId, std::string> titles;
    std::map<WindowId, std::string> classNames;
    ScreenPoint cursor;
    bool shift = false;
    int32_t width = 1024;
    int32_t height = 768;
    TimeOfDay now{12, 0, 0};
    bool timerStarts = true;
    std::map<WindowId, std::vector<TopWindow>> processWindows;   // by any window of the process
    std::map<WindowId, uint32_t> windowProcess;                  // windows that exist now
    std::set<WindowId> hidden;                                   // left out of ProcessWindows
    std::vector<std::pair<std::u16string, TopWindow>> programs;  // other programs' windows by file name
    std::map<WindowId, uint64_t> processCreated;                 // their processes' creation times
    SavedSound sound;                                            // what ReadSound finds
    uint32_t sinceInputMs = 0;
    std::vector<HiddenState> savedStates;

    std::vector<std::string> calls;

    // The calls that change something, without the reads.
    std::vector<std::string> Effects() const {
        static const std::set<std::string> reads = {
            "ForegroundWindow", "WindowTitle",   "WindowClassName", "IsControlBar",    "CursorPos",
            "ShiftDown",        "ScreenWidth",   "ScreenHeight",    "LocalNow",        "LocalTimeOf",
            "ProcessWindows",   "WindowProcess", "ProcessCreated",  "SinceLastInputMs"};
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (!reads.count(c.substr(0, c.find('(')))) out.push_back(c);
        return out;
    }
    bool Called(const std::string& name) const {
        for (const std::string& c : calls)
            if (c.compare(0, name.size() + 1, name + "(") == 0) return true;
        return false;
    }

    // Local time of a seconds count, taken as UTC, so tests can aim at a time of day.
    static TimeOfDay TimeOfSeconds(int64_t s) {
        const int64_t day = ((s % 86400) + 86400) % 86400;
        return {int(day / 3600), int(day / 60 % 60), int(day % 60)};
    }

    WindowId ForegroundWindow() override { return Log("ForegroundWindow()"), foreground; }
    std::string WindowTitle(WindowId w) override { return Log("WindowTitle", w), Lookup(titles, w); }
    std::string WindowClassName(WindowId w) override { return Log("WindowClassName", w), Lookup(classNames, w); }
    bool IsControlBar(WindowId w) override { return Log("IsControlBar", w), w == controlBar; }
    ScreenPoint CursorPos() override { return Log("CursorPos()"), cursor; }
    bool ShiftDown() override { return Log("ShiftDown()"), shift; }
    int32_t ScreenWidth() override { return Log("ScreenWidth()"), width; }
    int32_t ScreenHeight() override { return Log("ScreenHeight()"), height; }
    TimeOfDay LocalNow() override { return Log("LocalNow()"), now; }
    TimeOfDay LocalTimeOf(int32_t s) override { return Log("LocalTimeOf", s), TimeOfSeconds(s); }
    std::vector<TopWindow> ProcessWindows(WindowId w, const ProgramPatterns& alsoHide) override {
        Log("ProcessWindows", w);
        std::vector<TopWindow> shown;
        if (auto it = processWindows.find(w); it != processWindows.end())
            for (const TopWindow& t : it->second)
                if (!hidden.count(t.window)) shown.push_back(t);
        for (const auto& [file, t] : programs)
            if (!hidden.count(t.window) && MatchesProgram(alsoHide, file)) shown.push_back(t);
        return shown;
    }
    uint32_t SinceLastInputMs() override { return Log("SinceLastInputMs()"), sinceInputMs; }
    uint32_t WindowProcess(WindowId w) override {
        Log("WindowProcess", w);
        auto it = windowProcess.find(w);
        return it == windowProcess.end() ? 0 : it->second;
    }
    uint64_t ProcessCreated(WindowId w) override {
        Log("ProcessCreated", w);
        auto it = processCreated.find(w);
        return it == processCreated.end() ? 0 : it->second;
    }

    void SetRangePos(int32_t p) override { Log("SetRangePos", p); }
    void SetRangeMax(int32_t s) override { Log("SetRangeMax", s); }
    void EnableArmButton(bool e) override { Log("EnableArmButton", e); }
    void ShowArmedPicture(bool s) override { Log("ShowArmedPicture", s); }
    bool StartTimer() override { return Log("StartTimer()"), timerStarts; }
    void StopTimer() override { Log("StopTimer()"); }
    void RefreshControls() override { Log("RefreshControls()"); }
    void RefreshAfterApply() override { Log("RefreshAfterApply()"); }
    void MinimizeControlBar() override { Log("MinimizeControlBar()"); }
    void HideControlBar() override { Log("HideControlBar()"); }
    void ShowControlBar() override { Log("ShowControlBar()"); }
    void SetControlBarTopmost(bool t) override { Log("SetControlBarTopmost", t); }
    void ShowFinalMessage(const std::string& text) override { Log("ShowFinalMessage", text); }
    void ShowIdleWarning(int32_t secondsLeft) override { Log("ShowIdleWarning", secondsLeft); }
    void HideIdleWarning() override { Log("HideIdleWarning()"); }

    void MinimizeWindow(WindowId w) override { Log("MinimizeWindow", w); }
    void PostClose(WindowId w) override { Log("PostClose", w); }

    void PlaySound(int32_t t) override { Log("PlaySound", t); }
    void MuteWave() override { Log("MuteWave()"); }
    void HangUpDialUp() override { Log("HangUpDialUp()"); }
    void ClearRecentDocs() override { Log("ClearRecentDocs()"); }
    void EmptyRecycleBin() override { Log("EmptyRecycleBin()"); }
    void Blackout() override { Log("Blackout()"); }
    void ScreenSaver() override { Log("ScreenSaver()"); }
    void ShutDown() override { Log("ShutDown()"); }
    void RunProgram(const std::string& path) override { Log("RunProgram", path); }
    void LockWorkStation() override { Log("LockWorkStation()"); }
    void HideWindow(WindowId w) override { Log("HideWindow", w), hidden.insert(w); }
    void ShowHiddenWindows(const std::vector<WindowId>& bottomFirst) override {
        for (WindowId w : bottomFirst) Log("ShowHiddenWindow", w), hidden.erase(w);
    }
    void ActivateWindow(WindowId w) override { Log("ActivateWindow", w); }
    SavedSound ReadSound() override { return Log("ReadSound()"), sound; }
    void Silence(const SavedSound& s) override { Log("Silence", int(s.kind)); }
    void RestoreSound(const SavedSound& s) override {
        Log("RestoreSound", std::to_string(s.kind) + "," + std::to_string(s.value));
    }
    void SaveHiddenState(const HiddenState& state) override {
        std::string windows;
        for (const HiddenWindow& w : state.windows) windows += (windows.empty() ? "" : " ") + std::to_string(w.window);
        Log("SaveHiddenState", windows);
        savedStates.push_back(state);
    }
    void ForgetHiddenState() override { Log("ForgetHiddenState()"); }

private:
    void Log(const std::string& call) { calls.push_back(call); }
    void Log(const char* name, const std::string& arg) { Log(std::string(name) + "(" + arg + ")"); }
    void Log(const char* name, bool arg) { Log(name, std::string(arg ? "true" : "false")); }
    template <typename Int>
    void Log(const char* name, Int arg) {
        Log(name, std::to_string(arg));
    }
    static std::string Lookup(const std::map<WindowId, std::string>& m, WindowId w) {
        auto it = m.find(w);
        return it == m.end() ? std::string() : it->second;
    }
};
