#include "trigger/HiddenStateText.h"

#include <cinttypes>
#include <cstdio>

#include "settings/IniText.h"

namespace {

const char kSection[] = "Hidden";
constexpr uint32_t kFullLevel = 1000000;  // a level in millionths
constexpr uint64_t kBootSlackSeconds = 120;

// Digits only, no sign, no blanks, no overflow; "0x" and hex digits where
// `hex`, else decimal.
bool ReadNumber(std::string_view text, bool hex, uint64_t max, uint64_t& out) {
    if (hex) {
        if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    const uint64_t base = hex ? 16 : 10;
    uint64_t value = 0;
    for (char c : text) {
        uint64_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint64_t>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<uint64_t>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<uint64_t>(c - 'A' + 10);
        else
            return false;
        if (digit > max || value > (max - digit) / base) return false;
        value = value * base + digit;
    }
    out = value;
    return true;
}

// The comma-separated fields of a value; the last one takes the rest of the
// line when `fields` are reached.
std::vector<std::string_view> SplitFields(std::string_view text, size_t fields) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < fields) {
        const size_t comma = text.find(',');
        if (comma == std::string_view::npos) break;
        parts.push_back(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    parts.push_back(text);
    return parts;
}

// Strict UTF-8 and back, for the endpoint's id; neither way takes a control
// character, so that an id is read only where it could have been written.
bool Utf8ToUtf16(std::string_view in, std::u16string& out) {
    out.clear();
    for (size_t i = 0; i < in.size();) {
        const auto b = static_cast<unsigned char>(in[i]);
        const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > in.size()) return false;
        uint32_t c = n == 1 ? b : b & (0xFFu >> (n + 1));
        for (size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(in[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3Fu);
        }
        static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < 0x20 || c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return true;
}

// False for a lone surrogate or a control character, which no endpoint id
// holds and no record line could carry.
bool Utf16ToUtf8(const std::u16string& in, std::string& out) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        uint32_t c = in[i];
        if (c < 0x20) return false;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (in[++i] - 0xDC00u);
        else if (c >= 0xD800 && c <= 0xDFFF)
            return false;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return true;
}

// kind,value[,level[,device]]: the mute is 0 or 1; level and device belong
// to the endpoint alone.
bool ReadSound(std::string_view text, SavedSound& sound) {
    const std::vector<std::string_view> f = SplitFields(text, 4);
    uint64_t kind = 0, value = 0, level = SavedSound::kLevelUnknown;
    if (f.size() < 2 || !ReadNumber(f[0], false, SavedSound::kWaveVolume, kind) ||
        !ReadNumber(f[1], false, UINT32_MAX, value))
        return false;
    if (kind != SavedSound::kEndpointMute && f.size() > 2) return false;
    if (kind == SavedSound::kEndpointMute && value > 1) return false;
    if (f.size() > 2 && !ReadNumber(f[2], false, UINT32_MAX, level)) return false;
    if (level > kFullLevel && level != SavedSound::kLevelUnknown) return false;
    SavedSound read;
    read.kind = static_cast<SavedSound::Kind>(kind);
    read.value = static_cast<uint32_t>(value);
    read.level = static_cast<uint32_t>(level);
    if (f.size() > 3 && !Utf8ToUtf16(f[3], read.device)) return false;
    sound = read;
    return true;
}

std::string FormatSound(const SavedSound& sound) {
    std::string line = "Sound=" + std::to_string(static_cast<int>(sound.kind)) + "," + std::to_string(sound.value);
    std::string device;
    // An id that cannot be written leaves the default endpoint.
    const bool withDevice = !sound.device.empty() && Utf16ToUtf8(sound.device, device);
    if (sound.kind == SavedSound::kEndpointMute && (withDevice || sound.level != SavedSound::kLevelUnknown))
        line += "," + std::to_string(sound.level);
    if (sound.kind == SavedSound::kEndpointMute && withDevice) line += "," + device;
    return line + "\r\n";
}

}  // namespace

std::string FormatHiddenRecord(const HiddenState& state, const RecordStamp& stamp) {
    std::string text = "; VEXAL: the windows it has hidden, brought back at its next start.\r\n[Hidden]\r\n";
    text += "Boot=" + std::to_string(stamp.bootSeconds) + "\r\nWritten=" + std::to_string(stamp.written) + "\r\n";
    text += FormatSound(state.sound);
    char line[96];
    // A verifier holds no line break: IniText read it from one line.
    if (!state.verifier.empty()) text += "Verifier=" + state.verifier + "\r\n";
    if (state.target != 0) {
        std::snprintf(line, sizeof line, "Target=0x%" PRIxPTR "\r\n", state.target);
        text += line;
    }
    for (const HiddenWindow& w : state.windows) {
        std::snprintf(line, sizeof line, "Window=0x%" PRIxPTR ",%" PRIu32 ",%" PRIu64 "\r\n", w.window, w.process,
                      w.processCreated);
        text += line;
    }
    return text;
}

HiddenRecord ParseHiddenRecord(std::string_view bytes) {
    const IniText text = IniText::Parse(bytes);
    HiddenRecord record;
    if (auto boot = text.Get(kSection, "Boot")) {
        // A Boot= line that cannot be read names no boot: never this one.
        RecordStamp stamp;
        if (!ReadNumber(*boot, false, UINT64_MAX, stamp.bootSeconds)) stamp.bootSeconds = 0;
        if (auto written = text.Get(kSection, "Written"))
            if (!ReadNumber(*written, false, UINT64_MAX, stamp.written)) stamp.written = 0;
        record.stamp = stamp;
    }
    if (auto sound = text.Get(kSection, "Sound")) ReadSound(*sound, record.state.sound);
    record.state.verifier = text.Get(kSection, "Verifier").value_or("");
    uint64_t target = 0;
    if (auto line = text.Get(kSection, "Target"); line && ReadNumber(*line, true, UINTPTR_MAX, target))
        record.state.target = static_cast<WindowId>(target);
    for (const std::string& line : text.GetAll(kSection, "Window")) {
        const std::vector<std::string_view> f = SplitFields(line, 4);
        // A window of a stamped record must carry its process's creation time.
        if (f.size() != 3 && (f.size() != 2 || record.stamp)) continue;
        HiddenWindow w;
        uint64_t window = 0, process = 0;
        if (!ReadNumber(f[0], true, UINTPTR_MAX, window) || window == 0 ||
            !ReadNumber(f[1], false, UINT32_MAX, process) || process == 0 ||
            (f.size() == 3 && !ReadNumber(f[2], false, UINT64_MAX, w.processCreated)) ||
            (record.stamp && w.processCreated == 0))
            continue;
        w.window = static_cast<WindowId>(window);
        w.process = static_cast<uint32_t>(process);
        record.state.windows.push_back(w);
    }
    return record;
}

bool SameBoot(const RecordStamp& recorded, const RecordStamp& now) {
    if (recorded.bootSeconds == 0 || now.bootSeconds == 0) return false;
    const uint64_t apart = recorded.bootSeconds > now.bootSeconds ? recorded.bootSeconds - now.bootSeconds
                                                                  : now.bootSeconds - recorded.bootSeconds;
    return apart <= kBootSlackSeconds;
}

// Any record that names its boot outranks one of the version before, so
// that an old record which could not be deleted is obeyed once, not after
// every restart.
HiddenState StateToObey(const std::vector<HiddenRecord>& found, const RecordStamp& now) {
    const HiddenRecord* newest = nullptr;
    const HiddenRecord* older = nullptr;
    for (const HiddenRecord& r : found) {
        if (!r.stamp)
            older = older ? older : &r;
        else if (!newest || r.stamp->written >= newest->stamp->written)
            newest = &r;
    }
    if (!newest) return older ? older->state : HiddenState();
    HiddenState state = newest->state;
    if (!SameBoot(*newest->stamp, now)) state.sound = SavedSound();
    return state;
}
