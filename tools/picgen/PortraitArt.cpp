// Portraits: a painted bust of a character with one of ten expressions.
#include <cmath>

#include "tools/picgen/Characters.h"

namespace picgen {

namespace {

using pic::Rgb;

const Rgb kLine = pic::rgb(40, 28, 36);

}  // namespace

void paintPortrait(pic::Image& img, int x0, int y0, int size, const Look& look, int expression) {
    const double k = size / 96.0;
    auto X = [&](double v) { return x0 + v * k; };
    auto Y = [&](double v) { return y0 + v * k; };
    auto S = [&](double v) { return v * k; };
    // Backdrop: a soft vertical wash in the character's accent colour.
    Rgb bgTop = pic::mix(look.accent, pic::rgb(250, 246, 236), 0.75);
    Rgb bgBottom = pic::mix(look.top, pic::rgb(60, 60, 80), 0.5);
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) img.set(x0 + i, y0 + j, pic::mix(bgTop, bgBottom, j / (size - 1.0)));

    const bool human = look.kind == "human";
    const Rgb skin = human ? look.skin : look.top;
    const Rgb hair = look.hair, hairD = pic::shade(hair, 0.7);
    const std::string& st = look.style;

    // Hair behind the head.
    if (human && (st == "long" || (st == "old" && look.female))) {
        img.fillPolygon({X(22), Y(30), X(74), Y(30), X(80), Y(96), X(16), Y(96)}, hairD);
    } else if (human && st == "tail") {
        img.fillEllipse(X(76), Y(40), S(10), S(22), hairD);
    } else if (human && st == "bun") {
        img.fillEllipse(X(48), Y(14), S(13), S(11), hair);
    }
    // Shoulders and clothes.
    img.fillPolygon({X(10), Y(96), X(18), Y(76), X(36), Y(68), X(60), Y(68), X(78), Y(76), X(86), Y(96)}, look.top);
    img.fillPolygon({X(40), Y(68), X(56), Y(68), X(48), Y(84)}, human ? skin : look.bottom);
    img.line(X(40), Y(68), X(48), Y(86), pic::shade(look.top, 0.6), S(2));
    img.line(X(56), Y(68), X(48), Y(86), pic::shade(look.top, 0.6), S(2));
    img.fillRect(static_cast<int>(X(20)), static_cast<int>(Y(90)), static_cast<int>(S(56)), static_cast<int>(S(3)), look.accent);
    // Neck and face.
    img.fillRect(static_cast<int>(X(41)), static_cast<int>(Y(56)), static_cast<int>(S(14)), static_cast<int>(S(14)), pic::shade(skin, 0.85));
    img.fillEllipse(X(48), Y(44), S(21), S(24), skin);
    img.fillEllipse(X(48), Y(58), S(14), S(9), skin);
    // Ears.
    img.fillEllipse(X(27), Y(46), S(4), S(6), pic::shade(skin, 0.9));
    img.fillEllipse(X(69), Y(46), S(4), S(6), pic::shade(skin, 0.9));

