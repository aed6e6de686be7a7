// "Data.dat": layout, the later-copy rule, round trip, short and missing files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/LittleEndian.h"
#include "engine/Config.h"
#include "engine/Input.h"

namespace {

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("corvadine_gamedata_") + name)).string();
}

std::int32_t int32At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    return static_cast<std::int32_t>(b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[offset + 3]) << 24));
}

// Every table gets distinct values in every field so a swapped or missed field shows.
void fillTables() {
    resetGameDataState();
    for (int i = 0; i < kItemCount; ++i) {
        ItemRecord& r = gItems[i];
        std::snprintf(r.name, sizeof r.name, "item%d", i);
        for (int k = 0; k < 5; ++k) r.bonuses[k] = i * 10 + k;
        r.unused = -i;
        r.kind = i % 12;
        r.price = i * 7 + 1;
        std::snprintf(r.description, sizeof r.description, "desc of item %d", i);
    }
    for (int i = 0; i < kWeaponSkillCount; ++i) {
        WeaponSkillRow& r = gWeaponSkills[i];
        std::snprintf(r.name, sizeof r.name, "skill%d", i);
        r.category = i / 4 + 1;
        r.level = i % 4;
        r.unused = 1000 + i;
        r.bonusBase = i + 3;
        r.range = i % 3;
        std::snprintf(r.description, sizeof r.description, "w%d", i);
    }
    for (int i = 0; i < kStoneSkillCount; ++i) {
        StoneSkillRow& r = gStoneSkills[i];
        std::snprintf(r.name, sizeof r.name, "stone%d", i);
        r.attribute = i % 9 + 1;
        r.level = i % 2;
        r.spCost = i + 5;
        r.power = i * 3;
        r.targetKind = i % 5;
        std::snprintf(r.description, sizeof r.description, "s%d", i);
    }
    for (int i = 0; i < kMagicalStoneCount; ++i) {
        MagicalStoneRecord& r = gMagicalStones[i];
        r.id = i;
        std::snprintf(r.name, sizeof r.name, "ms%d", i);
        r.attribute = i;
        for (int k = 0; k < 7; ++k) r.unused[k] = i * 100 + k;
        std::snprintf(r.description, sizeof r.description, "m%d", i);
    }
    for (int i = 0; i < kMonsterCount; ++i) {
        MonsterRecord& r = gMonsters[i];
        std::snprintf(r.name, sizeof r.name, "mon%d", i);
        r.hp = 100 + i;
        r.experience = 2 + i;
        r.money = 3 + i;
        r.attack = 4 + i;
        r.defence = 5 + i;
        r.magic = 6 + i;
        r.magicDefence = 7 + i;
        r.speed = 8 + i;
        r.skills[0] = 10 + i;
        r.skills[1] = 20 + i;
        r.skills[2] = 30 + i;
        r.sprite = 40 + i;
        r.dropItem = i % 200;
        r.dropChance = 500 + i;
        r.card = i % 2 ? kNoCard : i;
    }
    for (int i = 0; i < kEnemyGroupCount; ++i) {
        EnemyGroup& r = gEnemyGroups[i];
        for (int k = 0; k < 6; ++k) r.monsters[k] = (i + k) % 80;
        std::snprintf(r.musicTitle, sizeof r.musicTitle, "song%d.mid", i);
        r.battleType = i % 3;
    }
    for (int i = 0; i < kCardCount; ++i) {
        CardRecord& r = gCardTable[i];
        std::snprintf(r.name, sizeof r.name, "card%d", i);
        r.rarity = static_cast<std::uint8_t>(i % 4);
        r.element = static_cast<std::uint8_t>(i % 10);
        r.group = static_cast<std::uint8_t>(i % 7);
        for (int k = 0; k < 4; ++k) r.sides[k] = static_cast<std::uint8_t>((i + k) % 10 + 1);
        r.price = 100 * i + 5;
        std::snprintf(r.description, sizeof r.description, "the card number %d", i);
    }
}

struct TableCopy {
    std::vector<std::uint8_t> bytes;
    static TableCopy take() {
        TableCopy t;
        auto add = [&](const void* p, std::size_t n) {
            const auto* b = static_cast<const std::uint8_t*>(p);
            t.bytes.insert(t.bytes.end(), b, b + n);
        };
        add(gItems, sizeof gItems);
        add(gWeaponSkills, sizeof gWeaponSkills);
        add(gStoneSkills, sizeof gStoneSkills);
        add(gMagicalStones, sizeof gMagicalStones);
        add(gMonsters, sizeof gMonsters);
        add(gEnemyGroups, sizeof gEnemyGroups);
        add(gCardTable, sizeof gCardTable);
        return t;
    }
};

