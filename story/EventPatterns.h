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

// The end of an episode, five steps from `first`: its title picture, held
// until fully shown, a pause, the save offer ("chapter.save") and the
// chapter save screen with `label`. The event goes on at first + 5 whether
// the player saves or not. True when `step` was one of the five.
bool runChapterEndOffer(int step, int first, int picture, const char* label);

// The interlude after an episode: event picture `picture` over the field,
// its song, and the episode's title picture put away.
void beginInterlude(int picture);
