// Lint of the built "Data.dat" in the game folder: what the rest of the game
// relies on of the data.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "platform/Text.h"

namespace {

// The song table's titles (until the music player exposes its table).
const char* const kSongTitles[61] = {
    "【イベント】クライマックス.mid", "【イベント】クロスケーション.mid", "【イベント】ミニゲーム.mid",
    "【イベント】閑話０.mid", "【イベント】国家平和化機構.mid", "【イベント】宿屋.mid", "【イベント】魔硝石.mid",
    "【イベント】魔硝石回収.mid", "【カード】フォーゲル.mid", "【カード】一般人戦.mid", "【カード】決勝.mid",
    "【カード】後半戦.mid", "【カード】準決勝.mid", "【カード】前半戦.mid", "【チャプター０】ブラッドエンプレス.mid",
    "【チャプター１】スラム街.mid", "【チャプター２】スラン平原.mid", "【チャプター３】デーロック議事堂.mid",
    "【チャプター４】戦艦フィルノア１.mid", "【チャプター４】戦艦フィルノア２.mid", "【チャプター５】仙人の山.mid",
    "【チャプター６】ステルスベース.mid", "【チャプター６】ブリザーヒル.mid", "【チャプター７】セントラルトルム１.mid",
    "【チャプター７】ルレノ廃墟.mid", "【チャプター８】魔空間.mid", "【チャプター９】セントラルトルム２.mid",
    "【チャプター９】海上基地フィングション.mid", "【テーマ】アラフォース.mid", "【テーマ】エンディング.mid",
    "【テーマ】クレイバー.mid", "【テーマ】シーフマスター.mid", "【テーマ】シェリル.mid", "【テーマ】ファーレンス.mid",
    "【テーマ】ファルク.mid", "【テーマ】コルヴァディン.mid", "【テーマ】リメル.mid", "【テーマ】リュウヒ.mid",
    "【バトル】偽りの時の中で.mid", "【バトル】九死に見えるもの.mid", "【バトル】軍事パレード.mid",
    "【バトル】原子核破壊兵器.mid", "【バトル】交わりの地.mid", "【バトル】皇帝に跪け.mid", "【バトル】死闘.mid",
    "【バトル】戦闘１.mid", "【バトル】戦闘２.mid", "【バトル】中央情報諜報局.mid", "【バトル】通常ボス.mid",
    "【バトル】波打つ要塞の天辺で.mid", "【バトル】魔硝石管理室.mid", "【バトル】目に映るは真の己.mid",
    "【バトル】遥かなる時の因縁.mid", "【マップ】コールルピック.mid", "【マップ】コールルピック２.mid",
    "【マップ】スキンタウン.mid", "【マップ】ディオゴ地下鉄道跡.mid", "【マップ】マルクセング.mid",
    "【マップ】ルレノキングダム.mid", "【マップ】仙人の山.mid", "【マップ】和国.mid",
};

class GameContent : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        const std::string path = std::string(CORVADINE_GAME_DIR) + "/Data.dat";
        if (!std::filesystem::exists(path)) GTEST_SKIP() << "no built Data.dat in " << CORVADINE_GAME_DIR;
        ASSERT_EQ(std::filesystem::file_size(path), kDataFileSize);
        ASSERT_EQ(readDataFile(path.c_str()), 0);
    }
    void TearDown() override { resetGameDataState(); }

    static int weaponSkillRow(int code) {
        for (int r = 0; r < kWeaponSkillCount; ++r)
            if (gWeaponSkills[r].category == code / 10 && gWeaponSkills[r].level == code % 10) return r;
        return -1;
    }
    static int stoneSkillRow(int code) {
        for (int r = 0; r < kStoneSkillCount; ++r)
            if (gStoneSkills[r].attribute == code / 10 && gStoneSkills[r].level == code % 10) return r;
        return -1;
    }
    // A text that ends inside its field and converts from Shift-JIS without a replacement.
    static void expectText(const char* field, std::size_t size, const std::string& what, bool mayBeEmpty = false) {
        const std::size_t n = strnlen(field, size);
        ASSERT_LT(n, size) << what;
        if (!mayBeEmpty) {
            EXPECT_GT(n, 0u) << what;
        }
        EXPECT_EQ(text::cp932ToUtf8(field).find("\xEF\xBF\xBD"), std::string::npos) << what;
    }
    static std::string utf8(const char* sjis) { return text::cp932ToUtf8(sjis); }
};

}  // namespace

