// What a patient player presses on the screens other than free walking:
// messages and choices of a running scene, the battle's menus and key-press
// games, the shop's counter. Each returns an input code (engine/Input.h).
#pragma once

// The spray that heals the whole line: what the party buys and uses.
constexpr int kSpray = 131;

// A scene on the field: passes each message once typed, picks `wanted` at a
// choice window, and puts a still picture away once it stands.
int eventCode(int wanted);
// One battle frame; `symbolBattle` when an enemy symbol was met on the way
// (run from while the party is hurt).
int battleCode(bool symbolBattle);
// The shop's counter: sprays while the money lasts, then out.
int shopCode();
