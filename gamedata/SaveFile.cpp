#include "gamedata/SaveFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/Music.h"
#include "events/EventPrimitives.h"
#include "events/FieldStateUse.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "gamedata/LittleEndian.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "story/StoryState.h"

static_assert(kSavePlaceNameSize == kSaveTextSize, "the header's place label is the menu state's");

SlotSummary gSaveSlots[kSaveSlotCount];
int gSaveSlotCursor = 0;
std::uint8_t gReservedSaveBytes[kReservedSaveByteCount];

namespace {

constexpr int kMapCellBytes = 22;
constexpr int kMapObjectBytes = 37;
constexpr int kCardBytes = 12;
constexpr int kExchangeBytes = 10;
constexpr int kTileColumns = 20;
constexpr int kTileRows = 10;
constexpr int kLastEventPicture = 15;
constexpr int kLastBattleBackground = 17;

// ---- Little-endian fields the shared helpers do not cover ----

void putF32(le::Writer& w, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    w.i32(static_cast<std::int32_t>(bits));
}

void putF64(le::Writer& w, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) w.u8(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// A text field written byte for byte, as many bytes as the field holds.
void putText(le::Writer& w, const char* text) { w.bytes(text, kSaveTextSize); }

std::uint32_t u32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Reads fields from a whole file; the caller has checked its size.
class FieldReader {
public:
    explicit FieldReader(const std::uint8_t* bytes) : p_(bytes) {}
    void seek(std::size_t offset) { pos_ = offset; }
    std::size_t position() const { return pos_; }
    std::uint8_t u8() { return p_[pos_++]; }
    int i32() {
        const std::uint32_t u = u32At(p_ + pos_);
        pos_ += 4;
        return static_cast<std::int32_t>(u);
    }
    float f32() {
        const std::uint32_t u = u32At(p_ + pos_);
        pos_ += 4;
        float f;
        std::memcpy(&f, &u, sizeof f);
        return f;
    }
    double f64() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(p_[pos_ + i]) << (8 * i);
        pos_ += 8;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // The raw bytes of a text field; checkSaveState refuses one without a terminator.
    void text(char* out) {
        std::memcpy(out, p_ + pos_, kSaveTextSize);
        pos_ += kSaveTextSize;
    }
    void bytes(std::uint8_t* out, std::size_t n) {
        std::memcpy(out, p_ + pos_, n);
        pos_ += n;
    }
    void skip(std::size_t n) { pos_ += n; }

private:
    const std::uint8_t* p_;
    std::size_t pos_ = 0;
};

int nowSeconds() { return static_cast<int>(timing::calendarSeconds()); }

bool terminated(const char* field, std::size_t size) { return std::memchr(field, '\0', size) != nullptr; }

bool finite3(const float v[3]) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

bool inRange(int v, int low, int high) { return v >= low && v <= high; }

bool knownObjectKind(std::uint8_t kind) { return kind <= kObjectEnemy || kind == kObjectChest; }

// Reads at most `limit` bytes of a file; false when it does not open.
bool readFilePrefix(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.assign(limit, 0);
    const std::size_t got = std::fread(bytes.data(), 1, limit, f);
    std::fclose(f);
    bytes.resize(got);
    return true;
}

}  // namespace

std::string saveFilePath(int slot) {
    char path[32];
    std::snprintf(path, sizeof path, "Save_%d.dat", slot);
    return path;
}

double saveCheckSum(const SaveState& state) {
    // Summed wider than an int so that no file can overflow it; every level a
    // game reaches gives the same sum either way.
    std::int64_t levels = 0;
    for (int unit = 1; unit <= 5; ++unit) levels += state.members[unit].level;
    double sum = static_cast<double>(levels);
    for (int i = 0; i < kItemCount; ++i) sum += static_cast<double>(state.itemStock[i].owned);
    return sum;
}

void captureSaveState(SaveState& s) {
    std::memset(&s, 0, sizeof s);
    s.level = gPartyMembers[1].level;
    // Mended: a loaded play time near the largest count (a damaged save
    // takes any) no longer overflows when the stretch since is added.
    const std::int64_t played = static_cast<std::int64_t>(gPlaySeconds) + nowSeconds() - gSessionStart;
    s.playSeconds = static_cast<int>(std::clamp<std::int64_t>(played, INT_MIN, INT_MAX));
    std::memcpy(s.stoneFlags, gStoneFlags, sizeof s.stoneFlags);
    std::memcpy(s.placeName, gSavePlaceName, sizeof s.placeName);
    s.map = gCurrentMap;
    std::memcpy(s.locationName, gLocationName, sizeof s.locationName);
    std::memcpy(s.clearColour, gClearColour, sizeof s.clearColour);
    s.savedBattleBackground = gSavedBattleBackground;
    s.battleBackground = gBattleBackground;
    s.fieldEvent = gFieldEvent;
    s.eventStep = gEventStep;
    s.campMenuAllowed = gCampMenuAllowed;
    std::memcpy(s.cameraTarget, gCameraTarget, sizeof s.cameraTarget);
    std::memcpy(s.cells, gMapCells, sizeof s.cells);
    for (int i = 0; i < kMapObjectCount; ++i) s.objects[i] = gMapObjects[i];
    s.playerVisible = gPlayerVisible;
    s.playerSpriteColumn = gPlayerSpriteColumn;
    s.playerPose = gPlayerPose;
    std::memcpy(s.playerPos, gPlayerPos, sizeof s.playerPos);
    s.playerVSpeed = gPlayerVSpeed;
    s.playerFacing = gPlayerFacing;
    s.fieldTick = gFieldTick;
    std::memcpy(s.money, gMoney, sizeof s.money);
    s.regionCurrency = gRegionCurrency;
    s.shopPoints = gShopPoints;
    std::memcpy(s.party, gParty, sizeof s.party);
    std::memcpy(s.reserved, gReservedSaveBytes, sizeof s.reserved);
    std::memcpy(s.itemStock, gItemStock, sizeof s.itemStock);
    std::memcpy(s.storyFlags, gStoryFlags, sizeof s.storyFlags);
    std::memcpy(s.chestFlags, gChestFlags, sizeof s.chestFlags);
    std::memcpy(s.currentSong, gCurrentSong, sizeof s.currentSong);
    std::memcpy(s.rememberedSong, gRememberedSong, sizeof s.rememberedSong);
    // The remembered position stays what it is: the playing song may be
    // another one, and its position would replace the remembered song's.
    s.rememberedSongPos = gRememberedSongPos;
    std::memcpy(s.members, gPartyMembers, sizeof s.members);
    std::memcpy(s.cards, gCardStock, sizeof s.cards);
    s.eventPicture = gEventPicture;
    s.pictureLoaded = gPictureLoaded;
    s.eventPictureNumber = gEventPictureNumber;
    for (int i = 0; i < 3; ++i) s.fieldTint[i] = gFieldTint[i];
    std::memcpy(s.bestRaceFrames, gBestRaceFrames, sizeof s.bestRaceFrames);
    std::memcpy(s.bodyguardHired, gBodyguardHired, sizeof s.bodyguardHired);
    s.formation = gFormation;
    s.formationOrder = gFormationOrder;
    for (int i = 0; i < kBodyguardCount; ++i) s.bodyguardHp[i] = gBodyguards[i].hp;
    s.cumulativeSales = gCumulativeSales;
    s.loan = gLoan;
    for (int i = 0; i < kCurrencyCount; ++i) s.exchangeRates[i] = gExchangeRates[i];
    s.fieldTintActive = gFieldTintActive;
    // Every text leaves with its terminator, so the file always loads again.
    for (char* text : {s.placeName, s.locationName, s.currentSong, s.rememberedSong})
        sjis::terminateField(text, kSaveTextSize);
    s.checkSum = saveCheckSum(s);
}

void encodeSaveState(const SaveState& s, std::uint8_t* bytes) {
    std::memset(bytes, 0, kSaveFileSize);
    le::Writer w(bytes, kSaveFileSize);
    w.i32(s.level);
    w.i32(s.playSeconds);
    w.bytes(s.stoneFlags, kStoneFlagCount);
    putText(w, s.placeName);
    w.i32(s.map);
    putText(w, s.locationName);
    w.bytes(s.clearColour, 3);
    w.i32(s.savedBattleBackground);
    w.i32(s.battleBackground);
    w.i32(s.fieldEvent);
    w.i32(s.eventStep);
    w.u8(s.campMenuAllowed);
    for (float v : s.cameraTarget) putF32(w, v);
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const MapCell& cell = s.cells[r][c];
            w.u8(cell.blocked);
            putF32(w, cell.height);
            w.i32(cell.floorColumn);
            w.i32(cell.floorRow);
            w.i32(cell.wallColumn);
            w.i32(cell.wallRow);
            w.u8(cell.objectLink);
        }
    }
    for (const MapObject& o : s.objects) {
        w.u8(o.present);
        w.u8(o.kind);
        w.u8(o.visible);
        w.i32(o.character);
        w.i32(o.pose);
        putF32(w, o.x);
        putF32(w, o.y);
        putF32(w, o.z);
        putF32(w, o.height);
        w.u8(o.facing);
        putF32(w, o.spare);
        putF32(w, o.chaseSpeed);
        w.u8(static_cast<std::uint8_t>(o.index));  // indices are below 256
    }
    w.u8(s.playerVisible);
    w.u8(0);
    w.u8(0);
    w.u8(0);
    w.i32(s.playerSpriteColumn);
    w.i32(s.playerPose);
    for (float v : s.playerPos) putF32(w, v);
    putF32(w, s.playerVSpeed);
    w.u8(s.playerFacing);
    w.i32(s.fieldTick);
    for (int v : s.money) w.i32(v);
    w.i32(s.regionCurrency);
    w.i32(s.shopPoints);
    for (int v : s.party) w.i32(v);
    w.bytes(s.reserved, kReservedSaveByteCount);
    for (const ItemStock& item : s.itemStock) {
        w.i32(item.owned);
        w.i32(item.equipped);
    }
    w.bytes(s.storyFlags, sizeof s.storyFlags);
    w.bytes(s.chestFlags, sizeof s.chestFlags);
    putText(w, s.currentSong);
    putText(w, s.rememberedSong);
    w.i32(s.rememberedSongPos);
    for (const PartyMember& m : s.members) {
        w.i32(m.level);
        w.i32(m.experience);
        w.i32(m.hp);
        w.i32(m.sp);
        for (const auto& counts : m.skillCounts) {
            w.i32(counts[0]);
            w.i32(counts[1]);
        }
        for (int v : m.equipment) w.i32(v);
        for (int v : m.stones) w.i32(v);
    }
    for (const CardStock& card : s.cards) {
        // Two copies of known and holder (the holder twice in the second):
        // a reader takes the count, the second known and the last holder.
        w.i32(card.count);
        w.u8(card.known);
        w.u8(card.holder);
        w.u8(0);
        w.u8(0);
        w.u8(card.known);
        w.u8(card.holder);
        w.u8(card.holder);
        w.u8(0);
    }
    w.u8(s.eventPicture);
    w.u8(s.pictureLoaded);
    w.i32(s.eventPictureNumber);
    for (float v : s.fieldTint) putF32(w, v);
    for (int v : s.bestRaceFrames) w.i32(v);
    w.bytes(s.bodyguardHired, kBodyguardCount);
    w.i32(s.formation);
    w.i32(s.formationOrder);
    for (int v : s.bodyguardHp) w.i32(v);
    w.i32(s.cumulativeSales);
    w.i32(s.loan);
    for (int i = 0; i < 4; ++i) {
        const ExchangeRate rate = i < kCurrencyCount ? s.exchangeRates[i] : ExchangeRate{};
        w.u8(rate.falling);
        w.i32(rate.rate);
        w.i32(rate.spare);
        w.u8(rate.halted);
    }
    putF64(w, s.checkSum);
    w.u8(s.fieldTintActive);
}

