// The 32 x 40 pixel figures of the sprite sheets: people drawn from a small
// pose skeleton, monsters from body shapes, and the props. Every figure faces
// +x (to the right); the game mirrors it for the other facing.
#include <cmath>

#include "tools/picgen/Characters.h"
#include "tools/picgen/PixelPen.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

const Rgb kInk = pic::rgb(28, 22, 34);

struct Skeleton {
    double dx = 0, dy = 0;      // whole-body offset
    double lean = 0;            // torso top shift (+ forward)
    double frontArm = 100, backArm = 80;  // arm angles in degrees: 90 hangs down, 0 points forward, -90 up
    double frontLeg = 0, backLeg = 0;     // foot shifts
    double crouch = 0;          // legs shortened
    int eyes = 0;               // 0 open, 1 shut (hit), 2 closed (fallen), 3 wide
    bool weapon = false;
    double weaponAngle = 0;     // angle of the blade from the front hand
};

Skeleton skeletonFor(int pose) {
    Skeleton s;
    switch (pose) {
    case kWalk: s.frontLeg = 3; s.backLeg = -3; s.frontArm = 70; s.backArm = 110; s.dy = -1; break;
    case kJump: s.dy = -5; s.frontLeg = 2; s.backLeg = -2; s.crouch = 2; s.frontArm = -50; s.backArm = -120; break;
    case kHit: s.lean = -3; s.dx = -2; s.frontArm = 150; s.backArm = 150; s.eyes = 1; s.frontLeg = 2; break;
    case kWindUp: s.lean = -2; s.frontArm = -120; s.backArm = 130; s.weapon = true; s.weaponAngle = -150; s.backLeg = -3; break;
    case kStrike: s.lean = 3; s.dx = 2; s.frontArm = 10; s.backArm = 140; s.weapon = true; s.weaponAngle = 5; s.frontLeg = 4; s.backLeg = -4; break;
    case kStrike2: s.lean = 2; s.dx = 1; s.frontArm = -40; s.backArm = 150; s.weapon = true; s.weaponAngle = -60; s.frontLeg = 3; s.backLeg = -3; s.eyes = 3; break;
    case kKneel: s.dy = 5; s.crouch = 5; s.lean = 2; s.frontArm = 60; s.backArm = 80; s.eyes = 1; s.frontLeg = 3; break;
    case kArmsUp: s.frontArm = -70; s.backArm = -110; s.eyes = 3; break;
    default: break;
    }
    return s;
}

Rgb darker(Rgb c) { return pic::shade(c, 0.7); }
Rgb lighter(Rgb c) { return pic::mix(c, pic::rgb(255, 255, 255), 0.3); }

void paintHairBack(PixelPen& p, const Look& l, double hx, double hy) {
    const Rgb h = l.hair, hd = darker(l.hair);
    if (l.style == "long") {
        p.rect(hx - 7, hy - 2, 6, 16, h);
        p.rect(hx - 8, hy + 6, 4, 10, hd);
    } else if (l.style == "tail") {
        p.ellipse(hx - 9, hy + 2, 3, 6, h);
        p.ellipse(hx - 10, hy + 6, 2, 4, hd);
    } else if (l.style == "bun") {
        p.ellipse(hx - 5, hy - 7, 4, 4, h);
    } else if (l.style == "old" && l.female) {
        p.ellipse(hx - 6, hy - 5, 3, 3, h);
    }
}