    // Eyes by expression.
    const Rgb iris = human ? pic::shade(look.accent, 0.75) : look.accent;
    const double eyeY = 46;
    auto eye = [&](double cx, int side) {
        switch (expression) {
        case 1: case 7:  // smiling: arcs
            img.line(X(cx - 5), Y(eyeY + 1), X(cx), Y(eyeY - 3), kLine, S(2));
            img.line(X(cx), Y(eyeY - 3), X(cx + 5), Y(eyeY + 1), kLine, S(2));
            break;
        case 8:  // pained: squeezed
            img.line(X(cx - 5), Y(eyeY - 2 - side), X(cx + 4), Y(eyeY), kLine, S(2));
            img.line(X(cx - 5), Y(eyeY + 2 + side), X(cx + 4), Y(eyeY), kLine, S(2));
            break;
        default: {
            double h = expression == 4 ? 8 : (expression == 3 || expression == 6 ? 5 : 6.5);
            img.fillEllipse(X(cx), Y(eyeY), S(5), S(h), pic::rgb(250, 250, 255));
            img.fillEllipse(X(cx + 0.5), Y(eyeY + 0.5), S(expression == 4 ? 2.5 : 3.5), S(expression == 4 ? 3 : 4.5), iris);
            img.fillEllipse(X(cx + 0.5), Y(eyeY + 1), S(1.5), S(2), kLine);
            img.fillEllipse(X(cx - 1.5), Y(eyeY - 2), S(1.2), S(1.2), pic::rgb(255, 255, 255));
            img.line(X(cx - 6), Y(eyeY - h + 0.5), X(cx + 5), Y(eyeY - h + 0.5), kLine, S(2));
            if (expression == 3 || expression == 6)  // heavy lids
                img.fillRect(static_cast<int>(X(cx - 5)), static_cast<int>(Y(eyeY - h)), static_cast<int>(S(10)), static_cast<int>(S(2.5)), pic::shade(skin, 0.8));
            if (expression == 9)  // glancing aside
                img.fillEllipse(X(cx + 2.5), Y(eyeY + 1), S(1.5), S(2), kLine);
        }
        }
    };
    eye(39, -1);
    eye(57, 1);
    // Brows.
    auto brow = [&](double cx, int side) {
        double inner = 0, outer = 0;
        switch (expression) {
        case 2: inner = 4; outer = -2; break;        // angry: inner ends down
        case 3: case 6: inner = -3; outer = 1; break; // sad, worried: inner ends up
        case 4: inner = -3; outer = -3; break;       // surprised: raised
        case 5: inner = 2; outer = -1; break;        // resolute
        case 8: inner = 3; outer = 0; break;
        default: break;
        }
        double innerX = cx - side * 6, outerX = cx + side * 6;
        img.line(X(innerX), Y(36 + inner), X(outerX), Y(36 + outer), pic::shade(hair, 0.55), S(2.5));
    };
    brow(39, -1);
    brow(57, 1);
    // Mouth.
    const Rgb lip = pic::rgb(170, 70, 80);
    switch (expression) {
    case 1: img.line(X(43), Y(60), X(48), Y(62), kLine, S(1.6)); img.line(X(48), Y(62), X(53), Y(60), kLine, S(1.6)); break;
    case 2: img.line(X(43), Y(62), X(53), Y(61), kLine, S(2)); img.line(X(43), Y(62), X(41), Y(63), kLine, S(1.5)); break;
    case 3: img.line(X(43), Y(62), X(48), Y(60), kLine, S(1.6)); img.line(X(48), Y(60), X(53), Y(62), kLine, S(1.6)); break;
    case 4: img.fillEllipse(X(48), Y(62), S(3), S(4), lip); break;
    case 5: img.line(X(43), Y(61), X(53), Y(61), kLine, S(2)); break;
    case 6: img.line(X(44), Y(61), X(47), Y(60), kLine, S(1.5)); img.line(X(47), Y(60), X(52), Y(62), kLine, S(1.5)); break;
    case 7: img.fillPolygon({X(41), Y(58), X(55), Y(58), X(48), Y(66)}, lip); break;
    case 8: img.fillRect(static_cast<int>(X(42)), static_cast<int>(Y(59)), static_cast<int>(S(12)), static_cast<int>(S(4)), pic::rgb(240, 240, 240));
            img.frameRect(static_cast<int>(X(42)), static_cast<int>(Y(59)), static_cast<int>(S(12)), static_cast<int>(S(4)), kLine); break;
    case 9: img.line(X(44), Y(61), X(46), Y(60), kLine, S(1.5)); img.line(X(46), Y(60), X(48), Y(61), kLine, S(1.5));
            img.line(X(48), Y(61), X(50), Y(60), kLine, S(1.5)); img.line(X(50), Y(60), X(52), Y(61), kLine, S(1.5)); break;
    default: img.line(X(45), Y(61), X(51), Y(61), kLine, S(1.6)); break;
    }
    // Cheeks and marks.
    if (expression == 1 || expression == 7 || expression == 9) {
        img.fillEllipse(X(34), Y(55), S(5), S(2.5), pic::rgb(240, 130, 140), expression == 9 ? 0.7 : 0.4);
        img.fillEllipse(X(62), Y(55), S(5), S(2.5), pic::rgb(240, 130, 140), expression == 9 ? 0.7 : 0.4);
    }
    if (expression == 3) img.fillEllipse(X(60), Y(56), S(1.8), S(3.5), pic::rgb(150, 200, 255));
    if (expression == 6 || expression == 9 || expression == 8) {
        img.fillEllipse(X(72), Y(30), S(3), S(5), pic::rgb(160, 210, 255));
    }
    if (expression == 2) {  // a cross vein
        img.line(X(66), Y(24), X(72), Y(28), pic::rgb(220, 40, 40), S(2));
        img.line(X(72), Y(24), X(66), Y(28), pic::rgb(220, 40, 40), S(2));
    }

