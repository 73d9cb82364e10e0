#include "app/RemoteRequest.h"

#include <cstdint>

namespace {

constexpr ULONG_PTR kTag = 0x314C5856;  // "VXL1"
const wchar_t kBarCaption[] = L"VEXAL汉化版";
// A bar in the middle of something answers within this time.
constexpr UINT kAnswerMs = 10000;

struct RequestData {
    int32_t kind;
    int32_t setting;
};

struct Delivery {
    COPYDATASTRUCT data;
    bool carriedOut = false;
};

// Every dialog window with the bar's caption is asked; only the bar knows
// the tag and answers.
BOOL CALLBACK OfferToWindow(HWND window, LPARAM param) {
    auto* delivery = reinterpret_cast<Delivery*>(param);
    wchar_t text[32] = L"";
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, text, 32);
    if (lstrcmpW(className, L"#32770") != 0 || lstrcmpW(text, kBarCaption) != 0) return TRUE;
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&delivery->data), SMTO_ABORTIFHUNG,
                            kAnswerMs, &answer) &&
        answer == static_cast<DWORD_PTR>(kRequestCarriedOut))
        delivery->carriedOut = true;
    return delivery->carriedOut ? FALSE : TRUE;
}

}  // namespace

bool SendToRunningBar(const CommandRequest& request) {
    RequestData payload = {request.kind, request.setting};
    Delivery delivery;
    delivery.data.dwData = kTag;
    delivery.data.cbData = sizeof payload;
    delivery.data.lpData = &payload;
    // The bar may bring itself, or a window it brings back, to the front.
    AllowSetForegroundWindow(ASFW_ANY);
    EnumWindows(OfferToWindow, reinterpret_cast<LPARAM>(&delivery));
    return delivery.carriedOut;
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
