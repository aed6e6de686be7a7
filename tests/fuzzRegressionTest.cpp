// The fuzzing entry points (fuzz/) built normally: each takes the real game
// files it is seeded with, empty and one-byte input, and every input a fuzz
// run found a fault with (kept in tests/fuzzcases/<target>/), without a
// crash, a sanitizer report or a failed check.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/FuzzScratch.h"
#include "fuzz/FuzzTargets.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> targetNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kFuzzTargetCount; ++i) names.push_back(kFuzzTargets[i].name);
    return names;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void runFile(const FuzzTarget& target, const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(path.string(), bytes)) << path;
    SCOPED_TRACE(path.string());
    target.run(bytes.data(), bytes.size());
}

class FuzzEntryPoint : public testing::TestWithParam<std::string> {};

TEST_P(FuzzEntryPoint, TakesTheGameFilesItIsSeededWith) {
    const FuzzTarget* target = findFuzzTarget(GetParam().c_str());
    ASSERT_NE(target, nullptr);
    const std::string gameDir = CORVADINE_GAME_DIR;
    if (!fs::exists(gameDir + "/Data.dat")) GTEST_SKIP() << "no generated game folder";
    const fs::path seeds = fs::temp_directory_path() / ("corvadine-seeds-" + GetParam() + "-" + std::to_string(getpid()));
    fs::create_directories(seeds);
    EXPECT_GT(target->writeSeeds(gameDir, seeds.string()), 0);
    for (const fs::path& seed : filesIn(seeds)) runFile(*target, seed);
    const std::uint8_t one = 0x01;
    target->run(&one, 1);
    target->run(nullptr, 0);
    fs::remove_all(seeds);
}

TEST_P(FuzzEntryPoint, RunsEveryKeptFindingCleanly) {
    const FuzzTarget* target = findFuzzTarget(GetParam().c_str());
    ASSERT_NE(target, nullptr);
    for (const fs::path& finding : filesIn(fs::path(CORVADINE_SOURCE_DIR) / "tests/fuzzcases" / GetParam())) {
        runFile(*target, finding);
    }
}

INSTANTIATE_TEST_SUITE_P(Loaders, FuzzEntryPoint, testing::ValuesIn(targetNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(FuzzFindings, EveryKeptFolderNamesATarget) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(CORVADINE_SOURCE_DIR) / "tests/fuzzcases", error)) {
        if (entry.is_directory()) EXPECT_NE(findFuzzTarget(entry.path().filename().c_str()), nullptr) << entry.path();
    }
}

}  // namespace
