// Save slots: "Save_%d.dat" in the working directory, one file per slot,
// 90,799 bytes, little-endian fields one after the other. Slots 0 to 3 are
// the player's; slot 4 is the autosave, written when the camp menu closes
// and never read. The first 120 bytes are the header the slot chooser shows.
//
// Writing replaces the slot's file only once the new one is whole on the
// disk. Reading stages the whole file and checks it (its size, its check
// sum, every index and every text field) before anything reaches the play
// state: a file that fails any check changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "field/MapCell.h"
#include "field/MapObject.h"
#include "gamedata/GameData.h"

constexpr int kSaveSlotCount = 4;   // the slots the player chooses from
constexpr int kAutosaveSlot = 4;
constexpr std::size_t kSaveFileSize = 90799;
constexpr std::size_t kSaveHeaderSize = 120;
constexpr int kSaveTextSize = 100;  // place label, location name, song titles
constexpr int kReservedSaveByteCount = 101;

// Offsets of the file's fields.
namespace saveoffset {
constexpr std::size_t kLevel = 0;
constexpr std::size_t kPlaySeconds = 4;
constexpr std::size_t kStoneFlags = 8;
constexpr std::size_t kPlaceName = 16;
constexpr std::size_t kMap = 116;
constexpr std::size_t kLocationName = 120;
constexpr std::size_t kClearColour = 220;
constexpr std::size_t kSavedBattleBackground = 223;
constexpr std::size_t kBattleBackground = 227;
constexpr std::size_t kFieldEvent = 231;
constexpr std::size_t kEventStep = 235;
constexpr std::size_t kCampMenuAllowed = 239;
constexpr std::size_t kCameraTarget = 240;
constexpr std::size_t kMapCells = 252;          // 3600 x 22 bytes
constexpr std::size_t kMapObjects = 79452;      // 150 x 37 bytes
constexpr std::size_t kPlayerVisible = 85002;   // and three filler bytes
constexpr std::size_t kPlayerSpriteColumn = 85006;
constexpr std::size_t kPlayerPose = 85010;
constexpr std::size_t kPlayerPos = 85014;
constexpr std::size_t kPlayerVSpeed = 85026;
constexpr std::size_t kPlayerFacing = 85030;
constexpr std::size_t kFieldTick = 85031;
constexpr std::size_t kMoney = 85035;
constexpr std::size_t kRegionCurrency = 85047;
constexpr std::size_t kShopPoints = 85051;
constexpr std::size_t kParty = 85055;
constexpr std::size_t kReserved = 85067;
constexpr std::size_t kItemStock = 85168;       // 200 x (owned, equipped)
constexpr std::size_t kStoryFlags = 86768;
constexpr std::size_t kChestFlags = 87768;
constexpr std::size_t kCurrentSong = 88768;
constexpr std::size_t kRememberedSong = 88868;
constexpr std::size_t kRememberedSongPos = 88968;
constexpr std::size_t kPartyMembers = 88972;    // 7 x 72 bytes
constexpr std::size_t kCardStock = 89476;       // 100 x 12 bytes
constexpr std::size_t kEventPicture = 90676;    // and gPictureLoaded
constexpr std::size_t kEventPictureNumber = 90678;
constexpr std::size_t kFieldTint = 90682;
constexpr std::size_t kBestRaceFrames = 90694;
constexpr std::size_t kBodyguardHired = 90714;
constexpr std::size_t kFormation = 90718;
constexpr std::size_t kFormationOrder = 90722;
constexpr std::size_t kBodyguardHp = 90726;
constexpr std::size_t kCumulativeSales = 90742;
constexpr std::size_t kLoan = 90746;
constexpr std::size_t kExchangeRates = 90750;   // 4 x 10 bytes, the fourth zeros
constexpr std::size_t kCheckSum = 90790;
constexpr std::size_t kFieldTintActive = 90798;
}  // namespace saveoffset

// What the chooser shows of a slot.
struct SlotSummary {
    int status;             // 0 the file is there, 1 missing (or unreadable)
    char placeLabel[kSaveTextSize];
    int level;
    int playSeconds;
    std::uint8_t stoneFlags[kStoneFlagCount];
    int map;
};