void decodeSaveState(const std::uint8_t* bytes, SaveState& s) {
    std::memset(&s, 0, sizeof s);
    FieldReader r(bytes);
    s.level = r.i32();
    s.playSeconds = r.i32();
    r.bytes(s.stoneFlags, kStoneFlagCount);
    r.text(s.placeName);
    s.map = r.i32();
    r.text(s.locationName);
    r.bytes(s.clearColour, 3);
    s.savedBattleBackground = r.i32();
    s.battleBackground = r.i32();
    s.fieldEvent = r.i32();
    s.eventStep = r.i32();
    s.campMenuAllowed = r.u8();
    for (float& v : s.cameraTarget) v = r.f32();
    for (int row = 0; row < kMapRows; ++row) {
        for (int c = 0; c < kMapColumns; ++c) {
            MapCell& cell = s.cells[row][c];
            cell.blocked = r.u8();
            cell.height = r.f32();
            cell.floorColumn = r.i32();
            cell.floorRow = r.i32();
            cell.wallColumn = r.i32();
            cell.wallRow = r.i32();
            cell.objectLink = r.u8();
        }
    }
    for (MapObject& o : s.objects) {
        o.present = r.u8();
        o.kind = r.u8();
        o.visible = r.u8();
        o.character = r.i32();
        o.pose = r.i32();
        o.x = r.f32();
        o.y = r.f32();
        o.z = r.f32();
        o.height = r.f32();
        o.facing = r.u8();
        o.spare = r.f32();
        o.chaseSpeed = r.f32();
        o.index = r.u8();
    }
    s.playerVisible = r.u8();
    r.skip(3);
    s.playerSpriteColumn = r.i32();
    s.playerPose = r.i32();
    for (float& v : s.playerPos) v = r.f32();
    s.playerVSpeed = r.f32();
    s.playerFacing = r.u8();
    s.fieldTick = r.i32();
    for (int& v : s.money) v = r.i32();
    s.regionCurrency = r.i32();
    s.shopPoints = r.i32();
    for (int& v : s.party) v = r.i32();
    r.bytes(s.reserved, kReservedSaveByteCount);
    for (ItemStock& item : s.itemStock) {
        item.owned = r.i32();
        item.equipped = r.i32();
    }
    r.bytes(s.storyFlags, sizeof s.storyFlags);
    r.bytes(s.chestFlags, sizeof s.chestFlags);
    r.text(s.currentSong);
    r.text(s.rememberedSong);
    s.rememberedSongPos = r.i32();
    for (PartyMember& m : s.members) {
        m.level = r.i32();
        m.experience = r.i32();
        m.hp = r.i32();
        m.sp = r.i32();
        for (auto& counts : m.skillCounts) {
            counts[0] = r.i32();
            counts[1] = r.i32();
        }
        for (int& v : m.equipment) v = r.i32();
        for (int& v : m.stones) v = r.i32();
    }
    for (CardStock& card : s.cards) {
        const std::size_t at = r.position();
        card.count = r.i32();
        r.seek(at + 8);
        card.known = r.u8();
        r.seek(at + 10);
        card.holder = r.u8();
        r.seek(at + kCardBytes);
    }
    s.eventPicture = r.u8();
    s.pictureLoaded = r.u8();
    s.eventPictureNumber = r.i32();
    for (float& v : s.fieldTint) v = r.f32();
    for (int& v : s.bestRaceFrames) v = r.i32();
    r.bytes(s.bodyguardHired, kBodyguardCount);
    s.formation = r.i32();
    s.formationOrder = r.i32();
    for (int& v : s.bodyguardHp) v = r.i32();
    s.cumulativeSales = r.i32();
    s.loan = r.i32();
    for (ExchangeRate& rate : s.exchangeRates) {
        rate.falling = r.u8();
        rate.rate = r.i32();
        rate.spare = r.i32();
        rate.halted = r.u8();
    }
    r.skip(kExchangeBytes);  // the fourth record
    s.checkSum = r.f64();
    s.fieldTintActive = r.u8();
}

