#include "fuzz/FuzzScratch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string gScratchPath;

void removeScratch() {
    std::error_code ignored;
    if (!gScratchPath.empty()) std::filesystem::remove_all(gScratchPath, ignored);
}

const std::string& scratchPath() {
    if (gScratchPath.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/corvadine-fuzz-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!mkdtemp(name.data())) {
            std::perror("fuzz: scratch folder");
            std::abort();
        }
        gScratchPath = name.data();
        mkdir((gScratchPath + "/Data").c_str(), 0700);
        mkdir((gScratchPath + "/Se").c_str(), 0700);
        std::atexit(removeScratch);
    }
    return gScratchPath;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    char here[4096];
    if (getcwd(here, sizeof here)) previous_ = here;
    if (chdir(scratchPath().c_str()) != 0) {
        std::perror("fuzz: entering the scratch folder");
        std::abort();
    }
}

ScratchFolder::~ScratchFolder() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::perror("fuzz: leaving the scratch folder");
}

void writeFuzzFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
        std::perror(path);
        std::abort();
    }
}

void removeFuzzFile(const char* path) { std::remove(path); }

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

void writeSeed(const std::string& outDir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = outDir + "/" + name;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "fuzz: cannot write the seed %s\n", path.c_str());
        std::exit(1);
    }
}

int copySeeds(const std::string& gameDir, const std::string& subDir, const std::string& prefix,
              const std::string& suffix, int limit, std::size_t maxBytes, const std::string& outDir) {
    namespace fs = std::filesystem;
    std::vector<fs::path> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(gameDir) / subDir, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.size() < prefix.size() + suffix.size()) continue;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        if (entry.file_size() > maxBytes) continue;
        found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    int copied = 0;
    for (const fs::path& path : found) {
        if (copied == limit) break;
        std::vector<std::uint8_t> bytes;
        if (!readWholeFile(path.string(), bytes)) continue;
        writeSeed(outDir, path.filename().string(), bytes);
        ++copied;
    }
    return copied;
}