extern SlotSummary gSaveSlots[kSaveSlotCount];
extern int gSaveSlotCursor;  // 0 to 3
// Bytes of the file kept as they were read and written back; nothing else reads them.
extern std::uint8_t gReservedSaveBytes[kReservedSaveByteCount];

// Everything a save holds, field by field: the staging copy a load checks
// before it commits, and what a write encodes.
struct SaveState {
    int level;  // of unit 1
    int playSeconds;
    std::uint8_t stoneFlags[kStoneFlagCount];
    char placeName[kSaveTextSize];
    int map;
    char locationName[kSaveTextSize];
    std::uint8_t clearColour[3];
    int savedBattleBackground;
    int battleBackground;
    int fieldEvent;
    int eventStep;
    std::uint8_t campMenuAllowed;
    float cameraTarget[3];
    MapCell cells[60][60];
    MapObject objects[150];
    std::uint8_t playerVisible;
    int playerSpriteColumn;
    int playerPose;
    float playerPos[3];
    float playerVSpeed;
    std::uint8_t playerFacing;
    int fieldTick;
    int money[kCurrencyCount];
    int regionCurrency;
    int shopPoints;
    int party[3];
    std::uint8_t reserved[kReservedSaveByteCount];
    ItemStock itemStock[kItemCount];
    std::uint8_t storyFlags[1000];
    std::uint8_t chestFlags[1000];
    char currentSong[kSaveTextSize];
    char rememberedSong[kSaveTextSize];
    int rememberedSongPos;
    PartyMember members[kUnitCount];
    CardStock cards[kCardCount];
    std::uint8_t eventPicture;
    std::uint8_t pictureLoaded;
    int eventPictureNumber;
    float fieldTint[3];
    int bestRaceFrames[5];
    std::uint8_t bodyguardHired[kBodyguardCount];
    int formation;
    int formationOrder;
    int bodyguardHp[kBodyguardCount];
    int cumulativeSales;
    int loan;
    ExchangeRate exchangeRates[kCurrencyCount];
    double checkSum;
    std::uint8_t fieldTintActive;
};

// Why a load was refused.
enum class SaveLoadError {
    kNone = 0,
    kMissing,        // the file does not open
    kWrongSize,      // not exactly 90,799 bytes
    kCheckSum,       // the stored check sum differs from the levels and stock
    kOutOfRange,     // an index, a text field or a position that no game writes
};

// "Save_<slot>.dat".
std::string saveFilePath(int slot);

// The play state as a save would hold it now (play seconds counted to now,
// the check sum computed).
void captureSaveState(SaveState& state);
// The check sum of a state: the levels of units 1 to 5 summed, then each of
// the 200 owned counts added as a double.
double saveCheckSum(const SaveState& state);
// The file's bytes for a state, exactly kSaveFileSize of them.
void encodeSaveState(const SaveState& state, std::uint8_t* bytes);
// Decodes a whole file's bytes (kSaveFileSize of them) into `state`.
void decodeSaveState(const std::uint8_t* bytes, SaveState& state);
// The first check that fails, or kNone: the check sum, then every index
// (map, party, equipment and stones, currency, formation and order, cell
// tiles and links, object kinds, picture and backdrop numbers), every text
// field's terminator, and every position being a finite number.
SaveLoadError checkSaveState(const SaveState& state);

// Reads and checks the slot's whole file into a staging copy; nothing in the
// play state changes. Null with `error` set when the file is refused.
std::unique_ptr<SaveState> stageSaveFile(int slot, SaveLoadError& error);
// Puts a checked state into play: every field, the header's stone flags and
// play seconds, the pending map change's map, a new stretch of play from now,
// no still picture, the news ticker from its start (on for maps 0 to 2, and
// for map 72 before story flag 81).
void commitSaveState(const SaveState& state);

// Writes the slot's file (0 to 4). 0 when written; 1 when it could not be
// (the slot's previous file is untouched and stderr says why).
int writeSaveFile(int slot);
// With headerOnly 1: fills the slot's summary (not its status) from the
// header and returns 0, or 1 when the file is missing or shorter than the
// header. With headerOnly 0: stages, checks and commits the whole file;
// 1 when it is missing or refused, and then nothing has changed.
int readSaveFile(int slot, int headerOnly);

// The save module's globals back to their start values.
void resetSaveState();
