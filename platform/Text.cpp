#include "platform/Text.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace text {
namespace {

// glibc's "SHIFT_JIS" is the strict JIS table (no ①, different wave dash,
// backslash as yen): the game's text is the Windows code page.
std::string convert(const char* to, const char* from, const char* in, size_t inLength, const char* replacement) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    char buffer[256];
    char* src = const_cast<char*>(in);
    size_t srcLeft = inLength;
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // An invalid or incomplete sequence: replace one byte and go on.
            out.append(replacement);
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string cp932ToUtf8(const char* cp932, int length) {
    if (cp932 == nullptr) return {};
    const size_t n = length >= 0 ? static_cast<size_t>(length) : std::strlen(cp932);
    return convert("UTF-8", "CP932", cp932, n, "\xEF\xBF\xBD");
}

std::string utf8ToCp932(const std::string& utf8) {
    return convert("CP932", "UTF-8", utf8.data(), utf8.size(), "?");
}

}  // namespace text
