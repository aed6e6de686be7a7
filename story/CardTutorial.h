// The card boy フォーゲル: his first meeting with シェリル in the electronic
// district of Marksen, and his explanation of the card game, which he gives
// again whenever he is asked.
#pragma once

// Steps at which a caller enters the sub-script.
constexpr int kCardTutorialMeeting = 0;
constexpr int kCardTutorialExplanation = 43;
constexpr int kCardTutorialLastStep = 201;

// Plays the step gEventStep of the tutorial and returns; the caller counts
// the step on after each call, as it does for its own steps. The first
// meeting (story flag 101 not yet 2) ends by entering map 0 again with the
// player shown; the re-explanation ends the event.
void runCardTutorial();
