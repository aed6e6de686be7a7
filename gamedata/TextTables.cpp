// The developer mode's text-table loader.
#include "gamedata/TextTables.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "gamedata/GameData.h"
#include "gamedata/ShiftJisField.h"

const char* const kTextTableFiles[7] = {
    "Item_Data.txt", "Wepon_Skill.txt", "Magic_Skill.txt", "Mashouseki.txt",
    "Monster_Data.txt", "Unit_Data.txt", "Card_Data.txt",
};

char* splitAtSeparator(char* line, const char* separator) {
    if (line == nullptr || separator == nullptr || separator[0] == '\0') return nullptr;
    char* at = std::strstr(line, separator);
    if (at == nullptr) return nullptr;
    *at = '\0';
    return at + std::strlen(separator);
}

int parseTableNumber(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    long long v = 0;
    while (*p >= '0' && *p <= '9') {
        v = v * 10 + (*p++ - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<int>(v);
}

namespace {

constexpr int kMaxColumns = 20;
constexpr std::size_t kColumnSize = 300;  // a column holds at most 299 bytes
constexpr std::size_t kLineSize = 2000;   // lines of up to 1,999 characters

// One line cut into columns; a column that is not there reads as "".
struct Columns {
    char text[kMaxColumns][kColumnSize];
    bool cut[kMaxColumns];

    const char* operator[](int i) const { return text[i]; }
    int number(int i) const { return parseTableNumber(text[i]); }
};

struct LineContext {
    const char* file;
    int line;
    TextTableReport* report;

    void problem(const char* what) const {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%s:%d: %s", file, line, what);
        report->problems.emplace_back(buffer);
    }
};

void splitColumns(char* line, const char* separator, Columns& out) {
    std::memset(&out, 0, sizeof out);
    char* rest = line;
    for (int i = 0; i < kMaxColumns && rest != nullptr; ++i) {
        char* next = splitAtSeparator(rest, separator);
        out.cut[i] = !sjis::copyBounded(out.text[i], kColumnSize, rest);
        rest = next;
    }
}

// Copies a column into a record's text field, reporting a cut.
void copyText(const LineContext& at, char* field, std::size_t fieldSize, const Columns& c, int column) {
    if (c.cut[column] || !sjis::copyBounded(field, fieldSize, c[column])) {
        char what[80];
        std::snprintf(what, sizeof what, "column %d is longer than its field of %zu bytes; cut", column, fieldSize);
        at.problem(what);
    }
}

// The row a line fills: column 0 for the tables kept by id, the line's
// number for the others. -1 (reported) when it lies outside the table.
int rowFor(const LineContext& at, int row, int rowCount) {
    if (row >= 0 && row < rowCount) return row;
    char what[80];
    std::snprintf(what, sizeof what, "row %d is outside the table (0 to %d); line skipped", row, rowCount - 1);
    at.problem(what);
    return -1;
}

void storeItem(const LineContext& at, const Columns& c) {
    const int row = rowFor(at, c.number(0), kItemCount);
    if (row < 0) return;
    ItemRecord& r = gItems[row];
    r.kind = c.number(1);
    copyText(at, r.name, sizeof r.name, c, 2);
    r.price = c.number(3);
    for (int i = 0; i < 5; ++i) r.bonuses[i] = c.number(4 + i);
    r.unused = c.number(9);
    copyText(at, r.description, sizeof r.description, c, 10);
}

void storeWeaponSkill(const LineContext& at, int lineIndex, const Columns& c) {
    const int row = rowFor(at, lineIndex, kWeaponSkillCount);
    if (row < 0) return;
    WeaponSkillRow& r = gWeaponSkills[row];
    r.category = c.number(0);
    r.level = c.number(1);
    r.unused = c.number(2);
    copyText(at, r.name, sizeof r.name, c, 3);
    r.range = c.number(4);
    r.bonusBase = c.number(5);
    copyText(at, r.description, sizeof r.description, c, 6);
}

void storeStoneSkill(const LineContext& at, int lineIndex, const Columns& c) {
    const int row = rowFor(at, lineIndex, kStoneSkillCount);
    if (row < 0) return;
    StoneSkillRow& r = gStoneSkills[row];
    r.attribute = c.number(0);
    r.level = c.number(1);
    copyText(at, r.name, sizeof r.name, c, 2);
    r.spCost = c.number(3);
    r.power = c.number(4);
    r.targetKind = c.number(5);
    copyText(at, r.description, sizeof r.description, c, 6);
}

void storeMagicalStone(const LineContext& at, const Columns& c) {
    const int row = rowFor(at, c.number(0), kMagicalStoneCount);
    if (row < 0) return;
    MagicalStoneRecord& r = gMagicalStones[row];
    r.id = c.number(0);
    copyText(at, r.name, sizeof r.name, c, 1);
    r.attribute = c.number(2);
    for (int i = 0; i < 7; ++i) r.unused[i] = c.number(3 + i);
    copyText(at, r.description, sizeof r.description, c, 10);
}

void storeMonster(const LineContext& at, const Columns& c) {
    const int row = rowFor(at, c.number(0), kMonsterCount);
    if (row < 0) return;
    MonsterRecord& r = gMonsters[row];
    copyText(at, r.name, sizeof r.name, c, 1);
    r.hp = c.number(2);
    r.experience = c.number(3);
    r.money = c.number(4);
    r.attack = c.number(5);
    r.defence = c.number(6);
    r.magic = c.number(7);
    r.magicDefence = c.number(8);
    r.speed = c.number(9);
    for (int i = 0; i < 3; ++i) r.skills[i] = c.number(10 + i);
    r.sprite = c.number(13);
    r.dropItem = c.number(14);
    r.dropChance = c.number(15);
    r.card = c.number(16);
}

void storeEnemyGroup(const LineContext& at, const Columns& c) {
    const int row = rowFor(at, c.number(0), kEnemyGroupCount);
    if (row < 0) return;
    EnemyGroup& r = gEnemyGroups[row];
    for (int i = 0; i < 6; ++i) r.monsters[i] = c.number(1 + i);
    // Kept: only the low byte of the battle type is stored.
    r.battleType = (r.battleType & ~0xFF) | (c.number(7) & 0xFF);
    copyText(at, r.musicTitle, sizeof r.musicTitle, c, 8);
}

void storeCard(const LineContext& at, int lineIndex, const Columns& c) {
    const int row = rowFor(at, lineIndex, kCardCount);
    if (row < 0) return;
    CardRecord& r = gCardTable[row];
    copyText(at, r.name, sizeof r.name, c, 0);
    r.rarity = static_cast<std::uint8_t>(c.number(1));
    r.element = static_cast<std::uint8_t>(c.number(2));
    r.group = static_cast<std::uint8_t>(c.number(3));
    r.price = c.number(4);
    for (int i = 0; i < 4; ++i) r.sides[i] = static_cast<std::uint8_t>(c.number(5 + i));
    copyText(at, r.description, sizeof r.description, c, 9);
}

void loadOneTable(const char* directory, int table, TextTableReport& report) {
    std::string path = directory;
    if (!path.empty() && path.back() != '/') path += '/';
    path += kTextTableFiles[table];
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) {
        report.problems.push_back(std::string(kTextTableFiles[table]) + ": cannot be opened");
        ++report.missingFiles;
        return;
    }
    const char* separator = table == 6 ? "," : "<>";
    static char line[kLineSize];
    static Columns columns;
    int lineIndex = 0;
    while (std::fgets(line, sizeof line, f) != nullptr) {
        LineContext at{kTextTableFiles[table], lineIndex + 1, &report};
        std::size_t len = std::strlen(line);
        if (len > 0 && line[len - 1] != '\n' && !std::feof(f)) {
            at.problem("line longer than 1,999 characters; the rest is ignored");
            int ch;
            while ((ch = std::fgetc(f)) != EOF && ch != '\n') {}
        }
        // The end of the line is not part of the last column.
        while (len > 0 && (line[len - 1] == '\n' || line[len - 1] == '\r')) line[--len] = '\0';
        if (len == 0) {
            at.problem("empty line; no row filled");
            ++lineIndex;
            continue;
        }
        splitColumns(line, separator, columns);
        switch (table) {
            case 0: storeItem(at, columns); break;
            case 1: storeWeaponSkill(at, lineIndex, columns); break;
            case 2: storeStoneSkill(at, lineIndex, columns); break;
            case 3: storeMagicalStone(at, columns); break;
            case 4: storeMonster(at, columns); break;
            case 5: storeEnemyGroup(at, columns); break;
            case 6: storeCard(at, lineIndex, columns); break;
        }
        ++lineIndex;
    }
    std::fclose(f);
}

}  // namespace

void loadTextTables(const char* directory, TextTableReport& report) {
    for (int table = 0; table < 7; ++table) loadOneTable(directory, table, report);
}
