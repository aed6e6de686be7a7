#include "tools/picgen/Scenery.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/common/Random.h"
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"
#include "tools/picgen/TextPainter.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

std::map<std::string, std::vector<std::string>> readScenes() {
    std::map<std::string, std::vector<std::string>> scenes;
    std::ifstream in(contentDir() + "/scenes.txt");
    std::string line, current;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("scene ", 0) == 0) {
            // A scene is known by its kind and number ("backdrop 3"); the
            // words after them describe it.
            std::istringstream words(line.substr(6));
            std::string kind, number;
            words >> kind >> number;
            current = kind + " " + number;
            scenes[current];
            continue;
        }
        size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos || current.empty()) continue;
        scenes[current].push_back(line.substr(start));
    }
    return scenes;
}

const std::map<std::string, std::vector<std::string>>& scenes() {
    static const auto s = readScenes();
    return s;
}

// Smooth 1D noise from a seed: a sum of sines with seeded phases.
double ridge(double x, unsigned seed, bool jagged) {
    pic::Random r(seed);
    double v = 0, amp = 1, freq = 0.006, total = 0;
    for (int o = 0; o < 5; ++o) {
        double phase = r.unit() * 6.283;
        double s = std::sin(x * freq + phase);
        if (jagged) s = 1 - 2 * std::fabs(s);
        v += s * amp;
        total += amp;
        amp *= 0.5;
        freq *= 2.1;
    }
    return v / total;
}

}  // namespace

const std::vector<std::string>* sceneLayers(const std::string& name) {
    auto it = scenes().find(name);
    return it == scenes().end() ? nullptr : &it->second;
}

