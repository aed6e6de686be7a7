// "Data.dat": the seven data tables one after the other, every row, at fixed
// entry sizes; no header, count or check sum; little-endian ints; text
// fields at their full size. Monster and card entries hold some values twice:
// the reader takes the later copy, the writer writes every copy.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kItemEntrySize = 362;
constexpr std::size_t kWeaponSkillEntrySize = 360;
constexpr std::size_t kStoneSkillEntrySize = 350;
constexpr std::size_t kMagicalStoneEntrySize = 366;
constexpr std::size_t kMonsterEntrySize = 114;
constexpr std::size_t kEnemyGroupEntrySize = 128;
constexpr std::size_t kCardEntrySize = 432;

constexpr std::size_t kItemsOffset = 0;
constexpr std::size_t kWeaponSkillsOffset = 72400;
constexpr std::size_t kStoneSkillsOffset = 90400;
constexpr std::size_t kMagicalStonesOffset = 100900;
constexpr std::size_t kMonstersOffset = 104560;
constexpr std::size_t kEnemyGroupsOffset = 113680;
constexpr std::size_t kCardsOffset = 127760;
constexpr std::size_t kDataFileSize = 170960;

// The tables to bytes: `out` holds kDataFileSize bytes.
void encodeDataFile(std::uint8_t* out);
// Bytes to the tables. Fields past `size` keep their values (a short buffer).
void decodeDataFile(const std::uint8_t* data, std::size_t size);

// Why a "Data.dat" was not read.
constexpr int kDataFileRead = 0;
constexpr int kDataFileMissing = 1;    // it cannot be opened
constexpr int kDataFileWrongSize = 2;  // it is not exactly kDataFileSize bytes

// Fills the tables from the file: kDataFileRead, or why not. A file of any
// other size than kDataFileSize is refused whole and the tables are left as
// they were: a cut or padded copy would start a game with half its data.
int readDataFile(const char* path = "Data.dat");
// Writes the tables; false when the file cannot be written. The file is
// replaced only once the new one is whole, so a failed write keeps the old.
bool writeDataFile(const char* path = "Data.dat");
