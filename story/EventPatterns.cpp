#include "story/EventPatterns.h"

#include "engine/Sound.h"
#include "events/EventEngine.h"
#include "events/EventMusic.h"
#include "events/EventPrimitives.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "story/Dialogue.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

namespace {

void say(int layout, int portrait, const MessageLines& message, int pause) {
    setMessagePortrait(layout, portrait, 0);
    setMessage(message.speaker, message.lines[0], message.lines[1], message.lines[2]);
    showMessage(pause);
}

int& balanceOf(int currency) {
    if (currency == kRegionCurrency) currency = gRegionCurrency;
    return gMoney[(currency >= 0 && currency < kCurrencyCount) ? currency : 0];
}

int& regionBalance() { return balanceOf(kRegionCurrency); }

// もろこし's flags, shared by the tower and the sea base.
constexpr int kSpecialSaleFlag = 43;  // 0 not met, 1 due, 2 over
constexpr int kBonusCardFlag = 121;
constexpr int kBonusCard = 85;
constexpr int kSaleItems[2] = {16, 94};

}  // namespace

void runInnStep(const InnScript& inn) {
    switch (gEventStep) {
        case 0:
            gPlayerFacing = 0;
            gMoneyWindow = 1;
            say(0, 0, inn.welcome, 3);
            break;
        case 1: say(0, 0, inn.offer, 3); break;
        case 2:
            if (regionBalance() > inn.price) {
                setMessagePortrait(1, inn.leaderPortrait, 0);
                setMessage(inn.leader, "泊まらない。", inn.stayOption, "");
                showChoice(2);
                branchOnChoice(3, 4, 0);
            } else {
                say(0, 0, inn.refusal, 3);
            }
            break;
        case 3:
            gMoneyWindow = 0;
            endEvent();
            break;
        case 4:
            if (inn.paySound) playSoundEffect("Kaikei.wav");
            regionBalance() -= inn.price;
            runNightStep(4, 4, inn.mapSong);
            break;
        default: runNightStep(gEventStep, 4, inn.mapSong); break;
    }
}

bool runNightStep(int step, int first, const char* mapSong) {
    switch (step - first) {
        case 0:
            gMoneyWindow = 0;
            restAndAdvanceDay();
            changeMusic("【イベント】宿屋.mid");
            return true;
        case 1: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); return true;
        case 2: pauseEvent(5); return true;
        case 3: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); return true;
        case 4: changeMusic(mapSong); return true;
        case 5: endEvent(); return true;
        default: return false;
    }
}

void runTalk(int map, int event, int messages, int pause) {
    if (gEventStep >= 1 && gEventStep <= messages) sayStep(map, event, gEventStep, pause);
    else if (gEventStep > messages) endEvent();
}

void runTalk(const char* key) {
    if (gEventStep == 1) say(key, 0);
    else if (gEventStep >= 2) endEvent();
}

void runShopCounter(int map, int event, int facing, const char* title, const int goods[20], int kind) {
    switch (gEventStep) {
        case 0:
            if (facing != kKeepFacing) gPlayerFacing = static_cast<std::uint8_t>(facing);
            break;
        case 1: sayStep(map, event, 1, 0); break;
        case 2: openShop(title, goods, kind); break;
        default: endEvent(); break;
    }
}

void runShopAfterTalk(int map, int event, int messages, const char* title, const int goods[20], int kind) {
    const int s = gEventStep;
    if (s >= 1 && s <= messages) sayStep(map, event, s, 0);
    else if (s == messages + 1) openShop(title, goods, kind);
    else if (s > messages + 1) endEvent();
}

void runBankCounter(int map, int event, int facing, const char* bank, void (*setHalts)(), void (*afterClosing)()) {
    switch (gEventStep) {
        case 0: gPlayerFacing = static_cast<std::uint8_t>(facing); break;
        case 1: sayStep(map, event, 1, 0); break;
        case 2: setHalts(); break;
        case 3: openBank(bank); break;
        case 4:
            if (afterClosing != nullptr) afterClosing();
            endEvent();
            break;
        default: break;
    }
}

int specialSalePrice(int balance) {
    if (balance >= kSpecialSaleCap) return kSpecialSaleCap;
    if (balance <= 0) return 0;
    return static_cast<int>(static_cast<double>(balance) * static_cast<double>(0.4f));
}