std::vector<std::uint8_t> encoded() {
    std::vector<std::uint8_t> b(kDataFileSize);
    encodeDataFile(b.data());
    return b;
}

}  // namespace

TEST(GameDataFile, WrittenFileIs170960BytesAndReadsBackIdentically) {
    fillTables();
    const TableCopy before = TableCopy::take();
    const std::string path = tempPath("roundtrip.dat");
    ASSERT_TRUE(writeDataFile(path.c_str()));
    EXPECT_EQ(std::filesystem::file_size(path), 170960u);

    resetGameDataState();
    ASSERT_EQ(readDataFile(path.c_str()), 0);
    EXPECT_TRUE(TableCopy::take().bytes == before.bytes);
    std::filesystem::remove(path);
}

TEST(GameDataFile, EntryFieldsSitAtTheirOffsets) {
    fillTables();
    const std::vector<std::uint8_t> b = encoded();
    struct Case { const char* what; std::size_t offset; int expected; };
    const std::size_t item5 = kItemsOffset + 5 * kItemEntrySize;
    const std::size_t skill7 = kWeaponSkillsOffset + 7 * kWeaponSkillEntrySize;
    const std::size_t stone3 = kStoneSkillsOffset + 3 * kStoneSkillEntrySize;
    const std::size_t ms4 = kMagicalStonesOffset + 4 * kMagicalStoneEntrySize;
    const std::size_t mon9 = kMonstersOffset + 9 * kMonsterEntrySize;
    const std::size_t group2 = kEnemyGroupsOffset + 2 * kEnemyGroupEntrySize;
    const std::size_t card6 = kCardsOffset + 6 * kCardEntrySize;
    const Case cases[] = {
        {"item kind", item5 + 0, 5},            {"item price", item5 + 34, 36},
        {"item bonus 0", item5 + 38, 50},       {"item bonus 4", item5 + 54, 54},
        {"item unread", item5 + 58, -5},        {"skill category", skill7 + 0, 2},
        {"skill level", skill7 + 4, 3},         {"skill unread", skill7 + 8, 1007},
        {"skill range", skill7 + 52, 1},        {"skill bonus base", skill7 + 56, 10},
        {"stone attribute", stone3 + 0, 4},     {"stone level", stone3 + 4, 1},
        {"stone sp", stone3 + 38, 8},           {"stone power", stone3 + 42, 9},
        {"stone target", stone3 + 46, 3},       {"mstone id", ms4 + 0, 4},
        {"mstone attribute", ms4 + 34, 4},      {"mstone unread 6", ms4 + 62, 406},
        {"monster hp", mon9 + 30, 109},         {"monster exp", mon9 + 34, 11},
        {"monster money", mon9 + 38, 12},       {"monster attack 1st", mon9 + 42, 13},
        {"monster speed 1st", mon9 + 58, 17},   {"monster skill1 1st", mon9 + 62, 19},
        {"monster attack", mon9 + 66, 13},      {"monster speed", mon9 + 82, 17},
        {"monster skill 1", mon9 + 86, 19},     {"monster skill 3", mon9 + 94, 39},
        {"monster sprite", mon9 + 98, 49},      {"monster drop", mon9 + 102, 9},
        {"monster chance", mon9 + 106, 509},    {"monster card", mon9 + 110, kNoCard},
        {"group monster 0", group2 + 0, 2},     {"group monster 5", group2 + 20, 7},
        {"group type", group2 + 24, 2},         {"card price", card6 + 112, 605},
        {"card price again", card6 + 121, 605},
    };
    for (const Case& c : cases) EXPECT_EQ(int32At(b, c.offset), c.expected) << c.what;
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[item5 + 4]), "item5");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[item5 + 62]), "desc of item 5");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[skill7 + 12]), "skill7");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[stone3 + 8]), "stone3");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[ms4 + 4]), "ms4");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[mon9]), "mon9");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[group2 + 28]), "song2.mid");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[card6]), "card6");
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[card6 + 132]), "the card number 6");
    EXPECT_EQ(std::memcmp(&b[card6 + 125], "the car", 7), 0);
}

TEST(GameDataFile, CardBytesAreWrittenInEveryCopy) {
    resetGameDataState();
    CardRecord& c = gCardTable[0];
    c.rarity = 2;
    c.element = 3;
    c.group = 1;
    const std::uint8_t sides[4] = {1, 2, 3, 4};
    std::memcpy(c.sides, sides, 4);
    c.price = 500;
    const std::vector<std::uint8_t> b = encoded();
    const std::uint8_t* e = &b[kCardsOffset];
    const std::uint8_t at100[4] = {2, 3, 1, 1}, at104[4] = {3, 1, 1, 2}, at108[4] = {1, 1, 2, 3};
    const std::uint8_t at116[5] = {1, 2, 3, 4, 0};
    EXPECT_EQ(std::memcmp(e + 100, at100, 4), 0);
    EXPECT_EQ(std::memcmp(e + 104, at104, 4), 0);
    EXPECT_EQ(std::memcmp(e + 108, at108, 4), 0);
    EXPECT_EQ(std::memcmp(e + 116, at116, 5), 0);
    EXPECT_EQ(int32At(b, kCardsOffset + 112), 500);
    EXPECT_EQ(int32At(b, kCardsOffset + 121), 500);
}

