#include "tools/picgen/PixelPen.h"

#include <algorithm>
#include <cmath>

namespace picgen {

void PixelPen::plot(int x, int y, pic::Rgb c) {
    if (x < 0 || y < 0 || x >= cellW_ || y >= cellH_) return;
    image_.set(cellX_ + x, cellY_ + y, c);
}

void PixelPen::rect(double x, double y, double w, double h, pic::Rgb c) {
    int x0 = static_cast<int>(std::lround(x + dx_)), y0 = static_cast<int>(std::lround(y + dy_));
    int iw = static_cast<int>(std::lround(w)), ih = static_cast<int>(std::lround(h));
    for (int j = 0; j < ih; ++j)
        for (int i = 0; i < iw; ++i) plot(x0 + i, y0 + j, c);
}

void PixelPen::ellipse(double cx, double cy, double rx, double ry, pic::Rgb c) {
    cx += dx_;
    cy += dy_;
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) plot(x, y, c);
        }
}

void PixelPen::poly(std::initializer_list<double> list, pic::Rgb c) {
    std::vector<double> xy(list);
    size_t n = xy.size() / 2;
    if (n < 3) return;
    for (size_t i = 0; i < n; ++i) {
        xy[2 * i] += dx_;
        xy[2 * i + 1] += dy_;
    }
    double minY = xy[1], maxY = xy[1], minX = xy[0], maxX = xy[0];
    for (size_t i = 0; i < n; ++i) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
        for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x) {
            double px = x + 0.5, py = y + 0.5;
            bool in = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                if (((yi > py) != (yj > py)) && (px < (xj - xi) * (py - yi) / (yj - yi) + xi)) in = !in;
            }
            if (in) plot(x, y, c);
        }
}

void PixelPen::thick(double x0, double y0, double x1, double y1, double width, pic::Rgb c) {
    double len = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(1, static_cast<int>(std::ceil(len * 2)));
    for (int s = 0; s <= steps; ++s) {
        double t = static_cast<double>(s) / steps;
        double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        rect(x - width / 2, y - width / 2, width, width, c);
    }
}

}  // namespace picgen
