// The full-screen pictures of the story (1024 x 512, visible 640 x 480):
// the stills, the chapter-title sheet, the world and stone maps, the chart
// of the six executives and the card-tutorial diagrams.
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

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

const char8_t* U(const std::string& s) { return reinterpret_cast<const char8_t*>(s.c_str()); }

std::vector<std::vector<std::string>> readLines(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(contentDir() + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream w(line);
        std::vector<std::string> row;
        std::string s;
        while (w >> s) row.push_back(s);
        if (!row.empty()) rows.push_back(row);
    }
    return rows;
}

// ---- The chapter-title sheet (179) ----------------------------------------

void paintChapterTile(Image& img, int k, const char8_t* label, const char8_t* title) {
    const int x0 = (k / 5) * 300, y0 = (k % 5) * 100;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x) img.set(x0 + x, y0 + y, pic::mix(pic::rgb(10, 12, 30), pic::rgb(30, 36, 80), y / 99.0));
    img.fillRect(x0, y0 + 8, 300, 1, pic::rgb(200, 170, 90));
    img.fillRect(x0, y0 + 91, 300, 1, pic::rgb(200, 170, 90));
    TextStyle l;
    l.size = 20;
    l.bold = true;
    l.colour = pic::rgb(240, 210, 130);
    paintText(img, x0 + 16, y0 + 16, label, l);
    TextStyle t;
    t.size = 28;
    t.bold = true;
    t.outline = 1;
    t.outlineColour = pic::rgb(0, 0, 20);
    t.gradient = true;
    t.colour = pic::rgb(255, 255, 255);
    t.bottomColour = pic::rgb(170, 200, 255);
    int w = 0, h = 0;
    measureText(title, t, w, h);
    paintText(img, x0 + 284 - w, y0 + 48, title, t);
}

void paintChapterSheet(Image& img) {
    img.fill(pic::rgb(10, 12, 30));
    struct Chapter {
        int tile;
        const char8_t* label;
        const char8_t* title;
    };
    const Chapter chapters[] = {
        {0, u8"エピソード０", u8"囚われの星"},      {1, u8"エピソード１", u8"港町の出会い"},
        {2, u8"エピソード２", u8"平原の彼方"},      {3, u8"エピソード３", u8"議事堂の影"},
        {4, u8"エピソード４", u8"鋼鉄の艦"},        {5, u8"エピソード５", u8"仙人の山"},
        {6, u8"エピソード６", u8"分かれ道"},        {7, u8"エピソード", u8"星晶の記憶"},
        {8, u8"エピソード７", u8"天へ続く塔"},      {9, u8"エピソード７", u8"滅びの王国"},
        {10, u8"エピソード８", u8"魔空間"},
    };
    for (const Chapter& c : chapters) paintChapterTile(img, c.tile, c.label, c.title);
    // The fixed piece (600,300)-(940,400), shown at the left of every tile.
    for (int y = 300; y < 400; ++y)
        for (int x = 600; x < 940; ++x) img.set(x, y, pic::mix(pic::rgb(10, 12, 30), pic::rgb(30, 36, 80), (y - 300) / 99.0));
    img.fillRect(600, 308, 340, 1, pic::rgb(200, 170, 90));
    img.fillRect(600, 391, 340, 1, pic::rgb(200, 170, 90));
    TextStyle n;
    n.size = 34;
    n.bold = true;
    n.outline = 2;
    n.outlineColour = pic::rgb(10, 10, 40);
    n.gradient = true;
    n.colour = pic::rgb(255, 255, 255);
    n.bottomColour = pic::rgb(130, 180, 255);
    paintTextCentred(img, 770, 336, u8"コルヴァディン", n);
    TextStyle s;
    s.size = 16;
    s.bold = true;
    s.colour = pic::rgb(240, 210, 130);
    paintTextCentred(img, 770, 372, u8"～閉ざされた星晶～", s);
}

// ---- World and stone maps (180-194, 196) ----------------------------------

struct WorldMap {
    struct Land {
        double x, y, rx, ry;
        std::string country;
    };
    struct Country {
        Rgb colour;
        std::string label;
    };
    struct Place {
        double x, y;
        std::string name;
    };
    struct Stone {
        int n;
        double x, y;
        Rgb colour;
    };
    std::vector<Land> lands;
    std::map<std::string, Country> countries;
    std::vector<Place> places;
    std::vector<Stone> stones;
};

