// Items used in battle: the item list of phase 30 and the script of an item's
// use in phase 101. What an item does is fixed by its id, in families.
#pragma once

#include "battle/BattleServices.h"

enum class ItemFamily {
    None,         // no script: the banner and the stock, nothing else
    HpOne,        // recovery of one battler's HP
    HpSide,       // recovery of the HP of every standing battler of the user's side
    SpOne,        // recovery of one member's SP
    Status,       // 140-144: a status granted
    MaxHpFixed,   // 145: maximum HP + F for the battle
    MaxHpDouble,  // 146: maximum HP doubled for the battle
    Evade,        // 147
    ReviveOne,    // 155
    ReviveAll,    // 156
    Regen,        // 157-159: HP and / or SP regeneration
    Dispel,       // 160
    Boost,        // 161-174: the next stone skill deals the item's fixed damage
};

ItemFamily itemFamily(int id);

// F + trunc(M x P / 100): the item's fixed amount plus its percent of the
// battler's maximum HP (or a member's maximum SP).
int recoveryAmount(int id, int side, int index, bool sp);
