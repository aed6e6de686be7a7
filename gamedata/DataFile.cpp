// Reading and writing "Data.dat" field by field.
#include "gamedata/DataFile.h"

#include <cstdio>
#include <string>
#include <vector>

#include "gamedata/GameData.h"
#include "gamedata/LittleEndian.h"
#include "platform/FileSystem.h"

static_assert(kItemsOffset + kItemCount * kItemEntrySize == kWeaponSkillsOffset);
static_assert(kWeaponSkillsOffset + kWeaponSkillCount * kWeaponSkillEntrySize == kStoneSkillsOffset);
static_assert(kStoneSkillsOffset + kStoneSkillCount * kStoneSkillEntrySize == kMagicalStonesOffset);
static_assert(kMagicalStonesOffset + kMagicalStoneCount * kMagicalStoneEntrySize == kMonstersOffset);
static_assert(kMonstersOffset + kMonsterCount * kMonsterEntrySize == kEnemyGroupsOffset);
static_assert(kEnemyGroupsOffset + kEnemyGroupCount * kEnemyGroupEntrySize == kCardsOffset);
static_assert(kCardsOffset + kCardCount * kCardEntrySize == kDataFileSize);

namespace {

void writeItem(le::Writer& w, const ItemRecord& r) {
    w.i32(r.kind);
    w.text(r.name, sizeof r.name);
    w.i32(r.price);
    for (int b : r.bonuses) w.i32(b);
    w.i32(r.unused);
    w.text(r.description, sizeof r.description);
}

void readItem(le::Reader& in, ItemRecord& r) {
    in.i32(r.kind);
    in.text(r.name, sizeof r.name);
    in.i32(r.price);
    for (int& b : r.bonuses) in.i32(b);
    in.i32(r.unused);
    in.text(r.description, sizeof r.description);
}

void writeWeaponSkill(le::Writer& w, const WeaponSkillRow& r) {
    w.i32(r.category);
    w.i32(r.level);
    w.i32(r.unused);
    w.text(r.name, sizeof r.name);
    w.i32(r.range);
    w.i32(r.bonusBase);
    w.text(r.description, sizeof r.description);
}

void readWeaponSkill(le::Reader& in, WeaponSkillRow& r) {
    in.i32(r.category);
    in.i32(r.level);
    in.i32(r.unused);
    in.text(r.name, sizeof r.name);
    in.i32(r.range);
    in.i32(r.bonusBase);
    in.text(r.description, sizeof r.description);
}

void writeStoneSkill(le::Writer& w, const StoneSkillRow& r) {
    w.i32(r.attribute);
    w.i32(r.level);
    w.text(r.name, sizeof r.name);
    w.i32(r.spCost);
    w.i32(r.power);
    w.i32(r.targetKind);
    w.text(r.description, sizeof r.description);
}

void readStoneSkill(le::Reader& in, StoneSkillRow& r) {
    in.i32(r.attribute);
    in.i32(r.level);
    in.text(r.name, sizeof r.name);
    in.i32(r.spCost);
    in.i32(r.power);
    in.i32(r.targetKind);
    in.text(r.description, sizeof r.description);
}

void writeMagicalStone(le::Writer& w, const MagicalStoneRecord& r) {
    w.i32(r.id);
    w.text(r.name, sizeof r.name);
    w.i32(r.attribute);
    for (int u : r.unused) w.i32(u);
    w.text(r.description, sizeof r.description);
}

void readMagicalStone(le::Reader& in, MagicalStoneRecord& r) {
    in.i32(r.id);
    in.text(r.name, sizeof r.name);
    in.i32(r.attribute);
    for (int& u : r.unused) in.i32(u);
    in.text(r.description, sizeof r.description);
}

// Offset 38 holds money and the five stats and skill 1, offset 66 the five
// stats again and offset 86 the three skills: the later copies are read.
void writeMonster(le::Writer& w, const MonsterRecord& r) {
    w.text(r.name, sizeof r.name);
    w.i32(r.hp);
    w.i32(r.experience);
    w.i32(r.money);
    const int stats[5] = {r.attack, r.defence, r.magic, r.magicDefence, r.speed};
    for (int s : stats) w.i32(s);
    w.i32(r.skills[0]);
    for (int s : stats) w.i32(s);
    for (int s : r.skills) w.i32(s);
    w.i32(r.sprite);
    w.i32(r.dropItem);
    w.i32(r.dropChance);
    w.i32(r.card);
}

void readMonster(le::Reader& in, MonsterRecord& r) {
    in.text(r.name, sizeof r.name);
    in.i32(r.hp);
    in.i32(r.experience);
    in.i32(r.money);
    in.skip(6 * 4);  // the first copies of the stats and of skill 1
    int* const stats[5] = {&r.attack, &r.defence, &r.magic, &r.magicDefence, &r.speed};
    for (int* s : stats) in.i32(*s);
    for (int& s : r.skills) in.i32(s);
    in.i32(r.sprite);
    in.i32(r.dropItem);
    in.i32(r.dropChance);
    in.i32(r.card);
}

void writeEnemyGroup(le::Writer& w, const EnemyGroup& r) {
    for (int m : r.monsters) w.i32(m);
    w.i32(r.battleType);
    w.text(r.musicTitle, sizeof r.musicTitle);
}

void readEnemyGroup(le::Reader& in, EnemyGroup& r) {
    for (int& m : r.monsters) in.i32(m);
    in.i32(r.battleType);
    in.text(r.musicTitle, sizeof r.musicTitle);
}

// The card entry repeats its bytes in a sliding window: rarity, element,
// group, left at 100; element, group, left, top at 104; group, left, top,
// right at 108; the price at 112; then left, top, right, bottom, a zero, the
// price and the description's first seven bytes at 116; the description at
// 132. The later copies are read.
void writeCard(le::Writer& w, const CardRecord& r) {
    w.text(r.name, sizeof r.name);
    const std::uint8_t seq[7] = {r.rarity, r.element, r.group, r.sides[0], r.sides[1], r.sides[2], r.sides[3]};
    for (int start = 0; start < 3; ++start)
        for (int i = 0; i < 4; ++i) w.u8(seq[start + i]);
    w.i32(r.price);
    for (std::uint8_t s : r.sides) w.u8(s);
    w.u8(0);
    w.i32(r.price);
    char description[sizeof r.description] = {};
    for (std::size_t i = 0; i < sizeof description && r.description[i] != '\0'; ++i) description[i] = r.description[i];
    w.bytes(description, 7);
    w.text(r.description, sizeof r.description);
}

void readCard(le::Reader& in, CardRecord& r) {
    in.text(r.name, sizeof r.name);
    in.u8(r.rarity);
    in.skip(3);
    in.u8(r.element);
    in.skip(3);
    in.u8(r.group);
    in.skip(3);
    in.skip(4);  // the first price
    for (std::uint8_t& s : r.sides) in.u8(s);
    in.skip(1);
    in.i32(r.price);
    in.skip(7);
    in.text(r.description, sizeof r.description);
}

}  // namespace

