// 159-163: the card sheets, 5 x 4 cards of 90 x 120 (card c on sheet c / 20,
// i = c mod 20 at column i mod 5, row i / 5); 164: the card back at (0, 0)
// and the empty board cell at (90, 0).
//
// The duel writes the element glyph (centre) and the four values (top, left,
// right, bottom) over a card in dark grey or orange-red, so every card keeps
// light badges at those places and its art is soft behind them.
// Subjects: cards 0-59 the sixty characters of the sprite sheets, 60-79
// treasures, 80-84 the five party members (the tournament prize cards), 85-99
// the portraits of the story's other people.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "tools/common/Random.h"
#include "tools/picgen/CardArt.h"
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"
#include "tools/picgen/Scenery.h"
#include "tools/picgen/TextPainter.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

const Rgb kParchment = pic::rgb(248, 240, 218);

void paintFrame(Image& img, int x, int y, Rgb trim) {
    for (int j = 0; j < 120; ++j)
        for (int i = 0; i < 90; ++i) img.set(x + i, y + j, pic::mix(kParchment, pic::rgb(230, 214, 180), j / 119.0));
    img.frameRect(x, y, 90, 120, pic::rgb(60, 40, 20));
    img.frameRect(x + 1, y + 1, 88, 118, trim, 2);
    img.frameRect(x + 3, y + 3, 84, 114, pic::shade(trim, 0.6));
    for (int c = 0; c < 4; ++c) {
        int cx = x + ((c & 1) ? 80 : 9), cy = y + ((c & 2) ? 110 : 9);
        img.fillEllipse(cx + 0.5, cy + 0.5, 3, 3, trim);
    }
}

// Badges where the duel writes the figures.
void paintBadges(Image& img, int x, int y) {
    const Rgb badge = pic::rgb(255, 252, 240), ring = pic::rgb(200, 170, 110);
    const double spots[4][2] = {{45, 15}, {13, 55}, {77, 55}, {45, 105}};
    for (const auto& s : spots) {
        img.fillEllipse(x + s[0], y + s[1], 11.5, 12.5, ring, 0.7);
        img.fillEllipse(x + s[0], y + s[1], 10, 11, badge, 0.8);
    }
}

// A treasure for cards 60-79.
void paintTreasure(Image& img, int x, int y, int k) {
    const Rgb gems[6] = {pic::rgb(230, 70, 70), pic::rgb(70, 130, 240), pic::rgb(80, 200, 110),
                         pic::rgb(240, 200, 60), pic::rgb(180, 90, 230), pic::rgb(240, 240, 250)};
    Rgb g = gems[k % 6];
    const double cx = x + 45, cy = y + 60;
    switch (k % 5) {
    case 0:  // a sword
        img.fillPolygon({cx - 4, cy + 10, cx + 4, cy + 10, cx + 3, cy - 40, cx, cy - 46, cx - 3, cy - 40}, pic::rgb(210, 220, 235));
        img.fillRect(static_cast<int>(cx - 14), static_cast<int>(cy + 10), 28, 5, pic::rgb(200, 160, 60));
        img.fillRect(static_cast<int>(cx - 3), static_cast<int>(cy + 15), 6, 18, pic::rgb(110, 70, 40));
        img.fillEllipse(cx, cy + 12, 3, 3, g);
        break;
    case 1:  // a shield
        img.fillPolygon({cx - 26, cy - 30, cx + 26, cy - 30, cx + 24, cy + 6, cx, cy + 36, cx - 24, cy + 6}, pic::shade(g, 0.8));
        img.fillPolygon({cx - 20, cy - 25, cx + 20, cy - 25, cx + 18, cy + 4, cx, cy + 28, cx - 18, cy + 4}, pic::rgb(220, 220, 230));
        img.fillEllipse(cx, cy - 4, 8, 8, g);
        break;
    case 2:  // a potion
        img.fillEllipse(cx, cy + 12, 22, 22, pic::rgb(220, 235, 245));
        img.fillEllipse(cx, cy + 16, 19, 16, g);
        img.fillRect(static_cast<int>(cx - 6), static_cast<int>(cy - 26), 12, 18, pic::rgb(220, 235, 245));
        img.fillRect(static_cast<int>(cx - 7), static_cast<int>(cy - 32), 14, 7, pic::rgb(150, 100, 60));
        img.fillEllipse(cx - 8, cy + 6, 4, 6, pic::rgb(255, 255, 255), 0.7);
        break;
    case 3:  // a gem
        img.fillPolygon({cx, cy - 34, cx + 28, cy - 8, cx + 18, cy + 30, cx - 18, cy + 30, cx - 28, cy - 8}, g);
        img.fillPolygon({cx, cy - 34, cx + 28, cy - 8, cx, cy, cx - 28, cy - 8}, pic::mix(g, pic::rgb(255, 255, 255), 0.5));
        img.fillPolygon({cx, cy, cx + 18, cy + 30, cx - 18, cy + 30}, pic::shade(g, 0.6));
        break;
    default:  // a staff
        img.line(cx - 18, cy + 40, cx + 12, cy - 26, pic::rgb(130, 90, 50), 5);
        img.fillEllipse(cx + 14, cy - 30, 11, 11, g);
        img.fillEllipse(cx + 11, cy - 33, 4, 4, pic::rgb(255, 255, 255), 0.8);
        for (int i = 0; i < 6; ++i) {
            double a = i * M_PI / 3;
            img.line(cx + 14 + std::cos(a) * 13, cy - 30 + std::sin(a) * 13, cx + 14 + std::cos(a) * 18, cy - 30 + std::sin(a) * 18, g, 2);
        }
    }
}