void paintLayer(Image& img, const std::string& line, int x0, int y0, int w, int h, unsigned seed) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    pic::Random rnd(seed);
    auto colour = [&]() {
        std::string s;
        in >> s;
        return parseHex(s);
    };
    // Coordinates in the layer language are for a 640 x 480 picture.
    const double sx = w / 640.0, sy = h / 480.0;
    auto X = [&](double v) { return x0 + v * sx; };
    auto Y = [&](double v) { return y0 + v * sy; };
    if (op == "sky") {
        Rgb top = colour(), bottom = colour();
        img.gradientRect(x0, y0, w, h, top, bottom);
    } else if (op == "stars") {
        int n = 0;
        in >> n;
        for (int i = 0; i < n; ++i) {
            double x = X(rnd.below(640)), y = Y(rnd.below(300));
            double b = 0.3 + 0.7 * rnd.unit();
            img.blend(static_cast<int>(x), static_cast<int>(y), pic::rgb(255, 255, 255), b);
            if (b > 0.9) img.fillEllipse(x + 0.5, y + 0.5, 1.5 * sx, 1.5 * sy, pic::rgb(220, 230, 255), 0.5);
        }
    } else if (op == "sun" || op == "glow") {
        double x = 0, y = 0, r = 0;
        in >> x >> y >> r;
        Rgb c = colour();
        // A smooth falloff of light around the centre.
        const double reach = r * 4;
        for (int j = static_cast<int>(Y(y - reach)); j <= static_cast<int>(Y(y + reach)); ++j)
            for (int i = static_cast<int>(X(x - reach)); i <= static_cast<int>(X(x + reach)); ++i) {
                if (i < x0 || j < y0 || i >= x0 + w || j >= y0 + h) continue;
                double dx = (i - X(x)) / sx, dy = (j - Y(y)) / sy;
                double d = std::sqrt(dx * dx + dy * dy) / r;
                img.blend(i, j, c, 0.55 * std::exp(-d * d * 0.6));
            }
        if (op == "sun") img.fillEllipse(X(x), Y(y), r * sx, r * sy, pic::mix(c, pic::rgb(255, 255, 255), 0.5));
    } else if (op == "clouds") {
        int n = 0;
        in >> n;
        Rgb c = colour();
        for (int i = 0; i < n; ++i) {
            double cx = rnd.below(700) - 30, cy = 30 + rnd.below(200), len = 60 + rnd.below(120);
            for (int k = 0; k < 7; ++k)
                img.fillEllipse(X(cx + (k - 3) * len / 7), Y(cy - std::sin(k / 6.0 * M_PI) * 14), len / 5 * sx, 16 * sy, c, 0.5);
            img.fillEllipse(X(cx), Y(cy + 6), len / 2 * sx, 8 * sy, pic::shade(c, 0.9), 0.4);
        }
    } else if (op == "mountains" || op == "hills") {
        double base = 0, amp = 0;
        in >> base >> amp;
        Rgb c = colour();
        const bool jagged = op == "mountains";
        for (int i = 0; i < w; ++i) {
            double x = i / sx;
            double top = base - amp * (0.5 + 0.5 * ridge(x, seed, jagged));
            for (int j = static_cast<int>(Y(top)); j < y0 + h; ++j) {
                double t = (j - Y(top)) / (h * 0.5);
                img.set(x0 + i, j, pic::mix(c, pic::shade(c, 0.6), std::min(1.0, t)));
            }
            if (jagged && top < base - amp * 0.75)  // snow caps
                for (int j = static_cast<int>(Y(top)); j < Y(top + 10); ++j) img.set(x0 + i, j, pic::mix(c, pic::rgb(255, 255, 255), 0.7));
        }
    } else if (op == "city") {
        double base = 0;
        in >> base;
        Rgb c = colour();
        double x = -10;
        while (x < 650) {
            double bw = 30 + rnd.below(50), bh = 60 + rnd.below(160);
            Rgb b = pic::shade(c, 0.8 + 0.4 * rnd.unit());
            img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(base - bh)), static_cast<int>(bw * sx), static_cast<int>(Y(480) - Y(base - bh)), b);
            for (double wy = base - bh + 8; wy < base - 8; wy += 12)
                for (double wx = x + 5; wx < x + bw - 8; wx += 10)
                    if (rnd.below(3))
                        img.fillRect(static_cast<int>(X(wx)), static_cast<int>(Y(wy)), std::max(1, static_cast<int>(4 * sx)),
                                     std::max(1, static_cast<int>(5 * sy)), rnd.below(4) ? pic::rgb(255, 230, 140) : pic::shade(b, 0.6));
            x += bw + 2 + rnd.below(8);
        }
    } else if (op == "sea") {
        double y = 0;
        in >> y;
        Rgb top = colour(), bottom = colour();
        for (int j = static_cast<int>(Y(y)); j < y0 + h; ++j) {
            Rgb c = pic::mix(top, bottom, (j - Y(y)) / (Y(480) - Y(y)));
            for (int i = 0; i < w; ++i) img.set(x0 + i, j, c);
        }
        for (int i = 0; i < 160; ++i) {
            double gx = rnd.below(640), gy = y + 4 + std::pow(rnd.unit(), 2) * (480 - y);
            double len = 4 + (gy - y) / 10;
            img.fillRect(static_cast<int>(X(gx)), static_cast<int>(Y(gy)), static_cast<int>(len * sx) + 1, 1, pic::mix(top, pic::rgb(255, 255, 255), 0.5));
        }
    } else if (op == "wall") {
        Rgb top = colour(), bottom = colour();
        double y = 0;
        in >> y;
        for (int j = y0; j < Y(y); ++j) {
            Rgb c = pic::mix(top, bottom, (j - y0) / (Y(y) - y0));
            for (int i = 0; i < w; ++i) img.set(x0 + i, j, c);
        }
        // Blocks of the wall.
        for (double j = 0; j < y; j += 32)
            for (int i = 0; i < w; ++i) img.blend(x0 + i, static_cast<int>(Y(j)), pic::rgb(0, 0, 0), 0.15);
        for (double j = 0; j < y; j += 32)
            for (double i = (static_cast<int>(j / 32) % 2) * 24; i < 640; i += 48)
                img.fillRect(static_cast<int>(X(i)), static_cast<int>(Y(j)), 1, static_cast<int>(32 * sy), pic::rgb(0, 0, 0), 0.15);
    } else if (op == "floor") {
        double y = 0;
        in >> y;
        Rgb nearC = colour(), farC = colour();
        for (int j = static_cast<int>(Y(y)); j < y0 + h; ++j) {
            double t = (j - Y(y)) / (Y(480) - Y(y));
            Rgb c = pic::mix(farC, nearC, t);
            for (int i = 0; i < w; ++i) img.set(x0 + i, j, c);
        }
        for (int k = -12; k <= 12; ++k) img.line(X(320 + k * 14), Y(y), X(320 + k * 90), Y(480), pic::rgb(0, 0, 0), 1, 0.2);
        for (double t = 0.05; t < 1; t *= 1.6) img.line(X(0), Y(y + (480 - y) * t), X(640), Y(y + (480 - y) * t), pic::rgb(0, 0, 0), 1, 0.2);
        img.line(X(0), Y(y), X(640), Y(y), pic::rgb(0, 0, 0), 2, 0.4);
    } else if (op == "pillars") {
        int n = 0;
        in >> n;
        Rgb c = colour();
        for (int k = 0; k < n; ++k) {
            double cx = (k + 0.5) * 640.0 / n;
            img.fillRect(static_cast<int>(X(cx - 18)), static_cast<int>(Y(0)), static_cast<int>(36 * sx), static_cast<int>(Y(340) - Y(0)), c);
            img.fillRect(static_cast<int>(X(cx - 18)), static_cast<int>(Y(0)), static_cast<int>(8 * sx), static_cast<int>(Y(340) - Y(0)), pic::mix(c, pic::rgb(255, 255, 255), 0.25));
            img.fillRect(static_cast<int>(X(cx + 10)), static_cast<int>(Y(0)), static_cast<int>(8 * sx), static_cast<int>(Y(340) - Y(0)), pic::shade(c, 0.7));
            img.fillRect(static_cast<int>(X(cx - 26)), static_cast<int>(Y(320)), static_cast<int>(52 * sx), static_cast<int>(20 * sy), pic::shade(c, 0.85));
            img.fillRect(static_cast<int>(X(cx - 26)), static_cast<int>(Y(30)), static_cast<int>(52 * sx), static_cast<int>(14 * sy), pic::shade(c, 0.85));
        }
    } else if (op == "bars") {
        Rgb c = colour();
        for (double x = 20; x < 640; x += 44) {
            img.fillRect(static_cast<int>(X(x)), y0, static_cast<int>(10 * sx), static_cast<int>(Y(340) - y0), c);
            img.fillRect(static_cast<int>(X(x + 2)), y0, static_cast<int>(3 * sx), static_cast<int>(Y(340) - y0), pic::mix(c, pic::rgb(255, 255, 255), 0.3));
        }
        img.fillRect(x0, static_cast<int>(Y(60)), w, static_cast<int>(10 * sy), c);
        img.fillRect(x0, static_cast<int>(Y(250)), w, static_cast<int>(10 * sy), c);
    } else if (op == "pipes") {
        Rgb c = colour();
        for (int k = 0; k < 5; ++k) {
            double y = 30 + k * 55 + rnd.below(20);
            img.fillRect(x0, static_cast<int>(Y(y)), w, static_cast<int>(12 * sy), c);
            img.fillRect(x0, static_cast<int>(Y(y + 2)), w, static_cast<int>(3 * sy), pic::mix(c, pic::rgb(255, 255, 255), 0.35));
            for (double x = rnd.below(100); x < 640; x += 120) img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(y - 3)), static_cast<int>(10 * sx), static_cast<int>(18 * sy), pic::shade(c, 0.7));
        }
        for (int k = 0; k < 6; ++k) {
            double x = 40 + rnd.below(560), y = 40 + rnd.below(220);
            img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(y)), static_cast<int>(50 * sx), static_cast<int>(34 * sy), pic::shade(c, 0.55));
            for (int l = 0; l < 3; ++l)
                img.fillRect(static_cast<int>(X(x + 6 + l * 14)), static_cast<int>(Y(y + 8)), static_cast<int>(8 * sx), static_cast<int>(6 * sy), rnd.below(2) ? pic::rgb(80, 255, 140) : pic::rgb(255, 80, 80));
        }
    } else if (op == "rays") {
        Rgb c = colour();
        for (int k = 0; k < 6; ++k) {
            double x = 60 + rnd.below(520), spread = 30 + rnd.below(50);
            img.fillPolygon({X(x - 10), Y(0), X(x + 10), Y(0), X(x + spread + 40), Y(400), X(x - spread + 40), Y(400)}, c, 0.12);
        }
    } else if (op == "ruins") {
        double base = 0;
        in >> base;
        Rgb c = colour();
        for (int k = 0; k < 7; ++k) {
            double x = 20 + k * 95 + rnd.below(30), hgt = 60 + rnd.below(150), wd = 22 + rnd.below(16);
            img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(base - hgt)), static_cast<int>(wd * sx), static_cast<int>(Y(base) - Y(base - hgt)), c);
            img.fillPolygon({X(x), Y(base - hgt), X(x + wd), Y(base - hgt), X(x + wd), Y(base - hgt - 12), X(x + wd * 0.4), Y(base - hgt - 4)}, c);
            img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(base - hgt)), static_cast<int>(5 * sx), static_cast<int>(Y(base) - Y(base - hgt)), pic::mix(c, pic::rgb(255, 255, 255), 0.2));
            if (k % 3 == 1) {  // an arch to the next column
                for (double a = 0; a < M_PI; a += 0.02)
                    img.fillEllipse(X(x + wd + 40 - std::cos(a) * 48), Y(base - hgt + 20 - std::sin(a) * 40), 7 * sx, 7 * sy, c);
            }
        }
    } else if (op == "snow" || op == "bubbles") {
        int n = 0;
        in >> n;
        for (int i = 0; i < n; ++i) {
            double x = X(rnd.below(640)), y = Y(rnd.below(480)), r = (1 + 2.5 * rnd.unit()) * sx;
            if (op == "snow") {
                img.fillEllipse(x, y, r, r, pic::rgb(255, 255, 255), 0.8);
            } else {
                img.fillEllipse(x, y, r * 2, r * 2, pic::rgb(200, 240, 255), 0.25);
                img.fillEllipse(x - r * 0.6, y - r * 0.6, r * 0.5, r * 0.5, pic::rgb(255, 255, 255), 0.8);
            }
        }
    } else if (op == "crystals") {
        int n = 0;
        in >> n;
        Rgb c = colour();
        for (int i = 0; i < n; ++i) {
            double x = X(rnd.below(640)), y = Y(rnd.below(400)), s = (6 + rnd.below(16)) * sx;
            img.fillPolygon({x, y - s * 1.6, x + s * 0.6, y, x, y + s * 1.6, x - s * 0.6, y}, c, 0.8);
            img.fillPolygon({x, y - s * 1.6, x + s * 0.6, y, x, y}, pic::mix(c, pic::rgb(255, 255, 255), 0.5), 0.8);
        }
    } else if (op == "swirl") {
        double cx = 0, cy = 0;
        in >> cx >> cy;
        Rgb c = colour();
        for (int arm = 0; arm < 4; ++arm)
            for (double t = 0; t < 5; t += 0.01) {
                double a = t + arm * M_PI / 2, r = t * 60;
                img.fillEllipse(X(cx + std::cos(a) * r), Y(cy + std::sin(a) * r * 0.6), (3 + t * 2) * sx, (3 + t * 2) * sy, c, 0.05);
            }
        img.fillEllipse(X(cx), Y(cy), 30 * sx, 20 * sy, pic::mix(c, pic::rgb(255, 255, 255), 0.6), 0.6);
    } else if (op == "grid") {
        double y = 0;
        in >> y;
        Rgb c = colour();
        for (int k = -16; k <= 16; ++k) img.line(X(320 + k * 12), Y(y), X(320 + k * 80), Y(480), c, 1, 0.6);
        for (double t = 0.03; t < 1; t *= 1.45) img.line(X(0), Y(y + (480 - y) * t), X(640), Y(y + (480 - y) * t), c, 1, 0.6);
    } else if (op == "deck") {
        double y = 0;
        in >> y;
        Rgb c = colour();
        for (int j = static_cast<int>(Y(y)); j < y0 + h; ++j)
            for (int i = 0; i < w; ++i) img.set(x0 + i, j, pic::shade(c, 0.8 + 0.2 * ((j - Y(y)) / (Y(480) - Y(y)))));
        for (double t = 0.04; t < 1; t *= 1.5) img.line(X(0), Y(y + (480 - y) * t), X(640), Y(y + (480 - y) * t), pic::shade(c, 0.6), 1);
        img.fillRect(x0, static_cast<int>(Y(y - 40)), w, static_cast<int>(4 * sy), pic::rgb(220, 220, 230));
        img.fillRect(x0, static_cast<int>(Y(y - 20)), w, static_cast<int>(3 * sy), pic::rgb(200, 200, 210));
        for (double x = 0; x < 640; x += 40) img.fillRect(static_cast<int>(X(x)), static_cast<int>(Y(y - 40)), static_cast<int>(3 * sx), static_cast<int>(40 * sy), pic::rgb(200, 200, 210));
    } else if (op == "rails") {
        double y = 0;
        in >> y;
        Rgb c = colour();
        for (double t = 0.02; t < 1; t *= 1.3) {
            double yy = y + (480 - y) * t, half = 30 + 300 * t;
            img.line(X(320 - half * 1.2), Y(yy), X(320 + half * 1.2), Y(yy), pic::rgb(90, 70, 50), 2 + 8 * t);
        }
        img.line(X(300), Y(y), X(120), Y(480), c, 4);
        img.line(X(340), Y(y), X(520), Y(480), c, 4);
    } else if (op == "fortress") {
        double cx = 0, base = 0, fw = 0, fh = 0;
        in >> cx >> base >> fw >> fh;
        Rgb c = colour();
        auto block = [&](double l, double t, double r, double b, Rgb col) {
            img.fillRect(static_cast<int>(X(l)), static_cast<int>(Y(t)), static_cast<int>((r - l) * sx), static_cast<int>(Y(b) - Y(t)), col);
        };
        block(cx - fw / 2, base - fh * 0.45, cx + fw / 2, base, c);
        for (int k = 0; k < 4; ++k) {
            double tx = cx - fw / 2 + fw * (0.1 + 0.27 * k), th = fh * (k % 2 ? 0.75 : 1.0);
            block(tx - fw * 0.05, base - th, tx + fw * 0.05, base, c);
            for (double m = tx - fw * 0.05; m < tx + fw * 0.05; m += fw * 0.03) block(m, base - th - fh * 0.05, m + fw * 0.015, base - th, c);
            block(tx - fw * 0.01, base - th * 0.7, tx + fw * 0.01, base - th * 0.6, pic::rgb(255, 220, 140));
        }
        for (double m = cx - fw / 2; m < cx + fw / 2; m += fw * 0.04) block(m, base - fh * 0.5, m + fw * 0.02, base - fh * 0.45, c);
    } else if (op == "vignette") {
        double s = 0;
        in >> s;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                double dx = (i - w / 2.0) / (w / 2.0), dy = (j - h / 2.0) / (h / 2.0);
                double d = std::max(0.0, std::sqrt(dx * dx + dy * dy) - 0.6);
                img.blend(x0 + i, y0 + j, pic::rgb(0, 0, 0), std::min(1.0, d * s));
            }
    } else if (op == "text") {
        double x = 0, y = 0;
        int size = 20;
        in >> x >> y >> size;
        Rgb c = colour();
        std::string rest;
        std::getline(in, rest);
        size_t start = rest.find_first_not_of(' ');
        rest = start == std::string::npos ? "" : rest.substr(start);
        TextStyle s;
        s.size = static_cast<int>(size * sy);
        s.bold = true;
        s.colour = c;
        s.outline = 2;
        s.outlineColour = pic::rgb(10, 10, 20);
        paintTextCentred(img, static_cast<int>(X(x)), static_cast<int>(Y(y)), reinterpret_cast<const char8_t*>(rest.c_str()), s);
    }
}

void extendEdges(Image& img, int w, int h) {
    // Mirrored, so the part the game never shows has no seams or streaks.
    auto fold = [](int v, int size) {
        int period = 2 * size;
        v %= period;
        return v < size ? v : period - 1 - v;
    };
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (x < w && y < h) continue;
            img.set(x, y, img.at(fold(x, w), fold(y, h)));
        }
}

void paintScene(Image& img, const std::string& name) {
    const std::vector<std::string>* layers = sceneLayers(name);
    img.fill(pic::rgb(20, 20, 30));
    if (layers) {
        unsigned seed = 7;
        for (char ch : name) seed = seed * 31 + static_cast<unsigned char>(ch);
        unsigned i = 0;
        for (const std::string& line : *layers) paintLayer(img, line, 0, 0, 640, 480, seed + 101 * i++);
    } else {
        std::fprintf(stderr, "picgen: no scene named %s\n", name.c_str());
    }
    extendEdges(img, 640, 480);
}

}  // namespace picgen
