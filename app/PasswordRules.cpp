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
