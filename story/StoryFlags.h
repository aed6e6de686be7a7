// Indices of gStoryFlags (events/EventState.h) with a meaning across regions
// or outside the story scripts. 1000 bytes, all 0 at a new game, saved whole.
// A region's own flags are named in its region file.
#pragma once

namespace flag {

constexpr int kSeaDistrictArrived = 0;     // 1 once the sea district's first-arrival scene ends
constexpr int kEpisode0Interlude = 1;      // 1 after episode 0's interlude; 2 after the first talk back home
constexpr int kLectureAttack = 3;          // step of the attack lecture battle
constexpr int kRimelRescue = 6;            // 0-4; 4 = she has joined
constexpr int kThievesDen = 9;             // 0-3; the news headlines read it
constexpr int kLectureStone = 10;          // step of the stone lecture battle
constexpr int kMainPlot = 12;              // 1 footage, 2 walk done, 3 captured, 4 emperor's room, 5 set out
constexpr int kSkinInnStayed = 14;         // 1 after the first stay at the Skin town inn
constexpr int kAssemblyHall = 20;          // 0-3; 0 closes Skin town's exits to maps 19 and 30
constexpr int kBattleshipArrived = 21;
constexpr int kTowerFifteenth = 32;        // 0-2
constexpr int kDemonRealmDepths = 34;      // 0-3
constexpr int kLastSceneBegun = 44;
constexpr int kEpisode5 = 47;              // 1 over; 2 departure scene over
constexpr int kColerupicBarMet = 48;
constexpr int kSlumFarewell = 54;          // 1 left the slum; 2 farewell done
constexpr int kRulenoFlashback = 59;
constexpr int kColerupicSealed = 62;       // 0 sealed, 1 return due, 2 after it
constexpr int kTowerViewRoute1 = 63;
constexpr int kMap40Flashback = 66;        // 1 due, 2 done
constexpr int kCastleTop = 67;             // 0, 1, 2
constexpr int kReturnAfterCastle = 68;     // 1 first return; 2 after the moonlight-stone fight
constexpr int kColerupicEmptied = 69;      // 1 due, 2 after
constexpr int kColerupicDeserted = 70;
constexpr int kRusanaRescue = 73;          // 1 reunion due, 2 during, 3 after
constexpr int kTowerViewRoute2 = 74;
constexpr int kBattle57Stage = 76;         // counted by the battle
constexpr int kRoute1SixthFloor = 77;      // 0-2
constexpr int kEpisode7Route1 = 78;        // 1 over; 2 after the three-stones scene
constexpr int kBattleEvent80 = 80;
constexpr int kBankHallBroken = 81;        // 1: no news ticker on map 72
constexpr int kBattleEvent83 = 83;
constexpr int kBossPhaseA = 84;            // the battle's phase counter
constexpr int kTwentiethFlashback = 85;
constexpr int kRoute = 100;                // 0 before the choice, 1 tower, 2 Ruleno ruins
constexpr int kCardBoy = 101;              // 0 not met, 1 collision scene, 2 met
constexpr int kTournamentMarksen1 = 102;
constexpr int kTournamentSkin = 103;
constexpr int kTournamentWakoku = 104;
constexpr int kTournamentColerupic = 105;
constexpr int kTournamentMarksen2 = 106;
constexpr int kPrizeCardModel = 107;       // unit id 1-5; the prize is card 79 + it
constexpr int kBodyguard0Joined = 109;     // 109-112: bodyguards 0-3 have joined
constexpr int kBattleItemUsed = 120;
constexpr int kBossPhaseB = 127;
constexpr int kRuinsScene = 128;           // 0-2; changes bodyguards 1 and 2 in battle
constexpr int kArrivalFadeDue = 897;
constexpr int kGateSwitch0 = 900;          // 900-902: tiles (14,3), (15,3), (16,3)
constexpr int kGateSwitch1 = 901;
constexpr int kGateSwitch2 = 902;
constexpr int kDropFromAbove = 903;
constexpr int kLiftState = 904;            // 0 idle, 1 departing, 2 just arrived, 3 arrived
constexpr int kLiftDestination = 905;
constexpr int kLiftRideCounter = 906;
constexpr int kWaterLevel = 907;
constexpr int kWaterSwitchCounter = 908;
constexpr int kLiftShaft = 910;            // the lift car's shaft
constexpr int kLiftCarCursor = 912;        // 0-19 = 1F-20F
constexpr int kBattleEvent997 = 997;
constexpr int kPrologueControlRoom = 998;
constexpr int kPrologueStage = 999;        // 1-11; 0 the main story

}  // namespace flag
