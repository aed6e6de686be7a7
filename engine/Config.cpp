#include "engine/Config.h"

#include <cstdio>

std::uint8_t gConfig[10];
std::int32_t gConfigReserved[10];

bool lowSpecGraphics() { return gConfig[1] == 1; }

void resetConfig() {
    for (std::uint8_t& b : gConfig) b = 0;
    for (std::int32_t& v : gConfigReserved) v = 0;
}

bool loadConfig(const char* path) {
    resetConfig();
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char bytes[20] = {};
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    for (size_t i = 0; i < 10 && i < got; ++i) gConfig[i] = bytes[i];
    // The reserved block lands byte by byte in the integers' storage, low
    // byte first.
    for (size_t i = 10; i < got; ++i) {
        const size_t k = i - 10;
        const std::uint32_t v = static_cast<std::uint32_t>(gConfigReserved[k / 4]) | (std::uint32_t{bytes[i]} << (8 * (k % 4)));
        gConfigReserved[k / 4] = static_cast<std::int32_t>(v);
    }
    return true;
}

std::string joinCommandLine(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

bool commandLineSelectsFullScreen(const std::string& commandLine) {
    const size_t n = commandLine.size();
    return n >= 2 && commandLine[n - 2] == '/' && (commandLine[n - 1] == 'f' || commandLine[n - 1] == 'F');
}
