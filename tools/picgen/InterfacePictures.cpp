// The small pictures of the interface: window frame and background, menu
// cursor and pointer hand, arrows and the Enter mark, gauges and the
// key-press lane, damage digits and popup words, the icon strip, the
// save-slot panel and the magical-stone banner.
#include <algorithm>
#include <cmath>

#include "tools/common/Random.h"
#include "tools/picgen/Picture.h"
#include "tools/picgen/TextPainter.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

const Rgb kGold = pic::rgb(232, 196, 96), kGoldDark = pic::rgb(150, 108, 40), kGoldLight = pic::rgb(255, 240, 180);
const Rgb kNavy = pic::rgb(20, 28, 72);
const Rgb kInk = pic::rgb(12, 10, 20);

// 249: a gold frame 16 pixels deep; the inside stays see-through.
void paintWindowBorder(Image& img) {
    // Bands from the outside in: dark rim, gold bevel, dark inner line.
    auto band = [&](int inset, int thickness, Rgb c) {
        for (int t = 0; t < thickness; ++t) img.frameRect(inset + t, inset + t, 64 - 2 * (inset + t), 64 - 2 * (inset + t), c);
    };
    band(1, 1, kInk);
    band(2, 1, kGoldLight);
    band(3, 2, kGold);
    band(5, 1, kGoldDark);
    band(6, 1, kInk);
    // Round the outer corners.
    for (int c = 0; c < 4; ++c) {
        int x = (c & 1) ? 63 : 0, y = (c & 2) ? 63 : 0, sx = (c & 1) ? -1 : 1, sy = (c & 2) ? -1 : 1;
        img.clear(x, y);
        img.clear(x + sx, y);
        img.clear(x, y + sy);
        img.set(x + sx, y + sy, kInk);
        // A jewel at each corner.
        int jx = x + sx * 5, jy = y + sy * 5;
        img.fillEllipseHard(jx + 0.5, jy + 0.5, 3.2, 3.2, kGoldDark);
        img.fillEllipseHard(jx + 0.5, jy + 0.5, 2.2, 2.2, pic::rgb(80, 160, 240));
        img.set(jx - sx / 2, jy - 1, pic::rgb(220, 240, 255));
    }
}

// 259: deep blue with a fine diagonal weave; uniform across so that it tiles
// and stretches alike.
void paintWindowBackground(Image& img) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            Rgb c = pic::mix(pic::rgb(36, 56, 140), pic::rgb(14, 22, 70), y / 63.0);
            if (((x + y) & 7) == 0 || ((x - y + 64) & 7) == 0) c = pic::shade(c, 1.12);
            img.set(x, y, c);
        }
}

// 250: a glossy bar (top 20 rows); the rest stays empty.
void paintCursorBar(Image& img) {
    img.fill(pic::rgb(10, 10, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 64; ++x) {
            double t = y / 19.0;
            Rgb c = t < 0.45 ? pic::mix(pic::rgb(230, 245, 255), pic::rgb(120, 190, 255), t / 0.45)
                             : pic::mix(pic::rgb(80, 150, 240), pic::rgb(40, 90, 200), (t - 0.45) / 0.55);
            img.set(x, y, c);
        }
    img.fillRect(0, 0, 64, 1, pic::rgb(255, 255, 255));
    img.fillRect(0, 19, 64, 1, pic::rgb(20, 50, 140));
}

// 251: a white glove pointing right, 14 x 12.
void paintPointerHand(Image& img) {
    static const char* rows[12] = {
        "..............",
        "....oooooo....",
        "...owwwwwwoooo",
        "..owwwwwwwwwwo",
        ".owwwwwwwwwwwo",
        "owwwwwwooooooo",
        "owwwwwwwwwo...",
        "owwwwwwwooo...",
        "owwwwwwwwwo...",
        ".owwwwwwooo...",
        "..oowwwwwo....",
        "....ooooo.....",
    };
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 14; ++x) {
            char ch = rows[y][x];
            if (ch == 'o') img.set(x, y, pic::rgb(40, 30, 60));
            else if (ch == 'w') img.set(x, y, y < 5 ? pic::rgb(255, 255, 255) : pic::rgb(230, 232, 245));
        }
}