// The subjects of cards.txt by card index.
const std::map<int, std::vector<std::string>>& cardSubjects() {
    static const auto subjects = [] {
        std::map<int, std::vector<std::string>> m;
        std::ifstream in(contentDir() + "/cards.txt");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream w(line);
            std::string word, number;
            w >> word >> number;
            if (word != "card") continue;
            std::vector<std::string> rest;
            while (w >> word) rest.push_back(word);
            m[std::stoi(number)] = rest;
        }
        return m;
    }();
    return subjects;
}

void paintFigure(Image& art, const Look& l) {
    Image sprite(32, 40);
    paintSprite(sprite, 0, 0, l, kStand);
    art.fillEllipse(45, 62, 36, 40, pic::mix(l.top, kParchment, 0.6));
    art.drawScaled(sprite, 0, 0, 32, 40, 13, 20, 2);
}

void paintFace(Image& art, const Look& l, int expression) {
    Image face(96, 96);
    paintPortrait(face, 0, 0, 96, l, expression);
    art.drawResized(face, 6, 0, 84, 96, 8, 20, 74, 84);
}

void paintCrystalArt(Image& art) {
    const double cx = 45, cy = 60, r = 22;
    art.fillEllipse(cx, cy, 38, 38, pic::rgb(140, 190, 255), 0.4);
    art.fillPolygon({cx, cy - r * 1.6, cx + r * 0.3, cy - r * 0.3, cx + r * 1.6, cy, cx + r * 0.3, cy + r * 0.3, cx, cy + r * 1.6,
                     cx - r * 0.3, cy + r * 0.3, cx - r * 1.6, cy, cx - r * 0.3, cy - r * 0.3},
                    pic::rgb(200, 230, 255));
    art.fillEllipse(cx, cy, 6, 6, pic::rgb(255, 255, 255));
}

