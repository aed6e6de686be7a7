// 260: the battle effect billboards, 5 x 5 cells of 32 x 32 (column = the
// slot's kind 0-4, row 0-4), black see-through.
//   row 0 thrown things: fireball, energy orb, arrow, throwing star, bomb
//   row 1 impacts: explosion, spark, slash, ice burst, lightning
//   row 2 blessings: power, guard ring, shield, magic circle, wind
//   row 3 elements: splash, leaf, dark orb, light, smoke
//   row 4 items: note, mirror, poison, healing cross, target sight
#include <cmath>
#include <vector>

#include "tools/common/Random.h"
#include "tools/picgen/Picture.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

void glowBall(Image& img, double cx, double cy, double r, Rgb outer, Rgb inner) {
    img.fillEllipse(cx, cy, r, r, outer);
    img.fillEllipse(cx - r * 0.15, cy - r * 0.15, r * 0.65, r * 0.65, pic::mix(outer, inner, 0.6));
    img.fillEllipse(cx - r * 0.25, cy - r * 0.25, r * 0.3, r * 0.3, inner);
}

void star(Image& img, double cx, double cy, double r0, double r1, int points, double turn, Rgb c) {
    std::vector<double> p;
    for (int i = 0; i < points * 2; ++i) {
        double a = turn + i * M_PI / points, r = (i % 2) ? r0 : r1;
        p.push_back(cx + std::cos(a) * r);
        p.push_back(cy + std::sin(a) * r);
    }
    img.fillPolygon(p, c);
}

