#include "tools/songgen/MidiWriter.h"

#include <algorithm>
#include <string>

namespace songgen {

namespace {

struct Event {
    int tick;
    int order;  // at one tick: set-up first, then note-offs, then note-ons
    std::vector<std::uint8_t> bytes;
};

void putBig(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

void putVarLen(std::vector<std::uint8_t>& v, std::uint32_t x) {
    std::uint8_t b[5];
    int n = 0;
    b[n++] = x & 0x7F;
    while (x >>= 7) b[n++] = static_cast<std::uint8_t>(0x80 | (x & 0x7F));
    while (n) v.push_back(b[--n]);
}

std::vector<std::uint8_t> trackChunk(std::vector<Event> events, int endTick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> data;
    int now = 0;
    for (const Event& e : events) {
        putVarLen(data, static_cast<std::uint32_t>(e.tick - now));
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    putVarLen(data, static_cast<std::uint32_t>(endTick - now));
    data.push_back(0xFF);
    data.push_back(0x2F);
    data.push_back(0x00);
    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    putBig(chunk, static_cast<std::uint32_t>(data.size()), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
}

std::vector<std::uint8_t> metaText(std::uint8_t type, const std::string& text) {
    std::vector<std::uint8_t> bytes = {0xFF, type};
    putVarLen(bytes, static_cast<std::uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> writeMidiFile(const Song& song, const Arrangement& arrangement) {
    const int end = arrangement.totalTicks;
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBig(file, static_cast<std::uint32_t>(arrangement.parts.size() + 1), 2);
    putBig(file, kDivision, 2);

    // The conductor track: the song's resource number, tempo and metre.
    std::vector<Event> conductor;
    conductor.push_back({0, 0, metaText(0x03, "Midi_" + std::to_string(song.id))});
    const std::uint32_t microseconds = static_cast<std::uint32_t>(60000000 / song.tempo);
    std::vector<std::uint8_t> tempo = {0xFF, 0x51, 3};
    putBig(tempo, microseconds, 3);
    conductor.push_back({0, 0, tempo});
    conductor.push_back({0, 0, {0xFF, 0x58, 4, static_cast<std::uint8_t>(song.meter), 2, 24, 8}});
    const std::vector<std::uint8_t> first = trackChunk(conductor, end);
    file.insert(file.end(), first.begin(), first.end());

    for (const TrackPart& part : arrangement.parts) {
        const std::uint8_t ch = static_cast<std::uint8_t>(part.channel);
        std::vector<Event> events;
        events.push_back({0, 0, metaText(0x03, part.name)});
        // Set up again at tick 0 of every pass, so the loop sounds the same.
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 121, 0}});
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(part.program)}});
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 7, static_cast<std::uint8_t>(part.volume)}});
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 10, static_cast<std::uint8_t>(part.pan)}});
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 91, static_cast<std::uint8_t>(part.reverb)}});
        events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 93, static_cast<std::uint8_t>(part.chorus)}});
        for (const Note& n : part.notes) {
            if (n.tick >= end || n.length <= 0) continue;
            const int off = std::min(n.tick + n.length, end);
            const std::uint8_t pitch = static_cast<std::uint8_t>(std::clamp(n.pitch, 0, 127));
            const std::uint8_t velocity = static_cast<std::uint8_t>(std::clamp(n.velocity, 1, 127));
            events.push_back({n.tick, 2, {static_cast<std::uint8_t>(0x90 | ch), pitch, velocity}});
            events.push_back({off, 1, {static_cast<std::uint8_t>(0x80 | ch), pitch, 0}});
        }
        const std::vector<std::uint8_t> chunk = trackChunk(events, end);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace songgen