// One thick arrow pointing up, in a 64 x 64 cell, later rotated.
void paintArrowUp(Image& cell) {
    const Rgb top = pic::rgb(255, 240, 120), bottom = pic::rgb(240, 140, 30);
    Image shape(64, 64);
    shape.fillPolygon({32, 4, 60, 32, 44, 32, 44, 60, 20, 60, 20, 32, 4, 32}, pic::rgb(255, 255, 255), 1.0, false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (shape.coverage(x, y)) cell.set(x, y, pic::mix(top, bottom, y / 63.0));
    cell.outlineRegion(0, 0, 64, 64, pic::rgb(90, 40, 10));
    cell.outlineRegion(0, 0, 64, 64, pic::rgb(255, 255, 255));
    // A shine down the left.
    cell.line(12, 29, 30, 9, pic::rgb(255, 255, 230), 2.0);
}

// 246: up (0,0), right (64,0), left (0,64), down (64,64).
void paintArrowSheet(Image& img) {
    Image up(64, 64);
    paintArrowUp(up);
    auto put = [&](int ox, int oy, int turns) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                int sx = x, sy = y;
                for (int t = 0; t < turns; ++t) {  // each turn: a quarter clockwise
                    int nx = sy, ny = 63 - sx;
                    sx = nx;
                    sy = ny;
                }
                if (up.coverage(sx, sy)) img.set(ox + x, oy + y, up.at(sx, sy));
            }
    };
    put(0, 0, 0);
    put(64, 0, 1);
    put(0, 64, 3);
    put(64, 64, 2);
}

// 244: the Enter key: a keycap with the return arrow and its name.
void paintEnterMark(Image& img) {
    img.fillPolygon({6, 6, 58, 6, 58, 58, 22, 58, 22, 34, 6, 34}, pic::rgb(70, 74, 96), 1.0, false);
    img.fillPolygon({8, 8, 56, 8, 56, 54, 24, 54, 24, 31, 8, 31}, pic::rgb(236, 238, 248), 1.0, false);
    img.fillRect(10, 10, 44, 3, pic::rgb(255, 255, 255));
    // The return arrow.
    img.fillRect(44, 18, 5, 24, pic::rgb(220, 60, 60));
    img.fillRect(28, 37, 21, 5, pic::rgb(220, 60, 60));
    img.fillPolygon({20, 39.5, 30, 31, 30, 48}, pic::rgb(220, 60, 60), 1.0, false);
    TextStyle s;
    s.size = 10;
    s.bold = true;
    s.colour = pic::rgb(40, 40, 70);
    paintText(img, 12, 15, u8"Enter", s);
    img.outlineRegion(0, 0, 64, 64, pic::rgb(20, 20, 40));
}

// 245: HP frame and fill, SP frame and fill, the time gauge's dark and light strips.
void paintGaugeBar(Image& img) {
    img.fill(pic::rgb(4, 4, 8));
    auto frame = [&](int x, int w) {
        img.fillRect(x, 0, w, 8, pic::rgb(30, 30, 40));
        img.frameRect(x, 0, w, 8, pic::rgb(210, 210, 230));
        img.fillRect(x + 1, 1, w - 2, 1, pic::rgb(60, 60, 80));
    };
    auto fill = [&](int x, int w, Rgb hi, Rgb lo) {
        for (int y = 9; y < 16; ++y) {
            Rgb c = pic::mix(hi, lo, (y - 9) / 6.0);
            for (int i = 0; i < w; ++i) img.set(x + i, y, c);
        }
    };
    frame(0, 64);
    fill(0, 64, pic::rgb(180, 255, 140), pic::rgb(30, 150, 40));
    frame(64, 50);
    fill(64, 50, pic::rgb(150, 210, 255), pic::rgb(30, 80, 200));
    fill(128, 64, pic::rgb(70, 40, 30), pic::rgb(40, 20, 20));
    for (int y = 0; y < 9; ++y)
        for (int x = 128; x < 192; ++x) img.set(x, y, pic::mix(pic::rgb(60, 40, 40), pic::rgb(30, 18, 18), y / 8.0));
    fill(128, 64, pic::rgb(255, 240, 120), pic::rgb(240, 110, 20));
}

