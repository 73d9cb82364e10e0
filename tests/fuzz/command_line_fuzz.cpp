// Feeds arbitrary bytes, as UTF-16LE, to the command line's reader: the program's path up to the first NUL, then
// the rest. The rest is split as a whole line; and, cut at each NUL, taken as arguments that, quoted as Windows
// programs quote them after the program's path, quoted or not, must split back to themselves. Every request read
// holds: none only without arguments, arm only with a setting from 0 to 5 that its second argument names, an unknown
// one names what it could not take, and a known one reads the same again from its own arguments.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"

namespace {

using Args = std::vector<std::u16string>;

// As a Windows program's start-up code reads it back: in quotes when it holds a blank or a quote or is empty, a
// quote inside escaped with a backslash, and the backslashes before any quote doubled.
std::u16string Quoted(const std::u16string& argument) {
    if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string::npos) return argument;
    std::u16string out = u"\"";
    size_t slashes = 0;
    for (char16_t c : argument) {
        if (c == u'\\') {
            ++slashes;
            continue;
        }
        out.append(c == u'"' ? slashes * 2 + 1 : slashes, u'\\');
        out += c;
        slashes = 0;
    }
    out.append(slashes * 2, u'\\');
    return out + u'"';
}

// The arguments that ask for `request` in its plainest spelling.
Args Spelt(const CommandRequest& request) {
    switch (request.kind) {
        case CommandRequest::kRestore:
            return {u"/restore"};
        case CommandRequest::kDetonate:
            return {u"/detonate"};
        case CommandRequest::kArm:
            return {u"/arm", std::u16string(1, static_cast<char16_t>(u'1' + request.setting))};
        case CommandRequest::kDisarm:
            return {u"/disarm"};
        case CommandRequest::kShow:
            return {u"/show"};
        case CommandRequest::kExit:
            return {u"/exit"};
        default:
            return {};
    }
}

void CheckRequest(const Args& arguments) {
    const CommandRequest r = ReadCommandRequest(arguments);
    if ((r.kind == CommandRequest::kNone) != arguments.empty()) std::abort();
    if (r.kind == CommandRequest::kUnknown) {
        if (r.argument.empty() || r.setting != 0) std::abort();
        return;
    }
    if (!r.argument.empty() || r.settingMissing) std::abort();
    if (r.kind == CommandRequest::kArm) {
        if (r.setting < 0 || r.setting > 5 || arguments.size() != 2 || arguments[1] != Spelt(r)[1]) std::abort();
    } else if (r.setting != 0 || arguments.size() > 1) {
        std::abort();
    }
    const CommandRequest again = ReadCommandRequest(Spelt(r));
    if (again.kind != r.kind || again.setting != r.setting || !again.argument.empty() || again.settingMissing)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const size_t nul = text.find(u'\0');
    // No file name holds a quote, and the line names the program before any argument.
    std::u16string path = text.substr(0, nul);
    path.erase(std::remove(path.begin(), path.end(), u'"'), path.end());
    const std::u16string rest = nul == std::u16string::npos ? u"" : text.substr(nul + 1);

    CheckRequest(SplitCommandLine(text, path));
    CheckRequest(SplitCommandLine(rest, path));

    Args arguments;
    for (size_t start = 0; nul != std::u16string::npos && start <= rest.size();) {
        const size_t end = std::min(rest.find(u'\0', start), rest.size());
        arguments.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    std::u16string line;
    for (const std::u16string& argument : arguments) line += u' ' + Quoted(argument);
    if (SplitCommandLine(u'"' + path + u'"' + line, path) != arguments) std::abort();
    if (SplitCommandLine(path + line, path) != arguments) std::abort();
    CheckRequest(arguments);
    return 0;
}