SaveLoadError checkSaveState(const SaveState& s) {
    // Exact equality, as the sum was written; a NaN never matches.
    if (!(saveCheckSum(s) == s.checkSum)) return SaveLoadError::kCheckSum;

    bool good = inRange(s.map, 0, kMapCount - 1) && inRange(s.regionCurrency, 0, kCurrencyCount - 1) &&
                inRange(s.formation, 0, kFormationCount - 1) &&
                inRange(s.formationOrder, 0, kFormationOrderCount - 1) &&
                inRange(s.eventPictureNumber, 0, kLastEventPicture) &&
                inRange(s.battleBackground, 0, kLastBattleBackground);
    for (int unit : s.party) good = good && inRange(unit, 0, kUnitCount - 1);
    for (const PartyMember& m : s.members) {
        for (int item : m.equipment) good = good && inRange(item, 0, kItemCount - 1);
        for (int stone : m.stones) good = good && inRange(stone, 0, kStoneFlagCount);
    }
    for (const char* text : {s.placeName, s.locationName, s.currentSong, s.rememberedSong})
        good = good && terminated(text, kSaveTextSize);
    good = good && finite3(s.cameraTarget) && finite3(s.playerPos) && std::isfinite(s.playerVSpeed);
    for (int r = 0; r < kMapRows && good; ++r) {
        for (int c = 0; c < kMapColumns && good; ++c) {
            const MapCell& cell = s.cells[r][c];
            good = std::isfinite(cell.height) && inRange(cell.floorColumn, 0, kTileColumns - 1) &&
                   inRange(cell.floorRow, 0, kTileRows - 1) && inRange(cell.wallColumn, 0, kTileColumns - 1) &&
                   inRange(cell.wallRow, 0, kTileRows - 1) && cell.objectLink <= kMapObjectCount;
        }
    }
    for (const MapObject& o : s.objects) {
        const float position[3] = {o.x, o.y, o.z};
        good = good && knownObjectKind(o.kind) && finite3(position) && std::isfinite(o.height) &&
               std::isfinite(o.chaseSpeed);
    }
    return good ? SaveLoadError::kNone : SaveLoadError::kOutOfRange;
}

