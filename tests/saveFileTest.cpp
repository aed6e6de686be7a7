// Save files: the layout, the round trip, the check sum, the header the
// chooser reads, and loads that refuse a damaged file without touching the
// play state; writes that never cost the previous save.
#include <cmath>
#include <memory>

#include "saveFixture.h"

namespace {

std::int32_t i32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
                                     static_cast<std::uint32_t>(b[at + 2]) << 16 |
                                     static_cast<std::uint32_t>(b[at + 3]) << 24);
}

float f32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    const std::uint32_t u = static_cast<std::uint32_t>(i32At(b, at));
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

double f64At(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(b[at + i]) << (8 * i);
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

void putI32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

void putF32(std::vector<std::uint8_t>& b, std::size_t at, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    putI32(b, at, static_cast<std::int32_t>(u));
}

void putF64(std::vector<std::uint8_t>& b, std::size_t at, double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 8; ++i) b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// Recomputes and stores the check sum of edited bytes, so that a test can
// show what a check other than the check sum refuses.
void resealCheckSum(std::vector<std::uint8_t>& b) {
    SaveState state;
    decodeSaveState(b.data(), state);
    putF64(b, saveoffset::kCheckSum, saveCheckSum(state));
}

std::uint64_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::string textAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at));
}

}  // namespace

