// Little-endian field helpers for the game's binary files: every field is
// read and written on its own, never as a struct image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gamedata/ShiftJisField.h"

namespace le {

// Writes fields into a fixed buffer at a cursor; writes past the end are dropped.
class Writer {
public:
    Writer(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void seek(std::size_t offset) { pos_ = offset; }
    std::size_t position() const { return pos_; }

    void u8(std::uint8_t v) {
        if (pos_ < size_) data_[pos_] = v;
        ++pos_;
    }
    void i32(std::int32_t v) {
        const std::uint32_t u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    // A text field at its full size: the string, then zeros.
    void text(const char* s, std::size_t fieldSize) {
        const std::size_t n = strnlen(s, fieldSize);
        for (std::size_t i = 0; i < fieldSize; ++i) u8(i < n ? static_cast<std::uint8_t>(s[i]) : 0);
    }
    void bytes(const void* src, std::size_t n) {
        const auto* p = static_cast<const std::uint8_t*>(src);
        for (std::size_t i = 0; i < n; ++i) u8(p[i]);
    }

private:
    std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Reads fields from a buffer at a cursor. A field that lies past the end of
// the data is left as it was (a short file keeps the unread fields).
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void seek(std::size_t offset) { pos_ = offset; }
    std::size_t position() const { return pos_; }

    void u8(std::uint8_t& out) {
        if (pos_ < size_) out = data_[pos_];
        ++pos_;
    }
    void i32(int& out) {
        if (pos_ + 4 <= size_) {
            std::uint32_t u = 0;
            for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
            out = static_cast<std::int32_t>(u);
        }
        pos_ += 4;
    }
    // A text field of fieldSize bytes; the stored string always ends inside
    // the field, whatever the file holds.
    void text(char* out, std::size_t fieldSize) {
        if (pos_ + fieldSize <= size_) {
            std::memcpy(out, data_ + pos_, fieldSize);
            sjis::terminateField(out, fieldSize);
        }
        pos_ += fieldSize;
    }
    void skip(std::size_t n) { pos_ += n; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace le