void paintHead(PixelPen& p, const Look& l, double hx, double hy, int eyes) {
    const Rgb skin = l.skin, h = l.hair, hd = darker(l.hair);
    // Face.
    p.ellipse(hx, hy, 7, 7.5, skin);
    p.rect(hx + 5, hy + 1, 2, 2, darker(skin));  // cheek line
    // Eyes (three-quarter view: the near eye full, the far one narrow).
    Rgb eye = l.kind == "human" ? pic::shade(l.accent, 0.6) : kInk;
    if (eyes == 0 || eyes == 3) {
        int tall = eyes == 3 ? 4 : 3;
        p.rect(hx + 3, hy - 1, 2, tall, kInk);
        p.rect(hx - 1, hy - 1, 2, tall, kInk);
        p.rect(hx + 3, hy, 1, 1, eye == kInk ? pic::rgb(255, 255, 255) : eye);
        p.rect(hx - 1, hy, 1, 1, eye == kInk ? pic::rgb(255, 255, 255) : eye);
    } else if (eyes == 1) {  // squeezed shut
        p.rect(hx + 2, hy, 3, 1, kInk);
        p.rect(hx - 2, hy, 3, 1, kInk);
    } else {  // closed
        p.rect(hx + 2, hy + 1, 3, 1, kInk);
        p.rect(hx - 2, hy + 1, 3, 1, kInk);
    }
    p.rect(hx + 2, hy + 4, 2, 1, pic::shade(skin, 0.6));  // mouth
    // Hair or headwear over the top of the head.
    const std::string& s = l.style;
    if (s == "bald") {
        p.rect(hx - 3, hy - 7, 4, 1, lighter(skin));
        p.rect(hx - 6, hy - 2, 2, 5, h);  // fringe of hair at the back
        p.rect(hx - 1, hy + 5, 6, 3, h);  // beard
    } else if (s == "hood") {
        p.ellipse(hx - 1, hy - 2, 8, 7, l.top);
        p.rect(hx - 8, hy - 2, 6, 11, l.top);
        p.rect(hx + 1, hy - 3, 6, 9, skin);
        p.rect(hx + 3, hy - 1, 2, 3, kInk);
        p.rect(hx - 1, hy - 1, 2, 3, kInk);
        p.rect(hx + 1, hy - 4, 7, 2, darker(l.top));
    } else if (s == "helmet") {
        p.ellipse(hx - 1, hy - 3, 8, 6, h);
        p.rect(hx - 9, hy - 3, 17, 2, darker(h));
        p.rect(hx - 4, hy - 8, 4, 2, lighter(h));
        p.rect(hx - 8, hy - 1, 3, 6, h);
    } else {
        // Hair cap.
        p.ellipse(hx - 1, hy - 4, 8, 5, h);
        p.rect(hx - 8, hy - 4, 5, 8, h);
        p.rect(hx + 1, hy - 4, 6, 2, h);  // fringe
        p.rect(hx + 4, hy - 3, 2, 2, h);
        p.rect(hx - 3, hy - 8, 5, 1, lighter(h));
        if (s == "spiky") {
            p.poly({hx - 8, hy - 5, hx - 14, hy - 8, hx - 6, hy - 8}, h);
            p.poly({hx - 4, hy - 8, hx - 6, hy - 14, hx + 1, hy - 9}, h);
            p.poly({hx + 1, hy - 8, hx + 5, hy - 13, hx + 5, hy - 6}, h);
            p.poly({hx - 9, hy - 1, hx - 14, hy - 2, hx - 8, hy - 4}, hd);
        } else if (s == "long" || s == "old") {
            p.rect(hx - 8, hy - 4, 4, 10, h);
        } else if (s == "cap") {
            p.ellipse(hx - 1, hy - 5, 8, 4, l.accent);
            p.rect(hx + 2, hy - 4, 8, 2, darker(l.accent));
        } else if (s == "hat") {
            p.rect(hx - 11, hy - 5, 22, 2, darker(l.accent));
            p.rect(hx - 6, hy - 11, 12, 7, l.accent);
            p.rect(hx - 6, hy - 6, 12, 1, l.top);
        } else if (s == "crown") {
            Rgb gold = pic::rgb(240, 200, 60);
            p.rect(hx - 6, hy - 10, 11, 4, gold);
            p.poly({hx - 6, hy - 10, hx - 5, hy - 14, hx - 3, hy - 10}, gold);
            p.poly({hx - 2, hy - 10, hx, hy - 15, hx + 2, hy - 10}, gold);
            p.poly({hx + 2, hy - 10, hx + 4, hy - 14, hx + 5, hy - 10}, gold);
            p.rect(hx - 1, hy - 9, 2, 2, pic::rgb(220, 40, 60));
        }
    }
}