void paintCell(Image& img, int kind, int row) {
    Image c(32, 32);
    pic::Random rnd(static_cast<std::uint32_t>(260 + row * 5 + kind));
    const double m = 16;
    switch (row * 5 + kind) {
    case 0:  // fireball
        c.fillEllipse(10, 18, 9, 6, pic::rgb(230, 80, 20));
        glowBall(c, 18, 16, 9, pic::rgb(240, 100, 20), pic::rgb(255, 250, 180));
        break;
    case 1: glowBall(c, m, m, 11, pic::rgb(120, 140, 255), pic::rgb(240, 250, 255)); break;
    case 2:  // arrow
        c.line(4, 28, 26, 6, pic::rgb(150, 100, 60), 2.5);
        c.fillPolygon({28, 4, 20, 8, 24, 12}, pic::rgb(220, 220, 235));
        c.fillPolygon({4, 28, 4, 21, 8, 24}, pic::rgb(240, 240, 240));
        c.fillPolygon({4, 28, 11, 28, 8, 24}, pic::rgb(240, 240, 240));
        break;
    case 3: star(c, m, m, 4, 14, 4, 0.3, pic::rgb(200, 210, 230)); c.fillEllipse(m, m, 3, 3, pic::rgb(60, 60, 80)); break;
    case 4:  // bomb
        c.fillEllipse(m, 18, 11, 11, pic::rgb(50, 50, 70));
        c.fillEllipse(12, 14, 3, 3, pic::rgb(140, 140, 170));
        c.line(22, 9, 26, 4, pic::rgb(160, 120, 60), 2);
        star(c, 27, 4, 1.5, 4, 5, 0, pic::rgb(255, 220, 60));
        break;
    case 5:  // explosion
        star(c, m, m, 8, 15, 9, 0.1, pic::rgb(240, 90, 20));
        star(c, m, m, 5, 10, 7, 0.4, pic::rgb(255, 200, 50));
        c.fillEllipse(m, m, 5, 5, pic::rgb(255, 255, 210));
        break;
    case 6: star(c, m, m, 3, 15, 4, 0, pic::rgb(255, 250, 160)); star(c, m, m, 2, 9, 4, M_PI / 4, pic::rgb(255, 255, 255)); break;
    case 7:  // slash
        for (int i = 0; i < 3; ++i) c.line(4 + i * 5, 28, 20 + i * 5, 4, i == 1 ? pic::rgb(255, 255, 255) : pic::rgb(180, 220, 255), i == 1 ? 3 : 1.5);
        break;
    case 8:  // ice burst
        for (int i = 0; i < 6; ++i) {
            double a = i * M_PI / 3;
            c.fillPolygon({m + std::cos(a) * 14, m + std::sin(a) * 14, m + std::cos(a + 0.3) * 5, m + std::sin(a + 0.3) * 5,
                           m + std::cos(a - 0.3) * 5, m + std::sin(a - 0.3) * 5},
                          pic::rgb(170, 220, 255));
        }
        c.fillEllipse(m, m, 5, 5, pic::rgb(240, 250, 255));
        break;
    case 9:  // lightning
        c.fillPolygon({18, 1, 8, 17, 15, 17, 11, 31, 25, 12, 17, 12, 22, 1}, pic::rgb(255, 240, 60));
        c.fillPolygon({18, 3, 11, 15, 16, 15, 14, 24}, pic::rgb(255, 255, 220));
        break;
    case 10:  // power: a red up arrow
        c.fillPolygon({m, 2, 29, 16, 21, 16, 21, 30, 11, 30, 11, 16, 3, 16}, pic::rgb(240, 70, 50));
        c.fillPolygon({m, 6, 24, 14, 18, 14, 18, 26}, pic::rgb(255, 170, 140));
        break;
    case 11:  // guard ring
        for (double a = 0; a < 2 * M_PI; a += 0.05) c.fillEllipse(m + std::cos(a) * 12, m + std::sin(a) * 6, 2, 2, pic::rgb(120, 200, 255));
        c.fillEllipse(m, m, 6, 3, pic::rgb(220, 240, 255));
        break;
    case 12:  // shield
        c.fillPolygon({5, 4, 27, 4, 26, 16, m, 30, 6, 16}, pic::rgb(80, 130, 230));
        c.fillPolygon({9, 7, 23, 7, 22, 15, m, 25, 10, 15}, pic::rgb(200, 220, 255));
        break;
    case 13:  // magic circle
        for (double a = 0; a < 2 * M_PI; a += 0.04) c.fillEllipse(m + std::cos(a) * 13, m + std::sin(a) * 13, 1.2, 1.2, pic::rgb(200, 120, 255));
        star(c, m, m, 5, 12, 5, -M_PI / 2, pic::rgb(230, 180, 255));
        c.fillEllipse(m, m, 4, 4, pic::rgb(250, 230, 255));
        break;
    case 14:  // wind
        for (int k = 0; k < 3; ++k)
            for (double t = 0; t < 4; t += 0.05) c.fillEllipse(m + std::cos(t + k * 2.1) * t * 3.5, m + std::sin(t + k * 2.1) * t * 3.5, 1.4, 1.4, pic::rgb(170, 240, 180));
        break;
    case 15:  // splash
        for (int i = 0; i < 7; ++i) {
            double a = -M_PI + i * M_PI / 6;
            c.fillEllipse(m + std::cos(a) * 10, 20 + std::sin(a) * 12, 3, 4, pic::rgb(90, 170, 255));
        }
        c.fillEllipse(m, 24, 10, 4, pic::rgb(160, 210, 255));
        break;
    case 16:  // leaf
        c.fillPolygon({4, 28, 10, 10, 28, 4, 22, 22}, pic::rgb(80, 190, 70));
        c.line(4, 28, 26, 6, pic::rgb(40, 120, 40), 1.5);
        break;
    case 17: glowBall(c, m, m, 12, pic::rgb(70, 30, 110), pic::rgb(200, 120, 255)); break;
    case 18:  // light
        star(c, m, m, 4, 15, 8, 0, pic::rgb(255, 250, 200));
        c.fillEllipse(m, m, 7, 7, pic::rgb(255, 255, 255));
        break;
    case 19:  // smoke
        for (int i = 0; i < 6; ++i) c.fillEllipse(8 + rnd.below(16), 8 + rnd.below(16), 6 + rnd.below(4), 6 + rnd.below(4), pic::shade(pic::rgb(200, 200, 210), 0.8 + 0.2 * rnd.unit()));
        break;
    case 20:  // note
        c.fillEllipse(10, 24, 5, 4, pic::rgb(255, 220, 90));
        c.fillEllipse(24, 20, 5, 4, pic::rgb(255, 220, 90));
        c.fillRect(14, 6, 2, 18, pic::rgb(255, 220, 90));
        c.fillRect(28, 2, 2, 18, pic::rgb(255, 220, 90));
        c.fillPolygon({14, 6, 30, 2, 30, 6, 14, 10}, pic::rgb(255, 220, 90));
        break;
    case 21:  // mirror
        c.fillEllipse(m, m, 12, 14, pic::rgb(200, 170, 90));
        c.fillEllipse(m, m, 9, 11, pic::rgb(200, 230, 255));
        c.line(11, 10, 16, 6, pic::rgb(255, 255, 255), 2);
        break;
    case 22:  // poison
        glowBall(c, m, 18, 10, pic::rgb(140, 60, 180), pic::rgb(220, 180, 255));
        c.fillEllipse(10, 6, 3, 3, pic::rgb(160, 80, 200));
        c.fillEllipse(22, 4, 2, 2, pic::rgb(160, 80, 200));
        break;
    case 23:  // healing cross
        c.fillEllipse(m, m, 14, 14, pic::rgb(120, 240, 140), 0.5);
        c.fillRect(12, 4, 8, 24, pic::rgb(80, 230, 110));
        c.fillRect(4, 12, 24, 8, pic::rgb(80, 230, 110));
        c.fillRect(14, 6, 4, 20, pic::rgb(220, 255, 220));
        c.fillRect(6, 14, 20, 4, pic::rgb(220, 255, 220));
        break;
    default:  // target sight
        for (double a = 0; a < 2 * M_PI; a += 0.04) c.fillEllipse(m + std::cos(a) * 11, m + std::sin(a) * 11, 1.4, 1.4, pic::rgb(255, 60, 60));
        c.fillRect(15, 1, 2, 10, pic::rgb(255, 60, 60));
        c.fillRect(15, 21, 2, 10, pic::rgb(255, 60, 60));
        c.fillRect(1, 15, 10, 2, pic::rgb(255, 60, 60));
        c.fillRect(21, 15, 10, 2, pic::rgb(255, 60, 60));
        c.fillEllipse(m, m, 2, 2, pic::rgb(255, 255, 255));
        break;
    }
    img.draw(c, kind * 32, row * 32);
}

void paintEffectSheet(Image& img) {
    for (int row = 0; row < 5; ++row)
        for (int kind = 0; kind < 5; ++kind) paintCell(img, kind, row);
}

}  // namespace

void addEffectSheet(Jobs& jobs) { jobs.push_back({260, 160, 160, true, paintEffectSheet, ""}); }

}  // namespace picgen