TEST(GameDataFile, ReaderTakesTheLaterCopies) {
    resetGameDataState();
    std::vector<std::uint8_t> b = encoded();
    le::Writer w(b.data(), b.size());
    const std::size_t monster = kMonstersOffset + 3 * kMonsterEntrySize;
    w.seek(monster + 42);
    w.i32(5);  // attack, first copy
    w.seek(monster + 66);
    w.i32(9);  // attack, later copy
    w.seek(monster + 62);
    w.i32(111);  // skill 1, first copy
    w.seek(monster + 86);
    w.i32(222);
    const std::size_t card = kCardsOffset + 4 * kCardEntrySize;
    w.seek(card + 100);
    w.bytes("\x01\x07\x07\x07", 4);  // rarity 1; the rest are earlier copies
    w.seek(card + 104);
    w.bytes("\x05\x08\x08\x08", 4);  // element 5
    w.seek(card + 108);
    w.bytes("\x06\x09\x09\x09", 4);  // group 6
    w.seek(card + 112);
    w.i32(77);                        // first price
    w.seek(card + 116);
    w.bytes("\x02\x03\x04\x05", 4);  // sides
    w.seek(card + 121);
    w.i32(300);
    w.seek(card + 125);
    w.bytes("XXXXXXX", 7);
    w.seek(card + 132);
    w.text("later", 300);
    decodeDataFile(b.data(), b.size());

    EXPECT_EQ(gMonsters[3].attack, 9);
    EXPECT_EQ(gMonsters[3].skills[0], 222);
    const CardRecord& c = gCardTable[4];
    EXPECT_EQ(c.rarity, 1);
    EXPECT_EQ(c.element, 5);
    EXPECT_EQ(c.group, 6);
    EXPECT_EQ(c.sides[0], 2);
    EXPECT_EQ(c.sides[3], 5);
    EXPECT_EQ(c.price, 300);
    EXPECT_STREQ(c.description, "later");
}

TEST(GameDataFile, TextFieldsWithoutTerminatorEndInsideTheirField) {
    resetGameDataState();
    std::vector<std::uint8_t> b = encoded();
    // An item name of 30 bytes with no zero, its last two a double-byte character.
    std::memset(&b[kItemsOffset + 4], 'A', 28);
    b[kItemsOffset + 4 + 28] = 0x82;  // あ in Shift-JIS
    b[kItemsOffset + 4 + 29] = 0xA0;
    // A description of 300 'B's.
    std::memset(&b[kItemsOffset + 62], 'B', 300);
    decodeDataFile(b.data(), b.size());
    EXPECT_EQ(std::strlen(gItems[0].name), 28u);  // the half character is not kept
    EXPECT_EQ(std::strlen(gItems[0].description), 299u);
}

TEST(GameDataFile, ShortBufferLeavesUnreadFields) {
    fillTables();
    const std::vector<std::uint8_t> full = encoded();
    resetGameDataState();
    gCardTable[99].price = 4242;
    gMonsters[0].hp = 17;
    decodeDataFile(full.data(), kMonstersOffset + 30 + 2);  // half of monster 0's HP
    EXPECT_STREQ(gItems[199].name, "item199");
    EXPECT_STREQ(gMagicalStones[9].name, "ms9");
    EXPECT_STREQ(gMonsters[0].name, "mon0");
    EXPECT_EQ(gMonsters[0].hp, 17);
    EXPECT_EQ(gCardTable[99].price, 4242);
}

TEST(GameDataFile, AFileOfAnyOtherSizeIsRefusedWholeAndAMissingOneFails) {
    fillTables();
    std::vector<std::uint8_t> bytes = encoded();
    bytes.push_back(0);
    const std::string path = tempPath("sized.dat");
    const std::size_t sizes[] = {0, 1000, kMonstersOffset + 32, kDataFileSize - 1, kDataFileSize + 1};
    for (std::size_t size : sizes) {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
        }
        resetGameDataState();
        gMonsters[0].hp = 17;
        EXPECT_EQ(readDataFile(path.c_str()), kDataFileWrongSize) << size;
        EXPECT_EQ(gItems[0].name[0], '\0') << size;
        EXPECT_EQ(gMonsters[0].hp, 17) << size;
    }
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(kDataFileSize));
    }
    resetGameDataState();
    EXPECT_EQ(readDataFile(path.c_str()), kDataFileRead);
    EXPECT_STREQ(gItems[199].name, "item199");
    std::filesystem::remove(path);

    EXPECT_EQ(readDataFile(tempPath("does_not_exist.dat").c_str()), kDataFileMissing);
}

