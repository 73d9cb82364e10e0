#include "settings/DecimalText.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// The magnitude stops growing just past the 32-bit range, so any digit run
// is safe and the result saturates.
bool ReadDecimal(const std::string& text, size_t& pos, int32_t& value) {
    size_t i = pos;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return false;
    constexpr int64_t kCap = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - '0');
    int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX) signedValue = INT32_MAX;
    if (signedValue < INT32_MIN) signedValue = INT32_MIN;
    value = static_cast<int32_t>(signedValue);
    pos = i;
    return true;
}

int32_t DecimalTextToInt(const std::string& text) {
    size_t pos = 0;
    int32_t value = 0;
    return ReadDecimal(text, pos, value) ? value : 0;
}
