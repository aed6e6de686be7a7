#include "actionsFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace {

class ActionBanners : public BattleActionRun {
protected:
    void SetUp() override {
        BattleActionRun::SetUp();
        resources_.sprite = device_.createSprite(nullptr);
    }
    bool drew(const std::string& text) const {
        for (const auto& t : device_.textDraws)
            if (t.text == text) return true;
        return false;
    }
    bool drewContaining(const std::string& part) const {
        for (const auto& t : device_.textDraws)
            if (t.text.find(part) != std::string::npos) return true;
        return false;
    }
    testing_gfx::RecordingDevice device_;
};

TEST_F(ActionBanners, TheBonusShowsOnlyForAMemberWithStonesOrAnHpBonus) {
    struct BannerCase {
        int stone, item;
        const char* text;  // nullptr: no bonus line
    };
    const BannerCase cases[] = {
        {0, 0, nullptr},
        {3, 0, "Sp Bonus +9"},
        {0, 113, "Max Hp Bonus +180"},
        {0, 114, "Hp Bonus +180"},
    };
    for (const BannerCase& c : cases) {
        SetUp();
        weaponSkill(20, 3);
        gPartyMembers[1].stones[0] = c.stone;
        gPartyMembers[1].equipment[kEquipAccessoryB] = c.item;
        gPartyMembers[1].skillCounts[0][0] = 45;
        beginAction(kSideParty, 0, kSideEnemy, 0);
        gHitCount = 6;
        applySkillMastery(6);
        gRedrawRequest[1] = 1;
        runWeaponSkillAction(resources_, &device_);
        EXPECT_TRUE(drew("skill"));
        EXPECT_EQ(drewContaining("Bonus"), c.text != nullptr) << c.item;
        if (c.text) {
            EXPECT_TRUE(drew(c.text)) << c.text;
        }
        TearDown();
    }
}

TEST_F(ActionBanners, TheTitleIsDrawnOnlyInFramesThatRedrawTheLayer) {
    weaponSkill(20, 3);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    gRedrawRequest[1] = 0;
    runWeaponSkillAction(resources_, &device_);
    EXPECT_FALSE(drew("skill"));
}

TEST_F(ActionBanners, TheStealShowsItsResultInPlaceOfTheName) {
    gMonsters[kMonster].dropItem = 0;
    weaponSkill(106);
    beginAction(kSideParty, kBodyguardLine, kSideEnemy, 0);
    for (int frame = 0; frame < 2000 && gStealBanner[0] == '\0'; ++frame) {
        endTextLayerFrame();
        runWeaponSkillAction(resources_, &device_);
    }
    device_.textDraws.clear();
    gRedrawRequest[1] = 1;
    runWeaponSkillAction(resources_, &device_);
    EXPECT_TRUE(drew("何も持っていない"));
    EXPECT_FALSE(drew("skill"));
}

TEST_F(ActionBanners, AStoneSkillWithABoostShowsBothNames) {
    ItemRecord saved = gItems[165];
    std::strcpy(gItems[165].name, "boost");
    stoneSkill(2, 0, 0, 10);
    gBattleRewards.boostItem = 165;
    beginAction(kSideParty, 0, kSideEnemy, 0);
    runStoneSkillAction(resources_, &device_);
    EXPECT_TRUE(drew("stone"));
    EXPECT_TRUE(drew("boost"));
    gItems[165] = saved;
}

}  // namespace
