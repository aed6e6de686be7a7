#include "battle/BattleServices.h"
#include "engine/Sound.h"

BattleSoundFunction gBattleSound = playSoundEffect;
