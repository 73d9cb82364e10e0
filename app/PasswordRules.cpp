#include "app/PasswordRules.h"

bool NeedsPassword(Request request, PasswordState state) {
    if (state == PasswordState::None) return false;
    switch (request) {
        case Request::BringBack:
        case Request::Disarm:
        case Request::OpenSettings:
        case Request::ShowBar:
        case Request::Exit:
            return true;
        default:
            return false;
    }
}

Request RequestOf(CommandRequest::Kind kind) {
    switch (kind) {
        case CommandRequest::kRestore:
            return Request::BringBack;
        case CommandRequest::kDetonate:
            return Request::Detonate;
        case CommandRequest::kDisarm:
            return Request::Disarm;
        case CommandRequest::kShow:
            return Request::ShowBar;
        case CommandRequest::kExit:
            return Request::Exit;
        default:
            return Request::Arm;
    }
}

void PasswordThrottle::Wrong(uint64_t nowMs) {
    if (++m_wrongInRow >= kFreeTries) m_until = nowMs + kWaitMs;
}

std::string PasswordThrottle::Text() const { return std::to_string(m_wrongInRow) + " " + std::to_string(m_until); }

namespace {

// Decimal digits only, at most 19 of them.
bool ReadDecimal(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

}  // namespace

bool PasswordThrottle::Read(std::string_view text, uint64_t nowMs) {
    const size_t space = text.find(' ');
    uint64_t wrong = 0, until = 0;
    if (space == std::string_view::npos || !ReadDecimal(text.substr(0, space), wrong) ||
        !ReadDecimal(text.substr(space + 1), until) || wrong > 1000000)
        return false;
    m_wrongInRow = static_cast<int>(wrong);
    m_until = until > nowMs + kWaitMs ? 0 : until;
    return true;
}
