// Every screen of the scene table: one per-frame function each, called by
// renderFrame for the current scene between the begin and the end of the
// frame. A screen passes control by assigning gScene.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

using ScreenFunction = void (*)(GraphicsResources& resources, gfx::Device* device);

void runField(GraphicsResources& resources, gfx::Device* device);                // 0
void runFieldFadeIn(GraphicsResources& resources, gfx::Device* device);          // 1
void runFieldEntryFromBlack(GraphicsResources& resources, gfx::Device* device);  // 2
void runChapterSaveScreen(GraphicsResources& resources, gfx::Device* device);    // 9
void runBattleTransition(GraphicsResources& resources, gfx::Device* device);     // 10
void drawBattleScene(GraphicsResources& resources, gfx::Device* device);         // 100, drawn first
void runBattleFrame(GraphicsResources& resources, gfx::Device* device);          // 100, logic second
void runCampMenu(GraphicsResources& resources, gfx::Device* device);             // 200
void runItemMenu(GraphicsResources& resources, gfx::Device* device);             // 201
void runEquipMenu(GraphicsResources& resources, gfx::Device* device);            // 202
void runStoneMenu(GraphicsResources& resources, gfx::Device* device);            // 203
void runStatusScreen(GraphicsResources& resources, gfx::Device* device);         // 204
void runMagicMenu(GraphicsResources& resources, gfx::Device* device);            // 205
void runFormationMenu(GraphicsResources& resources, gfx::Device* device);        // 206
void runBodyguardScreen(GraphicsResources& resources, gfx::Device* device);      // 207
void runCardCatalogue(GraphicsResources& resources, gfx::Device* device);        // 209
void runMenuSaveScreen(GraphicsResources& resources, gfx::Device* device);       // 210
void runShopScreen(GraphicsResources& resources, gfx::Device* device);           // 300
void runBankScreen(GraphicsResources& resources, gfx::Device* device);           // 301
void runCardDuel(GraphicsResources& resources, gfx::Device* device);             // 400
void runBoatRace(GraphicsResources& resources, gfx::Device* device);             // 500
void runStaffRoll(GraphicsResources& resources, gfx::Device* device);            // 900
void runTitleScreen(GraphicsResources& resources, gfx::Device* device);          // 1000
void runIntroAndTitleMenu(GraphicsResources& resources, gfx::Device* device);    // 1001
void runLoadScreen(GraphicsResources& resources, gfx::Device* device);           // 1002