TEST_F(GameContent, EveryTextFieldIsWholeShiftJisInsideItsField) {
    for (int i = 0; i < kItemCount; ++i) {
        expectText(gItems[i].name, sizeof gItems[i].name, "item name " + std::to_string(i));
        expectText(gItems[i].description, sizeof gItems[i].description, "item text " + std::to_string(i));
    }
    for (int i = 0; i < kWeaponSkillCount; ++i) expectText(gWeaponSkills[i].name, 40, "weapon skill " + std::to_string(i));
    for (int i = 0; i < kStoneSkillCount; ++i) expectText(gStoneSkills[i].name, 30, "stone skill " + std::to_string(i));
    for (int i = 0; i < kMagicalStoneCount; ++i) expectText(gMagicalStones[i].name, 30, "stone " + std::to_string(i));
    for (int i = 0; i < kMonsterCount; ++i) expectText(gMonsters[i].name, 30, "monster " + std::to_string(i));
    for (int i = 0; i < kCardCount; ++i) {
        expectText(gCardTable[i].name, 100, "card name " + std::to_string(i));
        expectText(gCardTable[i].description, 300, "card text " + std::to_string(i));
    }
}

TEST_F(GameContent, NamesTheStoryQuotesAreInPlace) {
    struct Case { int id; const char* name; };
    const Case items[] = {{45, "ライトニクスガン"}, {33, "グラビティックショット"}, {30, "デッドスプラッシュ"},
                          {57, "銃剣グングニル"}, {68, "火刀遊戯丸"}};
    for (const Case& c : items) EXPECT_STREQ(gItems[c.id].name, c.name) << c.id;
    EXPECT_STREQ(gCardTable[85].name, "モルコスフィア＝ファーレンス");
    for (int unit = 1; unit <= 5; ++unit) EXPECT_STREQ(gCardTable[79 + unit].name, gUnitBases[unit].name) << unit;
    const char* const stones[9] = {"なし", "磁界石", "火炎石", "疾風石", "氷河石", "黄金石", "月光石", "雷鳴石", "暗黒石"};
    for (int id = 0; id < 9; ++id) EXPECT_STREQ(gMagicalStones[id].name, stones[id]) << id;
}

TEST_F(GameContent, ItemKindsFollowTheirRanges) {
    struct Range { int first, last, kind; };
    const Range ranges[] = {{1, 18, 1}, {19, 33, 2}, {34, 45, 3}, {46, 60, 4}, {61, 70, 5}, {71, 99, 6}, {100, 129, 7}};
    for (const Range& r : ranges)
        for (int i = r.first; i <= r.last; ++i) EXPECT_EQ(gItems[i].kind, r.kind) << i;
    const int starting[5] = {1, 19, 34, 46, 61};
    for (int u = 1; u <= 5; ++u) EXPECT_EQ(gItems[starting[u - 1]].kind, gUnitBases[u].weaponCategory) << u;

    // Battle items by family: kind and use values.
    struct Family { std::set<int> ids; int kind; int first; int second; };
    const Family families[] = {
        {{130, 132, 134, 148, 150}, 8, 1, 1},      {{131, 133, 135, 151, 153, 154}, 9, 1, 2},
        {{136, 137, 138, 139, 149, 152}, 8, 2, 1}, {{140, 141, 142, 143, 144, 145, 146, 147, 155, 157, 158, 159}, 8, 0, 0},
        {{156}, 12, 0, 0},                          {{160}, 10, 0, 0},
    };
    for (const Family& f : families)
        for (int id : f.ids) {
            EXPECT_EQ(gItems[id].kind, f.kind) << id;
            EXPECT_EQ(gItems[id].bonuses[0], f.first) << id;
            EXPECT_EQ(gItems[id].bonuses[1], f.second) << id;
            if (f.first != 0) {
                EXPECT_GT(gItems[id].bonuses[2] + gItems[id].bonuses[3], 0) << id;
            }
        }
    for (int id = 161; id <= 174; ++id) {
        EXPECT_GE(gItems[id].kind, 8) << id;
        EXPECT_GT(gItems[id].bonuses[2], 0) << id;  // the boost's fixed damage
    }
    EXPECT_GT(gItems[145].bonuses[2], 0);  // the fixed maximum-HP rise
}

