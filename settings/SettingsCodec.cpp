#include "settings/SettingsCodec.h"

#include "base/Codepage.h"

namespace {

// Marks a wide (UTF-16LE) text when it follows the 0xFF of a length prefix.
constexpr uint16_t kWideMarker = 0xFFFE;

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_left(size) {}

    bool U8(uint8_t& v) {
        if (m_left < 1) return false;
        v = *m_data;
        Skip(1);
        return true;
    }
    bool U16(uint16_t& v) {
        if (m_left < 2) return false;
        v = static_cast<uint16_t>(m_data[0] | m_data[1] << 8);
        Skip(2);
        return true;
    }
    bool U32(uint32_t& v) {
        if (m_left < 4) return false;
        v = uint32_t{m_data[0]} | uint32_t{m_data[1]} << 8 | uint32_t{m_data[2]} << 16 | uint32_t{m_data[3]} << 24;
        Skip(4);
        return true;
    }
    bool I32(int32_t& v) {
        uint32_t u;
        if (!U32(u)) return false;
        v = static_cast<int32_t>(u);
        return true;
    }

    // A length prefix. `wide` is set when the FF FE FF marker came first; the
    // count after the marker is then read by the plain rules (no second marker).
    bool Length(uint32_t& n, bool& wide) {
        wide = false;
        uint8_t b = 0;
        uint16_t w = 0;
        if (!U8(b)) return false;
        if (b == 0xFF) {
            if (!U16(w)) return false;
            if (w == kWideMarker) {
                wide = true;
                if (!U8(b)) return false;
                if (b == 0xFF && !U16(w)) return false;
            }
        }
        if (b < 0xFF) {
            n = b;
            return true;
        }
        if (w < 0xFFFF) {
            n = w;
            return true;
        }
        return U32(n);
    }

    // A counted string; the size is checked against what is left before
    // anything is allocated, so a huge prefix costs nothing.
    bool Text(std::string& out) {
        uint32_t n;
        bool wide;
        if (!Length(n, wide)) return false;
        if (!wide) {
            if (n > m_left) return false;
            out.assign(reinterpret_cast<const char*>(m_data), n);
            Skip(n);
            return true;
        }
        if (n > m_left / 2) return false;
        std::u16string text(n, u'\0');
        for (uint32_t i = 0; i < n; ++i) text[i] = static_cast<char16_t>(m_data[2 * i] | m_data[2 * i + 1] << 8);
        Skip(size_t{n} * 2);
        WideToGbk(text, out);  // a character without a code page 936 form becomes '?'
        return true;
    }

private:
    void Skip(size_t n) {
        m_data += n;
        m_left -= n;
    }
    const uint8_t* m_data;
    size_t m_left;
};

void AppendU32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(v >> shift & 0xFF);
}

}  // namespace

ParseResult ParseSettingsFile(const uint8_t* data, size_t size, BombSettings& into) {
    Reader in(data, size);
    int32_t current;
    if (!in.I32(current)) return ParseResult::Broken;
    // The radio group and ApplySetting know only 0 to 5; a file naming any
    // other setting number cannot be trusted further.
    if (current < 0 || current >= kSettingNumbers) return ParseResult::Broken;
    into.CurrentSetting = current;

    for (SettingRecord& r : into.Records) {
        bool ok = in.Text(r.PresetString) && in.Text(r.Sensitivity) && in.I32(r.DetonationTime) &&
                  in.Text(r.StartupProgram) && in.Text(r.FinalProgram) && in.Text(r.FinalMessage) &&
                  in.Text(r.IconIndex) && in.Text(r.EdgeFlags) && in.Text(r.Reserved);
        if (!ok) return ParseResult::Broken;
    }
    return ParseResult::Loaded;
}

void AppendCountedString(std::string& out, const std::string& text) {
    const size_t n = text.size();
    if (n < 0xFF) {
        out += static_cast<char>(n);
    } else if (n < 0xFFFE) {
        out += '\xFF';
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
    } else {
        out.append(3, '\xFF');
        AppendU32(out, static_cast<uint32_t>(n));
    }
    out += text;
}

std::string FormatSettingsFile(const BombSettings& settings) {
    std::string out;
    AppendU32(out, static_cast<uint32_t>(settings.CurrentSetting));
    for (const SettingRecord& r : settings.Records) {
        AppendCountedString(out, r.PresetString);
        AppendCountedString(out, r.Sensitivity);
        AppendU32(out, static_cast<uint32_t>(r.DetonationTime));
        AppendCountedString(out, r.StartupProgram);
        AppendCountedString(out, r.FinalProgram);
        AppendCountedString(out, r.FinalMessage);
        AppendCountedString(out, r.IconIndex);
        AppendCountedString(out, r.EdgeFlags);
        AppendCountedString(out, r.Reserved);
    }
    return out;
}
