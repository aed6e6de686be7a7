// The pictures picgen makes: one job per bitmap resource, with its number,
// size, colour key and the function that paints it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/common/Image.h"

namespace picgen {

struct PictureJob {
    int id = 0;
    int width = 0, height = 0;
    bool keyed = false;
    std::function<void(pic::Image&)> paint;
    std::string fileName;  // empty: "Bitmap_<id>.bmp"
};

using Jobs = std::vector<PictureJob>;

// Where the readable sources live (content/pictures), set by main.
const std::string& contentDir();
void setContentDir(const std::string& dir);

// Each topic adds its pictures.
void addInterfacePictures(Jobs& jobs);   // frames, cursor, hand, arrows, gauges, digits, words, icons
void addTitlePictures(Jobs& jobs);       // logo, name plate, menu strips, window icon
void addSpriteSheets(Jobs& jobs);        // 141 143 144 145 147 148
void addTileAtlas(Jobs& jobs);           // 152
void addPortraitSheets(Jobs& jobs);      // 347-354
void addFaceIcons(Jobs& jobs);           // 241
void addCardPictures(Jobs& jobs);        // 159-164
void addBattleBackdrops(Jobs& jobs);     // 222-240
void addEventPictures(Jobs& jobs);       // 165-221 stills, maps, chapter tiles, tutorials
void addEffectSheet(Jobs& jobs);         // 260

}  // namespace picgen
