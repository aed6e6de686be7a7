// The developer mode's text-table loader and its separator split.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "gamedata/GameData.h"
#include "gamedata/TextTables.h"

namespace {

struct TableFolder {
    std::filesystem::path dir;
    explicit TableFolder(const char* name) {
        dir = std::filesystem::temp_directory_path() / (std::string("corvadine_tables_") + name);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const char* file : kTextTableFiles) write(file, "");
    }
    ~TableFolder() { std::filesystem::remove_all(dir); }
    void write(const char* file, const std::string& text) const {
        std::ofstream out(dir / file, std::ios::binary);
        out << text;
    }
    bool reported(const TextTableReport& r, const std::string& fragment) const {
        for (const std::string& p : r.problems)
            if (p.find(fragment) != std::string::npos) return true;
        return false;
    }
};

}  // namespace

TEST(SplitAtSeparator, EndsTheLineAndReturnsTheRest) {
    struct Case { const char* line; const char* sep; const char* head; const char* rest; };
    const Case cases[] = {
        {"a<>b<>c", "<>", "a", "b<>c"},
        {"<>x", "<>", "", "x"},
        {"x<>", "<>", "x", ""},
        {"a<b>c", "<>", "a<b>c", nullptr},  // no separator: untouched, none returned
        {"", "<>", "", nullptr},
        {"1,2", ",", "1", "2"},
        {"a<<>b", "<>", "a<", "b"},
    };
    for (const Case& c : cases) {
        char line[32];
        std::strcpy(line, c.line);
        const char* rest = splitAtSeparator(line, c.sep);
        EXPECT_STREQ(line, c.head) << c.line;
        if (c.rest == nullptr)
            EXPECT_EQ(rest, nullptr) << c.line;
        else
            EXPECT_STREQ(rest, c.rest) << c.line;
    }
    char line[] = "abc";
    EXPECT_EQ(splitAtSeparator(nullptr, "<>"), nullptr);
    EXPECT_EQ(splitAtSeparator(line, ""), nullptr);
}

TEST(TextTables, NumbersReadTheirLeadingDigits) {
    struct Case { const char* text; int value; };
    const Case cases[] = {{"42", 42}, {"  7x", 7}, {"-15", -15}, {"", 0}, {"abc", 0}, {"99999999999", 2147483647},
                          {"-99999999999", -2147483647 - 1}, {"+3", 3}};
    for (const Case& c : cases) EXPECT_EQ(parseTableNumber(c.text), c.value) << c.text;
}

