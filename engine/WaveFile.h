// Our RIFF WAVE reader: a "WAVE" form holding a "fmt " chunk of at least 16
// bytes and a "data" chunk, found by search wherever it lies. Sizes written in
// the file are never trusted past the bytes that are really there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct WaveFormat {
    std::uint16_t formatTag = 0;  // 1 = PCM
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;  // 0 for PCM
    std::vector<std::uint8_t> extra;
};

// Where a chunk's contents lie in the file.
struct WaveChunk {
    std::uint32_t id = 0;
    std::size_t offset = 0;  // first byte after the chunk's header
    std::uint32_t size = 0;  // clamped to the bytes present
};

enum class WaveResult { Ok, InvalidArgument, Fail };

constexpr int kWaveRead = 1;
constexpr int kWaveWrite = 2;

// One wave file being read; a local object per effect. The whole file is
// read into memory (effects are small).
struct WaveFile {
    std::unique_ptr<WaveFormat> format;
    std::vector<std::uint8_t> bytes;  // the file; empty while closed
    bool open = false;
    WaveChunk riffChunk;
    WaveChunk dataChunk;
    std::uint32_t dataSize = 0;
    std::size_t readPosition = 0;      // within the data chunk
    int mode = 0;
};

// Opens `path` for reading (mode kWaveRead), reads the header and finds the
// data. A file that is missing, unreadable or malformed gives Fail (and
// leaves the file closed); no path gives InvalidArgument.
WaveResult openWaveFile(WaveFile& wave, const char* path, int mode);
WaveResult readWaveHeader(WaveFile& wave);
WaveResult rewindWaveData(WaveFile& wave);
std::uint32_t waveDataSize(const WaveFile& wave);
// Copies min(size, bytes left in the data) bytes; count = bytes copied.
WaveResult readWaveData(WaveFile& wave, std::uint8_t* buffer, std::uint32_t size, std::uint32_t* count);
void closeWaveFile(WaveFile& wave);
// Closes and frees the format.
void destroyWaveFile(WaveFile& wave);

// True for the formats the mixer plays: PCM, 1 or 2 channels, 8 or 16 bits,
// a block alignment that matches, a rate from 1,000 to 192,000 Hz.
bool isPlayableWaveFormat(const WaveFormat& format);