    // Hair and headwear in front.
    if (!human) return;
    if (st == "bald") {
        img.fillEllipse(X(42), Y(26), S(8), S(4), pic::mix(skin, pic::rgb(255, 255, 255), 0.3));
        img.fillPolygon({X(34), Y(60), X(62), Y(60), X(58), Y(76), X(38), Y(76)}, hair);
        img.fillRect(static_cast<int>(X(44)), static_cast<int>(Y(60)), static_cast<int>(S(8)), static_cast<int>(S(3)), skin);
        return;
    }
    if (st == "hood") {
        img.fillPolygon({X(22), Y(30), X(48), Y(8), X(74), Y(30), X(78), Y(80), X(68), Y(80), X(66), Y(36), X(30), Y(36), X(28), Y(80), X(18), Y(80)}, look.top);
        img.fillPolygon({X(30), Y(36), X(66), Y(36), X(62), Y(30), X(34), Y(30)}, pic::shade(look.top, 0.6));
        return;
    }
    if (st == "helmet") {
        img.fillPolygon({X(24), Y(40), X(26), Y(22), X(48), Y(12), X(70), Y(22), X(72), Y(40), X(66), Y(34), X(30), Y(34)}, hair);
        img.fillRect(static_cast<int>(X(24)), static_cast<int>(Y(32)), static_cast<int>(S(48)), static_cast<int>(S(4)), pic::shade(hair, 0.7));
        img.fillEllipse(X(40), Y(20), S(6), S(3), pic::mix(hair, pic::rgb(255, 255, 255), 0.5));
        return;
    }
    // A hair cap with a fringe.
    img.fillPolygon({X(25), Y(48), X(24), Y(28), X(34), Y(16), X(48), Y(12), X(62), Y(16), X(72), Y(28), X(71), Y(48),
                     X(66), Y(32), X(58), Y(38), X(52), Y(30), X(44), Y(38), X(38), Y(30), X(30), Y(40)},
                    hair);
    img.fillEllipse(X(42), Y(20), S(8), S(3), pic::mix(hair, pic::rgb(255, 255, 255), 0.35));
    if (st == "long" || st == "old") {
        img.fillPolygon({X(24), Y(30), X(30), Y(40), X(28), Y(80), X(20), Y(80)}, hair);
        img.fillPolygon({X(72), Y(30), X(66), Y(40), X(68), Y(80), X(76), Y(80)}, hair);
    } else if (st == "spiky") {
        img.fillPolygon({X(26), Y(26), X(14), Y(14), X(34), Y(18)}, hair);
        img.fillPolygon({X(38), Y(16), X(36), Y(0), X(50), Y(13)}, hair);
        img.fillPolygon({X(52), Y(13), X(64), Y(1), X(64), Y(18)}, hair);
        img.fillPolygon({X(68), Y(22), X(84), Y(14), X(72), Y(32)}, hair);
    } else if (st == "tail") {
        img.fillEllipse(X(72), Y(24), S(5), S(5), look.accent);
    } else if (st == "cap") {
        img.fillPolygon({X(24), Y(30), X(30), Y(14), X(48), Y(8), X(66), Y(14), X(72), Y(30)}, look.accent);
        img.fillPolygon({X(20), Y(30), X(76), Y(30), X(80), Y(35), X(16), Y(35)}, pic::shade(look.accent, 0.7));
    } else if (st == "hat") {
        img.fillPolygon({X(30), Y(26), X(34), Y(4), X(62), Y(4), X(66), Y(26)}, look.accent);
        img.fillPolygon({X(10), Y(28), X(86), Y(28), X(80), Y(33), X(16), Y(33)}, pic::shade(look.accent, 0.7));
        img.fillRect(static_cast<int>(X(32)), static_cast<int>(Y(20)), static_cast<int>(S(32)), static_cast<int>(S(4)), look.top);
    } else if (st == "crown") {
        Rgb gold = pic::rgb(240, 200, 60);
        img.fillPolygon({X(30), Y(20), X(32), Y(4), X(39), Y(14), X(48), Y(0), X(57), Y(14), X(64), Y(4), X(66), Y(20)}, gold);
        img.fillEllipse(X(48), Y(14), S(3), S(3), pic::rgb(220, 40, 60));
        if (!look.female) img.fillPolygon({X(36), Y(62), X(60), Y(62), X(56), Y(78), X(48), Y(82), X(40), Y(78)}, hair);
    }
    if (st == "old") {  // lines of age
        img.line(X(32), Y(52), X(36), Y(54), pic::shade(skin, 0.75), S(1));
        img.line(X(64), Y(52), X(60), Y(54), pic::shade(skin, 0.75), S(1));
    }
}

}  // namespace picgen
