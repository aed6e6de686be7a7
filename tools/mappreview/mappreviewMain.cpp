// mappreview: draws a map from above into a PNG for review.
//   mappreview <Map_N.map | Map_N.dat> <out.png> [scale]
// The picture shows the sheared grid as the camera sees it (rows to the
// right, columns up and to the right): floors shaded by height, blocked
// cells hatched in red, void in dark blue, slot numbers in the colour of
// their role, and the story's arrival cells (constraints.txt beside a
// source) ringed in green.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "field/FieldMap.h"
#include "field/WorldToCell.h"
#include "tools/common/PngFile.h"
#include "tools/mapc/MapLint.h"
#include "tools/mapc/MapSource.h"

namespace {

struct Rgb {
    int r, g, b;
};

// 3 x 5 digits, one row of bits per line, high bit on the left.
const unsigned char kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

Rgb roleColour(const std::string& role) {
    if (role == "exit") return {255, 230, 0};
    if (role == "person") return {0, 230, 255};
    if (role == "chest") return {255, 150, 0};
    if (role == "enemy") return {255, 40, 40};
    if (role == "trigger") return {255, 80, 255};
    if (role == "bars") return {120, 140, 255};
    if (role == "auto") return {170, 170, 170};
    return {255, 255, 255};
}

class Picture {
public:
    Picture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
    void set(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        p[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0, 255));
        p[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0, 255));
        p[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0, 255));
    }
    void number(int cx, int cy, int value, Rgb colour) {
        const std::string text = std::to_string(value);
        const int w = static_cast<int>(text.size()) * 4 - 1;
        const int left = cx - w / 2, top = cy - 2;
        for (int y = top - 1; y <= top + 5; ++y)
            for (int x = left - 1; x <= left + w; ++x) set(x, y, {0, 0, 0});
        for (std::size_t i = 0; i < text.size(); ++i)
            for (int row = 0; row < 5; ++row)
                for (int bit = 0; bit < 3; ++bit)
                    if (kDigits[text[i] - '0'][row] & (4 >> bit)) set(left + static_cast<int>(i) * 4 + bit, top + row, colour);
    }
    int width, height;
    std::vector<std::uint8_t> rgb;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mappreview <Map_N.map | Map_N.dat> <out.png> [scale]\n");
        return 2;
    }
    const std::string input = argv[1];
    const int scale = argc > 3 ? std::max(6, std::atoi(argv[3])) : 14;
    std::map<int, std::string> roles;
    std::vector<mapsource::Arrival> arrivals;
    int number = -1;

    if (input.size() > 4 && input.substr(input.size() - 4) == ".dat") {
        if (readMapFile(input.c_str()) != 0) return 1;
    } else {
        const mapsource::MapSource map = mapsource::loadMapSourceFile(input);
        if (!map.errors.empty()) {
            for (const std::string& e : map.errors) std::fprintf(stderr, "%s: %s\n", input.c_str(), e.c_str());
            return 1;
        }
        mapsource::compileMapSource(map);
        number = map.number;
        for (const auto& s : map.slots) roles[s.slot] = s.role;
        const auto slash = input.find_last_of('/');
        std::string text;
        if (mapsource::readTextFile((slash == std::string::npos ? "." : input.substr(0, slash)) + "/constraints.txt", text)) {
            std::vector<std::string> errors;
            const mapsource::Constraints c = mapsource::parseConstraints(text, errors);
            const auto found = c.arrivals.find(number);
            if (found != c.arrivals.end()) arrivals = found->second;
        }
    }

    float highest = 0.1f;
    for (const auto& row : gMapCells)
        for (const MapCell& cell : row) highest = std::max(highest, cell.height);

    const double worldWidth = kMapRows + kMapColumns * kGridShear;
    const double worldDepth = kMapColumns * kGridShear;
    Picture picture(static_cast<int>(worldWidth * scale) + 1, static_cast<int>(worldDepth * scale) + 1);
    auto cellAt = [&](int px, int py, int out[3]) {
        const float pos[3] = {static_cast<float>((px + 0.5) / scale), 0.0f,
                              static_cast<float>((picture.height - py - 0.5) / scale)};
        worldToCell(pos, out);
    };
    for (int py = 0; py < picture.height; ++py) {
        for (int px = 0; px < picture.width; ++px) {
            int cell[3], right[3], below[3];
            cellAt(px, py, cell);
            cellAt(px + 1, py, right);
            cellAt(px, py + 1, below);
            const MapCell& c = mapCell(cell[0], cell[2]);
            Rgb colour = {18, 22, 48};
            if (!cellInsideGrid(cell[0], cell[2])) colour = {0, 0, 0};
            else if (c.height > 0.0f) {
                const int shade = 70 + static_cast<int>(170.0f * c.height / highest);
                colour = {shade, shade, shade - 20};
                if (c.blocked && ((px + py) / 3) % 2 == 0) colour = {shade, shade / 3, shade / 3};
                else if (c.blocked) colour = {shade * 3 / 4, shade / 4, shade / 4};
            }
            const bool border = right[0] != cell[0] || right[2] != cell[2] || below[0] != cell[0] || below[2] != cell[2];
            if (border && c.height > 0.0f) colour = {colour.r * 3 / 5, colour.g * 3 / 5, colour.b * 3 / 5};
            picture.set(px, py, colour);
        }
    }
    auto toPixel = [&](int row, int column, int& px, int& py) {
        float centre[3];
        cellCentre(row, column, centre);
        px = static_cast<int>(centre[0] * scale);
        py = picture.height - static_cast<int>(centre[2] * scale);
    };
    for (const mapsource::Arrival& a : arrivals) {
        int px, py;
        toPixel(a.row, a.column, px, py);
        for (int t = 0; t < 64; ++t) {
            const double angle = t * 6.2831853 / 64;
            picture.set(px + static_cast<int>(std::lround(std::cos(angle) * scale * 0.45)),
                        py + static_cast<int>(std::lround(std::sin(angle) * scale * 0.3)), {40, 255, 60});
        }
    }
    for (int s = 0; s < kMapObjectCount; ++s) {
        if (!gMapObjects[s].present) continue;
        int px, py;
        toPixel(gObjectCells[s][0], gObjectCells[s][1], px, py);
        const auto role = roles.find(s);
        picture.number(px, py, s, roleColour(role == roles.end() ? "" : role->second));
    }
    // Crop to the part of the grid that holds anything, with a margin.
    int left = picture.width, right = -1, top = picture.height, bottom = -1;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const MapCell& cell = gMapCells[r][c];
            if (cell.height <= 0.0f && cell.wallColumn == 0 && cell.wallRow == 0) continue;
            for (int corner = 0; corner < 4; ++corner) {
                const double x = r + (corner & 1) + (c + (corner >> 1)) * kGridShear;
                const double z = (c + (corner >> 1)) * kGridShear;
                const int px = static_cast<int>(x * scale), py = picture.height - static_cast<int>(z * scale);
                left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
            }
        }
    }
    if (right >= 0) {
        left = std::max(0, left - 2 * scale), right = std::min(picture.width - 1, right + 2 * scale);
        top = std::max(0, top - 2 * scale), bottom = std::min(picture.height - 1, bottom + 2 * scale);
        Picture cropped(right - left + 1, bottom - top + 1);
        for (int y = 0; y < cropped.height; ++y)
            std::copy_n(&picture.rgb[(static_cast<std::size_t>(y + top) * picture.width + left) * 3], cropped.width * 3,
                        &cropped.rgb[static_cast<std::size_t>(y) * cropped.width * 3]);
        picture = cropped;
    }
    if (!png::write(argv[2], picture.width, picture.height, picture.rgb.data())) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
