// 152: the tile atlas, 20 x 10 tiles of 32 x 32, painted from tiles.txt.
// Every pattern wraps at the tile's edges so floors tile without seams.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/common/Random.h"
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"

namespace picgen {

namespace {

using pic::Image;
using pic::Rgb;

struct Tile {
    std::string pattern = "flagstone";
    Rgb base = pic::rgb(128, 120, 112), accent = pic::rgb(160, 152, 144);
};

// Sets a pixel of the tile, wrapping inside it.
struct TilePen {
    Image& img;
    int ox, oy;
    void set(int x, int y, Rgb c) { img.set(ox + ((x % 32) + 32) % 32, oy + ((y % 32) + 32) % 32, c); }
    Rgb at(int x, int y) { return img.at(ox + ((x % 32) + 32) % 32, oy + ((y % 32) + 32) % 32); }
    void rect(int x, int y, int w, int h, Rgb c) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) set(x + i, y + j, c);
    }
    void frame(int x, int y, int w, int h, Rgb light, Rgb dark) {
        rect(x, y, w, 1, light);
        rect(x, y, 1, h, light);
        rect(x, y + h - 1, w, 1, dark);
        rect(x + w - 1, y, 1, h, dark);
    }
};

// Per-pixel noise around a colour.
void noise(TilePen& p, Rgb base, double amount, pic::Random& rnd) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) p.set(x, y, pic::shade(base, 1.0 + amount * (rnd.unit() - 0.5)));
}

