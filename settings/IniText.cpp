#include "settings/IniText.h"

#include <algorithm>

#include "settings/AsciiText.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

enum class LineKind { Other, Header, Key };

struct LineParts {
    LineKind kind = LineKind::Other;
    std::string_view name;  // the section of a header, the key of a key line
    std::string_view value;
};

LineParts SplitLine(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text[0] == ';') return {};
    if (text[0] == '[') {
        const size_t close = text.find(']');
        if (close != std::string_view::npos) return {LineKind::Header, TrimBlanks(text.substr(1, close - 1)), {}};
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    if (key.empty()) return {};
    return {LineKind::Key, key, TrimBlanks(text.substr(equals + 1))};
}

bool IsKeyLine(std::string_view line) { return SplitLine(line).kind == LineKind::Key; }

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value.substr(0, value.find_first_of("\r\n"));
    return line;
}

}  // namespace

IniText IniText::Parse(std::string_view bytes) {
    IniText text;
    if (bytes.substr(0, kBom.size()) == kBom) {
        text.m_bom = true;
        bytes.remove_prefix(kBom.size());
    }
    text.m_lines.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    while (!bytes.empty()) {
        const size_t lf = bytes.find('\n');
        const std::string_view whole = bytes.substr(0, lf == std::string_view::npos ? bytes.size() : lf + 1);
        size_t textSize = whole.size();
        LineEnd end = LineEnd::None;
        if (textSize > 0 && whole[textSize - 1] == '\n') {
            --textSize;
            end = LineEnd::Lf;
        }
        if (textSize > 0 && whole[textSize - 1] == '\r') {
            --textSize;
            end = end == LineEnd::Lf ? LineEnd::CrLf : LineEnd::Cr;
        }
        text.m_lines.push_back({std::string(whole.substr(0, textSize)), end});
        bytes.remove_prefix(whole.size());
    }
    return text;
}

std::string IniText::Format() const {
    static const std::string_view kEnds[] = {"", "\n", "\r\n", "\r"};
    std::string bytes(m_bom ? kBom : std::string_view());
    for (const Line& line : m_lines) {
        bytes += line.text;
        bytes += kEnds[static_cast<size_t>(line.end)];
    }
    return bytes;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    std::vector<std::string> values = GetAll(section, key);
    if (values.empty()) return std::nullopt;
    return values.front();
}

std::vector<std::string> IniText::GetAll(std::string_view section, std::string_view key) const {
    std::vector<std::string> values;
    if (std::optional<Section> found = Find(section))
        for (size_t i = found->header + 1; i < found->end; ++i) {
            const LineParts parts = SplitLine(m_lines[i].text);
            if (parts.kind == LineKind::Key && EqualsIgnoringCase(parts.name, key)) values.emplace_back(parts.value);
        }
    return values;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (std::optional<Section> found = Find(section))
        for (size_t i = found->header + 1; i < found->end; ++i) {
            const LineParts parts = SplitLine(m_lines[i].text);
            if (parts.kind != LineKind::Key || !EqualsIgnoringCase(parts.name, key)) continue;
            std::string line = KeyLine(key, value);
            // Saving unchanged settings must not respace what a person lined up by hand.
            if (SplitLine(line).value != parts.value || parts.name != key) m_lines[i].text = std::move(line);
            return;
        }
    Add(section, key, value);
}

void IniText::Add(std::string_view section, std::string_view key, std::string_view value) {
    std::optional<Section> found = Find(section);
    if (!found) {
        InsertLine(m_lines.size(), "[" + std::string(section) + "]");
        found = Section{m_lines.size() - 1, m_lines.size()};
    }
    size_t at = found->header + 1;
    for (size_t i = at; i < found->end; ++i)
        if (IsKeyLine(m_lines[i].text)) at = i + 1;
    InsertLine(at, KeyLine(key, value));
}

std::optional<IniText::Section> IniText::Find(std::string_view section) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const LineParts parts = SplitLine(m_lines[i].text);
        if (parts.kind != LineKind::Header || !EqualsIgnoringCase(parts.name, section)) continue;
        size_t end = i + 1;
        while (end < m_lines.size() && SplitLine(m_lines[end].text).kind != LineKind::Header) ++end;
        return Section{i, end};
    }
    return std::nullopt;
}

IniText::LineEnd IniText::NewLine() const {
    const bool crlf = m_lines.empty() || std::any_of(m_lines.begin(), m_lines.end(), [](const Line& line) {
                          return line.end == LineEnd::CrLf || line.end == LineEnd::Cr;
                      });
    return crlf ? LineEnd::CrLf : LineEnd::Lf;
}

void IniText::InsertLine(size_t at, std::string text) {
    const LineEnd end = NewLine();
    if (!m_lines.empty() && (m_lines.back().end == LineEnd::None || m_lines.back().end == LineEnd::Cr))
        m_lines.back().end = end;
    m_lines.insert(m_lines.begin() + at, Line{std::move(text), end});
}
