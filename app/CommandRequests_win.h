#pragma once
// The command-line requests a second start hands the running control bar
// (WM_COPYDATA): each carried out as the bar's own commands, at once, or
// while a detonation is under way (one of its actions lets messages
// through), once it is over, as the hotkey waits for it.
#include <windows.h>

#include <vector>

#include "app/CommandLine.h"

class PasswordGuard;
class TrayPresence;

class CommandRequests {
public:
    // What needs VEXAL's password asks `guard` for it, in the running bar.
    CommandRequests(HWND bar, TrayPresence& tray, PasswordGuard& guard) : m_bar(bar), m_tray(tray), m_guard(guard) {}

    // WM_COPYDATA, answered in `result`; false for any other message.
    bool Handle(UINT message, LPARAM lParam, bool detonating, LRESULT& result);
    // The detonation is over: what came meanwhile, in the order it came.
    void CarryOutWaiting();

private:
    // False where the password was asked for and not given.
    bool CarryOut(const CommandRequest& request);
    void Command(UINT id) const { SendMessageW(m_bar, WM_COMMAND, id, 0); }

    HWND m_bar;
    TrayPresence& m_tray;
    PasswordGuard& m_guard;
    std::vector<CommandRequest> m_waiting;
};
