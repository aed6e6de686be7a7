// 241: the turn-order faces, strips of 96 x 32 stacked from the top of a
// 128 x 1024 picture. Icons 0-16 are characters 0-16, 17-19 characters 47-49,
// 20 and 21 the bodyguards フォーゲル (52) and the thief master (16), 22 the
// generic enemy, drawn in greys so the battle's slot tint colours it.
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

void paintStrip(Image& img, int icon, const Look* look, bool enemy) {
    const int y = icon * 32;
    const Rgb band = look ? look->top : pic::rgb(200, 200, 200);
    // The strip: a tapering plate in the character's colour.
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 96; ++i) {
            if (i > 80 + (j < 16 ? j : 31 - j)) continue;
            double t = j / 31.0;
            Rgb c = look ? pic::mix(pic::mix(band, pic::rgb(255, 255, 255), 0.25), pic::shade(band, 0.55), t)
                         : pic::mix(pic::rgb(245, 245, 245), pic::rgb(150, 150, 150), t);
            img.set(i, y + j, c);
        }
    Rgb rim = enemy ? pic::rgb(200, 50, 50) : pic::rgb(60, 120, 230);
    if (!look) rim = pic::rgb(230, 230, 230);
    img.fillRect(0, y, 82, 1, rim);
    img.fillRect(0, y + 31, 82, 1, pic::shade(rim, 0.6));
    // The face.
    if (look && look->kind == "human") {
        paintPortrait(img, 0, y, 32, *look, 0);
    } else if (look) {
        Image sprite(32, 40);
        paintSprite(sprite, 0, 0, *look, kStand);
        img.fillRect(0, y, 32, 32, pic::shade(band, 0.4));
        img.drawResized(sprite, 0, 0, 32, 40, 3, y + 1, 26, 32 - 1);
    } else {
        // The generic enemy: a horned mask in greys.
        img.fillRect(0, y, 32, 32, pic::rgb(90, 90, 90));
        img.fillEllipse(16, y + 17, 11, 12, pic::rgb(235, 235, 235));
        img.fillPolygon({6, y + 10.0, 2, y + 0.0, 11, y + 7.0}, pic::rgb(200, 200, 200));
        img.fillPolygon({26, y + 10.0, 30, y + 0.0, 21, y + 7.0}, pic::rgb(200, 200, 200));
        img.fillPolygon({9, y + 14.0, 15, y + 17.0, 9, y + 19.0}, pic::rgb(30, 30, 30));
        img.fillPolygon({23, y + 14.0, 17, y + 17.0, 23, y + 19.0}, pic::rgb(30, 30, 30));
        img.fillRect(11, y + 23, 10, 2, pic::rgb(60, 60, 60));
    }
    img.frameRect(0, y, 32, 32, pic::rgb(20, 20, 30));
}

void paintFaceIcons(Image& img) {
    img.fill(pic::rgb(0, 0, 0));
    const auto& looks = characterLooks();
    for (int icon = 0; icon <= 16; ++icon) paintStrip(img, icon, &looks[icon], icon >= 5);
    paintStrip(img, 17, &looks[47], true);
    paintStrip(img, 18, &looks[48], true);
    paintStrip(img, 19, &looks[49], true);
    paintStrip(img, 20, &looks[52], false);
    paintStrip(img, 21, &looks[16], false);
    paintStrip(img, 22, nullptr, true);
}

}  // namespace

void addFaceIcons(Jobs& jobs) { jobs.push_back({241, 128, 1024, false, paintFaceIcons, ""}); }

}  // namespace picgen
