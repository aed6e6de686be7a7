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
#include "story/StoryScriptSupport.h"

namespace {

void say(int layout, int portrait, const MessageLines& message, int pause) {
    setMessagePortrait(layout, portrait, 0);
    setMessage(message.speaker, message.lines[0], message.lines[1], message.lines[2]);
    showMessage(pause);
}

int& regionBalance() {
    const int currency = (gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount) ? gRegionCurrency : 0;
    return gMoney[currency];
}

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
            gMoneyWindow = 0;
            regionBalance() -= inn.price;
            restAndAdvanceDay();
            changeMusic("【イベント】宿屋.mid");
            break;
        case 5: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 6: pauseEvent(5); break;
        case 7: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 8: changeMusic(inn.mapSong); break;
        case 9: endEvent(); break;
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

void beginInterlude(int picture) {
    gEventPicture = 1;
    gEventPictureNumber = picture;
    gPictureLoaded = 0;
    changeMusic("【イベント】閑話０.mid");
    gStillPicture = 0;
}