const WorldMap& worldMap() {
    static const WorldMap m = [] {
        WorldMap w;
        for (const auto& f : readLines("worldmap.txt")) {
            if (f[0] == "land" && f.size() >= 6)
                w.lands.push_back({std::stod(f[1]), std::stod(f[2]), std::stod(f[3]), std::stod(f[4]), f[5]});
            else if (f[0] == "country" && f.size() >= 4)
                w.countries[f[1]] = {parseHex(f[2]), f[3]};
            else if (f[0] == "place" && f.size() >= 4)
                w.places.push_back({std::stod(f[1]), std::stod(f[2]), f[3]});
            else if (f[0] == "stone" && f.size() >= 5)
                w.stones.push_back({std::stoi(f[1]), std::stod(f[2]), std::stod(f[3]), parseHex(f[4])});
        }
        return w;
    }();
    return m;
}

// Land strength at a point, and the country that owns it.
double landAt(double x, double y, std::string* country) {
    const WorldMap& m = worldMap();
    double best = 0;
    for (const auto& l : m.lands) {
        double dx = (x - l.x) / l.rx, dy = (y - l.y) / l.ry;
        double v = std::exp(-(dx * dx + dy * dy) * 1.6);
        if (v > best) {
            best = v;
            if (country) *country = l.country;
        }
    }
    // A wobbly coast.
    best += 0.06 * std::sin(x * 0.09 + std::sin(y * 0.05) * 3) + 0.05 * std::sin(y * 0.11 + x * 0.03);
    return best;
}

enum class MapStyle { Plain, Countries, Stones };