TEST_F(GameContent, EverythingTheShopsSellHasAPrice) {
    const int sold[] = {2, 3, 5, 7, 8, 11, 13, 20, 22, 25, 27, 29, 35, 39, 40, 42, 47, 48, 49, 50, 53, 54, 56, 64, 66,
                        67, 73, 75, 76, 77, 78, 80, 86, 87, 88, 89, 90, 91, 92, 95, 96, 100, 101, 102, 104, 105, 106,
                        108, 109, 110, 111, 116, 117, 121, 130, 131, 132, 133, 134, 135, 136, 137, 138, 147, 148, 150,
                        151, 153, 155, 160};
    for (int id : sold) EXPECT_GT(gItems[id].price, 0) << id;
    for (int card : {8, 9, 10, 11, 12, 13, 14, 15, 29}) EXPECT_GT(gCardTable[card].price, 0) << card;
    // The first shop, in the prison, sells potions for the 100 コイン a new game starts with.
    EXPECT_LE(gItems[130].price, 50);
}

TEST_F(GameContent, SkillTablesHoldEveryCodeTheBattleUses) {
    for (int category = 1; category <= 5; ++category)
        for (int level = 0; level < 4; ++level) {
            const int row = weaponSkillRow(category * 10 + level);
            EXPECT_GE(row, 0) << category << level;
            EXPECT_LT(row, 40) << category << level;  // the status screen reads the first 40 rows
        }
    for (int code : {60, 61, 62, 63, 70, 71, 72, 73, 80, 81, 82, 83, 90, 91, 92, 93, 100, 101, 102, 103, 104, 105, 106})
        EXPECT_GE(weaponSkillRow(code), 0) << code;
    EXPECT_EQ(weaponSkillRow(107), weaponSkillRow(106) + 1);
    for (int r = 0; r < kWeaponSkillCount; ++r) EXPECT_LE(gWeaponSkills[r].range, 2) << r;

    for (int attribute = 1; attribute <= 9; ++attribute)
        for (int level = 0; level < 2; ++level) EXPECT_GE(stoneSkillRow(attribute * 10 + level), 0) << attribute << level;
    EXPECT_GE(stoneSkillRow(94), 0);
    EXPECT_GE(stoneSkillRow(95), 0);
    // The magic screen lists rows 2-17: attributes 2 to 9, levels 0 and 1.
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(gStoneSkills[k + 2].attribute, k / 2 + 2) << k;
        EXPECT_EQ(gStoneSkills[k + 2].level, k % 2) << k;
    }
    for (const StoneSkillRow& s : gStoneSkills) {
        EXPECT_GE(s.attribute, 1);
        EXPECT_LE(s.attribute, 9);
        EXPECT_LE(s.targetKind, 4);
    }
    // Heals the magic screen can cast: attributes 4, 7 and 8 on allies.
    for (int code : {41, 71, 81}) {
        const StoneSkillRow& s = gStoneSkills[stoneSkillRow(code)];
        EXPECT_TRUE(s.targetKind == 2 || s.targetKind == 3) << code;
        EXPECT_GT(s.power, 0) << code;
    }
    const int attributes[9] = {0, 7, 2, 4, 3, 5, 8, 6, 9};
    for (int id = 0; id < 9; ++id) {
        EXPECT_EQ(gMagicalStones[id].id, id);
        EXPECT_EQ(gMagicalStones[id].attribute, attributes[id]) << id;
    }
}

TEST_F(GameContent, MonstersAreInRangeAndScriptedWhereTheBattleScriptsThem) {
    const MonsterRecord& none = gMonsters[0];
    EXPECT_EQ(none.hp + none.experience + none.money, 0);  // empty group slots add nothing
    const std::set<int> scripted = {31, 32, 34, 35, 36, 37, 38, 39, 40, 41, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53,
                                    54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 65, 66, 67, 68, 76, 77};
    for (int m = 1; m < kMonsterCount; ++m) {
        const MonsterRecord& r = gMonsters[m];
        EXPECT_GT(r.hp, 0) << m;
        EXPECT_EQ(r.skills[0] == kScriptedSkill, scripted.count(m) == 1) << m;
        if (r.skills[0] != kScriptedSkill) {
            for (int code : r.skills) {
                EXPECT_GE(weaponSkillRow(code), 0) << m << " " << code;
                EXPECT_GE(code, 20) << m;  // codes 10-13 have no enemy branch
            }
        }
        EXPECT_GE(r.sprite, 0);
        EXPECT_LT(r.sprite, 60) << m;
        EXPECT_GE(r.dropItem, 0);
        EXPECT_LT(r.dropItem, kItemCount) << m;
        EXPECT_LE(r.dropChance, 1000) << m;
        EXPECT_TRUE((r.card >= 0 && r.card < kCardCount) || r.card == kNoCard) << m;
        if (r.card != kNoCard) {
            EXPECT_LT(gCardTable[r.card].rarity, 3) << m;  // no monster hands out a legend
        }
    }
}

