// Shared helpers of the sound and music tests: a scratch game folder to run
// in, and little-endian writers for fixture files.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace soundtest {

// Runs the test inside a fresh folder (the game reads "./Se" and "./Res"),
// and goes back when it ends.
class ScratchGameDir {
public:
    explicit ScratchGameDir(const std::string& name) {
        previous_ = std::filesystem::current_path();
        path_ = std::filesystem::temp_directory_path() / ("corvadine_" + name + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "Se");
        std::filesystem::create_directories(path_ / "Res");
        std::filesystem::current_path(path_);
    }
    ~ScratchGameDir() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

inline void put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
inline void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
inline void putTag(std::vector<std::uint8_t>& v, const char* tag) { v.insert(v.end(), tag, tag + 4); }

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A RIFF WAVE file built field by field; each field can lie.
struct WaveSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    std::uint32_t fmtSize = 16;        // what the "fmt " header says
    std::uint32_t fmtBytesPresent = 16;
    bool extraSizeField = false;       // write a 16-bit extra count after the 16 bytes
    std::uint16_t extraSize = 0;
    std::vector<std::uint8_t> samples;
    long dataSizeStated = -1;          // -1: the real size
    bool chunkBeforeData = false;      // a "LIST" chunk between "fmt " and "data"
    bool omitData = false;
};

inline std::vector<std::uint8_t> makeWave(const WaveSpec& s) {
    std::vector<std::uint8_t> body;
    putTag(body, "WAVE");
    putTag(body, "fmt ");
    put32(body, s.fmtSize);
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(s.channels * s.bits / 8);
    std::vector<std::uint8_t> fmt;
    put16(fmt, s.formatTag);
    put16(fmt, s.channels);
    put32(fmt, s.rate);
    put32(fmt, s.rate * blockAlign);
    put16(fmt, blockAlign);
    put16(fmt, s.bits);
    if (s.extraSizeField) put16(fmt, s.extraSize);
    fmt.resize(s.fmtBytesPresent, 0);
    body.insert(body.end(), fmt.begin(), fmt.end());
    if (s.chunkBeforeData) {
        putTag(body, "LIST");
        put32(body, 5);
        body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});  // odd size, padded
    }
    if (!s.omitData) {
        putTag(body, "data");
        put32(body, s.dataSizeStated < 0 ? static_cast<std::uint32_t>(s.samples.size())
                                         : static_cast<std::uint32_t>(s.dataSizeStated));
        body.insert(body.end(), s.samples.begin(), s.samples.end());
    }
    std::vector<std::uint8_t> file;
    putTag(file, "RIFF");
    put32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// 16-bit stereo frames all holding `value`.
inline std::vector<std::uint8_t> constantFrames(int frames, std::int16_t value) {
    std::vector<std::uint8_t> v;
    for (int i = 0; i < frames * 2; ++i) put16(v, static_cast<std::uint16_t>(value));
    return v;
}

}  // namespace soundtest