TEST_F(SaveFolderTest, WriterPutsEachFieldAtItsOffset) {
    fillDistinctPlayState(3);
    ASSERT_EQ(writeSaveFile(1), 0);
    const std::vector<std::uint8_t> b = readBytes("Save_1.dat");
    ASSERT_EQ(b.size(), 90799u);

    struct IntField {
        std::size_t offset;
        std::int32_t value;
        const char* what;
    };
    const IntField ints[] = {
        {0, 43, "level of unit 1"},
        {4, 3003 + 725, "play seconds up to now"},
        {116, 72, "map"},
        {223, 0, "saved battle background"},
        {227, 8, "battle background"},
        {231, 15, "field event"},
        {235, 10, "event step"},
        {252 + 1, 0, "cell (0,0) height bits"},  // height 0.25 * (0 + 0 + 3) = 0.75 is checked below
        {252 + 5, 3, "cell (0,0) floor column"},
        {252 + 9, 0, "cell (0,0) floor row"},
        {252 + 13, 3, "cell (0,0) wall column"},
        {252 + 17, 5, "cell (0,0) wall row"},
        {252 + 22 * 61 + 5, 4, "cell (1,1) floor column: rows are 60 cells apart"},
        {79452 + 37 * 10 + 3, 33, "object 10 sprite column"},
        {79452 + 37 * 10 + 7, 1, "object 10 sprite row"},
        {85006, 7, "player sprite column"},
        {85010, 2, "player pose"},
        {85031, 5, "field tick"},
        {85035, 1237, "money 0"},
        {85039, 567, "money 1"},
        {85043, 89, "money 2"},
        {85047, 2, "region currency"},
        {85051, 321, "shop points"},
        {85055, 4, "party slot 0"},
        {85063, 3, "party slot 2"},
        {85168 + 8 * 5, (5 * 13 + 3) % 50, "item 5 owned"},
        {85168 + 8 * 5 + 4, 2, "item 5 equipped"},
        {88968, 4099, "remembered song position"},
        {88972, 13, "unit 0 level"},
        {88972 + 72, 43, "unit 1 level"},
        {88972 + 72 * 3 + 4, 3003, "unit 3 experience"},
        {88972 + 72 * 3 + 8, 103, "unit 3 hp"},
        {88972 + 72 * 3 + 12, 23, "unit 3 sp"},
        {88972 + 72 * 3 + 16 + 4 * 7, 30 + 3 + 5, "unit 3 uses of level 3 skills"},
        {88972 + 72 * 3 + 48 + 4, (60 + 7 + 3) % 200, "unit 3 protector"},
        {88972 + 72 * 3 + 64, 3, "unit 3 stone A"},
        {88972 + 72 * 3 + 68, 7, "unit 3 stone B"},
        {89476 + 12 * 7, 3, "card 7 count"},
        {90678, 9, "event picture number"},
        {90694 + 16, 4003, "best race 4"},
        {90718, 7, "formation"},
        {90722, 4, "formation order"},
        {90726 + 12, 906, "bodyguard 3 hp"},
        {90742, 55558, "cumulative sales"},
        {90746, 20000, "loan"},
        {90750 + 10 * 1 + 1, 83, "exchange 1 rate"},
        {90750 + 10 * 2 + 5, 72, "exchange 2 spare"},
        {90780 + 1, 0, "fourth exchange record rate"},
        {90780 + 5, 0, "fourth exchange record spare"},
    };
    for (const IntField& f : ints) {
        if (f.offset == 253) continue;
        EXPECT_EQ(i32At(b, f.offset), f.value) << f.what << " at " << f.offset;
    }

    struct ByteField {
        std::size_t offset;
        std::uint8_t value;
        const char* what;
    };
    const ByteField bytes[] = {
        {8, 0, "stone flag 0"},          {9, 1, "stone flag 1"},        {15, 1, "stone flag 7"},
        {220, 11, "clear red"},          {222, 36, "clear blue"},       {239, 1, "camp menu allowed"},
        {252, 0, "cell (0,0) blocked"},  {252 + 21, 0, "cell (0,0) link"}, {252 + 22 + 21, 1, "cell (0,1) link"},
        {252 + 22 + 0, 1, "cell (0,1) blocked"},
        {79452 + 37 * 6 + 1, 100, "object 6 kind: a chest"},
        {79452 + 37 * 1 + 0, 1, "object 1 present"},
        {79452 + 37 * 1 + 2, 0, "object 1 visible"},
        {79452 + 37 * 1 + 27, 1, "object 1 facing"},
        {79452 + 37 * 149 + 36, static_cast<std::uint8_t>((149 * 37 + 3) % 256), "object 149 index"},
        {85002, 1, "player visible"},    {85003, 0, "filler"},           {85005, 0, "filler"},
        {85030, 1, "player facing"},     {85067, 3, "reserved 0"},        {85067 + 100, 103, "reserved 100"},
        {86768 + 17, (17 * 7 + 3) % 5, "story flag 17"},
        {87768 + 4, 1, "chest flag 4"},
        {89476 + 12 * 5 + 4, 1, "card 5 known (first)"},
        {89476 + 12 * 5 + 5, 18, "card 5 holder (first)"},
        {89476 + 12 * 5 + 6, 0, "card filler"},
        {89476 + 12 * 5 + 8, 1, "card 5 known (second)"},
        {89476 + 12 * 5 + 9, 18, "card 5 holder (second)"},
        {89476 + 12 * 5 + 10, 18, "card 5 holder (third)"},
        {89476 + 12 * 5 + 11, 0, "card filler"},
        {90676, 1, "event picture"},     {90677, 1, "picture loaded"},
        {90714, 0, "bodyguard 0 hired"}, {90715, 1, "bodyguard 1 hired"}, {90716, 2, "bodyguard 2 hired"},
        {90750, 0, "exchange 0 falling"}, {90750 + 9, 0, "exchange 0 halted"},
        {90750 + 10, 1, "exchange 1 falling"}, {90750 + 29, 1, "exchange 2 halted"},
        {90780, 0, "fourth record"},     {90789, 0, "fourth record"},
        {90798, 1, "tint active"},
    };
    for (const ByteField& f : bytes) EXPECT_EQ(b[f.offset], f.value) << f.what << " at " << f.offset;

    EXPECT_EQ(textAt(b, 16), std::string("宿屋の二階 3"));
    EXPECT_EQ(textAt(b, 120), std::string("港町 3"));
    EXPECT_EQ(textAt(b, 88768), std::string("港町の歌 3"));
    EXPECT_EQ(textAt(b, 88868), std::string("草原 3"));
    EXPECT_EQ(f32At(b, 240), 10.5f);
    EXPECT_EQ(f32At(b, 248), -3.125f);
    EXPECT_EQ(f32At(b, 253), 0.75f);
    EXPECT_EQ(f32At(b, 79452 + 37 * 10 + 11), 11.5f) << "object 10 x";
    EXPECT_EQ(f32At(b, 79452 + 37 * 10 + 19), -5.0f) << "object 10 z";
    EXPECT_EQ(f32At(b, 79452 + 37 * 10 + 23), 0.25f) << "object 10 height offset";
    EXPECT_EQ(f32At(b, 79452 + 37 * 10 + 28), 0.625f) << "object 10 spare";
    EXPECT_EQ(f32At(b, 79452 + 37 * 10 + 32), 0.05f) << "object 10 chase speed";
    EXPECT_EQ(f32At(b, 85014), 26.5f);
    EXPECT_EQ(f32At(b, 85022), 40.25f);
    EXPECT_EQ(f32At(b, 85026), -0.125f);
    EXPECT_EQ(f32At(b, 90682), 0.5f);
    EXPECT_EQ(f32At(b, 90690), 0.75f);

    // The check sum: the levels of units 1 to 5, then every owned count.
    double expected = 43 + 15 + 16 + 17 + 18;
    for (int i = 0; i < kItemCount; ++i) expected += (i * 13 + 3) % 50;
    EXPECT_EQ(f64At(b, 90790), expected);
}

