// The six sprite sheets: 320 x 400, ten characters a sheet (one per row),
// ten poses a character (one per column), cells of 32 x 40.
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"

namespace picgen {

namespace {

void paintSheet(pic::Image& img, int sheet) {
    const auto& looks = characterLooks();
    for (int row = 0; row < 10; ++row) {
        const int character = sheet * 10 + row;
        for (int pose = 0; pose < 10; ++pose) {
            const int x = pose * 32, y = row * 40;
            if (character == 49 && pose >= 8) {
                paintPropCell(img, x, y, pose == 8 ? 0 : 1);
            } else if (character == 52 && pose == 7) {
                paintPropCell(img, x, y, 2);  // the card boy's dropped card
            } else if (const Look* t = townspersonLook(character, pose)) {
                paintSprite(img, x, y, *t, kStand);
            } else {
                paintSprite(img, x, y, looks[character], pose);
            }
        }
    }
}

}  // namespace

void addSpriteSheets(Jobs& jobs) {
    const int ids[6] = {141, 143, 144, 145, 147, 148};
    for (int sheet = 0; sheet < 6; ++sheet)
        jobs.push_back({ids[sheet], 320, 400, true, [sheet](pic::Image& img) { paintSheet(img, sheet); }, ""});
}

}  // namespace picgen
