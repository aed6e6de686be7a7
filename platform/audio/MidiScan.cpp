#include "platform/Audio.h"

namespace audio {
namespace {

std::uint32_t readBigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
    return value;
}

// A variable-length quantity; false when it runs past `end` or is longer
// than four bytes.
bool readVarLen(const std::uint8_t*& p, const std::uint8_t* end, std::uint32_t* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end) return false;
        const std::uint8_t b = *p++;
        *value = (*value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

// Walks one track's events; the track's length is the tick of its last event
// (normally its end-of-track meta event).
bool scanTrack(const std::uint8_t* p, const std::uint8_t* end, std::uint32_t* lengthTicks) {
    std::uint32_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (p < end) {
        std::uint32_t delta = 0;
        if (!readVarLen(p, end, &delta)) return false;
        tick += delta;
        if (p >= end) return false;
        std::uint8_t status = *p;
        if (status & 0x80) {
            ++p;
        } else {
            if (!runningStatus) return false;
            status = runningStatus;
        }
        if (status == 0xFF) {
            if (p >= end) return false;
            const std::uint8_t type = *p++;
            std::uint32_t length = 0;
            if (!readVarLen(p, end, &length) || length > static_cast<std::uint32_t>(end - p)) return false;
            p += length;
            runningStatus = 0;
            if (type == 0x2F) break;
        } else if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            if (!readVarLen(p, end, &length) || length > static_cast<std::uint32_t>(end - p)) return false;
            p += length;
            runningStatus = 0;
        } else if (status >= 0xF0) {
            return false;  // system common and real-time messages do not belong in a file
        } else {
            const int kind = status & 0xF0;
            const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (end - p < dataBytes) return false;
            p += dataBytes;
            runningStatus = status;
        }
    }
    *lengthTicks = tick;
    return true;
}

}  // namespace

bool scanMidiFile(const std::uint8_t* data, std::size_t size, MidiFileInfo* info) {
    if (!data || size < 14) return false;
    if (readBigEndian(data, 4) != 0x4D546864u) return false;  // "MThd"
    const std::uint32_t headerLength = readBigEndian(data + 4, 4);
    if (headerLength < 6 || headerLength > size - 8) return false;
    const int format = static_cast<int>(readBigEndian(data + 8, 2));
    const int trackCount = static_cast<int>(readBigEndian(data + 10, 2));
    const int division = static_cast<int>(readBigEndian(data + 12, 2));
    if (format > 2 || trackCount == 0 || division == 0 || (division & 0x8000)) return false;

    std::size_t offset = 8 + headerLength;
    std::uint32_t length = 0;
    int found = 0;
    while (found < trackCount) {
        if (size - offset < 8) return false;
        const std::uint32_t id = readBigEndian(data + offset, 4);
        const std::uint32_t chunkLength = readBigEndian(data + offset + 4, 4);
        offset += 8;
        if (chunkLength > size - offset) return false;
        if (id == 0x4D54726Bu) {  // "MTrk"
            std::uint32_t trackLength = 0;
            if (!scanTrack(data + offset, data + offset + chunkLength, &trackLength)) return false;
            if (trackLength > length) length = trackLength;
            ++found;
        }
        offset += chunkLength;
    }
    if (length > 0x7FFFFFFFu) return false;
    info->division = division;
    info->lengthTicks = static_cast<int>(length);
    info->trackCount = trackCount;
    return true;
}

}  // namespace audio