TEST_F(SaveFolderTest, BytesOfAFixedStateKeepTheirHash) {
    // Any change to the layout or the encoding of a field changes this hash.
    fillDistinctPlayState(1);
    ASSERT_EQ(writeSaveFile(0), 0);
    const std::vector<std::uint8_t> b = readBytes("Save_0.dat");
    ASSERT_EQ(b.size(), kSaveFileSize);
    EXPECT_EQ(fnv1a(b), 0xc9368c5091d2a722ull) << std::hex << fnv1a(b);
}

TEST_F(SaveFolderTest, SaveThenLoadGivesBackEveryField) {
    fillDistinctPlayState(2);
    ASSERT_EQ(writeSaveFile(2), 0);
    const std::vector<std::uint8_t> written = readBytes("Save_2.dat");

    resetPlayStateForSaveTests();
    fillDistinctPlayState(5);  // a different game in play
    ASSERT_EQ(readSaveFile(2, 0), 0);

    // The loaded state, saved again, is the file byte for byte: every field
    // came back (the play seconds too, as a new stretch starts now). The
    // place label is the save screens' to set, not the load's.
    EXPECT_STREQ(gSavePlaceName, "宿屋の二階 5");
    std::snprintf(gSavePlaceName, kSaveTextSize, "宿屋の二階 2");
    EXPECT_EQ(currentStateBytes(), written);
    // And the fields the encoder might hide, read directly.
    EXPECT_EQ(gPartyMembers[1].level, 42);
    EXPECT_EQ(gPlaySeconds, 3002 + 725);
    EXPECT_EQ(gSessionStart, kSaveTestNow);
    EXPECT_STREQ(gLocationName, "港町 2");
    EXPECT_STREQ(gCurrentSong, "港町の歌 2");
    EXPECT_STREQ(gRememberedSong, "草原 2");
    EXPECT_EQ(gPlayerPos[2], 39.25f);
    EXPECT_EQ(gCameraTarget[1], 4.25f);
    EXPECT_EQ(gMapObjects[149].index, (149 * 37 + 2) % 256);
    EXPECT_EQ(gCardStock[5].holder, (5 * 3 + 2) % 40);
    EXPECT_EQ(gBodyguards[3].hp, 905);
    EXPECT_EQ(gFieldTint[3], 1.0f) << "alpha is not stored and stays";
    EXPECT_EQ(gPendingMapChange.map, 72);
    EXPECT_EQ(gCurrentMap, 72);
    EXPECT_STREQ(gSaveSlots[2].placeLabel, "宿屋の二階 2");
}

TEST_F(SaveFolderTest, AnObjectIndexOf200SurvivesASaveAndLoad) {
    fillDistinctPlayState(0);
    gMapObjects[40].index = 200;
    ASSERT_EQ(writeSaveFile(3), 0);
    EXPECT_EQ(readBytes("Save_3.dat")[79452 + 37 * 40 + 36], 200);
    gMapObjects[40].index = 0;
    ASSERT_EQ(readSaveFile(3, 0), 0);
    EXPECT_EQ(gMapObjects[40].index, 200);
}

TEST_F(SaveFolderTest, LoadingStartsTheNewsTickerOnTheMapsThatShowIt) {
    struct Case {
        int map;
        std::uint8_t flag81;
        std::uint8_t tickerOn;
    };
    const Case cases[] = {{0, 0, 1}, {2, 1, 1}, {3, 0, 0}, {72, 0, 1}, {72, 1, 0}, {71, 0, 0}, {129, 0, 0}};
    for (const Case& c : cases) {
        fillDistinctPlayState(0);
        gCurrentMap = c.map;
        gStoryFlags[81] = c.flag81;
        ASSERT_EQ(writeSaveFile(0), 0);
        gNewsTickerOn = 1 - c.tickerOn;
        gTickerPos = 55;
        gTickerSlot = 3;
        gStillPicture = 4;
        ASSERT_EQ(readSaveFile(0, 0), 0);
        EXPECT_EQ(gNewsTickerOn, c.tickerOn) << "map " << c.map << " flag 81 " << int(c.flag81);
        EXPECT_EQ(gTickerPos, 0);
        EXPECT_EQ(gTickerSlot, 0);
        EXPECT_EQ(gStillPicture, 0);
    }
}