TEST_F(GameContent, GroupsHoldKnownMonstersSongsAndBattleTypes) {
    std::set<std::string> songs;  // Shift-JIS, as the literals compile
    for (const char* title : kSongTitles) songs.insert(title);
    for (int g = 0; g < kEnemyGroupCount; ++g) {
        const EnemyGroup& group = gEnemyGroups[g];
        int present = 0;
        for (int m : group.monsters) {
            EXPECT_GE(m, 0) << g;
            EXPECT_LT(m, kMonsterCount) << g;
            present += m != 0;
        }
        EXPECT_GT(present, 0) << g;
        EXPECT_EQ(songs.count(group.musicTitle), 1u) << g << " " << utf8(group.musicTitle);
        const int type = group.battleType & 0xFF;
        EXPECT_EQ(type == 2, g == 1 || g == 88 || g == 89) << g;
        EXPECT_LE(type, 2) << g;
    }
    // Story events inside battles are started by these monsters' patterns.
    EXPECT_EQ(gEnemyGroups[51].monsters[0], 46);
    EXPECT_EQ(gEnemyGroups[64].monsters[0], 53);
    EXPECT_EQ(gEnemyGroups[84].monsters[0], 60);
    EXPECT_EQ(gEnemyGroups[89].monsters[0], 77);
    EXPECT_EQ(gEnemyGroups[107].monsters[0], 65);
    // The monster that returns in group 16 is the group's first.
    EXPECT_EQ(gEnemyGroups[16].monsters[0], 34);
    // The cliff scene of the mountain corners the thief master alone.
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(gEnemyGroups[39].monsters[slot], slot == 0 ? 36 : 0) << slot;
    // マーティ waits alone on the Ruleno castle's top floor, for a line of two
    // (シェリル and リュウヒ): she has less HP than サンレイズ, whom three
    // fight at the end of the episode before (she drinks a potion every
    // seventh round while above half, so two must bring her down to half in
    // six).
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(gEnemyGroups[71].monsters[slot], slot == 0 ? 52 : 0) << slot;
    EXPECT_LT(gMonsters[52].hp, gMonsters[44].hp);
    // Back in the central district, セレン is cornered by the two spies,
    // ラドン and レニウム, not by the debt collector of group 86.
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(gEnemyGroups[72].monsters[slot], slot == 0 ? 37 : slot == 1 ? 34 : 0) << slot;
    // On the sea base's top the line faces クロム and セレン (the scene after
    // the battle lays the two of them down): both rows bear the names and
    // battle sprites of the earlier rows of the same two people.
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(gEnemyGroups[85].monsters[slot], slot == 0 ? 55 : slot == 1 ? 76 : 0) << slot;
    struct Same { int row, earlier; };
    for (const Same& same : {Same{55, 39}, Same{76, 35}, Same{76, 46}, Same{76, 77}}) {
        EXPECT_STREQ(gMonsters[same.row].name, gMonsters[same.earlier].name) << same.row << " " << same.earlier;
        EXPECT_EQ(gMonsters[same.row].sprite, gMonsters[same.earlier].sprite) << same.row << " " << same.earlier;
    }
}

TEST_F(GameContent, CardsFitTheDuelRules) {
    std::set<int> legendGroups;
    int commons = 0;
    for (int c = 0; c < kCardCount; ++c) {
        const CardRecord& card = gCardTable[c];
        EXPECT_LE(card.rarity, 3) << c;
        EXPECT_LE(card.element, 9) << c;
        for (std::uint8_t v : card.sides) EXPECT_LE(v, 9) << c;
        if (card.rarity == 0) ++commons;
        if (card.rarity == 1) {
            EXPECT_TRUE(card.group >= 1 && card.group <= 5) << c;
        }
        if (card.rarity == 3) legendGroups.insert(card.group);
    }
    EXPECT_GT(commons, 0);
    for (int group : {6, 15, 16, 25, 26, 35, 36, 45, 46, 55, 56}) EXPECT_EQ(legendGroups.count(group), 1u) << group;
    int starterCost = 0;
    for (int c : {32, 49, 58, 74, 76}) starterCost += gCardTable[c].rarity;
    EXPECT_LE(starterCost, 4);  // enough for the cheapest tournament
}

