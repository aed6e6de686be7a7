// The two tutorial battles' lectures: the attack lecture (group 2, its step
// counter in story flag 3) and the magical-stone lecture (group 15, story
// flag 10). The tutor speaks at given moments of the player's turns, and
// while a command is being taught the decide key works on that command only.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kAttackLectureGroup = 2;
constexpr int kStoneLectureGroup = 15;
constexpr int kFlagAttackLecture = 3;
constexpr int kFlagStoneLecture = 10;

// One frame of the lecture of the running battle; called before the phase
// machine of the frame so that a decide it swallows never reaches the menus.
// Other groups, and a lecture past its last step, do nothing.
void runBattleLectures(GraphicsResources& resources, gfx::Device* device);

// The command (0 attack, 1 magical stone) the running lecture lets the
// decide key take right now, or -1 when no command is being taught.
int lectureTaughtCommand();

// How many steps each lecture has (its counter stays there once done).
int lectureStepCount(int group);