TEST_F(SaveFolderTest, SavingKeepsTheRememberedSongPosition) {
    fillDistinctPlayState(0);
    gRememberedSongPos = 777;
    ASSERT_EQ(writeSaveFile(0), 0);
    EXPECT_EQ(gRememberedSongPos, 777);
    EXPECT_EQ(i32At(readBytes("Save_0.dat"), saveoffset::kRememberedSongPos), 777);
}

TEST_F(SaveFolderTest, TheAutosaveGoesToSlotFour) {
    fillDistinctPlayState(0);
    ASSERT_EQ(writeSaveFile(kAutosaveSlot), 0);
    EXPECT_EQ(readBytes("Save_4.dat").size(), kSaveFileSize);
    EXPECT_TRUE(readBytes("Save_0.dat").empty());
}

TEST_F(SaveFolderTest, ATextWithoutTerminatorInMemoryIsSavedCutAndLoadsAgain) {
    fillDistinctPlayState(0);
    std::memset(gLocationName, 'A', sizeof gLocationName);
    ASSERT_EQ(writeSaveFile(0), 0);
    ASSERT_EQ(readSaveFile(0, 0), 0);
    EXPECT_EQ(std::strlen(gLocationName), 99u);
}

// ---- The header ----

TEST_F(SaveFolderTest, HeaderReadFillsTheSummaryWithoutTouchingThePlayState) {
    fillDistinctPlayState(4);
    ASSERT_EQ(writeSaveFile(1), 0);
    std::vector<std::uint8_t> b = readBytes("Save_1.dat");
    // A damaged body does not hide the header: only a whole load checks it.
    b[saveoffset::kItemStock] += 1;
    writeBytes("Save_1.dat", b);
    resetPlayStateForSaveTests();
    const std::vector<std::uint8_t> before = currentStateBytes();

    ASSERT_EQ(readSaveFile(1, 1), 0);
    EXPECT_EQ(gSaveSlots[1].level, 44);
    EXPECT_EQ(gSaveSlots[1].playSeconds, 3004 + 725);
    EXPECT_STREQ(gSaveSlots[1].placeLabel, "宿屋の二階 4");
    EXPECT_EQ(gSaveSlots[1].map, 72);
    EXPECT_EQ(gSaveSlots[1].stoneFlags[0], 1);
    EXPECT_EQ(gSaveSlots[1].stoneFlags[1], 2);
    EXPECT_EQ(currentStateBytes(), before);
    EXPECT_EQ(readSaveFile(1, 0), 1) << "the raised item count fails the check sum";
}

TEST_F(SaveFolderTest, HeaderOfMissingOrShortFilesReadsAsNoData) {
    EXPECT_EQ(readSaveFile(0, 1), 1);
    std::vector<std::uint8_t> header(120, 0);
    putI32(header, 0, 12);
    writeBytes("Save_0.dat", header);
    EXPECT_EQ(readSaveFile(0, 1), 0) << "a whole header is enough for the chooser";
    EXPECT_EQ(gSaveSlots[0].level, 12);
    header.resize(119);
    writeBytes("Save_0.dat", header);
    gSaveSlots[0].level = 5;
    EXPECT_EQ(readSaveFile(0, 1), 1);
    EXPECT_EQ(gSaveSlots[0].level, 5);
    writeBytes("Save_0.dat", {});
    EXPECT_EQ(readSaveFile(0, 1), 1);
}

TEST_F(SaveFolderTest, HeaderPlaceLabelWithoutTerminatorIsCutForShow) {
    std::vector<std::uint8_t> header(120, 0);
    for (int i = 0; i < 100; ++i) header[16 + i] = 'x';
    writeBytes("Save_2.dat", header);
    ASSERT_EQ(readSaveFile(2, 1), 0);
    EXPECT_EQ(std::strlen(gSaveSlots[2].placeLabel), 99u);
}

