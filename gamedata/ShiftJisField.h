// Fixed-size Shift-JIS text fields: copies that never run past the field and
// never leave half a double-byte character behind.
#pragma once

#include <cstddef>

namespace sjis {

// A byte that starts a double-byte character (CP932 lead byte ranges).
inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The length of the longest prefix of s[0..n) that ends on a character
// boundary and holds at most `limit` bytes.
inline std::size_t boundaryAtMost(const char* s, std::size_t n, std::size_t limit) {
    std::size_t i = 0;
    while (i < n) {
        const std::size_t step = (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

// Copies the string src (up to its terminator) into a field of fieldSize
// bytes, terminated inside the field and cut on a character boundary.
// Returns false when the text had to be cut.
inline bool copyBounded(char* field, std::size_t fieldSize, const char* src) {
    if (fieldSize == 0) return false;
    std::size_t n = 0;
    while (src[n] != '\0') ++n;
    const std::size_t keep = boundaryAtMost(src, n, fieldSize - 1);
    for (std::size_t i = 0; i < keep; ++i) field[i] = src[i];
    for (std::size_t i = keep; i < fieldSize; ++i) field[i] = '\0';
    return keep == n;
}

// Makes a field read from a file end inside its size: a field with no
// terminator is cut at its last whole character.
inline void terminateField(char* field, std::size_t fieldSize) {
    if (fieldSize == 0) return;
    for (std::size_t i = 0; i < fieldSize; ++i)
        if (field[i] == '\0') return;
    field[boundaryAtMost(field, fieldSize, fieldSize - 1)] = '\0';
}

}  // namespace sjis