void paintWorld(Image& img, MapStyle style, int stonesShown, int route) {
    const WorldMap& m = worldMap();
    // Parchment sea and land.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            std::string country;
            double v = landAt(x, y, &country);
            Rgb c;
            if (v < 0.32) {
                double depth = std::min(1.0, (0.32 - v) * 3);
                c = pic::mix(pic::rgb(120, 170, 210), pic::rgb(40, 80, 150), depth);
                if (v > 0.27) c = pic::mix(c, pic::rgb(200, 230, 240), 0.5);
            } else {
                Rgb land = pic::mix(pic::rgb(150, 180, 100), pic::rgb(120, 100, 70), std::min(1.0, (v - 0.32) * 1.5));
                if (style == MapStyle::Countries) {
                    auto it = m.countries.find(country);
                    if (it != m.countries.end()) land = pic::mix(land, it->second.colour, 0.75);
                }
                c = land;
                if (v < 0.35) c = pic::shade(c, 0.75);  // coastline
            }
            img.set(x, y, c);
        }
    // Paper frame and grid.
    for (int x = 0; x < 640; x += 64) img.line(x, 0, x, 480, pic::rgb(255, 255, 255), 1, 0.15);
    for (int y = 0; y < 480; y += 64) img.line(0, y, 640, y, pic::rgb(255, 255, 255), 1, 0.15);
    img.frameRect(0, 0, 640, 480, pic::rgb(90, 60, 30), 6);
    img.frameRect(6, 6, 628, 468, pic::rgb(220, 190, 120), 2);
    // Compass.
    img.fillPolygon({590, 40, 598, 70, 590, 64, 582, 70}, pic::rgb(200, 40, 40));
    TextStyle cs;
    cs.size = 14;
    cs.bold = true;
    cs.colour = pic::rgb(60, 40, 20);
    paintTextCentred(img, 590, 30, u8"N", cs);
    // Country names.
    if (style == MapStyle::Countries) {
        std::map<std::string, std::pair<double, double>> centre;
        std::map<std::string, double> weight;
        for (const auto& l : m.lands) {
            double wgt = l.rx * l.ry;
            centre[l.country].first += l.x * wgt;
            centre[l.country].second += l.y * wgt;
            weight[l.country] += wgt;
        }
        TextStyle ts;
        ts.size = 18;
        ts.bold = true;
        ts.colour = pic::rgb(255, 255, 255);
        ts.outline = 2;
        ts.outlineColour = pic::rgb(40, 30, 20);
        for (const auto& [key, c] : m.countries) {
            if (!weight[key]) continue;
            paintTextCentred(img, static_cast<int>(centre[key].first / weight[key]),
                             static_cast<int>(centre[key].second / weight[key]) + 26, U(c.label), ts);
        }
    }
    // Places.
    TextStyle ps;
    ps.size = 13;
    ps.bold = true;
    ps.colour = pic::rgb(40, 30, 20);
    ps.outline = 1;
    ps.outlineColour = pic::rgb(250, 240, 210);
    for (const auto& p : m.places) {
        img.fillEllipse(p.x, p.y, 4, 4, pic::rgb(60, 30, 20));
        img.fillEllipse(p.x, p.y, 2.5, 2.5, pic::rgb(250, 230, 160));
        paintText(img, static_cast<int>(p.x) + 6, static_cast<int>(p.y) - 16, U(p.name), ps);
    }
    if (style != MapStyle::Stones) return;
    // Routes from the hub.
    if (route) {
        const WorldMap::Place* from = &m.places[0];
        const WorldMap::Place* to = nullptr;
        for (const auto& p : m.places)
            if ((route == 1 && p.name == "天空の塔") || (route == 2 && p.name == "ルレノ城")) to = &p;
        if (to)
            for (double t = 0; t < 1; t += 0.04)
                img.fillEllipse(from->x + (to->x - from->x) * t, from->y + (to->y - from->y) * t - std::sin(t * M_PI) * 30, 2.5, 2.5,
                                pic::rgb(220, 40, 40));
        TextStyle rs;
        rs.size = 20;
        rs.bold = true;
        rs.colour = pic::rgb(220, 40, 40);
        rs.outline = 2;
        rs.outlineColour = pic::rgb(255, 250, 230);
        paintText(img, 24, 440, route == 1 ? u8"ルート１" : u8"ルート２", rs);
    }
    // The stones: the first ones found shine, the rest are faint.
    for (const auto& s : m.stones) {
        bool lit = s.n <= stonesShown;
        double r = lit ? 9 : 6;
        if (lit) img.fillEllipse(s.x, s.y, 18, 18, s.colour, 0.35);
        img.fillPolygon({s.x, s.y - r * 1.5, s.x + r, s.y, s.x, s.y + r * 1.5, s.x - r, s.y}, lit ? s.colour : pic::rgb(120, 120, 120));
        img.fillPolygon({s.x, s.y - r * 1.5, s.x + r, s.y, s.x, s.y}, pic::rgb(255, 255, 255), lit ? 0.5 : 0.2);
    }
    TextStyle ts;
    ts.size = 22;
    ts.bold = true;
    ts.colour = pic::rgb(255, 250, 220);
    ts.outline = 2;
    ts.outlineColour = pic::rgb(60, 30, 20);
    paintText(img, 24, 18, u8"魔硝石の在りか", ts);
}

// ---- The chart of the six executives (197) --------------------------------

void paintExecutiveChart(Image& img) {
    img.gradientRect(0, 0, 640, 480, pic::rgb(30, 20, 40), pic::rgb(70, 40, 60));
    TextStyle h;
    h.size = 30;
    h.bold = true;
    h.colour = pic::rgb(255, 230, 150);
    h.outline = 2;
    h.outlineColour = pic::rgb(20, 10, 20);
    paintTextCentred(img, 320, 34, u8"クロスケーション幹部", h);
    struct Person {
        int column;
        const char8_t* name;
        const char8_t* office;
    };
    const Person upper[3] = {{7, u8"アルゴン", u8"上級幹部"}, {6, u8"セレン", u8"上級幹部"}, {5, u8"クロム", u8"上級幹部"}};
    const Person lower[3] = {{10, u8"レニウム", u8"下級幹部"}, {9, u8"ラドン", u8"下級幹部"}, {8, u8"スズ", u8"下級幹部"}};
    TextStyle n;
    n.size = 18;
    n.bold = true;
    n.colour = pic::rgb(255, 255, 255);
    n.outline = 1;
    n.outlineColour = pic::rgb(10, 10, 20);
    TextStyle o = n;
    o.size = 13;
    o.colour = pic::rgb(220, 200, 160);
    auto row = [&](const Person* people, int y) {
        for (int i = 0; i < 3; ++i) {
            int x = 80 + i * 180;
            PortraitCell cell = portraitCell(people[i].column, 0);
            img.fillRect(x - 4, y - 4, 104, 104, pic::rgb(200, 170, 90));
            if (cell.look) paintPortrait(img, x, y, 96, *cell.look, 5);
            paintTextCentred(img, x + 48, y + 116, people[i].name, n);
            paintTextCentred(img, x + 48, y + 138, people[i].office, o);
        }
    };
    img.line(128, 224, 128, 250, pic::rgb(200, 170, 90), 2);
    img.line(308, 224, 308, 250, pic::rgb(200, 170, 90), 2);
    img.line(488, 224, 488, 250, pic::rgb(200, 170, 90), 2);
    row(upper, 70);
    row(lower, 268);
}