// 247: the key-press lane frame; its boxes mark where a note may be hit
// (its left edge 36 to 133 pixels from the frame's left edge).
void paintGaugeFrame(Image& img) {
    const Rgb rim = pic::rgb(220, 225, 245), shade = pic::rgb(60, 70, 120);
    img.frameRect(0, 0, 512, 64, shade, 1);
    img.frameRect(1, 1, 510, 62, rim, 2);
    img.frameRect(3, 3, 506, 58, shade, 1);
    // The hit window: a bright box where the arrow fits, and the reach of the window.
    const Rgb hot = pic::rgb(255, 220, 60), hotDark = pic::rgb(160, 100, 20);
    img.frameRect(36, 4, 64, 56, hotDark, 1);
    img.frameRect(37, 5, 62, 54, hot, 2);
    img.frameRect(133, 4, 64, 56, hotDark, 1);
    img.frameRect(134, 5, 62, 54, pic::mix(hot, pic::rgb(255, 255, 255), 0.4), 1);
    for (int x = 100; x < 133; x += 4) {
        img.fillRect(x, 5, 2, 2, hot);
        img.fillRect(x, 57, 2, 2, hot);
    }
    // Chevrons showing the notes' way, right to left.
    for (int x = 240; x < 500; x += 40) {
        img.line(x + 10, 24, x, 32, pic::rgb(150, 160, 210), 2);
        img.line(x, 32, x + 10, 40, pic::rgb(150, 160, 210), 2);
    }
}

// 242: ten digits across, four colour rows of 16 x 32.
void paintDigitSheet(Image& img) {
    const Rgb tops[4] = {pic::rgb(255, 255, 255), pic::rgb(200, 255, 190), pic::rgb(190, 220, 255), pic::rgb(220, 255, 255)};
    const Rgb bottoms[4] = {pic::rgb(230, 230, 240), pic::rgb(40, 210, 60), pic::rgb(50, 110, 255), pic::rgb(100, 230, 240)};
    for (int row = 0; row < 4; ++row)
        for (int d = 0; d < 10; ++d) {
            char8_t text[2] = {static_cast<char8_t>(u8'0' + d), 0};
            TextStyle s;
            s.size = 26;
            s.bold = true;
            s.gradient = true;
            s.colour = tops[row];
            s.bottomColour = bottoms[row];
            s.outline = 1;
            s.outlineColour = pic::rgb(20, 16, 30);
            Image cell(16, 32);
            int w = 0, h = 0;
            measureText(text, s, w, h);
            paintText(cell, (16 - w) / 2 + 1, (32 - h) / 2 + 2, text, s);
            img.draw(cell, d * 16, row * 32);
        }
}

// 243: popup words, two columns by ten rows of 48 x 32.
void paintPopupWords(Image& img) {
    struct Word {
        const char8_t* text;
        Rgb top, bottom;
    };
    const Word words[10] = {
        {u8"Miss", pic::rgb(230, 230, 240), pic::rgb(150, 150, 170)},
        {u8"Clear", pic::rgb(255, 255, 255), pic::rgb(180, 200, 230)},
        {u8"Atk Up", pic::rgb(255, 200, 160), pic::rgb(240, 70, 40)},
        {u8"Def Up", pic::rgb(200, 230, 255), pic::rgb(60, 120, 240)},
        {u8"Mag Up", pic::rgb(250, 200, 255), pic::rgb(180, 70, 230)},
        {u8"Mdf Up", pic::rgb(200, 255, 240), pic::rgb(40, 180, 160)},
        {u8"Double", pic::rgb(255, 250, 180), pic::rgb(240, 180, 30)},
        {u8"Revive", pic::rgb(255, 255, 220), pic::rgb(250, 200, 80)},
        {u8"Hp Healing", pic::rgb(210, 255, 200), pic::rgb(50, 200, 70)},
        {u8"Sp Healing", pic::rgb(200, 230, 255), pic::rgb(50, 110, 240)},
    };
    auto paintWord = [&](const Word& w, int x, int y) {
        TextStyle s;
        s.bold = true;
        s.gradient = true;
        s.colour = w.top;
        s.bottomColour = w.bottom;
        s.outline = 1;
        s.outlineColour = pic::rgb(20, 16, 30);
        // Painted large, then narrowed into the 48 x 32 cell, so long words
        // keep their height.
        s.size = 22;
        int tw = 0, th = 0;
        measureText(w.text, s, tw, th);
        Image wide(tw, th);
        paintText(wide, 0, 0, w.text, s);
        const int dw = std::min(46, tw), dh = std::min(30, th);
        Image cell(48, 32);
        cell.drawResized(wide, 0, 0, tw, th, (48 - dw) / 2, (32 - dh) / 2, dw, dh);
        img.draw(cell, x, y);
    };
    for (int row = 0; row < 10; ++row) {
        paintWord(words[row], 0, row * 32);
        if (row == 0) {
            paintWord(Word{u8"Cancel", pic::rgb(255, 240, 200), pic::rgb(230, 140, 40)}, 48, 0);
        } else {
            paintWord(words[row], 48, row * 32);
        }
    }
}

