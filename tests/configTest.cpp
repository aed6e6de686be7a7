#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Config.h"

namespace {

std::string writeTemp(const std::vector<unsigned char>& bytes) {
    char name[] = "/tmp/configTestXXXXXX";
    const int fd = mkstemp(name);
    std::FILE* f = fdopen(fd, "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return name;
}

std::vector<unsigned char> countingBytes(int n) {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<unsigned char>(i + 1));
    return bytes;
}

TEST(Config, MissingFileLeavesEverySettingOff) {
    gConfig[3] = 7;
    gConfigReserved[2] = 5;
    EXPECT_FALSE(loadConfig("/nonexistent/Config.dat"));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(gConfig[i], 0) << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(gConfigReserved[i], 0) << i;
}

TEST(Config, FiveByteFileGivesFiveSettingsAndZeroForTheRest) {
    gConfig[7] = 1;  // left over from before: must be cleared
    const std::string path = writeTemp({1, 0, 1, 1, 1});
    EXPECT_TRUE(loadConfig(path.c_str()));
    const unsigned char expected[10] = {1, 0, 1, 1, 1, 0, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(gConfig[i], expected[i]) << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(gConfigReserved[i], 0) << i;
    std::remove(path.c_str());
}

TEST(Config, TwentyByteFileFillsBothBlocksTheSecondIntoIntegerStorage) {
    const std::string path = writeTemp(countingBytes(25));  // bytes past 20 are not read
    EXPECT_TRUE(loadConfig(path.c_str()));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(gConfig[i], i + 1) << i;
    // Bytes 11..20 fill the first ten bytes of the integers, low byte first.
    EXPECT_EQ(gConfigReserved[0], 0x0E0D0C0B);
    EXPECT_EQ(gConfigReserved[1], 0x1211100F);
    EXPECT_EQ(gConfigReserved[2], 0x00001413);
    for (int i = 3; i < 10; ++i) EXPECT_EQ(gConfigReserved[i], 0) << i;
    std::remove(path.c_str());
}

TEST(Config, FullScreenSwitchCountsOnlyAtTheVeryEndInEitherCase) {
    struct Case { std::vector<const char*> args; bool fullScreen; };
    const Case cases[] = {
        {{"game"}, false},
        {{"game", "/f"}, true},
        {{"game", "/F"}, true},
        {{"game", "-x", "/f"}, true},
        {{"game", "x/f"}, true},  // the line's end is all that counts
        {{"game", "/f", "-x"}, false},
        {{"game", "/f "}, false},
        {{"game", "/fullscreen"}, false},
        {{"game", "f"}, false},
        {{"game", "/"}, false},
    };
    for (const Case& c : cases) {
        const std::string line = joinCommandLine(static_cast<int>(c.args.size()), c.args.data());
        EXPECT_EQ(commandLineSelectsFullScreen(line), c.fullScreen) << "'" << line << "'";
    }
}

}  // namespace
