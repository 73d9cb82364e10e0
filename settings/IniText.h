#pragma once
// The line-keeping text format of VEXAL.ini and the state file.
//
// A line whose first non-blank byte is '[' and that holds a ']' is a section header, named by what lies between.
// A line whose first non-blank byte is ';' is a comment. Any other line with a non-empty name before its first '='
// is a key line. Everything else is kept untouched and counts for nothing.
// Only the first section of a name counts; later ones of the same name are kept as they are.
// Key lines before the first header belong to no section and are kept untouched.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A UTF-8 text of `[Section]` headers and `Key=Value` lines, kept line by line so that
// whatever a person wrote survives a save unchanged.
class IniText {
public:
    // Never fails. Accepts a UTF-8 BOM (kept), CRLF or LF line ends (or a mix), no final newline,
    // NUL bytes and invalid UTF-8 (kept as bytes). Names and values are trimmed of spaces/tabs.
    // A text cut between CR and LF still ends its last line there.
    static IniText Parse(std::string_view bytes);

    // The text again: exactly the parsed bytes when nothing was changed.
    std::string Format() const;

    // The value of the first `key` line in the first `section` (names compared ignoring ASCII case); nullopt when
    // absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Every value of `key` in `section`, in order.
    std::vector<std::string> GetAll(std::string_view section, std::string_view key) const;

    // Replaces the value of the first `key` line in the section (keeping that line's place and the key's spelling
    // as VEXAL spells it, i.e. the `key` argument), or adds `key=value` as Add does. A line that already reads
    // exactly `key` and `value` is left as written. `value` is written up to its first CR or LF, so one call
    // never makes more than one line.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Adds `key=value` after the section's last key line (after its header when it has none), even when `key` is
    // there already; creates `[section]` at the end when missing. New lines use the text's line end (CRLF when the
    // text has any CRLF or is empty, else LF); a text without a final newline gets one before anything is added.
    void Add(std::string_view section, std::string_view key, std::string_view value);

private:
    // A byte, not a string, so that a text of many short lines takes little more memory than its bytes.
    enum class LineEnd : unsigned char {
        None,  // a last line without one
        Lf,
        CrLf,
        Cr,  // a last line cut inside CRLF
    };
    struct Line {
        std::string text;  // without its line end
        LineEnd end;
    };
    // The lines after `header` up to `end` (the next header or the text's end) are the section's.
    struct Section {
        size_t header;
        size_t end;
    };

    std::optional<Section> Find(std::string_view section) const;
    LineEnd NewLine() const;
    void InsertLine(size_t at, std::string text);

    bool m_bom = false;
    std::vector<Line> m_lines;
};
