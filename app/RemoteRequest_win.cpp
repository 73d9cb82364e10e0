#include "app/RemoteRequest_win.h"

#include <cstdint>

#include "app/PasswordRules.h"
#include "base/Scoped_win.h"

namespace {

constexpr ULONG_PTR kTag = 0x314C5856;  // "VXL1"
const wchar_t kBarCaption[] = L"VEXAL汉化版";
// A bar in the middle of something answers within this time; one that may
// ask for the password, within the time a person takes to type it.
constexpr UINT kAnswerMs = 10000;
constexpr UINT kAnswerAskingMs = 120000;
// An exit brings hidden windows back first: this long at most.
constexpr DWORD kEndedWithinMs = 10000;

struct RequestData {
    int32_t kind;
    int32_t setting;
};

struct Offer {
    COPYDATASTRUCT data;
    UINT answerMs = kAnswerMs;
    bool waitForEnd = false;
    Delivery outcome = Delivery::NoBar;
};

// Every dialog window with the bar's caption is asked; only the bar knows
// the tag and answers.
BOOL CALLBACK OfferToWindow(HWND window, LPARAM param) {
    auto* offer = reinterpret_cast<Offer*>(param);
    wchar_t text[32] = L"";
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, text, 32);
    if (lstrcmpW(className, L"#32770") != 0 || lstrcmpW(text, kBarCaption) != 0) return TRUE;
    // Opened before asking, so that the process is still there to wait for.
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    ScopedHandle process(offer->waitForEnd ? OpenProcess(SYNCHRONIZE, FALSE, id) : nullptr);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&offer->data), SMTO_ABORTIFHUNG,
                             offer->answerMs, &answer))
        return TRUE;
    if (answer == static_cast<DWORD_PTR>(kRequestRefusedNow)) offer->outcome = Delivery::RefusedNow;
    if (answer != static_cast<DWORD_PTR>(kRequestCarriedOut)) return offer->outcome == Delivery::NoBar;
    offer->outcome = Delivery::CarriedOut;
    if (process.Valid() && WaitForSingleObject(process.Get(), kEndedWithinMs) != WAIT_OBJECT_0)
        offer->outcome = Delivery::RefusedNow;
    return FALSE;
}

}  // namespace

Delivery SendToRunningBar(const CommandRequest& request) {
    RequestData payload = {request.kind, request.setting};
    Offer offer;
    offer.data.dwData = kTag;
    offer.data.cbData = sizeof payload;
    offer.data.lpData = &payload;
    offer.waitForEnd = request.kind == CommandRequest::kExit;
    // Arming another setting while armed may ask as well.
    if (NeedsPassword(RequestOf(request.kind), PasswordState::Set) || request.kind == CommandRequest::kArm)
        offer.answerMs = kAnswerAskingMs;
    // The bar may bring itself, or a window it brings back, to the front.
    AllowSetForegroundWindow(ASFW_ANY);
    EnumWindows(OfferToWindow, reinterpret_cast<LPARAM>(&offer));
    return offer.outcome;
}

bool ReadRemoteRequest(const COPYDATASTRUCT* data, CommandRequest& request) {
    if (!data || data->dwData != kTag || data->cbData != sizeof(RequestData) || !data->lpData) return false;
    RequestData payload;
    CopyMemory(&payload, data->lpData, sizeof payload);
    if (payload.kind <= CommandRequest::kNone || payload.kind >= CommandRequest::kUnknown) return false;
    if (payload.kind == CommandRequest::kArm && (payload.setting < 0 || payload.setting > 5)) return false;
    request.kind = static_cast<CommandRequest::Kind>(payload.kind);
    request.setting = payload.setting;
    return true;
}
