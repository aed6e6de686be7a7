#include "engine/WaveFile.h"

#include <cstdio>
#include <cstring>

namespace {

// Effects are short; a file past this is not one of ours.
constexpr long kLargestWaveFile = 64L * 1024 * 1024;

constexpr std::uint32_t fourCc(const char (&s)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool readWholeFile(const char* path, std::vector<std::uint8_t>& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(f) : -1;
    ok = ok && length >= 0 && length <= kLargestWaveFile && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize(static_cast<std::size_t>(length));
        ok = length == 0 || std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    if (!ok) out.clear();
    return ok;
}

// Finds the first chunk `id` among the chunks from `from` up to `end`. A chunk
// whose stated size runs past `end` is kept with the bytes that are there when
// `clampLast` is set, else the search fails on it.
bool findChunk(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t end, std::uint32_t id,
               bool clampLast, WaveChunk* found) {
    std::size_t at = from;
    while (end >= 8 && at <= end - 8) {
        const std::uint32_t chunkId = readU32(&bytes[at]);
        const std::uint32_t chunkSize = readU32(&bytes[at + 4]);
        const std::size_t contents = at + 8;
        const std::size_t present = end - contents;
        if (chunkId == id) {
            if (chunkSize > present && !clampLast) return false;
            found->id = chunkId;
            found->offset = contents;
            found->size = chunkSize > present ? static_cast<std::uint32_t>(present) : chunkSize;
            return true;
        }
        if (chunkSize > present) return false;
        at = contents + chunkSize + (chunkSize & 1);  // chunks are padded to even sizes
    }
    return false;
}

}  // namespace

WaveResult openWaveFile(WaveFile& wave, const char* path, int mode) {
    if (!path) return WaveResult::InvalidArgument;
    wave.format.reset();
    closeWaveFile(wave);
    wave.mode = mode;
    if (mode != kWaveRead) return WaveResult::Fail;
    if (!readWholeFile(path, wave.bytes)) return WaveResult::Fail;
    wave.open = true;
    WaveResult result = readWaveHeader(wave);
    if (result == WaveResult::Ok) result = rewindWaveData(wave);
    if (result != WaveResult::Ok) {
        closeWaveFile(wave);
        return result;
    }
    wave.dataSize = wave.dataChunk.size;
    return WaveResult::Ok;
}

WaveResult readWaveHeader(WaveFile& wave) {
    wave.format.reset();
    const std::vector<std::uint8_t>& b = wave.bytes;
    if (!wave.open || b.size() < 12 || readU32(&b[0]) != fourCc("RIFF") || readU32(&b[8]) != fourCc("WAVE")) {
        return WaveResult::Fail;
    }
    // The RIFF chunk ends where it says or where the file does, whichever is first.
    const std::uint32_t riffSize = readU32(&b[4]);
    const std::size_t present = b.size() - 8;
    wave.riffChunk = WaveChunk{fourCc("RIFF"), 8, riffSize > present ? static_cast<std::uint32_t>(present) : riffSize};
    const std::size_t riffEnd = wave.riffChunk.offset + wave.riffChunk.size;

    // A "fmt " chunk that claims more than the file holds is refused.
    WaveChunk fmt;
    if (riffEnd < 12 || !findChunk(b, 12, riffEnd, fourCc("fmt "), false, &fmt) || fmt.size < 16) {
        return WaveResult::Fail;
    }
    const std::uint8_t* p = &b[fmt.offset];
    auto format = std::make_unique<WaveFormat>();
    format->formatTag = readU16(p);
    format->channels = readU16(p + 2);
    format->samplesPerSecond = readU32(p + 4);
    format->averageBytesPerSecond = readU32(p + 8);
    format->blockAlign = readU16(p + 12);
    format->bitsPerSample = readU16(p + 14);
    if (format->formatTag != 1) {
        // Other formats carry a count of extra bytes, which must fit the chunk.
        if (fmt.size < 18) return WaveResult::Fail;
        format->extraSize = readU16(p + 16);
        if (format->extraSize > fmt.size - 18) return WaveResult::Fail;
        format->extra.assign(p + 18, p + 18 + format->extraSize);
    }
    wave.format = std::move(format);
    return WaveResult::Ok;
}

WaveResult rewindWaveData(WaveFile& wave) {
    if (!wave.open) return WaveResult::Fail;
    const std::size_t riffEnd = wave.riffChunk.offset + wave.riffChunk.size;
    // The samples that are really there, whatever the header says.
    if (riffEnd < 12 || !findChunk(wave.bytes, 12, riffEnd, fourCc("data"), true, &wave.dataChunk)) {
        return WaveResult::Fail;
    }
    wave.readPosition = 0;
    return WaveResult::Ok;
}

std::uint32_t waveDataSize(const WaveFile& wave) { return wave.dataSize; }

WaveResult readWaveData(WaveFile& wave, std::uint8_t* buffer, std::uint32_t size, std::uint32_t* count) {
    if (!wave.open || !buffer || !count) return WaveResult::Fail;
    const std::size_t left = wave.dataChunk.size - wave.readPosition;
    const std::size_t n = size < left ? size : left;
    std::memcpy(buffer, &wave.bytes[wave.dataChunk.offset + wave.readPosition], n);
    wave.readPosition += n;
    *count = static_cast<std::uint32_t>(n);
    return WaveResult::Ok;
}

void closeWaveFile(WaveFile& wave) {
    wave.bytes.clear();
    wave.bytes.shrink_to_fit();
    wave.open = false;
    wave.readPosition = 0;
}

void destroyWaveFile(WaveFile& wave) {
    closeWaveFile(wave);
    wave.format.reset();
}

bool isPlayableWaveFormat(const WaveFormat& f) {
    if (f.formatTag != 1) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.blockAlign != f.channels * f.bitsPerSample / 8) return false;
    return f.samplesPerSecond >= 1000 && f.samplesPerSecond <= 192000;
}