// ---- Refused files ----

TEST_F(SaveFolderTest, DamagedFilesAreRefusedAndThePlayStateStaysAsItWas) {
    fillDistinctPlayState(6);
    ASSERT_EQ(writeSaveFile(1), 0);
    const std::vector<std::uint8_t> good = readBytes("Save_1.dat");
    const std::size_t member3 = saveoffset::kPartyMembers + 72 * 3;
    const std::size_t object9 = saveoffset::kMapObjects + 37 * 9;
    const std::size_t cell = saveoffset::kMapCells + 22 * 130;

    struct Case {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        bool reseal;  // recompute the check sum so that only the damage itself can refuse the file
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"one owned count raised", [](auto& b) { b[saveoffset::kItemStock + 8 * 20] += 1; }, false},
        {"a level changed", [&](auto& b) { b[member3] += 1; }, false},
        {"check sum not a number", [](auto& b) { putF64(b, saveoffset::kCheckSum, std::nan("")); }, false},
        {"one byte short", [](auto& b) { b.pop_back(); }, false},
        {"one byte long", [](auto& b) { b.push_back(0); }, false},
        {"only the header", [](auto& b) { b.resize(120); }, false},
        {"empty", [](auto& b) { b.clear(); }, false},
        {"map 130", [](auto& b) { putI32(b, saveoffset::kMap, 130); }, true},
        {"map -1", [](auto& b) { putI32(b, saveoffset::kMap, -1); }, true},
        {"party unit 7", [](auto& b) { putI32(b, saveoffset::kParty + 4, 7); }, true},
        {"party unit -1", [](auto& b) { putI32(b, saveoffset::kParty, -1); }, true},
        {"weapon item 200", [&](auto& b) { putI32(b, member3 + 48, 200); }, true},
        {"accessory item -3", [&](auto& b) { putI32(b, member3 + 60, -3); }, true},
        {"stone 9", [&](auto& b) { putI32(b, member3 + 68, 9); }, true},
        {"currency 3", [](auto& b) { putI32(b, saveoffset::kRegionCurrency, 3); }, true},
        {"formation 10", [](auto& b) { putI32(b, saveoffset::kFormation, 10); }, true},
        {"formation order 6", [](auto& b) { putI32(b, saveoffset::kFormationOrder, 6); }, true},
        {"floor tile column 20", [&](auto& b) { putI32(b, cell + 5, 20); }, true},
        {"floor tile row -1", [&](auto& b) { putI32(b, cell + 9, -1); }, true},
        {"wall tile row 10", [&](auto& b) { putI32(b, cell + 17, 10); }, true},
        {"cell link 151", [&](auto& b) { b[cell + 21] = 151; }, true},
        {"cell height not a number", [&](auto& b) { putF32(b, cell + 1, nan); }, true},
        {"object kind 6", [&](auto& b) { b[object9 + 1] = 6; }, true},
        {"object kind 99", [&](auto& b) { b[object9 + 1] = 99; }, true},
        {"object x infinite", [&](auto& b) { putF32(b, object9 + 11, INFINITY); }, true},
        {"player position not a number", [&](auto& b) { putF32(b, saveoffset::kPlayerPos + 4, nan); }, true},
        {"camera target not a number", [&](auto& b) { putF32(b, saveoffset::kCameraTarget, nan); }, true},
        {"event picture 16", [](auto& b) { putI32(b, saveoffset::kEventPictureNumber, 16); }, true},
        {"battle backdrop 18", [](auto& b) { putI32(b, saveoffset::kBattleBackground, 18); }, true},
        {"place label unterminated", [](auto& b) { std::memset(&b[saveoffset::kPlaceName], 'x', 100); }, true},
        {"location unterminated", [](auto& b) { std::memset(&b[saveoffset::kLocationName], 'x', 100); }, true},
        {"song unterminated", [](auto& b) { std::memset(&b[saveoffset::kCurrentSong], 'x', 100); }, true},
        {"remembered song unterminated", [](auto& b) { std::memset(&b[saveoffset::kRememberedSong], 'x', 100); },
         true},
    };

    for (const Case& c : cases) {
        std::vector<std::uint8_t> bad = good;
        c.damage(bad);
        if (c.reseal) resealCheckSum(bad);
        writeBytes("Save_1.dat", bad);

        resetPlayStateForSaveTests();
        fillDistinctPlayState(9);  // the game in play
        gPendingMapChange.map = 33;
        gSessionStart = 1234;
        gNewsTickerOn = 0;
        gTickerPos = 17;
        const std::vector<std::uint8_t> before = currentStateBytes();

        EXPECT_EQ(readSaveFile(1, 0), 1) << c.what;
        EXPECT_EQ(currentStateBytes(), before) << c.what << ": the play state changed";
        EXPECT_EQ(gPendingMapChange.map, 33) << c.what;
        EXPECT_EQ(gSessionStart, 1234) << c.what;
        EXPECT_EQ(gTickerPos, 17) << c.what;
        EXPECT_EQ(gNewsTickerOn, 0) << c.what;
    }

    // The untouched file still loads.
    writeBytes("Save_1.dat", good);
    EXPECT_EQ(readSaveFile(1, 0), 0);
}