// ---- Card-tutorial diagrams (198-221) -------------------------------------

void paintTutorial(Image& img, int id) {
    img.gradientRect(0, 0, 640, 480, pic::rgb(40, 130, 30), pic::rgb(20, 90, 10));
    // The board on the left, the hand or the diagram on the right, the
    // explanation across the bottom.
    const int boardX = 40, boardY = 74;
    const double scale = 0.8;
    const int cw = static_cast<int>(90 * scale) + 8, ch = static_cast<int>(120 * scale) + 8;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) paintEmptyCell(img, boardX + c * cw, boardY + r * ch, scale);
    img.fillRect(20, 384, 600, 84, pic::rgb(10, 40, 10), 0.55);
    img.frameRect(20, 384, 600, 84, pic::rgb(200, 230, 160));
    bool inPicture = false;
    int textLine = 0;
    TextStyle title;
    title.size = 26;
    title.bold = true;
    title.colour = pic::rgb(255, 255, 200);
    title.outline = 2;
    title.outlineColour = pic::rgb(10, 30, 10);
    TextStyle body;
    body.size = 18;
    body.bold = true;
    body.colour = pic::rgb(255, 255, 255);
    body.outline = 1;
    body.outlineColour = pic::rgb(10, 30, 10);
    for (const auto& f : readLines("tutorial.txt")) {
        if (f[0] == "picture") {
            inPicture = std::stoi(f[1]) == id;
            continue;
        }
        if (!inPicture) continue;
        std::string rest;
        for (size_t i = 1; i < f.size(); ++i) rest += (i > 1 ? " " : "") + f[i];
        if (f[0] == "title") {
            paintText(img, 30, 22, U(rest), title);
        } else if (f[0] == "text") {
            paintText(img, 36, 394 + 26 * textLine++, U(rest), body);
        } else if (f[0] == "cell" && f.size() >= 9) {
            int c = std::stoi(f[1]), r = std::stoi(f[2]);
            DiagramCard card;
            card.opponent = f[3] == "o";
            card.element = f[4];
            for (int i = 0; i < 4; ++i) card.values[i] = std::stoi(f[5 + i]);
            card.fresh = f.size() > 9 && f[9] == "new";
            paintDiagramCard(img, boardX + c * cw, boardY + r * ch, scale, card);
        } else if (f[0] == "hand") {
            const char8_t* elements[5] = {u8"炎", u8"水", u8"風", u8"雷", u8"光"};
            for (int i = 0; i < 5; ++i) {
                DiagramCard card;
                card.element = utf8(elements[i]);
                int v[4] = {(i * 3 + 2) % 9 + 1, (i * 5 + 4) % 9 + 1, (i * 7 + 1) % 9 + 1, (i * 2 + 6) % 9 + 1};
                for (int k = 0; k < 4; ++k) card.values[k] = v[k];
                paintDiagramCard(img, 340 + i * 56, 150 + (i % 2) * 24, 0.6, card);
            }
        } else if (f[0] == "compare" && f.size() >= 4) {
            int c = std::stoi(f[1]), r = std::stoi(f[2]);
            double x = boardX + c * cw, y = boardY + r * ch, w = 90 * scale, hh = 120 * scale;
            double cx = x + w / 2, cy = y + hh / 2;
            if (f[3] == "L") cx = x + 12;
            if (f[3] == "R") cx = x + w - 12;
            if (f[3] == "T") cy = y + 14;
            if (f[3] == "B") cy = y + hh - 14;
            for (double a = 0; a < 2 * M_PI; a += 0.05) img.fillEllipse(cx + std::cos(a) * 16, cy + std::sin(a) * 16, 1.8, 1.8, pic::rgb(255, 230, 40));
        } else if (f[0] == "note" && f.size() >= 4) {
            int c = std::stoi(f[1]), r = std::stoi(f[2]);
            TextStyle n;
            n.size = 26;
            n.bold = true;
            n.colour = pic::rgb(255, 240, 80);
            n.outline = 2;
            n.outlineColour = pic::rgb(120, 20, 20);
            paintTextCentred(img, boardX + c * cw + cw / 2, boardY + r * ch + 12, U(f[3]), n);
        } else if (f[0] == "elements") {
            const char8_t* ring[8] = {u8"炎", u8"風", u8"雷", u8"光", u8"水", u8"土", u8"磁", u8"闇"};
            const double cx = 470, cy = 210, R = 100;
            for (int i = 0; i < 4; ++i) {
                double a = -M_PI / 2 + i * M_PI / 4;
                img.line(cx + std::cos(a) * R, cy + std::sin(a) * R, cx - std::cos(a) * R, cy - std::sin(a) * R, pic::rgb(255, 240, 150), 2, 0.8);
            }
            for (int i = 0; i < 8; ++i) {
                double a = -M_PI / 2 + i * M_PI / 4;
                double x = cx + std::cos(a) * R, y = cy + std::sin(a) * R;
                img.fillEllipse(x, y, 22, 22, pic::rgb(250, 245, 225));
                TextStyle e;
                e.size = 26;
                e.bold = true;
                e.colour = elementColour(utf8(ring[i]));
                paintTextCentred(img, static_cast<int>(x), static_cast<int>(y), ring[i], e);
            }
            TextStyle e;
            e.size = 17;
            e.bold = true;
            e.colour = pic::rgb(255, 255, 255);
            e.outline = 1;
            e.outlineColour = pic::rgb(10, 30, 10);
            paintTextCentred(img, 470, 350, u8"向かい合う属性が反対の組", e);
        }
    }
}

}  // namespace