void encodeDataFile(std::uint8_t* out) {
    le::Writer w(out, kDataFileSize);
    for (const ItemRecord& r : gItems) writeItem(w, r);
    for (const WeaponSkillRow& r : gWeaponSkills) writeWeaponSkill(w, r);
    for (const StoneSkillRow& r : gStoneSkills) writeStoneSkill(w, r);
    for (const MagicalStoneRecord& r : gMagicalStones) writeMagicalStone(w, r);
    for (const MonsterRecord& r : gMonsters) writeMonster(w, r);
    for (const EnemyGroup& r : gEnemyGroups) writeEnemyGroup(w, r);
    for (const CardRecord& r : gCardTable) writeCard(w, r);
}

void decodeDataFile(const std::uint8_t* data, std::size_t size) {
    le::Reader in(data, size);
    for (ItemRecord& r : gItems) readItem(in, r);
    for (WeaponSkillRow& r : gWeaponSkills) readWeaponSkill(in, r);
    for (StoneSkillRow& r : gStoneSkills) readStoneSkill(in, r);
    for (MagicalStoneRecord& r : gMagicalStones) readMagicalStone(in, r);
    for (MonsterRecord& r : gMonsters) readMonster(in, r);
    for (EnemyGroup& r : gEnemyGroups) readEnemyGroup(in, r);
    for (CardRecord& r : gCardTable) readCard(in, r);
}

int readDataFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return kDataFileMissing;
    // One byte more than the file should hold tells a long file from a whole one.
    std::vector<std::uint8_t> data(kDataFileSize + 1);
    const std::size_t got = std::fread(data.data(), 1, data.size(), f);
    std::fclose(f);
    if (got != kDataFileSize) return kDataFileWrongSize;
    decodeDataFile(data.data(), kDataFileSize);
    return kDataFileRead;
}

bool writeDataFile(const char* path) {
    std::vector<std::uint8_t> data(kDataFileSize);
    encodeDataFile(data.data());
    std::string error;
    if (files::replaceFile(path, data.data(), data.size(), error)) return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}