void paintTile(Image& img, int col, int row, const Tile& t) {
    TilePen p{img, col * 32, row * 32};
    pic::Random rnd(static_cast<std::uint32_t>(1000 + row * 20 + col));
    const Rgb b = t.base, a = t.accent, dark = pic::shade(t.base, 0.7), light = pic::mix(t.base, pic::rgb(255, 255, 255), 0.25);
    const std::string& k = t.pattern;
    if (k == "void") {
        p.rect(0, 0, 32, 32, b);
    } else if (k == "grass" || k == "flowers" || k == "swamp") {
        noise(p, b, 0.25, rnd);
        for (int i = 0; i < 40; ++i) {
            int x = rnd.below(32), y = rnd.below(32);
            p.set(x, y, a);
            p.set(x, y - 1, pic::mix(a, b, 0.5));
        }
        if (k == "flowers")
            for (int i = 0; i < 7; ++i) {
                int x = rnd.below(32), y = rnd.below(32);
                Rgb f = i % 3 == 0 ? pic::rgb(255, 255, 255) : (i % 3 == 1 ? a : pic::rgb(240, 120, 160));
                p.set(x, y, f);
                p.set(x + 1, y, f);
                p.set(x, y + 1, f);
                p.set(x - 1, y, f);
                p.set(x, y - 1, f);
                p.set(x, y, pic::rgb(250, 200, 40));
            }
        if (k == "swamp")
            for (int i = 0; i < 4; ++i) {
                int x = rnd.below(32), y = rnd.below(32);
                p.rect(x, y, 6, 3, pic::rgb(60, 80, 70));
            }
    } else if (k == "dirt" || k == "sand" || k == "snow" || k == "gravel") {
        noise(p, b, k == "snow" ? 0.06 : 0.18, rnd);
        int specks = k == "gravel" ? 90 : 30;
        for (int i = 0; i < specks; ++i) p.set(rnd.below(32), rnd.below(32), i % 2 ? a : dark);
    } else if (k == "water" || k == "waves" || k == "shallow") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double w = std::sin((x + y * 0.5) * 2 * M_PI / 16) * std::sin(y * 2 * M_PI / 32);
                Rgb c = pic::mix(b, pic::mix(b, pic::rgb(255, 255, 255), 0.35), 0.5 + 0.5 * w);
                if (k == "shallow") c = pic::mix(c, a, 0.25 + 0.1 * std::sin(x * 0.7 + y * 0.3));
                p.set(x, y, c);
            }
        int glints = k == "waves" ? 10 : 5;
        for (int i = 0; i < glints; ++i) {
            int x = rnd.below(32), y = rnd.below(32);
            p.rect(x, y, k == "waves" ? 5 : 3, 1, pic::mix(a, pic::rgb(255, 255, 255), 0.5));
        }
        if (k == "waves")
            for (int y = 4; y < 32; y += 10) {
                for (int x = 0; x < 32; ++x) {
                    int yy = y + static_cast<int>(std::lround(2 * std::sin(x * 2 * M_PI / 16)));
                    p.set(x, yy, a);
                }
            }
        if (k == "shallow")
            for (int i = 0; i < 5; ++i) {
                int x = rnd.below(32), y = rnd.below(32);
                p.rect(x, y, 3, 2, pic::shade(a, 0.8));
            }
    } else if (k == "ice") {
        noise(p, b, 0.05, rnd);
        for (int i = 0; i < 4; ++i) {
            int x = rnd.below(32), y = rnd.below(32);
            for (int s = 0; s < 8; ++s) p.set(x + s, y - s, a);
        }
    } else if (k == "lava") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double w = std::sin(x * 2 * M_PI / 32 * 2 + std::sin(y * 2 * M_PI / 32) * 2);
                p.set(x, y, pic::mix(b, a, 0.5 + 0.5 * w));
            }
        for (int i = 0; i < 6; ++i) p.rect(rnd.below(32), rnd.below(32), 4, 3, pic::rgb(60, 20, 10));
    } else if (k == "rock") {
        noise(p, b, 0.2, rnd);
        for (int i = 0; i < 6; ++i) {
            int x = rnd.below(32), y = rnd.below(32), w = 5 + rnd.below(8);
            p.rect(x, y, w, 1, light);
            p.rect(x, y + 3, w, 1, dark);
        }
    } else if (k == "flagstone" || k == "cobble") {
        noise(p, b, 0.12, rnd);
        int step = k == "cobble" ? 8 : 16;
        for (int y = 0; y < 32; y += step) {
            int shift = (y / step) % 2 ? step / 2 : 0;
            for (int x = 0; x < 32; x += step) {
                Rgb stone = pic::shade(b, 0.9 + 0.2 * rnd.unit());
                p.rect(x + shift + 1, y + 1, step - 2, step - 2, stone);
                p.frame(x + shift + 1, y + 1, step - 2, step - 2, pic::mix(stone, a, 0.6), pic::shade(stone, 0.75));
                p.rect(x + shift, y, step, 1, dark);
                p.rect(x + shift, y, 1, step, dark);
            }
        }
    } else if (k == "brickfloor") {
        for (int y = 0; y < 32; y += 8)
            for (int x = 0; x < 32; x += 16) {
                int shift = (y / 8) % 2 ? 8 : 0;
                Rgb br = pic::shade(b, 0.85 + 0.3 * rnd.unit());
                p.rect(x + shift, y, 16, 8, br);
                p.rect(x + shift, y, 16, 1, pic::shade(a, 0.7));
                p.rect(x + shift, y, 1, 8, pic::shade(a, 0.7));
            }
    } else if (k == "planks" || k == "deck") {
        for (int y = 0; y < 32; y += 8) {
            Rgb plank = pic::shade(b, 0.9 + 0.2 * rnd.unit());
            p.rect(0, y, 32, 8, plank);
            for (int g = 0; g < 3; ++g) p.rect(rnd.below(32), y + 2 + rnd.below(4), 6 + rnd.below(6), 1, pic::shade(plank, 0.85));
            p.rect(0, y, 32, 1, dark);
            p.rect(0, y + 1, 32, 1, pic::mix(plank, a, 0.5));
            int joint = (y / 8) * 11 % 32;
            p.rect(joint, y, 1, 8, dark);
            if (k == "deck") {
                p.set(joint + 2, y + 4, pic::rgb(60, 60, 60));
                p.set(joint - 2, y + 4, pic::rgb(60, 60, 60));
            }
        }
    } else if (k == "carpet") {
        p.rect(0, 0, 32, 32, b);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x + y) % 16 == 0 || (x - y + 32) % 16 == 0) p.set(x, y, pic::mix(b, a, 0.35));
        p.rect(0, 0, 32, 2, a);
        p.rect(0, 30, 32, 2, a);
    } else if (k == "marble") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double v = std::sin((x * 0.6 + y * 0.3) + 3 * std::sin(y * 2 * M_PI / 32) + std::sin(x * 2 * M_PI / 32));
                p.set(x, y, pic::mix(b, a, 0.5 + 0.5 * v * v * v));
            }
        p.frame(0, 0, 32, 32, light, dark);
    } else if (k == "checker" || k == "finish") {
        int cell = k == "finish" ? 8 : 16;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) p.set(x, y, ((x / cell) + (y / cell)) % 2 ? a : b);
    } else if (k == "tiles" || k == "tatami") {
        int cell = k == "tatami" ? 32 : 16;
        for (int y = 0; y < 32; y += cell)
            for (int x = 0; x < 32; x += cell) {
                p.rect(x, y, cell, cell, b);
                p.frame(x, y, cell, cell, light, a);
            }
        if (k == "tatami")
            for (int y = 2; y < 32; y += 3) p.rect(1, y, 30, 1, pic::shade(b, 0.93));
    } else if (k == "metal" || k == "panel") {
        noise(p, b, 0.06, rnd);
        p.frame(0, 0, 32, 32, light, dark);
        p.frame(1, 1, 30, 30, pic::mix(b, light, 0.5), pic::mix(b, dark, 0.5));
        for (int c : {3, 28})
            for (int d : {3, 28}) {
                p.set(c, d, dark);
                p.set(c + 1, d, light);
            }
        if (k == "panel") {
            p.rect(8, 14, 16, 2, a);
            p.rect(14, 8, 2, 16, pic::shade(a, 0.7));
            p.rect(6, 6, 3, 3, a);
        }
    } else if (k == "grate") {
        p.rect(0, 0, 32, 32, pic::shade(b, 0.5));
        for (int y = 0; y < 32; y += 4) p.rect(0, y, 32, 2, b);
        for (int x = 0; x < 32; x += 8) p.rect(x, 0, 2, 32, light);
    } else if (k == "hazard") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) p.set(x, y, ((x + y) / 8) % 2 ? a : b);
    } else if (k == "glass") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) p.set(x, y, pic::mix(b, a, x + y < 20 ? 0.5 : 0.1));
        p.frame(0, 0, 32, 32, a, dark);
    } else if (k == "rail") {
        noise(p, pic::rgb(110, 100, 90), 0.3, rnd);
        for (int y = 2; y < 32; y += 8) p.rect(0, y, 32, 4, b);
        p.rect(7, 0, 3, 32, a);
        p.rect(22, 0, 3, 32, a);
        p.rect(8, 0, 1, 32, pic::rgb(230, 230, 240));
        p.rect(23, 0, 1, 32, pic::rgb(230, 230, 240));
    } else if (k == "roof") {
        for (int y = 0; y < 32; y += 8)
            for (int x = 0; x < 32; x += 8) {
                int shift = (y / 8) % 2 ? 4 : 0;
                for (int j = 0; j < 8; ++j)
                    for (int i = 0; i < 8; ++i) p.set(x + i + shift, y + j, pic::mix(a, b, j / 7.0));
                p.rect(x + shift, y + 7, 8, 1, dark);
                p.rect(x + shift, y, 1, 8, dark);
            }
    } else if (k == "magic") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double v = std::sin(x * 2 * M_PI / 32 + std::cos(y * 2 * M_PI / 32) * 2) * std::cos(y * 2 * M_PI / 16);
                p.set(x, y, pic::mix(b, pic::shade(b, 1.6), 0.5 + 0.5 * v));
            }
        for (int i = 0; i < 8; ++i) p.set(rnd.below(32), rnd.below(32), a);
        p.frame(0, 0, 32, 32, pic::mix(b, a, 0.5), pic::shade(b, 0.6));
    } else if (k == "shore") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                double t = (x + y) / 62.0 + 0.08 * std::sin(y * 0.8);
                p.set(x, y, t < 0.6 ? pic::shade(b, 0.9 + 0.2 * rnd.unit()) : pic::mix(b, a, std::min(1.0, (t - 0.6) * 4)));
            }
    } else if (k == "wallstone" || k == "wallbrick") {
        int bw = k == "wallbrick" ? 16 : 16, bh = k == "wallbrick" ? 8 : 10;
        p.rect(0, 0, 32, 32, dark);
        for (int y = 0; y < 32; y += bh)
            for (int x = 0; x < 32; x += bw) {
                int shift = (y / bh) % 2 ? bw / 2 : 0;
                Rgb br = pic::shade(b, 0.85 + 0.3 * rnd.unit());
                p.rect(x + shift + 1, y + 1, bw - 1, bh - 1, br);
                p.rect(x + shift + 1, y + 1, bw - 1, 1, pic::mix(br, a, 0.7));
            }
    } else if (k == "wallwood" || k == "hedge") {
        if (k == "hedge") {
            noise(p, b, 0.4, rnd);
            for (int i = 0; i < 50; ++i) p.set(rnd.below(32), rnd.below(32), a);
        } else {
            for (int x = 0; x < 32; x += 8) {
                Rgb board = pic::shade(b, 0.9 + 0.2 * rnd.unit());
                p.rect(x, 0, 8, 32, board);
                p.rect(x, 0, 1, 32, dark);
                p.rect(x + 1, 0, 1, 32, pic::mix(board, a, 0.5));
            }
            if (t.accent.r > 190) {  // paper screens
                p.rect(0, 0, 32, 32, pic::rgb(240, 236, 220));
                for (int x = 0; x < 32; x += 8) p.rect(x, 0, 2, 32, b);
                for (int y = 0; y < 32; y += 11) p.rect(0, y, 32, 2, b);
            }
        }
    } else if (k == "wallmetal") {
        noise(p, b, 0.05, rnd);
        for (int y = 0; y < 32; y += 16) {
            p.rect(0, y, 32, 1, light);
            p.rect(0, y + 15, 32, 1, dark);
            for (int x = 3; x < 32; x += 8) p.set(x, y + 3, dark);
        }
        p.rect(0, 14, 32, 2, pic::mix(b, a, 0.3));
        if (a.g > 200 && a.r < 100) p.rect(0, 22, 32, 1, a);
    } else if (k == "wallplaster") {
        noise(p, b, 0.05, rnd);
        p.rect(0, 26, 32, 6, a);
        p.rect(0, 26, 32, 1, pic::shade(a, 0.8));
    } else if (k == "gate") {
        p.rect(0, 0, 32, 32, pic::shade(b, 0.6));
        for (int x = 2; x < 32; x += 6) p.rect(x, 0, 3, 32, b);
        for (int x = 3; x < 32; x += 6) p.rect(x, 0, 1, 32, a);
        p.rect(0, 0, 32, 3, pic::rgb(90, 90, 100));
        p.rect(0, 29, 32, 3, pic::rgb(90, 90, 100));
        p.frame(0, 0, 32, 32, pic::rgb(200, 200, 210), pic::rgb(40, 40, 50));
    } else if (k == "lift") {
        p.rect(0, 0, 32, 32, b);
        p.frame(0, 0, 32, 32, pic::shade(b, 1.3), dark);
        for (int i = 0; i < 32; i += 8) {
            p.rect(i, 0, 4, 3, a);
            p.rect(i + 4, 29, 4, 3, a);
        }
        for (int i = 0; i < 5; ++i) {
            p.rect(11 + i, 8 + i, 10 - 2 * i, 1, a);
            p.rect(11 + i, 23 - i, 10 - 2 * i, 1, a);
        }
    } else if (k == "switch") {
        p.rect(0, 0, 32, 32, b);
        p.rect(4, 4, 24, 24, pic::rgb(110, 110, 120));
        p.frame(4, 4, 24, 24, pic::rgb(190, 190, 200), pic::rgb(50, 50, 60));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 50) p.set(x, y, ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 12) ? pic::mix(a, pic::rgb(255, 255, 255), 0.5) : a);
    } else if (k == "float") {
        p.rect(0, 0, 32, 32, pic::rgb(56, 112, 192));
        for (int x = 2; x < 30; x += 7) {
            p.rect(x, 3, 6, 26, b);
            p.rect(x, 3, 1, 26, a);
            p.rect(x + 5, 3, 1, 26, dark);
        }
        p.rect(2, 8, 28, 2, dark);
        p.rect(2, 22, 28, 2, dark);
    } else if (k == "wet") {
        noise(p, b, 0.12, rnd);
        for (int y = 0; y < 32; y += 16)
            for (int x = 0; x < 32; x += 16) p.frame(x, y, 16, 16, a, dark);
        for (int i = 0; i < 5; ++i) p.rect(rnd.below(32), rnd.below(32), 4, 2, pic::rgb(90, 120, 150));
    } else if (k == "pier") {
        noise(p, pic::rgb(40, 80, 130), 0.2, rnd);
        for (int x = 0; x < 32; x += 8) {
            Rgb board = pic::shade(b, 0.85 + 0.3 * rnd.unit());
            p.rect(x + 1, 0, 7, 32, board);
            p.rect(x + 1, 0, 1, 32, a);
            for (int g = 0; g < 2; ++g) p.rect(x + 3 + rnd.below(3), rnd.below(32), 1, 5, pic::shade(board, 0.8));
            p.set(x + 4, 3, pic::rgb(50, 50, 50));
            p.set(x + 4, 28, pic::rgb(50, 50, 50));
        }
    } else if (k == "paving") {
        for (int y = 0; y < 32; y += 16)
            for (int x = 0; x < 32; x += 16) {
                Rgb slab = pic::shade(b, 0.92 + 0.12 * rnd.unit());
                p.rect(x, y, 16, 16, slab);
                p.frame(x, y, 16, 16, a, pic::shade(b, 0.7));
            }
    } else if (k == "walltop") {
        noise(p, b, 0.15, rnd);
        p.rect(0, 0, 32, 2, a);
        p.rect(0, 30, 32, 2, dark);
        for (int x = 0; x < 32; x += 16) p.rect(x, 0, 1, 32, dark);
    } else if (k == "counter") {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) p.set(x, y, pic::mix(b, a, 0.5 + 0.5 * std::sin((x + 3 * std::sin(y * 0.4)) * 0.6)));
        p.rect(0, 0, 32, 2, pic::mix(a, pic::rgb(255, 255, 255), 0.3));
        p.rect(0, 30, 32, 2, dark);
    } else if (k == "table") {
        p.rect(0, 0, 32, 32, b);
        for (int y = 0; y < 32; y += 8)
            for (int x = 0; x < 32; x += 8)
                if (((x + y) / 8) % 2) p.rect(x, y, 8, 8, pic::mix(b, a, 0.45));
        p.frame(0, 0, 32, 32, pic::rgb(255, 255, 255), pic::shade(a, 0.6));
    } else if (k == "bed") {
        p.rect(0, 0, 32, 32, pic::rgb(120, 80, 50));
        p.rect(2, 2, 28, 9, b);
        p.frame(2, 2, 28, 9, pic::rgb(255, 255, 255), pic::rgb(190, 190, 200));
        p.rect(2, 12, 28, 18, a);
        p.rect(2, 12, 28, 2, pic::mix(a, pic::rgb(255, 255, 255), 0.4));
        for (int y = 16; y < 30; y += 4) p.rect(4, y, 24, 1, pic::shade(a, 0.85));
    } else if (k == "stairs") {
        for (int y = 0; y < 32; y += 8) {
            Rgb step = pic::shade(b, 1.0 - y / 64.0);
            p.rect(0, y, 32, 8, step);
            p.rect(0, y, 32, 2, pic::mix(step, pic::rgb(255, 255, 255), 0.3));
            p.rect(0, y + 7, 32, 1, pic::shade(step, 0.6));
        }
    } else if (k == "crate") {
        p.rect(0, 0, 32, 32, pic::shade(a, 0.7));
        for (int c = 0; c < 4; ++c) {
            int x = (c % 2) * 16, y = (c / 2) * 16;
            p.rect(x + 1, y + 1, 14, 14, b);
            p.frame(x + 1, y + 1, 14, 14, pic::mix(b, pic::rgb(255, 255, 255), 0.25), a);
            for (int i = 0; i < 14; ++i) p.set(x + 1 + i, y + 1 + i, a);
        }
    } else if (k == "housefront") {
        p.rect(0, 0, 32, 32, b);
        for (int y = 0; y < 32; y += 4) p.rect(0, y, 32, 1, pic::shade(b, 0.93));
        p.rect(9, 8, 14, 12, pic::rgb(80, 60, 40));
        p.rect(10, 9, 12, 10, a);
        p.rect(15, 9, 2, 10, pic::rgb(80, 60, 40));
        p.rect(10, 13, 12, 2, pic::rgb(80, 60, 40));
        p.rect(11, 10, 3, 2, pic::mix(a, pic::rgb(255, 255, 255), 0.5));
        p.rect(8, 20, 16, 2, pic::rgb(110, 80, 50));
    } else if (k == "shelf") {
        p.rect(0, 0, 32, 32, b);
        const Rgb bottles[4] = {pic::rgb(60, 140, 70), pic::rgb(140, 50, 40), pic::rgb(200, 180, 90), pic::rgb(70, 90, 160)};
        for (int y = 0; y < 32; y += 16) {
            p.rect(0, y + 14, 32, 2, pic::mix(b, pic::rgb(255, 255, 255), 0.2));
            for (int x = 2; x < 30; x += 5) {
                Rgb bc = bottles[rnd.below(4)];
                int h = 7 + rnd.below(4);
                p.rect(x, y + 14 - h, 3, h, bc);
                p.rect(x + 1, y + 14 - h - 2, 1, 2, bc);
                p.set(x, y + 14 - h + 1, pic::mix(bc, pic::rgb(255, 255, 255), 0.6));
            }
        }
    } else if (k == "rack") {
        // Steel racking: two uprights, beams in the accent colour, and on
        // each level a row of cartons, drums or crates.
        p.rect(0, 0, 32, 32, pic::shade(b, 0.45));
        for (int y = 0; y < 32; y += 16) {
            int x = 3;
            while (x < 29) {
                const int kind = rnd.below(3), w = kind == 1 ? 5 : 6 + rnd.below(3);
                if (x + w > 29) break;
                const int h = kind == 1 ? 10 : 7 + rnd.below(5);
                const Rgb goods = kind == 0   ? pic::rgb(176, 140, 92)
                                  : kind == 1 ? pic::rgb(70, 96, 80)
                                              : pic::rgb(150, 110, 62);
                p.rect(x, y + 13 - h, w, h, goods);
                p.rect(x, y + 13 - h, w, 1, pic::mix(goods, pic::rgb(255, 255, 255), 0.3));
                p.rect(x + w - 1, y + 13 - h, 1, h, pic::shade(goods, 0.7));
                if (kind == 1) p.rect(x, y + 13 - h / 2, w, 1, pic::shade(goods, 0.6));
                if (kind == 0) p.rect(x + w / 2, y + 13 - h, 1, 3, pic::rgb(200, 190, 150));
                x += w + 1;
            }
            p.rect(0, y + 13, 32, 3, a);
            p.rect(0, y + 13, 32, 1, pic::mix(a, pic::rgb(255, 255, 255), 0.3));
            p.rect(0, y + 15, 32, 1, pic::shade(a, 0.6));
        }
        for (int x : {0, 30}) {
            p.rect(x, 0, 2, 32, b);
            for (int y = 2; y < 32; y += 4) p.set(x + (x == 0 ? 1 : 0), y, pic::shade(b, 0.5));
        }
    } else if (k == "treadplate") {
        // Chequer plate: raised ribs in two directions on a steel sheet.
        noise(p, b, 0.05, rnd);
        for (int y = 0; y < 32; y += 8)
            for (int x = 0; x < 32; x += 8) {
                const bool turn = ((x + y) / 8) % 2 != 0;
                for (int i = 0; i < 4; ++i) {
                    const int px = x + 2 + i, py = turn ? y + 2 + i : y + 5 - i;
                    p.set(px, py, a);
                    p.set(px, py + 1, dark);
                }
            }
        p.frame(0, 0, 32, 32, light, dark);
    } else if (k == "pipes") {
        // A machine's side: vertical pipes with flanges and a valve wheel.
        p.rect(0, 0, 32, 32, pic::shade(b, 0.55));
        for (int x : {2, 11, 22}) {
            const int w = x == 11 ? 7 : 5;
            p.rect(x, 0, w, 32, b);
            p.rect(x + 1, 0, 1, 32, pic::mix(b, pic::rgb(255, 255, 255), 0.35));
            p.rect(x + w - 1, 0, 1, 32, pic::shade(b, 0.6));
            for (int y : {6, 22}) p.rect(x - 1, y + (x % 3), w + 2, 2, pic::shade(b, 0.8));
        }
        p.frame(23, 12, 7, 7, a, pic::shade(a, 0.6));
        p.rect(26, 12, 1, 7, a);
        p.rect(23, 15, 7, 1, a);
        p.rect(12, 26, 5, 3, pic::rgb(230, 200, 60));
    } else if (k == "quaywall") {
        p.rect(0, 0, 32, 32, pic::shade(b, 0.6));
        for (int y = 0; y < 32; y += 11)
            for (int x = 0; x < 32; x += 16) {
                int shift = (y / 11) % 2 ? 8 : 0;
                Rgb st = pic::shade(b, 0.85 + 0.3 * rnd.unit());
                p.rect(x + shift + 1, y + 1, 15, 10, st);
                p.rect(x + shift + 1, y + 1, 15, 1, pic::mix(st, pic::rgb(255, 255, 255), 0.25));
            }
        for (int x = 0; x < 32; ++x) {
            int h = 3 + static_cast<int>(2 * std::sin(x * 0.9) + 2);
            p.rect(x, 32 - h, 1, h, a);
        }
    } else if (k == "furniture") {
        p.rect(0, 0, 32, 32, b);
        p.rect(0, 0, 32, 3, pic::mix(b, pic::rgb(255, 255, 255), 0.25));
        p.rect(2, 6, 28, 10, pic::shade(b, 0.85));
        p.rect(2, 18, 28, 10, pic::shade(b, 0.85));
        p.frame(2, 6, 28, 10, a, dark);
        p.frame(2, 18, 28, 10, a, dark);
        p.rect(14, 10, 4, 2, pic::rgb(220, 190, 100));
        p.rect(14, 22, 4, 2, pic::rgb(220, 190, 100));
    } else {
        noise(p, b, 0.1, rnd);
        p.frame(0, 0, 32, 32, light, dark);
    }
}

std::map<std::pair<int, int>, Tile> readTiles() {
    std::map<std::pair<int, int>, Tile> tiles;
    std::ifstream in(contentDir() + "/tiles.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream w(line);
        int c = 0, r = 0;
        std::string pattern, base, accent;
        if (!(w >> c >> r >> pattern >> base >> accent)) continue;
        tiles[{c, r}] = Tile{pattern, parseHex(base), parseHex(accent)};
    }
    return tiles;
}

void paintAtlas(Image& img) {
    const auto tiles = readTiles();
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 20; ++c) {
            auto it = tiles.find({c, r});
            Tile t;
            if (it != tiles.end()) {
                t = it->second;
            } else {
                // Unlisted tiles: stone shades that vary across the atlas.
                t.base = pic::shade(pic::rgb(128, 120, 112), 0.7 + 0.03 * ((c * 7 + r * 3) % 11));
                t.accent = pic::mix(t.base, pic::rgb(255, 255, 255), 0.2);
            }
            paintTile(img, c, r, t);
        }
}

}  // namespace

void addTileAtlas(Jobs& jobs) { jobs.push_back({152, 640, 320, false, paintAtlas, ""}); }

}  // namespace picgen