std::unique_ptr<SaveState> stageSaveFile(int slot, SaveLoadError& error) {
    const std::string path = saveFilePath(slot);
    std::vector<std::uint8_t> bytes;
    // One byte more than a save holds, so that a longer file shows itself.
    if (!readFilePrefix(path, bytes, kSaveFileSize + 1)) {
        error = SaveLoadError::kMissing;
        return nullptr;
    }
    if (bytes.size() != kSaveFileSize) {
        std::fprintf(stderr, "%s: %zu bytes where a save has %zu; not loaded\n", path.c_str(), bytes.size(),
                     kSaveFileSize);
        error = SaveLoadError::kWrongSize;
        return nullptr;
    }
    auto state = std::make_unique<SaveState>();
    decodeSaveState(bytes.data(), *state);
    error = checkSaveState(*state);
    if (error != SaveLoadError::kNone) {
        std::fprintf(stderr, "%s: %s; not loaded\n", path.c_str(),
                     error == SaveLoadError::kCheckSum ? "the check sum does not match"
                                                       : "it holds values no game writes");
        return nullptr;
    }
    return state;
}

void commitSaveState(const SaveState& s) {
    gPlaySeconds = s.playSeconds;
    std::memcpy(gStoneFlags, s.stoneFlags, sizeof gStoneFlags);
    gPendingMapChange.map = s.map;
    gCurrentMap = s.map;
    std::memcpy(gLocationName, s.locationName, sizeof gLocationName);
    std::memcpy(gClearColour, s.clearColour, sizeof gClearColour);
    gSavedBattleBackground = s.savedBattleBackground;
    gBattleBackground = s.battleBackground;
    gFieldEvent = s.fieldEvent;
    gEventStep = s.eventStep;
    gCampMenuAllowed = s.campMenuAllowed;
    std::memcpy(gCameraTarget, s.cameraTarget, sizeof gCameraTarget);
    std::memcpy(gMapCells, s.cells, sizeof gMapCells);
    for (int i = 0; i < kMapObjectCount; ++i) gMapObjects[i] = s.objects[i];
    gPlayerVisible = s.playerVisible;
    gPlayerSpriteColumn = s.playerSpriteColumn;
    gPlayerPose = s.playerPose;
    std::memcpy(gPlayerPos, s.playerPos, sizeof gPlayerPos);
    gPlayerVSpeed = s.playerVSpeed;
    gPlayerFacing = s.playerFacing;
    gFieldTick = s.fieldTick;
    std::memcpy(gMoney, s.money, sizeof gMoney);
    gRegionCurrency = s.regionCurrency;
    gShopPoints = s.shopPoints;
    std::memcpy(gParty, s.party, sizeof gParty);
    std::memcpy(gReservedSaveBytes, s.reserved, sizeof gReservedSaveBytes);
    std::memcpy(gItemStock, s.itemStock, sizeof gItemStock);
    std::memcpy(gStoryFlags, s.storyFlags, sizeof gStoryFlags);
    std::memcpy(gChestFlags, s.chestFlags, sizeof gChestFlags);
    std::memcpy(gCurrentSong, s.currentSong, sizeof gCurrentSong);
    std::memcpy(gRememberedSong, s.rememberedSong, sizeof gRememberedSong);
    gRememberedSongPos = s.rememberedSongPos;
    std::memcpy(gPartyMembers, s.members, sizeof gPartyMembers);
    std::memcpy(gCardStock, s.cards, sizeof gCardStock);
    gEventPicture = s.eventPicture;
    gPictureLoaded = s.pictureLoaded;
    gEventPictureNumber = s.eventPictureNumber;
    for (int i = 0; i < 3; ++i) gFieldTint[i] = s.fieldTint[i];
    std::memcpy(gBestRaceFrames, s.bestRaceFrames, sizeof gBestRaceFrames);
    std::memcpy(gBodyguardHired, s.bodyguardHired, sizeof gBodyguardHired);
    gFormation = s.formation;
    gFormationOrder = s.formationOrder;
    for (int i = 0; i < kBodyguardCount; ++i) gBodyguards[i].hp = s.bodyguardHp[i];
    gCumulativeSales = s.cumulativeSales;
    gLoan = s.loan;
    for (int i = 0; i < kCurrencyCount; ++i) gExchangeRates[i] = s.exchangeRates[i];
    gFieldTintActive = s.fieldTintActive;

    gSessionStart = nowSeconds();
    gStillPicture = 0;
    gTickerPos = 0;
    gTickerSlot = 0;
    gNewsTickerOn = (gCurrentMap <= 2 || (gCurrentMap == 72 && gStoryFlags[81] == 0)) ? 1 : 0;
}

