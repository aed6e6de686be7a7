// The working folder the fuzzing entry points write their inputs into, and
// small file helpers for them and their seed writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// While one lives, the current directory is a private folder (made once per
// process under the system's temporary folder, with "Data" and "Se" inside,
// removed at exit), so the game's relative paths land there.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::string previous_;
};

// Writes the bytes to `path` (relative to the current directory); aborts when
// it cannot, since an input that never reached the loader tests nothing.
void writeFuzzFile(const char* path, const std::uint8_t* data, std::size_t size);
void removeFuzzFile(const char* path);

// Seed helpers: the whole file (false when missing), a file written whole.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);
void writeSeed(const std::string& outDir, const std::string& name, const std::vector<std::uint8_t>& bytes);
// Copies the game folder's files in `subDir` whose names start with `prefix`
// and end with `suffix`, at most `limit` of them and none over `maxBytes`
// (the fuzzer refuses inputs over a megabyte). Returns how many.
int copySeeds(const std::string& gameDir, const std::string& subDir, const std::string& prefix,
              const std::string& suffix, int limit, std::size_t maxBytes, const std::string& outDir);
