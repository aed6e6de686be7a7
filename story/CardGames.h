// The card games every town with a card shop holds: its tournament desk, the
// card boy フォーゲル's menu and the townsperson who duels. Each runs one step
// of the running event by gEventStep and leaves the increment to the map's
// event script, like every sub-script.
//
// Their lines are dialogue keys under a town's prefix ("0.25", "51.29",
// ...): "<prefix>.<step>", and for the desk's lines that differ by season
// "<prefix>.<step>.<season>" (see CardTournament::season).
#pragma once

struct CardTournament {
    const char* keys;        // prefix of the desk's lines
    const char* season;      // suffix of the lines that differ by season, or "" for none
    int wonFlag;             // story flag set to 1 by the win
    int costLimit;           // the least five-card cost that may enter
    int firstOpponent;       // opponent code of the first round; the six more follow
    const char* (*townSong)();   // the song asked for again after the tournament
    void (*restoreTint)();       // fades the field back after it (holds the step)
};

// The desk: the offer, the registration, seven duels, the prize card modelled
// on a member of the party, the consolation after a loss and the rules.
void runCardTournament(const CardTournament& desk);

// The card boy's menu: "なんでもない。", his lesson again from the tutorial's
// step 43, or a duel against his light deck (opponent 6). Story flag 101 is
// set to 2 on every talk, so the lesson ends the event by itself.
void runCardBoyMenu(const char* keys);

// A townsperson's duel: the offer, a refusal without five cards, the choice
// and the duel against `opponent` (its result is not read).
void runCardPlayer(const char* keys, int opponent);