void paintCard(Image& img, int x, int y, int index) {
    const auto& looks = characterLooks();
    Rgb trim = pic::rgb(190, 150, 70);
    if (index >= 80) trim = pic::rgb(210, 180, 90);
    if (index >= 85) trim = pic::rgb(180, 90, 200);
    paintFrame(img, x, y, trim);
    Image art(90, 120);
    auto subject = cardSubjects().find(index);
    const std::vector<std::string> none;
    const std::vector<std::string>& f = subject == cardSubjects().end() ? none : subject->second;
    const std::string kind = f.empty() ? "" : f[0];
    if (kind == "sprite" && f.size() >= 2) {
        paintFigure(art, looks[std::clamp(std::stoi(f[1]), 0, 59)]);
    } else if (kind == "look" && f.size() >= 2 && extraLook(f[1])) {
        const Look& l = *extraLook(f[1]);
        if (l.kind == "human") paintFace(art, l, 0);
        else paintFigure(art, l);
    } else if (kind == "portrait" && f.size() >= 3) {
        PortraitCell cell = portraitCell(std::stoi(f[1]), std::stoi(f[2]));
        if (cell.look) paintFace(art, *cell.look, cell.expression);
    } else if (kind == "towns" && f.size() >= 3) {
        if (const Look* l = townspersonLook(std::stoi(f[1]), std::stoi(f[2]))) paintFace(art, *l, 1);
    } else if (kind == "scene" && f.size() >= 3) {
        Image view(78, 100);
        if (const std::vector<std::string>* layers = sceneLayers(f[1] + " " + f[2])) {
            unsigned seed = 11;
            for (const std::string& layer : *layers)
                if (layer.rfind("text", 0) != 0) paintLayer(view, layer, 0, 0, 78, 100, seed++);
        }
        art.draw(view, 6, 10);
    } else if (kind == "treasure" && f.size() >= 2) {
        art.fillEllipse(45, 60, 38, 42, pic::mix(pic::rgb(200, 180, 120), kParchment, 0.5));
        paintTreasure(art, 0, 0, std::stoi(f[1]));
    } else if (kind == "crystal") {
        paintCrystalArt(art);
    } else if (index < 60) {
        paintFigure(art, looks[index]);
    } else if (index < 80) {
        art.fillEllipse(45, 60, 38, 42, pic::mix(pic::rgb(200, 180, 120), kParchment, 0.5));
        paintTreasure(art, 0, 0, index - 60);
    } else {
        PortraitCell cell = index < 85 ? portraitCell(index - 80, 1) : portraitCell(index - 80, 0);
        if (cell.look) paintFace(art, *cell.look, cell.expression);
    }
    // Soften the art so the duel's figures stand out over it.
    for (int j = 6; j < 114; ++j)
        for (int i = 6; i < 84; ++i)
            if (art.coverage(i, j)) img.blend(x + i, y + j, pic::mix(art.at(i, j), kParchment, 0.2), art.coverage(i, j) / 255.0);
    paintBadges(img, x, y);
    // The card number in small print.
    TextStyle n;
    n.size = 9;
    n.colour = pic::rgb(120, 90, 50);
    char8_t text[8];
    int v = index + 1;
    int len = 0;
    char8_t digits[4];
    do {
        digits[len++] = static_cast<char8_t>(u8'0' + v % 10);
        v /= 10;
    } while (v);
    text[0] = u8'N';
    text[1] = u8'o';
    text[2] = u8'.';
    for (int i = 0; i < len; ++i) text[3 + i] = digits[len - 1 - i];
    text[3 + len] = 0;
    paintText(img, x + 60, y + 106, text, n);
}

void paintSheet(Image& img, int sheet) {
    img.fill(pic::rgb(20, 60, 10));
    for (int i = 0; i < 20; ++i) paintCard(img, (i % 5) * 90, (i / 5) * 120, sheet * 20 + i);
}

void paintBackSheet(Image& img) {
    img.fill(pic::rgb(20, 60, 10));
    paintCardBack(img, 0, 0);
    paintEmptyCell(img, 90, 0);
}

}  // namespace

void paintCardPicture(Image& img, int x, int y, int index) { paintCard(img, x, y, index); }

void paintCardBack(Image& img, int x, int y) {
    for (int j = 0; j < 120; ++j)
        for (int i = 0; i < 90; ++i) {
            Rgb c = pic::mix(pic::rgb(40, 60, 150), pic::rgb(16, 22, 70), j / 119.0);
            if (((i + j) / 6) % 2 == 0 && ((i - j + 120) / 6) % 2 == 0) c = pic::shade(c, 1.2);
            img.set(x + i, y + j, c);
        }
    img.frameRect(x, y, 90, 120, pic::rgb(10, 10, 30));
    img.frameRect(x + 1, y + 1, 88, 118, pic::rgb(220, 190, 100), 2);
    img.frameRect(x + 6, y + 6, 78, 108, pic::rgb(220, 190, 100));
    const double cx = x + 45, cy = y + 60, r = 16;
    img.fillEllipse(cx, cy, 30, 30, pic::rgb(120, 160, 255), 0.3);
    img.fillPolygon({cx, cy - r * 1.8, cx + r * 0.3, cy - r * 0.3, cx + r * 1.8, cy, cx + r * 0.3, cy + r * 0.3, cx, cy + r * 1.8,
                     cx - r * 0.3, cy + r * 0.3, cx - r * 1.8, cy, cx - r * 0.3, cy - r * 0.3},
                    pic::rgb(230, 240, 255));
    img.fillEllipse(cx, cy, 4, 4, pic::rgb(255, 255, 255));
}

