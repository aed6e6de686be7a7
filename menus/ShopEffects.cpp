#include "menus/ShopEffects.h"

#include "engine/Sound.h"

CounterEffectPlayer gCounterEffectPlayer = playSoundEffect;

void playCounterEffect(const char* fileName) {
    if (gCounterEffectPlayer != nullptr) gCounterEffectPlayer(fileName);
}
