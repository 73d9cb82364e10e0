#include <iconv.h>

#include <cerrno>

#include "base/Codepage.h"

namespace {

// Runs iconv over the whole input; unconvertible characters become '?'.
bool Convert(const char* to, const char* from, const char* in, size_t inBytes, size_t unitSize, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    bool exact = true;
    char buffer[256];
    char* src = const_cast<char*>(in);
    while (inBytes > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        size_t r = iconv(cd, &src, &inBytes, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            exact = false;
            size_t skip = inBytes < unitSize ? inBytes : unitSize;
            src += skip;
            inBytes -= skip;
            out += '?';
        }
    }
    iconv_close(cd);
    return exact;
}

}  // namespace

std::u16string GbkToWide(const std::string& gbk) {
    std::string bytes;
    Convert("UTF-16LE", "CP936", gbk.data(), gbk.size(), 1, bytes);
    std::u16string wide;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return wide;
}

bool WideToGbk(const std::u16string& wide, std::string& gbk) {
    std::string bytes;
    for (char16_t c : wide) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return Convert("CP936", "UTF-16LE", bytes.data(), bytes.size(), 2, gbk);
}
