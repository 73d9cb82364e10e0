#pragma once
// A command-line request carried to the running control bar as data
// (WM_COPYDATA), never as a second control bar.
#include <windows.h>

#include "app/CommandLine.h"

// What the bar answers once it has carried a request out.
constexpr LRESULT kRequestCarriedOut = 0x5658;

// Sends the request to the running bar and waits for it; true once it was
// carried out, false where no bar answered.
bool SendToRunningBar(const CommandRequest& request);
// False for a WM_COPYDATA that is not one of ours.
bool ReadRemoteRequest(const COPYDATASTRUCT* data, CommandRequest& request);