void runSpecialSale(const SpecialSale& sale) {
    const int s = gEventStep;
    switch (s) {
        case 0: story::walk(sale.merchant, 9, sale.approachFrames); break;
        case 1:
        case 19:
        case 25: story::waitWalk(); break;
        case 2: changeMusic("【テーマ】ファーレンス.mid"); break;
        case 14:
            gMoneyWindow = 1;
            sale.sayPrice();
            break;
        case 18: story::walk(sale.merchant, sale.asideDirection, sale.asideFrames, 9, sale.onFrames); break;
        case 24:
            playSoundEffect("Kaikei.wav");
            story::walk(sale.merchant, 1, 5);
            break;
        case 26:
            gMoneyWindow = 0;
            story::face(sale.merchant, 0);
            sayStep(sale.map, sale.event, s, 0);
            break;
        case 31: {
            // Nothing spends between the offer and here, so the purse names
            // the same price again.
            int& balance = balanceOf(sale.currency);
            balance -= specialSalePrice(balance);
            for (int item : kSaleItems) ++gItemStock[item].owned;
            break;
        }
        case 32: openShop(sale.shop, sale.goods, 17); break;
        case 34:
            changeMap(sale.map, sale.exitRow, sale.exitCol, sale.exitFacing);
            gStoryFlags[kSpecialSaleFlag] = 2;
            break;
        default:
            if ((s >= 3 && s <= 13) || (s >= 15 && s <= 17) || (s >= 20 && s <= 23) || (s >= 27 && s <= 30) || s == 33)
                sayStep(sale.map, sale.event, s, 0);
            break;
    }
}

bool runBonusCardGift(int step, int map, int event, const char* thanksKey) {
    switch (step) {
        case 0:
            if (gStoryFlags[flag::kBattleItemUsed] != 0 || gStoryFlags[kBonusCardFlag] != 0) gEventStep = 9;
            return true;
        case 1:
        case 2: sayStep(map, event, 100 + step, 0); return true;
        case 3:
            playSoundEffect("Takara.wav");
            ++gCardStock[kBonusCard].count;
            gCardStock[kBonusCard].known = 1;
            return true;
        case 4: say(thanksKey, 3); return true;
        case 5:
            endEvent();
            gStoryFlags[kBonusCardFlag] = 1;
            return true;
        default: return false;
    }
}

void receiveItem(int item) {
    playSoundEffect("Takara.wav");
    ++gItemStock[item].owned;
}

void hireBodyguard(int bodyguard) {
    playSoundEffect("Takara.wav");
    gBodyguardHired[bodyguard] = 1;
    gBodyguards[bodyguard].hp = 99999;
}

void runBodyguardOffer(int bodyguard, int joinedFlag, const char* greetingKey, const char* joinedKey) {
    switch (gEventStep) {
        case 0: say(greetingKey, 0); break;
        case 1:
            if (gStoryFlags[joinedFlag] == 1) endEvent();
            else hireBodyguard(bodyguard);
            break;
        case 2: say(joinedKey, 3); break;
        case 3:
            endEvent();
            gStoryFlags[joinedFlag] = 1;
            break;
        default: break;
    }
}

bool runChapterEndOffer(int step, int first, int picture, const char* label) {
    switch (step - first) {
        case 0: showStillPicture(picture); return true;
        case 1: story::waitPictureShown(); return true;
        case 2: pauseEvent(10); return true;
        case 3:
            offerChoice("chapter.save", 2);
            branchOnChoice(first + 4, first + 5, 0);
            return true;
        case 4: openSaveScreen(label); return true;
        default: return false;
    }
}

bool runStillPicture(int step, int first, int picture, int pause) {
    const int last = pause != 0 ? first + 3 : first + 2;
    if (step < first || step > last) return false;
    if (step == first) showStillPicture(picture);
    else if (step == first + 1) story::waitPictureShown();
    else if (step == last) waitStillPicture();
    else pauseEvent(pause);
    return true;
}

void beginInterlude(int picture) {
    gEventPicture = 1;
    gEventPictureNumber = picture;
    gPictureLoaded = 0;
    changeMusic("【イベント】閑話０.mid");
    gStillPicture = 0;
}
