// The save loader against damaged files: a valid save mutated thousands of
// times with a fixed seed (bytes overwritten, runs of bytes set to extremes,
// files cut short or grown), each run under the sanitizers. The check sum is
// put right after the mutation so the damage reaches the index and text
// checks behind it. A refused file changes nothing; an accepted one puts a
// state into play that saves again as a valid file.
#include <cstring>
#include <memory>
#include <random>

#include "saveFixture.h"

namespace {

std::vector<std::uint8_t> mutated(const std::vector<std::uint8_t>& base, std::mt19937& random) {
    std::vector<std::uint8_t> bytes = base;
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
            case 0: bytes[at] = static_cast<std::uint8_t>(random()); break;
            case 1: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
            case 2: {  // a 32-bit field turned into an extreme
                static const std::uint32_t kExtremes[] = {0u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x7FC00000u, 0xFF800000u};
                const std::uint32_t v = kExtremes[random() % 6];
                for (int b = 0; b < 4 && at + b < bytes.size(); ++b) bytes[at + b] = static_cast<std::uint8_t>(v >> (8 * b));
                break;
            }
            default: {  // a run of one byte, as a torn write leaves
                const std::size_t length = 1 + random() % 64;
                std::memset(bytes.data() + at, random() % 2 ? 0x00 : 0xFF, std::min(length, bytes.size() - at));
                break;
            }
        }
    }
    return bytes;
}

}  // namespace

TEST_F(SaveFolderTest, MutatedSavesAreRefusedWholeOrLoadIntoAValidState) {
    fillDistinctPlayState(3);
    const std::vector<std::uint8_t> base = currentStateBytes();
    std::mt19937 random(20261210);
    auto state = std::make_unique<SaveState>();
    auto again = std::make_unique<SaveState>();
    int accepted = 0;
    for (int run = 0; run < 1500; ++run) {
        const std::vector<std::uint8_t> bytes = mutated(base, random);
        decodeSaveState(bytes.data(), *state);
        state->checkSum = saveCheckSum(*state);
        if (checkSaveState(*state) != SaveLoadError::kNone) continue;
        ++accepted;
        commitSaveState(*state);
        captureSaveState(*again);
        ASSERT_EQ(checkSaveState(*again), SaveLoadError::kNone) << "run " << run;
    }
    EXPECT_GT(accepted, 0) << "some mutations hit fields any value suits";
    EXPECT_LT(accepted, 1500) << "some mutations must be refused";
}

TEST_F(SaveFolderTest, DamagedSaveFilesLeaveThePlayStateAsItWas) {
    fillDistinctPlayState(4);
    ASSERT_EQ(writeSaveFile(1), 0);
    const std::vector<std::uint8_t> base = readBytes("Save_1.dat");
    fillDistinctPlayState(6);  // the game in play
    const std::vector<std::uint8_t> inPlay = currentStateBytes();
    std::mt19937 random(7);
    for (int run = 0; run < 300; ++run) {
        std::vector<std::uint8_t> bytes = mutated(base, random);
        switch (run % 3) {
            case 0: bytes.resize(random() % bytes.size()); break;  // cut short
            case 1: bytes.resize(bytes.size() + 1 + random() % 100, 0); break;  // grown
            default: break;  // the right size with its old check sum: refused unless the damage missed it
        }
        writeBytes("Save_0.dat", bytes);
        readSaveFile(0, 1);  // the chooser's header read never crashes either
        if (readSaveFile(0, 0) != 0) {
            ASSERT_EQ(currentStateBytes(), inPlay) << "a refused file changed the game, run " << run;
        } else {
            fillDistinctPlayState(6);  // an accepted file: back to the game in play
        }
    }
}