// A cut gem for the icon strip.
void paintGem(Image& img, int x0, Rgb c, bool dim) {
    Rgb light = pic::mix(c, pic::rgb(255, 255, 255), 0.55), dark = pic::shade(c, 0.55);
    if (dim) {
        c = pic::mix(c, pic::rgb(110, 110, 120), 0.75);
        light = pic::mix(light, pic::rgb(150, 150, 160), 0.75);
        dark = pic::mix(dark, pic::rgb(60, 60, 70), 0.75);
    }
    const double cx = x0 + 16, cy = 16;
    img.fillPolygon({cx, cy - 13, cx + 11, cy - 4, cx + 7, cy + 12, cx - 7, cy + 12, cx - 11, cy - 4}, c, 1.0, false);
    img.fillPolygon({cx, cy - 13, cx + 11, cy - 4, cx, cy - 1, cx - 11, cy - 4}, light, 1.0, false);
    img.fillPolygon({cx, cy - 1, cx + 7, cy + 12, cx - 7, cy + 12}, dark, 1.0, false);
    img.fillPolygon({cx - 3, cy - 9, cx + 1, cy - 9, cx - 5, cy - 4}, pic::rgb(255, 255, 255), 1.0, false);
    img.outlineRegion(x0, 0, 32, 32, pic::rgb(20, 16, 30));
}

// 156: sixteen icons of 32 x 32. 1-8 the eight stones, 9 and 10 markers (10
// is also the message's waiting mark), 11 a stone not yet awakened.
void paintIconStrip(Image& img) {
    const Rgb stones[8] = {pic::rgb(240, 80, 70),  pic::rgb(70, 150, 255), pic::rgb(90, 220, 110), pic::rgb(200, 150, 80),
                           pic::rgb(255, 230, 70), pic::rgb(190, 90, 255), pic::rgb(255, 250, 220), pic::rgb(120, 70, 170)};
    for (int k = 0; k < 8; ++k) paintGem(img, 32 * (k + 1), stones[k], false);
    // 9: a star marker.
    {
        std::vector<double> star;
        for (int i = 0; i < 10; ++i) {
            double a = -M_PI / 2 + i * M_PI / 5, r = (i % 2) ? 6 : 14;
            star.push_back(9 * 32 + 16 + std::cos(a) * r);
            star.push_back(17 + std::sin(a) * r);
        }
        img.fillPolygon(star, pic::rgb(255, 220, 60), 1.0, false);
        img.fillEllipseHard(9 * 32 + 14, 13, 3, 3, pic::rgb(255, 255, 210));
        img.outlineRegion(9 * 32, 0, 32, 32, pic::rgb(120, 60, 10));
    }
    // 10: a downward pointer, the "press a key" mark and a marker.
    {
        const int x = 10 * 32;
        img.fillPolygon({x + 4.0, 6, x + 28.0, 6, x + 16.0, 26}, pic::rgb(255, 255, 255), 1.0, false);
        img.fillPolygon({x + 9.0, 9, x + 23.0, 9, x + 16.0, 20}, pic::rgb(120, 200, 255), 1.0, false);
        img.outlineRegion(x, 0, 32, 32, pic::rgb(20, 30, 70));
    }
    paintGem(img, 11 * 32, pic::rgb(160, 160, 170), true);
    // 0 and 12-15 are never shown: plain sparkles keep them harmless.
    for (int k : {0, 12, 13, 14, 15}) {
        img.fillEllipseHard(32 * k + 16, 16, 3, 3, pic::rgb(200, 200, 220));
        img.outlineRegion(32 * k, 0, 32, 32, pic::rgb(40, 40, 60));
    }
}