TEST(GameDataLoad, HardModeScalesMonstersWithSinglePrecisionFactors) {
    resetGameDataState();
    struct Case { int attack, experience, hp; int hardAttack, hardExperience, hardHp; };
    const Case cases[] = {{10, 7, 50, 13, 8, 100}, {100, 4, 1, 139, 5, 2}, {5, 0, 0, 6, 0, 0}, {1, 1, 3, 1, 1, 6}};
    for (int i = 0; i < 4; ++i) {
        MonsterRecord& m = gMonsters[i];
        m.attack = m.defence = m.magic = m.magicDefence = m.speed = cases[i].attack;
        m.experience = cases[i].experience;
        m.hp = cases[i].hp;
        m.money = 77;
    }
    applyHardMode();
    for (int i = 0; i < 4; ++i) {
        const MonsterRecord& m = gMonsters[i];
        EXPECT_EQ(m.attack, cases[i].hardAttack) << i;
        EXPECT_EQ(m.speed, cases[i].hardAttack) << i;
        EXPECT_EQ(m.magicDefence, cases[i].hardAttack) << i;
        EXPECT_EQ(m.experience, cases[i].hardExperience) << i;
        EXPECT_EQ(m.hp, cases[i].hardHp) << i;
        EXPECT_EQ(m.money, 77) << i;
    }
}

TEST(GameDataLoad, LoadsFromTheWorkingDirectoryAppliesHardModeAndSetsHomes) {
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvadine_gamedata_load";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);

    resetGameDataState();
    gCommandCode = 999;
    gConfig[4] = 0;
    EXPECT_EQ(loadGameData(), 1);  // no "Data.dat"

    {
        std::ofstream cut("Data.dat", std::ios::binary);
        cut << std::string(1000, '\x01');
    }
    EXPECT_EQ(loadGameData(), kDataFileWrongSize);  // refused, as a start-up failure

    gMonsters[5].attack = 10;
    gMonsters[5].hp = 40;
    ASSERT_TRUE(writeDataFile());
    resetGameDataState();
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[5].attack, 10);
    EXPECT_FLOAT_EQ(gPartyHomes[1][0], 5.0f);
    EXPECT_FLOAT_EQ(gPartyHomes[2][2], 16.0f);
    EXPECT_FLOAT_EQ(gEnemyHomes[5][0], 16.0f);
    EXPECT_FLOAT_EQ(gEnemyHomes[5][2], 4.0f);

    // A reload after a failed save load applies hard mode to fresh values, once.
    gConfig[4] = 1;
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[5].attack, 13);
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[5].attack, 13);
    EXPECT_EQ(gMonsters[5].hp, 80);
    gConfig[4] = 0;

    std::filesystem::current_path(before);
    std::filesystem::remove_all(dir);
    resetGameDataState();
}

TEST(GameDataLoad, DeveloperModeBuildsDataDatFromTheTablesAndKeepsItWhenOneIsMissing) {
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvadine_gamedata_devmode";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    auto write = [](const char* name, const char* text) {
        std::ofstream out(name, std::ios::binary);
        out << text;
    };
    const char* const files[7] = {"Item_Data.txt", "Wepon_Skill.txt", "Magic_Skill.txt", "Mashouseki.txt",
                                  "Monster_Data.txt", "Unit_Data.txt", "Card_Data.txt"};
    for (const char* f : files) write(f, "");
    write("Monster_Data.txt", "4<>Bat<>30<>2<>3<>9<>1<>1<>1<>5<>60<>60<>60<>1<>0<>0<>999\n");
    gConfig[4] = 0;

    resetGameDataState();
    gCommandCode = 0;  // developer mode
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[4].attack, 9);
    EXPECT_EQ(std::filesystem::file_size("Data.dat"), kDataFileSize);

    // A missing table: the written file is read, not replaced by emptier tables.
    std::filesystem::remove("Item_Data.txt");
    write("Monster_Data.txt", "");
    resetGameDataState();
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[4].attack, 9);
    gCommandCode = 999;
    resetGameDataState();
    EXPECT_EQ(loadGameData(), 0);
    EXPECT_EQ(gMonsters[4].attack, 9);

    std::filesystem::current_path(before);
    std::filesystem::remove_all(dir);
    resetGameDataState();
}
