#include "tests/eventsFixture.h"

#include "story/MapTable.h"

TEST_F(EventFrames, ArrivalWritesTheMapTableAndKeepsKeptColumns) {
    gRegionCurrency = 2;
    setUpCurrentMap(1);  // map 0
    EXPECT_STREQ(gLocationName, "マルクセング　電子街");
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    EXPECT_EQ(gClearColour[0], 24);
    EXPECT_EQ(gClearColour[2], 216);
    EXPECT_EQ(gRegionCurrency, 0);

    gCurrentMap = 20;
    setUpCurrentMap(1);
    EXPECT_EQ(gBattleBackground, 2);
    gRegionCurrency = 0;
    gCurrentMap = 21;  // keeps the background, writes the currency
    setUpCurrentMap(1);
    EXPECT_EQ(gBattleBackground, 2);
    EXPECT_EQ(gRegionCurrency, 1);
    EXPECT_STREQ(gLocationName, "スキンタウン　宿屋");

    gCurrentMap = 43;  // keeps the background, currency フォッグ
    gBattleBackground = 9;
    setUpCurrentMap(1);
    EXPECT_EQ(gBattleBackground, 9);
    EXPECT_EQ(gRegionCurrency, 0);

    gCurrentMap = 119;
    setUpCurrentMap(1);
    EXPECT_EQ(gRegionCurrency, 1);
    EXPECT_EQ(gBattleBackground, 15);
}

TEST_F(EventFrames, LiftCarKeepsTheFloorsSongBackgroundAndCurrency) {
    gCurrentMap = 80;
    setUpCurrentMap(1);
    const std::string song = gRequestedSong;
    gRegionCurrency = 2;
    gCurrentMap = 92;
    setUpCurrentMap(1);
    EXPECT_EQ(song, gRequestedSong);
    EXPECT_EQ(gBattleBackground, 10);
    EXPECT_EQ(gRegionCurrency, 2);
    EXPECT_STREQ(gLocationName, "セントラルトルム");
    EXPECT_EQ(gClearColour[0], 0);
}

TEST_F(EventFrames, SongRulesReadTheFlagsInOrder) {
    struct Case {
        int map;
        int flagIndex;
        int value;
        const char* song;
    } cases[] = {
        {1, 12, 1, "【テーマ】ファルク.mid"},
        {1, 12, 2, "【テーマ】シェリル.mid"},
        {1, 12, 0, "【マップ】マルクセング.mid"},
        {2, 0, 1, "【マップ】マルクセング.mid"},
        {3, 2, 0, ""},
        {58, 27, 0, ""},
        {104, 34, 200, "【バトル】目に映るは真の己.mid"},  // 200 reads as negative
        {104, 34, 3, ""},
        {114, 42, 2, "【チャプター９】海上基地フィングション.mid"},
        {114, 42, 1, "【テーマ】シーフマスター.mid"},
        {77, 77, 2, "【バトル】軍事パレード.mid"},
        {77, 77, 3, ""},
    };
    for (const Case& c : cases) {
        gStoryFlags[c.flagIndex] = static_cast<std::uint8_t>(c.value);
        EXPECT_STREQ(arrivalSong(c.map), c.song) << c.map;
        gStoryFlags[c.flagIndex] = 0;
    }
    gStoryFlags[68] = 1;
    gStoryFlags[12] = 1;
    EXPECT_STREQ(arrivalSong(1), "");  // silence wins over the theme
    EXPECT_EQ(arrivalSong(92), nullptr);
    EXPECT_EQ(arrivalSong(130), nullptr);
    for (int map = 0; map < 130; ++map) {
        EXPECT_NE(kMapTable[map].placeName[0], '\0') << map;
        if (map != 92) {
            EXPECT_NE(arrivalSong(map), nullptr) << map;
        }
    }
}

TEST_F(EventFrames, SilenceUnderTheMusicLockKeepsTheScenesSong) {
    std::strcpy(gCurrentSong, "【テーマ】シェリル.mid");
    std::strcpy(gRequestedSong, "【テーマ】シェリル.mid");
    gMusicLock = 1;
    gCurrentMap = 129;  // silence
    setUpCurrentMap(1);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シェリル.mid");
    gMusicLock = 0;
    setUpCurrentMap(1);
    EXPECT_STREQ(gRequestedSong, "");
    EXPECT_STREQ(gCurrentSong, "【テーマ】シェリル.mid");
}
