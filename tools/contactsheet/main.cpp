// contactsheet: one overview picture of every bitmap resource, for review.
// Usage: contactsheet <Res folder> <output.png> [ids,comma,separated [box]]
// Each picture is shown in a 256 x 256 box (large ones scaled down, small
// ones scaled up by whole steps) over a checkerboard, so the see-through
// black of keyed pictures shows as the board, with its number underneath.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/common/BmpFile.h"
#include "tools/common/PngFile.h"
#include "tools/contactsheet/MeshPreview.h"

namespace {

// 3 x 5 digits for the labels.
const char* kDigits[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
                           "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"};

void drawNumber(pic::Image& img, int x, int y, int number, int scale) {
    std::string s = std::to_string(number);
    for (size_t k = 0; k < s.size(); ++k) {
        const char* glyph = kDigits[s[k] - '0'];
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 3; ++i)
                if (glyph[j * 3 + i] == '1')
                    img.fillRect(x + static_cast<int>(k) * 4 * scale + i * scale, y + j * scale, scale, scale, pic::rgb(255, 255, 255));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: contactsheet <Res folder> <output.png>\n");
        return 2;
    }
    struct Entry {
        int id;
        std::string path;
        bool mesh = false;
    };
    std::vector<Entry> entries;
    for (const auto& f : std::filesystem::directory_iterator(argv[1])) {
        std::string name = f.path().filename().string();
        int id = 0;
        if (std::sscanf(name.c_str(), "Bitmap_%d.bmp", &id) == 1 || std::sscanf(name.c_str(), "Icon_%d.bmp", &id) == 1)
            entries.push_back({id, f.path().string(), false});
        else if (std::sscanf(name.c_str(), "Xfile_%d.x", &id) == 1)
            entries.push_back({id, f.path().string(), true});
    }
    if (argc >= 4) {
        // Only the pictures asked for (a closer look at a few).
        std::vector<int> wanted;
        for (const char* p = argv[3]; *p;) {
            wanted.push_back(std::atoi(p));
            while (*p && *p != ',') ++p;
            if (*p == ',') ++p;
        }
        std::erase_if(entries, [&](const Entry& e) { return std::find(wanted.begin(), wanted.end(), e.id) == wanted.end(); });
    }
    // Pictures by number, then the meshes by number.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.mesh != b.mesh ? b.mesh : a.id < b.id;
    });
    const int box = argc >= 5 ? std::max(64, std::atoi(argv[4])) : 256, label = 16;
    const int columns = std::max(1, std::min(10, 2560 / (box + 8)));
    const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
    pic::Image sheet(columns * (box + 8) + 8, std::max(1, rows) * (box + label + 8) + 8);
    sheet.fill(pic::rgb(40, 40, 48));
    for (size_t n = 0; n < entries.size(); ++n) {
        const int x = 8 + static_cast<int>(n % columns) * (box + 8), y = 8 + static_cast<int>(n / columns) * (box + label + 8);
        if (entries[n].mesh) {
            sheet.fillRect(x, y, box, box, pic::rgb(70, 80, 100));
            if (!contactsheet::drawMeshPreview(sheet, entries[n].path, x, y, box))
                std::fprintf(stderr, "contactsheet: cannot read %s\n", entries[n].path.c_str());
            drawNumber(sheet, x + 2, y + box + 3, entries[n].id, 2);
            sheet.fillRect(x + 60, y + box + 6, 20, 5, pic::rgb(120, 200, 255));
            continue;
        }
        pic::Image img;
        if (!pic::readBmp(entries[n].path, img)) {
            std::fprintf(stderr, "contactsheet: cannot read %s\n", entries[n].path.c_str());
            continue;
        }
        for (int j = 0; j < box; ++j)
            for (int i = 0; i < box; ++i)
                sheet.set(x + i, y + j, ((i / 8) + (j / 8)) % 2 ? pic::rgb(90, 60, 90) : pic::rgb(120, 80, 120));
        int w = img.width(), h = img.height();
        if (w <= box / 2 && h <= box / 2) {
            int f = std::max(1, std::min(box / w, box / h));
            for (int j = 0; j < h * f; ++j)
                for (int i = 0; i < w * f; ++i) {
                    pic::Rgb c = img.at(i / f, j / f);
                    if (c.r || c.g || c.b) sheet.set(x + i, y + j, c);
                }
        } else {
            double s = std::min(static_cast<double>(box) / w, static_cast<double>(box) / h);
            int dw = std::max(1, static_cast<int>(w * s)), dh = std::max(1, static_cast<int>(h * s));
            for (int j = 0; j < dh; ++j)
                for (int i = 0; i < dw; ++i) {
                    pic::Rgb c = img.at(i * w / dw, j * h / dh);
                    if (c.r || c.g || c.b) sheet.set(x + i, y + j, c);
                }
        }
        drawNumber(sheet, x + 2, y + box + 3, entries[n].id, 2);
        drawNumber(sheet, x + 60, y + box + 6, w, 1);
        drawNumber(sheet, x + 90, y + box + 6, h, 1);
    }
    if (!png::write(argv[2], sheet.width(), sheet.height(), sheet.rgbBytes().data())) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