TEST_F(GameContent, FirstBattlesAreWinnableInBothModes) {
    // Plain physical damage of the formula at power 100 (no randomness).
    auto plain = [](int attack, int defence) {
        const float base = (attack * 1.95f - defence * 1.9f);
        return base < 0 ? 0 : static_cast<int>(base);
    };
    // Hard mode doubles HP and raises defence: allow it half as many more hits.
    for (bool hard : {false, true}) {
        SCOPED_TRACE(hard ? "hard" : "normal");
        if (hard) applyHardMode();
        const int hitsToWinLecture = hard ? 12 : 8;
        const int hitsToWinAlone = hard ? 3 : 2;
        // The attack lecture: シェリル and ファルク at level 1 against group 2.
        gPartyMembers[1] = PartyMember{1, 0, 0, 0, {}, {1, 0, 0, 0}, {}};
        gPartyMembers[2] = PartyMember{1, 0, 0, 0, {}, {19, 0, 0, 0}, {}};
        for (int m : gEnemyGroups[2].monsters) {
            if (m == 0) continue;
            const MonsterRecord& r = gMonsters[m];
            for (int unit : {1, 2}) {
                EXPECT_GE(plain(computeUnitStat(unit, kStatAttack), r.defence) * hitsToWinLecture, r.hp) << "unit " << unit;
                EXPECT_LT(plain(r.attack, computeUnitStat(unit, kStatDefence)) * 4, computeUnitStat(unit, kStatMaxHp));
            }
        }
        // The first arrival: クレイバー alone at level 10 against group 1, automatically.
        gPartyMembers[4] = PartyMember{10, 0, 0, 0, {}, {46, 0, 0, 0}, {}};
        for (int m : gEnemyGroups[1].monsters) {
            if (m == 0) continue;
            EXPECT_GE(plain(computeUnitStat(4, kStatAttack), gMonsters[m].defence) * hitsToWinAlone, gMonsters[m].hp);
            EXPECT_LT(plain(gMonsters[m].attack, computeUnitStat(4, kStatDefence)) * 8, computeUnitStat(4, kStatMaxHp));
        }
    }
}

TEST_F(GameContent, ShopPricesFitTheMoneyTheRegionsBattlesPay) {
    // Each shop, the symbol groups of the region around it, and its goods.
    struct Shop { const char* where; std::set<int> groups; std::set<int> goods; };
    const Shop shops[] = {
        {"Marksen, episode 1", {9, 10, 11, 12}, {3, 20, 75, 76, 77, 101}},
        {"thieves' den", {9, 10, 11, 12}, {73, 2, 3, 47, 48}},
        {"Skin town", {23, 24, 25, 26}, {5, 22, 35, 49, 76, 77, 78}},
        {"battleship", {31, 32, 33}, {5, 7, 49, 50, 80}},
        {"tower", {52, 53, 54, 55}, {11, 25, 39, 88, 89}},
        {"sea base", {79, 80, 81, 82, 83}, {13, 29, 42, 92, 95, 96}},
    };
    for (const Shop& shop : shops) {
        int money = 0;
        for (int g : shop.groups)
            for (int m : gEnemyGroups[g].monsters) money += gMonsters[m].money;
        const int perBattle = money / static_cast<int>(shop.groups.size());
        for (int item : shop.goods)
            EXPECT_LE(gItems[item].price, perBattle * 25) << shop.where << ": item " << item << " for " << perBattle;
    }
}

TEST_F(GameContent, PrologueSerenOutlastsTwoAutomaticSpellsAndActsFirst) {
    // The prologue: シェリル alone at level 60 casts stone skill 90 every turn;
    // セレン (monster 77) must reach her second turn, whose story event ends
    // the battle, in normal and in hard mode.
    gPartyMembers[1] = PartyMember{60, 0, 0, 0, {}, {1, 0, 0, 0}, {}};
    gParty[0] = 1;
    const StoneSkillRow& spell = gStoneSkills[stoneSkillRow(90)];
    for (bool hard : {false, true}) {
        if (hard) applyHardMode();
        const MonsterRecord& seren = gMonsters[gEnemyGroups[89].monsters[0]];
        const float base = (computeUnitStat(1, kStatMagic) * 1.95f - seren.magicDefence * 1.9f) * spell.power * 0.01f;
        const int mostPerSpell = static_cast<int>(base) * 12 / 10;
        EXPECT_GT(seren.hp, 2 * mostPerSpell) << (hard ? "hard" : "normal");
        EXPECT_GT(seren.speed, computeUnitStat(1, kStatSpeed));
    }
    gParty[0] = 0;
}
