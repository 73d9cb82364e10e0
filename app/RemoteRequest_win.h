#pragma once
// A command-line request carried to the running control bar as data
// (WM_COPYDATA), never as a second control bar.
#include <windows.h>

#include "app/CommandLine.h"

// What the bar answers: it has carried the request out (or will, once the
// detonation under way is over), or it cannot now (one of its dialogs is open).
constexpr LRESULT kRequestCarriedOut = 0x5658;
constexpr LRESULT kRequestRefusedNow = 0x5659;

enum class Delivery { NoBar, CarriedOut, RefusedNow };

// Sends the request to the running bar and waits for its answer; for an
// exit, also until that VEXAL has ended, so that a script's next command
// finds none running.
Delivery SendToRunningBar(const CommandRequest& request);
// False for a WM_COPYDATA that is not one of ours.
bool ReadRemoteRequest(const COPYDATASTRUCT* data, CommandRequest& request);