void paintArm(PixelPen& p, double sx, double sy, double angle, Rgb sleeve, Rgb hand, double length = 8) {
    double a = angle * M_PI / 180;
    double ex = sx + std::cos(a) * length, ey = sy + std::sin(a) * length;
    p.thick(sx, sy, ex, ey, 3, sleeve);
    p.rect(ex - 1, ey - 1, 3, 3, hand);
}

void paintWeapon(PixelPen& p, double hx, double hy, double angle, const Look& l) {
    double a = angle * M_PI / 180;
    double len = 13;
    double ex = hx + std::cos(a) * len, ey = hy + std::sin(a) * len;
    p.thick(hx, hy, ex, ey, 2, pic::rgb(220, 228, 240));
    p.thick(hx + std::cos(a) * 4, hy + std::sin(a) * 4, ex, ey, 1, pic::rgb(255, 255, 255));
    double ga = a + M_PI / 2;
    p.thick(hx + std::cos(ga) * 3, hy + std::sin(ga) * 3, hx - std::cos(ga) * 3, hy - std::sin(ga) * 3, 2, l.accent);
}

void paintHuman(Image& img, int x0, int y0, const Look& l, int pose) {
    Skeleton s = skeletonFor(pose);
    PixelPen p(img, x0, y0, s.dx, s.dy);
    const double hipY = 30 + s.crouch * 0.5, footY = 39 - s.dy;
    const double hipX = 15;
    const double shoulderX = 15 + s.lean, shoulderY = 20 + s.crouch * 0.3;
    const Rgb coat = l.top, coatD = darker(l.top);
    const Rgb legs = l.female ? l.skin : l.bottom, boots = darker(l.bottom);
    const double headX = shoulderX + 1 + s.lean * 0.3, headY = 12 + s.crouch * 0.3;

    paintHairBack(p, l, headX, headY);
    // Back arm and leg.
    paintArm(p, shoulderX - 2, shoulderY + 1, s.backArm, coatD, darker(l.skin));
    double kneeBack = s.crouch > 3 ? 4 : 0;
    p.thick(hipX - 1, hipY, hipX - 1 + s.backLeg - kneeBack, footY - 2, 3, darker(legs));
    p.rect(hipX - 2 + s.backLeg - kneeBack, footY - 2, 4, 2, darker(boots));
    // Torso.
    p.poly({shoulderX - 5, shoulderY, shoulderX + 4, shoulderY, hipX + 5, hipY + 1, hipX - 5, hipY + 1}, coat);
    p.rect(shoulderX - 1, shoulderY, 2, hipY - shoulderY, coatD);
    p.rect(hipX - 5, hipY - 3, 10, 2, l.accent);  // belt
    if (l.female) {
        p.poly({hipX - 6, hipY - 1, hipX + 6, hipY - 1, hipX + 8, hipY + 5, hipX - 8, hipY + 5}, l.bottom);
    }
    // Front leg.
    p.thick(hipX + 2, hipY, hipX + 2 + s.frontLeg, footY - 2, 3, legs);
    p.rect(hipX + 1 + s.frontLeg, footY - 2, 5, 2, boots);
    // Head.
    paintHead(p, l, headX, headY, s.eyes);
    // Front arm and weapon.
    double a = s.frontArm * M_PI / 180;
    double handX = shoulderX + 2 + std::cos(a) * 8, handY = shoulderY + 1 + std::sin(a) * 8;
    if (s.weapon) paintWeapon(p, handX, handY, s.weaponAngle, l);
    paintArm(p, shoulderX + 2, shoulderY + 1, s.frontArm, coat, l.skin);
}

