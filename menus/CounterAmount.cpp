#include "menus/CounterAmount.h"

#include "engine/Input.h"

int stepCounterAmount(int amount, int inputCode, int rightMax, int upCap) {
    switch (inputCode) {
    case kInputRight:
        if (amount < rightMax) ++amount;
        return amount;
    case kInputLeft:
        if (amount > 1) --amount;
        return amount;
    case kInputUp:
        amount += 10;
        if (amount >= upCap) amount = upCap - 1;
        return amount;
    case kInputDown:
        amount -= 10;
        if (amount < 1) amount = 1;
        return amount;
    default:
        return -1;
    }
}