TEST_F(SaveFolderTest, StagingNamesWhyAFileIsRefused) {
    SaveLoadError error = SaveLoadError::kNone;
    EXPECT_EQ(stageSaveFile(0, error), nullptr);
    EXPECT_EQ(error, SaveLoadError::kMissing);
    fillDistinctPlayState(0);
    ASSERT_EQ(writeSaveFile(0), 0);
    std::vector<std::uint8_t> b = readBytes("Save_0.dat");
    EXPECT_NE(stageSaveFile(0, error), nullptr);
    EXPECT_EQ(error, SaveLoadError::kNone);
    b.push_back(1);
    writeBytes("Save_0.dat", b);
    EXPECT_EQ(stageSaveFile(0, error), nullptr);
    EXPECT_EQ(error, SaveLoadError::kWrongSize);
    b.pop_back();
    b[saveoffset::kItemStock] ^= 1;
    writeBytes("Save_0.dat", b);
    EXPECT_EQ(stageSaveFile(0, error), nullptr);
    EXPECT_EQ(error, SaveLoadError::kCheckSum);
    b[saveoffset::kItemStock] ^= 1;
    putI32(b, saveoffset::kRegionCurrency, 5);
    resealCheckSum(b);
    writeBytes("Save_0.dat", b);
    EXPECT_EQ(stageSaveFile(0, error), nullptr);
    EXPECT_EQ(error, SaveLoadError::kOutOfRange);
}

// ---- Failed writes ----

TEST_F(SaveFolderTest, AWriteThatFailsLeavesThePreviousSaveWhole) {
    fillDistinctPlayState(1);
    ASSERT_EQ(writeSaveFile(2), 0);
    const std::vector<std::uint8_t> previous = readBytes("Save_2.dat");

    // The temporary file cannot be made: a folder stands in its place.
    ASSERT_EQ(mkdir("Save_2.dat.tmp", 0755), 0);
    fillDistinctPlayState(8);
    EXPECT_EQ(writeSaveFile(2), 1);
    EXPECT_EQ(readBytes("Save_2.dat"), previous);
    ASSERT_EQ(rmdir("Save_2.dat.tmp"), 0);

    // The slot's own name taken by a folder: the rename fails, nothing is left behind.
    ASSERT_EQ(mkdir("Save_3.dat", 0755), 0);
    ASSERT_EQ(mkdir("Save_3.dat/keep", 0755), 0);
    EXPECT_EQ(writeSaveFile(3), 1);
    struct stat info {};
    EXPECT_NE(stat("Save_3.dat.tmp", &info), 0) << "the temporary is removed";

    // Once the way is clear the save goes through, and no temporary stays.
    EXPECT_EQ(writeSaveFile(2), 0);
    EXPECT_NE(readBytes("Save_2.dat"), previous);
    EXPECT_NE(stat("Save_2.dat.tmp", &info), 0);
}

TEST_F(SaveFolderTest, AWriteIntoAFolderThatIsGoneFails) {
    const std::string here = folder_;
    ASSERT_EQ(chdir("/"), 0);
    std::system(("rm -rf '" + here + "'").c_str());
    ASSERT_EQ(mkdir(here.c_str(), 0755), 0);
    ASSERT_EQ(chdir(here.c_str()), 0);
    ASSERT_EQ(rmdir(here.c_str()), 0);  // the working folder itself removed
    fillDistinctPlayState(0);
    EXPECT_EQ(writeSaveFile(0), 1);
    ASSERT_EQ(mkdir(here.c_str(), 0755), 0);
}