// Monster bodies. b is the body's centre, the figure faces +x.
void paintMonster(Image& img, int x0, int y0, const Look& l, int pose) {
    double dx = 0, dy = 0, squash = 1.0;
    bool shut = false;
    switch (pose) {
    case kWalk: dy = -1; dx = 1; break;
    case kJump: dy = -6; squash = 0.9; break;
    case kHit: dx = -3; shut = true; squash = 0.9; break;
    case kWindUp: dx = -2; squash = 1.1; break;
    case kStrike: dx = 4; break;
    case kStrike2: dx = 3; dy = -3; break;
    case kKneel: dy = 3; squash = 0.8; shut = true; break;
    case kArmsUp: dy = -2; squash = 1.1; break;
    default: break;
    }
    PixelPen p(img, x0, y0, dx, dy);
    const Rgb body = l.top, belly = l.bottom, eye = l.accent, bd = darker(l.top);
    auto eyes = [&](double ex, double ey, int n = 1) {
        for (int i = 0; i < n; ++i) {
            double x = ex - i * 4;
            if (shut) {
                p.rect(x - 1, ey, 3, 1, kInk);
            } else {
                p.rect(x - 1, ey - 1, 3, 3, eye);
                p.rect(x, ey, 1, 1, kInk);
            }
        }
    };
    const std::string& k = l.kind;
    if (k == "slime") {
        double h = 14 * squash, w = 13 / std::sqrt(squash);
        p.ellipse(16, 39 - h, w, h, body);
        p.rect(4, 36, 24, 3, body);
        p.ellipse(19, 39 - h * 1.1, 4, 3, lighter(belly));
        p.ellipse(12, 39 - h * 1.5, 2, 2, pic::rgb(255, 255, 255));
        eyes(22, 39 - h * 0.9, 2);
        p.rect(18, 39 - h * 0.55, 5, 1, kInk);
    } else if (k == "beast") {
        p.ellipse(14, 28, 10, 6 * squash, body);
        p.ellipse(14, 31, 7, 3, belly);
        p.thick(8, 31, 6, 39, 3, bd);
        p.thick(20, 31, 22, 39, 3, bd);
        p.thick(11, 32, 12, 39, 3, body);
        p.thick(18, 32, 19, 39, 3, body);
        p.ellipse(24, 23, 6, 5, body);
        p.poly({26, 24, 32, 26, 26, 28}, body);
        p.poly({21, 19, 22, 13, 25, 19}, bd);
        p.thick(5, 26, 0, 20, 3, bd);
        eyes(26, 22);
        p.rect(28, 27, 3, 1, pic::rgb(255, 255, 255));
    } else if (k == "bird") {
        double flap = (pose % 2) ? -6 : 4;
        p.ellipse(15, 24, 8, 7, body);
        p.ellipse(16, 26, 5, 4, belly);
        p.poly({12, 22, 0, 14 + flap, 4, 28}, bd);
        p.ellipse(22, 16, 5, 5, body);
        p.poly({26, 15, 31, 17, 26, 19}, eye);
        p.poly({8, 26, 0, 32, 8, 30}, bd);
        p.thick(14, 30, 13, 38, 1, eye);
        p.thick(18, 30, 19, 38, 1, eye);
        eyes(23, 15);
    } else if (k == "golem") {
        p.rect(7, 14, 18, 16, body);
        p.rect(9, 16, 14, 6, bd);
        p.rect(11, 6, 10, 9, body);
        p.rect(7, 30, 7, 9, bd);
        p.rect(18, 30, 7, 9, bd);
        p.rect(22 + (pose == kStrike ? 4 : 0), 16, 7, 12, body);
        p.rect(3, 16, 5, 12, bd);
        p.rect(13, 24, 6, 3, eye);
        eyes(18, 10);
    } else if (k == "ghost") {
        p.ellipse(16, 20, 10, 11, body);
        p.poly({6, 20, 26, 20, 24, 36, 20, 32, 16, 37, 12, 32, 8, 36}, body);
        p.ellipse(13, 15, 3, 3, lighter(belly));
        p.rect(21, 16, 2, 4, eye);
        p.rect(16, 16, 2, 4, eye);
        p.ellipse(20, 25, 2, 2, eye);
    } else if (k == "robot") {
        bool drone = l.style == "2";
        if (drone) {
            p.ellipse(16, 22, 10, 7, body);
            p.rect(4, 12, 24, 2, bd);
            p.rect(15, 12, 2, 5, bd);
            p.rect(10, 28, 2, 6, bd);
            p.rect(20, 28, 2, 6, bd);
            p.ellipse(21, 22, 3, 3, eye);
        } else {
            p.rect(9, 16, 14, 13, body);
            p.rect(11, 6, 11, 10, bd);
            p.rect(16, 9, 5, 2, eye);
            p.rect(16, 2, 1, 4, bd);
            p.rect(15, 1, 3, 2, eye);
            p.rect(10, 29, 4, 10, bd);
            p.rect(18, 29, 4, 10, bd);
            p.rect(22, 18, 8, 3, body);
            p.rect(12, 20, 8, 3, belly);
        }
    } else if (k == "plant") {
        p.thick(16, 39, 16, 20, 3, pic::rgb(60, 120, 40));
        p.poly({16, 34, 4, 28, 10, 36}, pic::rgb(60, 150, 50));
        p.poly({16, 30, 28, 24, 24, 33}, pic::rgb(60, 150, 50));
        p.ellipse(17, 15, 10, 9 * squash, body);
        p.poly({18, 14, 30, 10, 30, 20}, belly);
        p.rect(22, 12, 2, 2, pic::rgb(255, 255, 255));
        p.rect(22, 18, 2, 2, pic::rgb(255, 255, 255));
        eyes(14, 11);
    } else if (k == "bug") {
        p.ellipse(14, 30, 11, 7 * squash, body);
        p.ellipse(14, 28, 9, 4, lighter(body));
        p.rect(13, 23, 1, 14, bd);
        p.ellipse(25, 31, 5, 4, bd);
        for (int i = 0; i < 3; ++i) {
            p.thick(8 + i * 6, 35, 6 + i * 6, 39, 1, kInk);
        }
        p.thick(28, 28, 31, 22, 1, bd);
        eyes(27, 30);
    } else if (k == "dragon") {
        p.ellipse(14, 27, 9, 8, body);
        p.ellipse(16, 29, 5, 5, belly);
        p.poly({10, 22, 0, 8, 14, 18}, bd);
        p.poly({6, 30, 0, 36, 8, 34}, body);
        p.thick(20, 22, 24, 12, 4, body);
        p.ellipse(25, 9, 6, 4, body);
        p.poly({28, 8, 32, 11, 27, 12}, body);
        p.poly({22, 6, 20, 1, 25, 5}, belly);
        p.rect(10, 33, 4, 6, bd);
        p.rect(18, 33, 4, 6, bd);
        eyes(26, 8);
        if (pose == kStrike || pose == kStrike2) p.ellipse(31, 12, 2, 2, pic::rgb(255, 200, 60));
    } else if (k == "fish") {
        p.thick(4, 38, 10, 28, 5, body);
        p.thick(10, 28, 18, 32, 5, body);
        p.thick(18, 32, 22, 20, 5, body);
        p.ellipse(23, 14, 6, 5, body);
        p.poly({26, 12, 32, 14, 26, 17}, body);
        p.poly({18, 12, 16, 5, 22, 10}, eye);
        p.thick(10, 29, 18, 33, 2, belly);
        eyes(25, 12);
    } else {  // knight: an empty suit of armour
        p.rect(10, 15, 12, 14, body);
        p.rect(12, 17, 8, 5, lighter(body));
        p.ellipse(16, 10, 6, 6, body);
        p.rect(16, 9, 6, 2, kInk);
        p.rect(18, 9, 2, 2, eye);
        p.rect(11, 29, 4, 10, bd);
        p.rect(17, 29, 4, 10, bd);
        p.rect(5, 17, 4, 12, bd);
        p.thick(22, 20, 22 + (pose == kStrike ? 9 : 4), pose == kWindUp ? 2 : 6, 2, pic::rgb(220, 228, 240));
        p.rect(6, 4, 2, 8, eye);
    }
}