int writeSaveFile(int slot) {
    auto state = std::make_unique<SaveState>();
    captureSaveState(*state);
    std::vector<std::uint8_t> bytes(kSaveFileSize);
    encodeSaveState(*state, bytes.data());
    std::string error;
    if (!files::replaceFile(saveFilePath(slot).c_str(), bytes.data(), bytes.size(), error)) {
        std::fprintf(stderr, "%s; the game was not saved\n", error.c_str());
        return 1;
    }
    return 0;
}

int readSaveFile(int slot, int headerOnly) {
    if (headerOnly) {
        std::vector<std::uint8_t> bytes;
        if (!readFilePrefix(saveFilePath(slot), bytes, kSaveHeaderSize)) return 1;
        if (bytes.size() < kSaveHeaderSize) return 1;
        if (slot < 0 || slot >= kSaveSlotCount) return 0;
        SlotSummary& summary = gSaveSlots[slot];
        FieldReader r(bytes.data());
        summary.level = r.i32();
        summary.playSeconds = r.i32();
        r.bytes(summary.stoneFlags, kStoneFlagCount);
        r.text(summary.placeLabel);
        sjis::terminateField(summary.placeLabel, sizeof summary.placeLabel);
        summary.map = r.i32();
        return 0;
    }
    SaveLoadError error = SaveLoadError::kNone;
    const std::unique_ptr<SaveState> state = stageSaveFile(slot, error);
    if (!state) return 1;
    commitSaveState(*state);
    if (slot >= 0 && slot < kSaveSlotCount) {
        SlotSummary& summary = gSaveSlots[slot];
        summary.level = state->level;
        summary.playSeconds = state->playSeconds;
        std::memcpy(summary.stoneFlags, state->stoneFlags, sizeof summary.stoneFlags);
        std::memcpy(summary.placeLabel, state->placeName, sizeof summary.placeLabel);
        summary.map = state->map;
    }
    return 0;
}

void resetSaveState() {
    std::memset(gSaveSlots, 0, sizeof gSaveSlots);
    gSaveSlotCursor = 0;
    std::memset(gReservedSaveBytes, 0, sizeof gReservedSaveBytes);
}
