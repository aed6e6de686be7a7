// Text conversion at the platform boundary: the game holds Shift-JIS (CP932)
// bytes; SDL, fonts and the terminal want UTF-8.
#pragma once

#include <string>

namespace text {

// Shift-JIS bytes (up to the first zero, or `length` bytes when length >= 0)
// to UTF-8. Bytes that do not convert become U+FFFD; never fails.
std::string cp932ToUtf8(const char* cp932, int length = -1);
// UTF-8 to Shift-JIS bytes; characters without a CP932 form become '?'.
std::string utf8ToCp932(const std::string& utf8);

}  // namespace text
