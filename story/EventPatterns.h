// Event shapes several maps share, written once. Each runs one step of the
// running event by gEventStep and, like every sub-script, leaves the
// increment to the calling event script.
#pragma once

struct MessageLines {
    const char* speaker;
    const char* lines[3];
};

// An inn with a price in the region's currency. A balance equal to the price
// is refused, as the innkeepers have always done.
struct InnScript {
    int price;
    MessageLines welcome;     // step 0
    MessageLines offer;       // step 1: the price and the question
    MessageLines refusal;     // step 2 when the balance is not above the price
    const char* leader;       // speaker of the choice
    int leaderPortrait;       // the leader's portrait column
    const char* stayOption;   // option 1 (option 0 is "泊まらない。")
    bool paySound;            // "Kaikei.wav" when paying
    const char* mapSong;      // asked for again after the night
};
void runInnStep(const InnScript& inn);

// A night's rest, six steps from `first`: the day advances with the party
// rested under the inn's song, the field fades out and in again, the map's
// song comes back and the event ends. True when `step` was one of the six.
bool runNightStep(int step, int first, const char* mapSong);

// A talk of `messages` messages, "<map>.<event>.1" on, one a step from step
// 1, then the end.
void runTalk(int map, int event, int messages = 1, int pause = 0);
// A talk of the one message `key`.
void runTalk(const char* key);

// A shop's counter: the player turns to `facing` (or keeps it when it is
// kKeepFacing), the keeper's greeting "<map>.<event>.1", the shop, the end.
constexpr int kKeepFacing = -1;
void runShopCounter(int map, int event, int facing, const char* title, const int goods[20], int kind);

// A merchant's talk of `messages` messages, "<map>.<event>.1" on, one a
// step from step 1, then his shop, then the end.
void runShopAfterTalk(int map, int event, int messages, const char* title, const int goods[20], int kind);

// A bank's counter: the player turns to `facing`, the clerk's greeting
// "<map>.<event>.1", the branch's exchange halts set by `setHalts` (which
// may say "<map>.<event>.2" about them), the bank, then `afterClosing`
// when there is one, and the end.
void runBankCounter(int map, int event, int facing, const char* bank, void (*setHalts)(), void (*afterClosing)());

// もろこし's special sale, thirty-five steps from step 0, the lines
// "<map>.<event>.<step>": he walks up to the player, names his price for the
// flamethrower over her purse (step 14, said by `sayPrice`), fetches it,
// takes the money, hands it over with a second item, opens his shop, and the
// field comes back at the exit cell with the sale over.
struct SpecialSale {
    int map, event;
    int merchant;                      // his slot
    int approachFrames;                // step 0: his walk up (keypad 9)
    int asideDirection, asideFrames;   // step 18: his walk to the goods,
    int onFrames;                      // then on along keypad 9
    int currency;                      // the purse, or kRegionCurrency
    void (*sayPrice)();
    const char* shop;
    const int* goods;
    int exitRow, exitCol, exitFacing;
};
constexpr int kRegionCurrency = -1;
void runSpecialSale(const SpecialSale& sale);
// The flamethrower's price from a purse: all of 100,000 from one that large,
// otherwise four tenths of it (the single-precision 0.4, rounded toward
// zero), so he never asks for more than she has.
int specialSalePrice(int balance);
constexpr int kSpecialSaleCap = 100000;

// もろこし's bonus card, steps 0-5 of his talk after the sale: once, unless
// a battle item was ever used, his two lines "<map>.<event>.101" and 102,
// the card with the jingle and `thanksKey`. Otherwise the talk goes on at
// step 10. True when `step` was one of the six.
bool runBonusCardGift(int step, int map, int event, const char* thanksKey);

// An item handed over in a scene, with the treasure jingle.
void receiveItem(int item);
// A bodyguard who signs on: the jingle, hired, and at full strength.
void hireBodyguard(int bodyguard);

// A beaten foe's offer to serve, four steps from step 0: `greetingKey`,
// then, unless story flag `joinedFlag` says he already has, he is hired
// (hireBodyguard), `joinedKey` and the flag set.
void runBodyguardOffer(int bodyguard, int joinedFlag, const char* greetingKey, const char* joinedKey);

// The end of an episode, five steps from `first`: its title picture, held
// until fully shown, a pause, the save offer ("chapter.save") and the
// chapter save screen with `label`. The event goes on at first + 5 whether
// the player saves or not. True when `step` was one of the five.
bool runChapterEndOffer(int step, int first, int picture, const char* label);

// A still picture over the scene, from step `first`: shown, held until fully
// shown, a pause of `pause` tenths when it is not 0, and held until it is
// put away. Three steps, or four with the pause. True when `step` was one.
bool runStillPicture(int step, int first, int picture, int pause);

// The interlude after an episode: event picture `picture` over the field,
// its song, and the episode's title picture put away.
void beginInterlude(int picture);