TEST(TextTables, EveryFileFillsItsRowsByIdOrByLine) {
    resetGameDataState();
    TableFolder folder("fill");
    folder.write("Item_Data.txt", "130<>8<>Potion<>50<>1<>1<>100<>0<>0<>9<>Heals 100.\r\n5<>1<>Gun<>300<>12<>0<>0<>0<>0<>0<>A gun.\n");
    folder.write("Wepon_Skill.txt", "1<>0<>0<>Slash<>0<>2<>First.\n2<>1<>0<>Shot<>1<>3<>Second.\n");
    folder.write("Magic_Skill.txt", "1<>0<>Cosmic<>12<>80<>1<>All foes.\n");
    folder.write("Mashouseki.txt", "3<>Wind stone<>4<>1<>2<>3<>4<>5<>6<>7<>Blows.\n");
    folder.write("Monster_Data.txt", "7<>Rat<>60<>4<>12<>20<>8<>3<>5<>15<>60<>61<>62<>9<>130<>250<>999\n");
    folder.write("Unit_Data.txt", "2<>1<>1<>0<>0<>0<>0<>257<>battle.mid\n");
    folder.write("Card_Data.txt", "Hero,3,4,2,800,9,8,7,6,The hero card\n");
    TextTableReport report;
    loadTextTables(folder.dir.c_str(), report);
    EXPECT_TRUE(report.ok()) << (report.problems.empty() ? "" : report.problems[0]);

    EXPECT_STREQ(gItems[130].name, "Potion");
    EXPECT_EQ(gItems[130].kind, 8);
    EXPECT_EQ(gItems[130].price, 50);
    EXPECT_EQ(gItems[130].bonuses[2], 100);
    EXPECT_EQ(gItems[130].unused, 9);
    EXPECT_STREQ(gItems[130].description, "Heals 100.");  // the end of the line is not kept
    EXPECT_EQ(gItems[5].bonuses[0], 12);
    EXPECT_STREQ(gWeaponSkills[1].name, "Shot");
    EXPECT_EQ(gWeaponSkills[1].category, 2);
    EXPECT_EQ(gWeaponSkills[1].range, 1);
    EXPECT_EQ(gWeaponSkills[1].bonusBase, 3);
    EXPECT_EQ(gStoneSkills[0].spCost, 12);
    EXPECT_EQ(gStoneSkills[0].targetKind, 1);
    EXPECT_EQ(gMagicalStones[3].id, 3);
    EXPECT_EQ(gMagicalStones[3].attribute, 4);
    EXPECT_EQ(gMagicalStones[3].unused[6], 7);
    const MonsterRecord& m = gMonsters[7];
    EXPECT_STREQ(m.name, "Rat");
    EXPECT_EQ(m.hp, 60);
    EXPECT_EQ(m.money, 12);
    EXPECT_EQ(m.speed, 15);
    EXPECT_EQ(m.skills[2], 62);
    EXPECT_EQ(m.dropItem, 130);
    EXPECT_EQ(m.card, 999);
    EXPECT_EQ(gEnemyGroups[2].battleType, 1);  // 257: only the low byte is stored
    EXPECT_STREQ(gEnemyGroups[2].musicTitle, "battle.mid");
    const CardRecord& c = gCardTable[0];
    EXPECT_STREQ(c.name, "Hero");
    EXPECT_EQ(c.rarity, 3);
    EXPECT_EQ(c.element, 4);
    EXPECT_EQ(c.group, 2);
    EXPECT_EQ(c.price, 800);
    EXPECT_EQ(c.sides[0], 9);
    EXPECT_EQ(c.sides[3], 6);
    EXPECT_STREQ(c.description, "The hero card");
}

TEST(TextTables, BadLinesAreReportedAndNeverWriteOutsideATable) {
    resetGameDataState();
    TableFolder folder("bad");
    std::string longName;
    for (int i = 0; i < 20; ++i) longName += "\x82\xA0";  // 40 bytes of あ into a 30-byte name
    folder.write("Item_Data.txt", "200<>1<>Out<>1\n-1<>1<>Neg<>1\n3<>7<>" + longName + "<>5\n4<>8\n");
    std::string manyLines;
    for (int i = 0; i < 51; ++i) manyLines += "1<>0<>0<>S<>0<>0<>d\n";
    folder.write("Wepon_Skill.txt", manyLines);
    folder.write("Monster_Data.txt", std::string(2500, '9') + "\n1<>Ok\n");
    std::filesystem::remove(folder.dir / "Card_Data.txt");
    TextTableReport report;
    loadTextTables(folder.dir.c_str(), report);

    EXPECT_TRUE(folder.reported(report, "Item_Data.txt:1: row 200"));
    EXPECT_TRUE(folder.reported(report, "Item_Data.txt:2: row -1"));
    EXPECT_TRUE(folder.reported(report, "Item_Data.txt:3: column 2"));
    EXPECT_TRUE(folder.reported(report, "Wepon_Skill.txt:51: row 50"));
    EXPECT_TRUE(folder.reported(report, "Monster_Data.txt:1: line longer"));
    EXPECT_TRUE(folder.reported(report, "Card_Data.txt: cannot be opened"));
    // The long name is cut on a character boundary inside its field.
    EXPECT_EQ(std::strlen(gItems[3].name), 28u);
    EXPECT_EQ(gItems[3].price, 5);
    // Missing columns read as empty.
    EXPECT_EQ(gItems[4].kind, 8);
    EXPECT_STREQ(gItems[4].name, "");
    EXPECT_EQ(gItems[4].price, 0);
    // The rest of an over-long line is dropped and the next line still loads.
    EXPECT_STREQ(gMonsters[1].name, "Ok");
}
