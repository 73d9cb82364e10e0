#pragma once
// When VEXAL asks for its password, and how often a wrong one may be tried.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "settings/PasswordVerifier.h"

// What a person or a script may ask of VEXAL. Whatever protects stays
// instant; whatever undoes it, or opens the way to undo it, asks.
enum class Request {
    Hide,          // the hotkey or a detonation
    Arm,           // the button, a setting number, /arm
    Detonate,      // the hotkey, /detonate
    BringBack,     // the hotkey, the icon's menu, a second start, /restore, the start after a kill
    Disarm,        // the button, the icon, /disarm
    OpenSettings,  // the settings or the hotkey and hiding dialog
    ShowBar,       // out of the notification area
    Exit,          // the exit button, the icon's menu, /exit
    EndOfSession,  // Windows logs off or shuts down: the windows' programs must save their work
};

bool NeedsPassword(Request request, PasswordState state);
// What a command-line request asks of VEXAL.
Request RequestOf(CommandRequest::Kind kind);

// Five wrong passwords in a row, and every wrong one after them, make the
// next try wait 30 seconds; the right one starts the count again.
class PasswordThrottle {
public:
    static constexpr int kFreeTries = 5;
    static constexpr uint32_t kWaitMs = 30000;

    // Milliseconds before the next try may be made; 0: now.
    uint32_t WaitMs(uint64_t nowMs) const { return nowMs < m_until ? static_cast<uint32_t>(m_until - nowMs) : 0; }
    void Wrong(uint64_t nowMs);
    void Right() { m_wrongInRow = 0; }
    bool Counting() const { return m_wrongInRow > 0; }
    // As kept between runs of VEXAL ("5 123456": the wrong ones in a row,
    // then the tick the wait ends), so that ending VEXAL skips no wait.
    std::string Text() const;
    // Read back at `nowMs`; false, and nothing changed, for text Text() does
    // not write. A wait that would end more than one wait ahead is another
    // boot's: none.
    bool Read(std::string_view text, uint64_t nowMs);

private:
    int m_wrongInRow = 0;
    uint64_t m_until = 0;
};
