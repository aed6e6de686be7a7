// Start-up loading of the data tables, hard mode and the battle homes.
#include <cstdio>

#include "engine/Config.h"
#include "engine/Input.h"
#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/TextTables.h"

namespace {

// The single-precision factor multiplied in double precision and truncated,
// so that 10 becomes 13 and 100 becomes 139.
int scaleTruncated(int value, float factor) {
    const double scaled = static_cast<double>(value) * static_cast<double>(factor);
    if (scaled >= 2147483647.0) return 2147483647;
    if (scaled <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(scaled);
}

int doubled(int value) {
    const long long v = 2LL * value;
    return v > 2147483647LL ? 2147483647 : (v < -2147483648LL ? -2147483647 - 1 : static_cast<int>(v));
}

}  // namespace

void applyHardMode() {
    constexpr float kStatFactor = 1.4f;
    constexpr float kExperienceFactor = 1.25f;
    for (MonsterRecord& m : gMonsters) {
        m.attack = scaleTruncated(m.attack, kStatFactor);
        m.defence = scaleTruncated(m.defence, kStatFactor);
        m.magic = scaleTruncated(m.magic, kStatFactor);
        m.magicDefence = scaleTruncated(m.magicDefence, kStatFactor);
        m.speed = scaleTruncated(m.speed, kStatFactor);
        m.hp = doubled(m.hp);
        m.experience = scaleTruncated(m.experience, kExperienceFactor);
    }
}

void setBattleHomePositions() {
    static const float party[4][3] = {{6, 0, 10}, {5, 0, 4}, {5, 0, 16}, {6, 0, 10}};
    static const float enemies[6][3] = {{12, 0, 10}, {14, 0, 14}, {14, 0, 6}, {16, 0, 16}, {16, 0, 10}, {16, 0, 4}};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 3; ++k) gPartyHomes[i][k] = party[i][k];
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 3; ++k) gEnemyHomes[i][k] = enemies[i][k];
}

int loadGameData() {
    if (gCommandCode == kNormalPlayCommand) {
        const int read = readDataFile("Data.dat");
        if (read != kDataFileRead) return read;
    } else {
        // Developer mode: the text tables are the source; "Data.dat" is made
        // from them. Mended: when a table cannot be opened, "Data.dat" is not
        // overwritten with half-empty tables; it is read as in normal play.
        TextTableReport report;
        loadTextTables(".", report);
        for (const std::string& p : report.problems) std::fprintf(stderr, "text tables: %s\n", p.c_str());
        if (report.missingFiles > 0) {
            std::fprintf(stderr, "text tables: a table is missing; \"Data.dat\" is read instead\n");
            resetGameDataTables();
            const int read = readDataFile("Data.dat");
            if (read != kDataFileRead) return read;
        } else if (!writeDataFile("Data.dat")) {
            std::fprintf(stderr, "text tables: \"Data.dat\" could not be written\n");
        }
    }
    if (gConfig[4] == 1) applyHardMode();
    setBattleHomePositions();
    return 0;
}
