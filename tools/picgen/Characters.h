// The looks of the game's characters, read from content/pictures
// (characters.txt, townspeople.txt, portraits.txt), and the painters that
// turn a look into a sprite pose, a portrait or a face.
#pragma once

#include <string>
#include <vector>

#include "tools/common/Image.h"

namespace picgen {

struct Look {
    std::string kind = "human";  // human, a monster body or a prop
    std::string style = "short"; // hairstyle, or a variant number
    pic::Rgb hair, skin, top, bottom, accent;
    bool female = false;         // long hair, tails and buns read as female
    std::string name;
};

// The sixty sprite characters by number.
const std::vector<Look>& characterLooks();
// The townsperson in (row, pose), or null when that cell is the row's own character.
const Look* townspersonLook(int row, int pose);
// Looks by name (portrait-only people such as the grandmother), from portraits.txt.
const Look* extraLook(const std::string& name);
// The look and expression shown in portrait cell (column, row).
struct PortraitCell {
    const Look* look = nullptr;
    int expression = 0;
};
PortraitCell portraitCell(int column, int row);

// Poses of the sprite sheets.
enum Pose { kStand, kWalk, kJump, kHit, kFallen, kWindUp, kStrike, kStrike2, kKneel, kArmsUp };

// Paints one 32 x 40 sprite cell with its top-left corner at (x, y).
void paintSprite(pic::Image& image, int x, int y, const Look& look, int pose);
// Paints a portrait of size x size (96 for the message sheets) at (x, y);
// expression 0-9: calm, smile, angry, sad, surprised, resolute, worried,
// laughing, pained, flustered. The background is painted too.
void paintPortrait(pic::Image& image, int x, int y, int size, const Look& look, int expression);

// Props: 0 the race obstacle (bottom 24 rows) and 1 the cell bars of row
// 49, 2 the card the card boy drops (row 52, pose 7).
void paintPropCell(pic::Image& image, int x, int y, int which);

pic::Rgb parseHex(const std::string& hex);

}  // namespace picgen
