#include "app/CommandLine.h"

#include "trigger/ProgramList.h"

const char16_t kKnownArguments[] = u"/restore  /detonate  /arm 1-6  /disarm  /show  /exit";

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// "/Arm" and "-ARM" are "arm"; anything else gives an empty name.
std::u16string SwitchName(const std::u16string& argument) {
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-')) return {};
    std::u16string name;
    for (size_t i = 1; i < argument.size(); ++i) name += AsciiLower(argument[i]);
    return name;
}

// The line begins with `path`, ending at a blank or the line's end; case
// as Windows compares file names.
bool StartsWithPath(std::u16string_view line, std::u16string_view path) {
    if (path.empty() || line.size() < path.size() || (line.size() > path.size() && !IsBlank(line[path.size()])))
        return false;
    for (size_t i = 0; i < path.size(); ++i)
        if (FoldFileNameCase(line[i]) != FoldFileNameCase(path[i])) return false;
    return true;
}

// An empty argument ("" on the line) is named as it was typed, so that the
// message shows what it could not take.
std::u16string Named(const std::u16string& argument) { return argument.empty() ? u"\"\"" : argument; }

// How much of the line is the program's own path, unquoted, as Windows
// finds it: whole, or without the ".exe" it adds; 0 for none.
size_t OwnPathLength(std::u16string_view line, std::u16string_view path) {
    if (StartsWithPath(line, path)) return path.size();
    constexpr std::u16string_view kExe = u".exe";
    if (path.size() <= kExe.size() || !StartsWithPath(path.substr(path.size() - kExe.size()), kExe)) return 0;
    path.remove_suffix(kExe.size());
    return StartsWithPath(line, path) ? path.size() : 0;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line, std::u16string_view programPath) {
    size_t i = 0;
    // The program's name: its own path, else up to the closing quote, or to
    // the first blank.
    if (const size_t own = OwnPathLength(line, programPath)) {
        i = own;
    } else if (i < line.size() && line[i] == u'"') {
        for (++i; i < line.size() && line[i] != u'"'; ++i) {
        }
        if (i < line.size()) ++i;
    } else {
        while (i < line.size() && !IsBlank(line[i])) ++i;
    }

    std::vector<std::u16string> arguments;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::u16string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            size_t slashes = 0;
            while (i < line.size() && line[i] == u'\\') ++slashes, ++i;
            if (i < line.size() && line[i] == u'"') {
                argument.append(slashes / 2, u'\\');
                if (slashes % 2) {
                    argument += u'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    argument += u'"';  // "" inside quotes is one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                continue;
            }
            argument.append(slashes, u'\\');
            if (i >= line.size() || (!quoted && IsBlank(line[i]))) break;
            argument += line[i];
        }
        arguments.push_back(argument);
    }
    return arguments;
}

CommandRequest ReadCommandRequest(const std::vector<std::u16string>& arguments) {
    CommandRequest request;
    if (arguments.empty()) return request;
    const std::u16string name = SwitchName(arguments[0]);
    const struct {
        const char16_t* name;
        CommandRequest::Kind kind;
    } simple[] = {{u"restore", CommandRequest::kRestore},
                  {u"detonate", CommandRequest::kDetonate},
                  {u"disarm", CommandRequest::kDisarm},
                  {u"show", CommandRequest::kShow},
                  {u"exit", CommandRequest::kExit}};
    size_t used = 1;
    request.kind = CommandRequest::kUnknown;
    for (const auto& s : simple)
        if (name == s.name) request.kind = s.kind;
    if (name == u"arm") {
        const bool number =
            arguments.size() > 1 && arguments[1].size() == 1 && arguments[1][0] >= u'1' && arguments[1][0] <= u'6';
        if (number) {
            request.kind = CommandRequest::kArm;
            request.setting = arguments[1][0] - u'1';
            used = 2;
        }
    }
    if (request.kind == CommandRequest::kUnknown) {
        request.argument = Named(arguments[0]);
        request.settingMissing = name == u"arm";
        if (request.settingMissing && arguments.size() > 1) request.argument += u" " + Named(arguments[1]);
    } else if (arguments.size() > used) {
        request = CommandRequest();
        request.kind = CommandRequest::kUnknown;
        request.argument = Named(arguments[used]);
    }
    return request;
}