void addEventPictures(Jobs& jobs) {
    const int stills[12] = {165, 166, 167, 169, 170, 172, 173, 174, 175, 176, 177, 178};
    for (int n = 0; n < 12; ++n)
        jobs.push_back({stills[n], 1024, 512, false, [n](Image& img) { paintScene(img, "still " + std::to_string(n)); }, ""});
    jobs.push_back({179, 1024, 512, false, paintChapterSheet, ""});
    // Event pictures 0-15: 0 the world, 1 the countries, the rest maps of the
    // stones as the story finds them (11 and 14 with the two routes).
    const int stonesByPicture[16] = {0, 0, 0, 1, 2, 3, 3, 4, 5, 5, 6, 6, 7, 6, 6, 8};
    for (int n = 0; n < 16; ++n) {
        const int id = n < 15 ? 180 + n : 196;
        MapStyle style = n == 0 ? MapStyle::Plain : (n == 1 ? MapStyle::Countries : MapStyle::Stones);
        int route = n == 11 ? 1 : (n == 14 ? 2 : 0);
        int stones = stonesByPicture[n];
        jobs.push_back({id, 1024, 512, false, [style, stones, route](Image& img) {
                            paintWorld(img, style, stones, route);
                            extendEdges(img, 640, 480);
                        },
                        ""});
    }
    jobs.push_back({197, 1024, 512, false, [](Image& img) {
                        paintExecutiveChart(img);
                        extendEdges(img, 640, 480);
                    },
                    ""});
    for (int id = 198; id <= 221; ++id) {
        if (id == 204) continue;
        jobs.push_back({id, 1024, 512, false, [id](Image& img) {
                            paintTutorial(img, id);
                            extendEdges(img, 640, 480);
                        },
                        ""});
    }
}

}  // namespace picgen