void paintSwitch(Image& img, int x0, int y0, const Look& l, int pose) {
    PixelPen p(img, x0, y0);
    const bool on = pose == kArmsUp;
    p.rect(6, 30, 20, 9, pic::rgb(90, 96, 110));
    p.rect(6, 30, 20, 2, pic::rgb(150, 156, 170));
    p.rect(8, 33, 16, 4, pic::rgb(60, 64, 76));
    // The lever leans left when off, right when on; its knob glows when on.
    double tipX = on ? 24 : 8;
    p.thick(16, 32, tipX, 14, 2, pic::rgb(190, 196, 210));
    p.ellipse(tipX, 13, 4, 4, on ? lighter(l.top) : darker(darker(l.top)));
    if (on) p.ellipse(tipX - 1, 12, 1.5, 1.5, pic::rgb(255, 255, 255));
    p.rect(12, 35, 8, 2, on ? l.top : darker(darker(l.top)));
}

// The boat race's floating obstacle: the bottom 24 rows of its cell.
void paintObstacle(Image& img, int x0, int y0) {
    PixelPen p(img, x0, y0);
    p.ellipse(16, 34, 13, 5, pic::rgb(90, 80, 70));
    p.ellipse(16, 30, 10, 7, pic::rgb(120, 108, 92));
    p.ellipse(13, 27, 4, 3, pic::rgb(160, 150, 130));
    p.rect(3, 37, 26, 2, pic::rgb(220, 240, 255));
    p.rect(6, 36, 3, 1, pic::rgb(220, 240, 255));
    p.rect(22, 36, 4, 1, pic::rgb(220, 240, 255));
}

