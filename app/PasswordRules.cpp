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

void PasswordThrottle::Wrong(uint64_t nowMs) {
    if (++m_wrongInRow >= kFreeTries) m_until = nowMs + kWaitMs;
}