void paintEmptyCell(Image& img, int x, int y, double scale) {
    const int w = static_cast<int>(90 * scale), h = static_cast<int>(120 * scale);
    img.fillRect(x, y, w, h, pic::rgb(22, 92, 8));
    img.frameRect(x, y, w, h, pic::rgb(12, 60, 4));
    for (int i = 3; i < w - 3; i += 6) {
        img.fillRect(x + i, y + 3, 3, 1, pic::rgb(140, 210, 120));
        img.fillRect(x + i, y + h - 4, 3, 1, pic::rgb(140, 210, 120));
    }
    for (int j = 3; j < h - 3; j += 6) {
        img.fillRect(x + 3, y + j, 1, 3, pic::rgb(140, 210, 120));
        img.fillRect(x + w - 4, y + j, 1, 3, pic::rgb(140, 210, 120));
    }
}

Rgb elementColour(const std::string& g) {
    if (g == utf8(u8"炎")) return pic::rgb(220, 60, 30);
    if (g == utf8(u8"水")) return pic::rgb(40, 100, 220);
    if (g == utf8(u8"風")) return pic::rgb(40, 160, 70);
    if (g == utf8(u8"土")) return pic::rgb(150, 100, 40);
    if (g == utf8(u8"雷")) return pic::rgb(200, 160, 0);
    if (g == utf8(u8"磁")) return pic::rgb(130, 60, 170);
    if (g == utf8(u8"光")) return pic::rgb(200, 170, 60);
    if (g == utf8(u8"闇")) return pic::rgb(70, 40, 100);
    if (g == utf8(u8"宇")) return pic::rgb(90, 70, 200);
    return pic::rgb(90, 90, 90);
}

void paintDiagramCard(Image& img, int x, int y, double scale, const DiagramCard& card) {
    Image full(90, 120);
    // A plain card of the element's colour with the duel's figures.
    Rgb tint = elementColour(card.element);
    for (int j = 0; j < 120; ++j)
        for (int i = 0; i < 90; ++i) full.set(i, j, pic::mix(kParchment, tint, 0.12 + 0.1 * j / 119.0));
    full.frameRect(0, 0, 90, 120, pic::rgb(60, 40, 20));
    full.frameRect(1, 1, 88, 118, card.opponent ? pic::rgb(220, 80, 60) : pic::rgb(70, 120, 230), 3);
    paintBadges(full, 0, 0);
    const Rgb figure = card.opponent ? pic::rgb(255, 64, 0) : pic::rgb(64, 64, 64);
    TextStyle s;
    s.size = 28;
    s.bold = true;
    s.colour = figure;
    auto digit = [](int v) {
        std::string d(1, static_cast<char>('0' + std::max(0, std::min(9, v))));
        return d;
    };
    paintTextCentred(full, 45, 16, reinterpret_cast<const char8_t*>(digit(card.values[1]).c_str()), s);
    paintTextCentred(full, 14, 56, reinterpret_cast<const char8_t*>(digit(card.values[0]).c_str()), s);
    paintTextCentred(full, 76, 56, reinterpret_cast<const char8_t*>(digit(card.values[2]).c_str()), s);
    paintTextCentred(full, 45, 105, reinterpret_cast<const char8_t*>(digit(card.values[3]).c_str()), s);
    TextStyle e = s;
    e.size = 30;
    e.colour = elementColour(card.element);
    paintTextCentred(full, 44, 60, reinterpret_cast<const char8_t*>(card.element.c_str()), e);
    const int w = static_cast<int>(90 * scale), h = static_cast<int>(120 * scale);
    if (card.fresh) img.fillRect(x - 4, y - 4, w + 8, h + 8, pic::rgb(255, 240, 120), 0.8);
    img.drawResized(full, 0, 0, 90, 120, x, y, w, h);
}

void addCardPictures(Jobs& jobs) {
    for (int s = 0; s < 5; ++s) jobs.push_back({159 + s, 512, 512, false, [s](Image& img) { paintSheet(img, s); }, ""});
    jobs.push_back({164, 256, 128, false, paintBackSheet, ""});
}

}  // namespace picgen
