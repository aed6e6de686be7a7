// The game's name in pictures: the opening logo, the title plate over the
// title map, the menu captions and the window icon.
#include <cmath>

#include "tools/common/Random.h"
#include "tools/picgen/Picture.h"
#include "tools/picgen/TextPainter.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

// A four-pointed star crystal, the game's emblem.
void paintCrystal(Image& img, double cx, double cy, double r, Rgb core, Rgb glow) {
    img.fillEllipse(cx, cy, r * 1.3, r * 1.3, glow, 0.25);
    img.fillEllipse(cx, cy, r * 0.8, r * 0.8, glow, 0.35);
    img.fillPolygon({cx, cy - r * 1.6, cx + r * 0.28, cy - r * 0.28, cx + r * 1.6, cy, cx + r * 0.28, cy + r * 0.28, cx, cy + r * 1.6,
                     cx - r * 0.28, cy + r * 0.28, cx - r * 1.6, cy, cx - r * 0.28, cy - r * 0.28},
                    core);
    img.fillPolygon({cx, cy - r * 1.6, cx + r * 0.28, cy - r * 0.28, cx, cy}, pic::mix(core, pic::rgb(255, 255, 255), 0.6));
    img.fillEllipse(cx, cy, r * 0.25, r * 0.25, pic::rgb(255, 255, 255));
}

// 355: the opening logo; only (0,0)-(200,40) is shown, at double size.
void paintOpeningLogo(Image& img) {
    img.fill(pic::rgb(0, 0, 0));
    paintCrystal(img, 20, 20, 11, pic::rgb(150, 200, 255), pic::rgb(90, 140, 255));
    TextStyle s;
    s.size = 22;
    s.bold = true;
    s.gradient = true;
    s.colour = pic::rgb(255, 255, 255);
    s.bottomColour = pic::rgb(140, 190, 255);
    paintText(img, 40, 2, u8"CORVADINE", s);
    TextStyle t;
    t.size = 10;
    t.colour = pic::rgb(170, 190, 230);
    paintText(img, 44, 27, u8"～ 閉ざされた星晶 ～", t);
}

// 255: the title plate, 640 x 480 shown over the town; the lower right stays
// clear for the menu entries at (360, 250).
void paintTitleNamePlate(Image& img) {
    // A soft dark band behind the name so it reads over any sky.
    for (int y = 40; y < 220; ++y)
        for (int x = 0; x < 640; ++x) {
            double v = std::sin((y - 40) / 180.0 * M_PI);
            double h = std::min(1.0, std::min(x, 639 - x) / 120.0);
            if (v * h > 0.05) img.blend(x, y, pic::rgb(8, 10, 40), 0.99);
        }
    // Sparkles.
    pic::Random rnd(255);
    for (int i = 0; i < 60; ++i) {
        double x = 40 + rnd.below(560), y = 50 + rnd.below(160);
        img.fillEllipse(x, y, 1.2, 1.2, pic::rgb(200, 220, 255));
    }
    paintCrystal(img, 92, 116, 30, pic::rgb(140, 200, 255), pic::rgb(80, 130, 255));
    TextStyle name;
    name.size = 72;
    name.bold = true;
    name.outline = 3;
    name.outlineColour = pic::rgb(20, 24, 80);
    name.gradient = true;
    name.colour = pic::rgb(255, 255, 255);
    name.bottomColour = pic::rgb(120, 180, 255);
    paintTextCentred(img, 350, 110, u8"コルヴァディン", name);
    TextStyle sub;
    sub.size = 30;
    sub.bold = true;
    sub.outline = 2;
    sub.outlineColour = pic::rgb(30, 20, 60);
    sub.gradient = true;
    sub.colour = pic::rgb(255, 245, 200);
    sub.bottomColour = pic::rgb(240, 180, 80);
    paintTextCentred(img, 380, 180, u8"～閉ざされた星晶～", sub);
    // A gold rule under the name.
    img.line(150, 150, 600, 150, pic::rgb(230, 190, 90), 2);
    img.fillEllipse(150, 150, 3, 3, pic::rgb(255, 230, 150));
    img.fillEllipse(600, 150, 3, 3, pic::rgb(255, 230, 150));
}

// One 277 x 56 caption of the menu strips, plain or highlighted.
void paintCaption(Image& img, int y, const char8_t* english, const char8_t* japanese, bool lit) {
    Image cell(277, 56);
    // A plate that fades to the right.
    for (int j = 6; j < 50; ++j)
        for (int i = 0; i < 277; ++i) {
            double fade = std::min(1.0, (277 - i) / 90.0);
            Rgb c = lit ? pic::mix(pic::rgb(90, 150, 255), pic::rgb(20, 50, 170), (j - 6) / 43.0)
                        : pic::mix(pic::rgb(40, 50, 90), pic::rgb(12, 16, 40), (j - 6) / 43.0);
            if (fade > 0.5) cell.set(i, j, c);
        }
    cell.fillRect(0, 6, 220, 1, lit ? pic::rgb(255, 255, 255) : pic::rgb(120, 130, 170));
    cell.fillRect(0, 49, 220, 1, lit ? pic::rgb(255, 230, 140) : pic::rgb(90, 100, 140));
    if (lit) paintCrystal(cell, 16, 28, 7, pic::rgb(255, 250, 210), pic::rgb(255, 220, 120));
    TextStyle s;
    s.size = 24;
    s.bold = true;
    s.outline = 1;
    s.outlineColour = pic::rgb(10, 10, 30);
    s.gradient = true;
    s.colour = lit ? pic::rgb(255, 255, 255) : pic::rgb(200, 205, 225);
    s.bottomColour = lit ? pic::rgb(255, 230, 140) : pic::rgb(140, 150, 180);
    paintText(cell, 32, 7, english, s);
    TextStyle j;
    j.size = 12;
    j.bold = true;
    j.colour = lit ? pic::rgb(255, 250, 220) : pic::rgb(160, 170, 200);
    paintText(cell, 36, 34, japanese, j);
    img.draw(cell, 0, y);
}

// 253: Game Start, Continue, Prologue, End at y 0, 56, 112, 168; lit forms
// 224 lower; the "Save" caption at y 448.
void paintMenuStrips(Image& img) {
    const char8_t* english[4] = {u8"GAME START", u8"CONTINUE", u8"PROLOGUE", u8"END"};
    const char8_t* japanese[4] = {u8"はじめから", u8"つづきから", u8"プロローグ", u8"おわる"};
    for (int i = 0; i < 4; ++i) {
        paintCaption(img, 56 * i, english[i], japanese[i], false);
        paintCaption(img, 224 + 56 * i, english[i], japanese[i], true);
    }
    paintCaption(img, 448, u8"SAVE", u8"セーブ", true);
}

// 389: the window icon, 32 x 32.
void paintIcon(Image& img) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) img.set(x, y, pic::mix(pic::rgb(30, 40, 120), pic::rgb(8, 10, 40), y / 31.0));
    img.frameRect(0, 0, 32, 32, pic::rgb(200, 170, 80));
    paintCrystal(img, 16, 16, 8.5, pic::rgb(150, 210, 255), pic::rgb(90, 140, 255));
}

}  // namespace

void addTitlePictures(Jobs& jobs) {
    jobs.push_back({355, 256, 64, false, paintOpeningLogo, ""});
    jobs.push_back({255, 1024, 512, true, paintTitleNamePlate, ""});
    jobs.push_back({253, 512, 512, true, paintMenuStrips, ""});
    jobs.push_back({389, 32, 32, false, paintIcon, "Icon_389.bmp"});
}

}  // namespace picgen