// 157: the save-slot panel, 300 x 150 used.
void paintSaveSlotPanel(Image& img) {
    img.fill(pic::rgb(8, 8, 16));
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 300; ++x) {
            Rgb c = pic::mix(pic::rgb(40, 70, 160), pic::rgb(14, 20, 60), y / 149.0);
            c = pic::mix(c, pic::rgb(70, 110, 200), 0.25 * std::exp(-std::pow((x - y * 0.6 - 40) / 30.0, 2)));
            img.set(x, y, c);
        }
    img.frameRect(0, 0, 300, 150, pic::rgb(10, 10, 30), 1);
    img.frameRect(1, 1, 298, 148, kGoldLight, 1);
    img.frameRect(2, 2, 296, 146, kGold, 2);
    img.frameRect(4, 4, 292, 142, kGoldDark, 1);
    // The stone row (icons at x 22 + 32k, y 102).
    img.fillRect(18, 98, 264, 40, pic::rgb(8, 12, 40), 0.6);
    img.frameRect(18, 98, 264, 40, pic::rgb(120, 140, 200), 1);
    for (int k = 0; k < 8; ++k) img.fillEllipse(22 + 32 * k + 16, 118, 9, 9, pic::rgb(30, 40, 90), 0.8);
    img.line(14, 30, 286, 30, pic::rgb(120, 140, 200), 1, 0.8);
}

// 158: the banner of a magical stone being obtained, drawn at (64, 340).
void paintStoneBanner(Image& img) {
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 512; ++x) {
            double edge = std::min(1.0, std::min(x, 511 - x) / 80.0);
            Rgb c = pic::mix(pic::rgb(10, 10, 30), pic::mix(pic::rgb(60, 40, 120), pic::rgb(20, 20, 60), y / 127.0), edge);
            img.set(x, y, c);
        }
    img.fillRect(0, 8, 512, 2, kGold);
    img.fillRect(0, 118, 512, 2, kGold);
    pic::Random rnd(158);
    for (int i = 0; i < 120; ++i) {
        int x = rnd.below(512), y = 12 + rnd.below(104);
        img.blend(x, y, pic::rgb(255, 255, 255), 0.3 + 0.7 * rnd.unit());
    }
    // A glowing stone in the middle.
    img.fillEllipse(256, 64, 60, 44, pic::rgb(160, 120, 255), 0.25);
    img.fillEllipse(256, 64, 36, 30, pic::rgb(200, 170, 255), 0.35);
    img.fillPolygon({256, 28, 282, 52, 272, 96, 240, 96, 230, 52}, pic::rgb(140, 90, 240));
    img.fillPolygon({256, 28, 282, 52, 256, 60, 230, 52}, pic::rgb(210, 190, 255));
    img.fillPolygon({256, 60, 272, 96, 240, 96}, pic::rgb(90, 50, 170));
    TextStyle s;
    s.size = 26;
    s.bold = true;
    s.outline = 2;
    s.outlineColour = pic::rgb(30, 10, 60);
    s.gradient = true;
    s.colour = pic::rgb(255, 250, 220);
    s.bottomColour = pic::rgb(250, 200, 90);
    paintTextCentred(img, 128, 64, u8"魔硝石", s);
    paintTextCentred(img, 390, 64, u8"入手！", s);
}

}  // namespace

void addInterfacePictures(Jobs& jobs) {
    jobs.push_back({249, 64, 64, true, paintWindowBorder, ""});
    jobs.push_back({259, 64, 64, false, paintWindowBackground, ""});
    jobs.push_back({250, 64, 64, false, paintCursorBar, ""});
    jobs.push_back({251, 14, 12, true, paintPointerHand, ""});
    jobs.push_back({246, 128, 128, true, paintArrowSheet, ""});
    jobs.push_back({244, 64, 64, true, paintEnterMark, ""});
    jobs.push_back({245, 256, 16, false, paintGaugeBar, ""});
    jobs.push_back({247, 512, 64, true, paintGaugeFrame, ""});
    jobs.push_back({242, 160, 128, true, paintDigitSheet, ""});
    jobs.push_back({243, 96, 320, true, paintPopupWords, ""});
    jobs.push_back({156, 512, 32, true, paintIconStrip, ""});
    jobs.push_back({157, 512, 256, false, paintSaveSlotPanel, ""});
    jobs.push_back({158, 512, 128, false, paintStoneBanner, ""});
}

}  // namespace picgen