// The prison cell bars, filling the whole cell.
void paintBars(Image& img, int x0, int y0) {
    PixelPen p(img, x0, y0);
    const Rgb iron = pic::rgb(96, 100, 116), hi = pic::rgb(170, 176, 196);
    p.rect(0, 0, 32, 3, iron);
    p.rect(0, 37, 32, 3, iron);
    p.rect(0, 18, 32, 2, iron);
    for (int i = 0; i < 5; ++i) {
        p.rect(2 + i * 7, 0, 3, 40, iron);
        p.rect(3 + i * 7, 0, 1, 40, hi);
    }
}

// A trading card lying face up in the street: the card boy's dropped card.
void paintDroppedCard(Image& img, int x0, int y0) {
    PixelPen p(img, x0, y0);
    p.ellipse(16, 36, 9, 3, pic::rgb(70, 70, 80));
    // Seen from above at a slant: a flat card, its face framed in gold.
    for (int j = 0; j < 7; ++j) p.rect(8 + j / 2, 29 + j, 15, 1, pic::rgb(235, 225, 180));
    for (int j = 1; j < 6; ++j) p.rect(10 + j / 2, 29 + j, 11, 1, pic::rgb(60, 90, 170));
    p.ellipse(16, 32, 2.5, 1.5, pic::rgb(240, 200, 70));
}

}  // namespace

void paintSprite(Image& image, int x, int y, const Look& look, int pose) {
    if (look.kind == "switch") {
        paintSwitch(image, x, y, look, pose);
    } else if (look.kind == "human") {
        if (pose == kFallen) {
            // Lie the standing figure down: paint it upright with closed eyes,
            // turn it a quarter turn (head toward -x) and keep the middle.
            Image upright(32, 40);
            Look l = look;
            paintHuman(upright, 0, 0, l, kStand);
            Image lying(40, 32);
            for (int j = 0; j < 40; ++j)
                for (int i = 0; i < 32; ++i)
                    if (upright.coverage(i, j)) lying.set(j, 31 - i, upright.at(i, j));
            // Shift it down so the body rests on the cell's floor.
            for (int j = 0; j < 32; ++j)
                for (int i = 4; i < 36; ++i)
                    if (lying.coverage(i, j) && j + 10 < 40) image.set(x + i - 4, y + j + 10, lying.at(i, j));
        } else {
            paintHuman(image, x, y, look, pose);
        }
    } else if (pose == kFallen) {
        Image upright(32, 40);
        paintMonster(upright, 0, 0, look, kHit);
        // Monsters collapse: squashed to half height on the floor.
        image.drawResized(upright, 0, 0, 32, 40, x, y + 20, 32, 20);
    } else {
        paintMonster(image, x, y, look, pose);
    }
    image.outlineRegion(x, y, 32, 40, kInk);
}

void paintPropCell(Image& image, int x, int y, int which) {
    if (which == 0) paintObstacle(image, x, y);
    else if (which == 1) paintBars(image, x, y);
    else paintDroppedCard(image, x, y);
    image.outlineRegion(x, y, 32, 40, kInk);
}

}  // namespace picgen
