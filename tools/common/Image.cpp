#include "tools/common/Image.h"

#include <algorithm>
#include <cmath>

namespace pic {

namespace {
std::uint8_t clampByte(double v) {
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return static_cast<std::uint8_t>(v + 0.5);
}
}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t), clampByte(a.b + (b.b - a.b) * t)};
}

Rgb shade(Rgb c, double f) { return Rgb{clampByte(c.r * f), clampByte(c.g * f), clampByte(c.b * f)}; }

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height),
      coverage_(static_cast<size_t>(width) * height, 0) {}

Rgb Image::at(int x, int y) const { return inside(x, y) ? pixels_[static_cast<size_t>(y) * width_ + x] : Rgb{}; }

std::vector<std::uint8_t> Image::rgbBytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels_.size() * 3);
    for (const Rgb& c : pixels_) bytes.insert(bytes.end(), {c.r, c.g, c.b});
    return bytes;
}

std::uint8_t Image::coverage(int x, int y) const {
    return inside(x, y) ? coverage_[static_cast<size_t>(y) * width_ + x] : 0;
}

void Image::set(int x, int y, Rgb c) {
    if (!inside(x, y)) return;
    size_t i = static_cast<size_t>(y) * width_ + x;
    pixels_[i] = c;
    coverage_[i] = 255;
}

void Image::blend(int x, int y, Rgb c, double a) {
    if (!inside(x, y) || a <= 0) return;
    if (a >= 1) {
        set(x, y, c);
        return;
    }
    size_t i = static_cast<size_t>(y) * width_ + x;
    double old = coverage_[i] / 255.0;
    // Over a see-through pixel the colour is taken whole, so edges keep their hue.
    if (old <= 0) {
        pixels_[i] = c;
    } else {
        pixels_[i] = mix(pixels_[i], c, a);
    }
    coverage_[i] = clampByte((old + a * (1 - old)) * 255);
}

void Image::clear(int x, int y) {
    if (!inside(x, y)) return;
    size_t i = static_cast<size_t>(y) * width_ + x;
    pixels_[i] = Rgb{};
    coverage_[i] = 0;
}

void Image::fill(Rgb c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
    std::fill(coverage_.begin(), coverage_.end(), 255);
}

void Image::fillRect(int x, int y, int w, int h, Rgb c, double a) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) blend(i, j, c, a);
}

void Image::frameRect(int x, int y, int w, int h, Rgb c, int t) {
    fillRect(x, y, w, t, c);
    fillRect(x, y + h - t, w, t, c);
    fillRect(x, y, t, h, c);
    fillRect(x + w - t, y, t, h, c);
}

void Image::gradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) {
        Rgb c = mix(top, bottom, h > 1 ? static_cast<double>(j) / (h - 1) : 0.0);
        for (int i = 0; i < w; ++i) set(x + i, y + j, c);
    }
}

void Image::fillEllipse(double cx, double cy, double rx, double ry, Rgb c, double a) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = static_cast<int>(std::floor(cx - rx - 1)), x1 = static_cast<int>(std::ceil(cx + rx + 1));
    int y0 = static_cast<int>(std::floor(cy - ry - 1)), y1 = static_cast<int>(std::ceil(cy + ry + 1));
    double scale = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            double d = (std::sqrt(dx * dx + dy * dy) - 1.0) * scale;  // about pixels outside the edge
            double cov = std::clamp(0.5 - d, 0.0, 1.0);
            if (cov > 0) blend(x, y, c, cov * a);
        }
}

void Image::fillEllipseHard(double cx, double cy, double rx, double ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) set(x, y, c);
        }
}

void Image::line(double x0, double y0, double x1, double y1, Rgb c, double w, double a) {
    double dx = x1 - x0, dy = y1 - y0;
    double len = std::sqrt(dx * dx + dy * dy);
    if (len < 1e-9) {
        fillEllipse(x0, y0, w / 2, w / 2, c, a);
        return;
    }
    double nx = -dy / len * w / 2, ny = dx / len * w / 2;
    fillPolygon({x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny}, c, a, true);
}

void Image::fillPolygon(const std::vector<double>& xy, Rgb c, double a, bool soft) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    double minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    auto insidePoly = [&](double px, double py) {
        bool in = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if (((yi > py) != (yj > py)) && (px < (xj - xi) * (py - yi) / (yj - yi) + xi)) in = !in;
        }
        return in;
    };
    const int samples = soft ? 4 : 1;
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
        for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    if (insidePoly(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)) ++hits;
            if (hits) blend(x, y, c, a * hits / (samples * samples));
        }
}

void Image::draw(const Image& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i) {
            std::uint8_t cov = src.coverage(i, j);
            if (cov) blend(x + i, y + j, src.at(i, j), cov / 255.0);
        }
}

void Image::drawScaled(const Image& src, int sx, int sy, int sw, int sh, int x, int y, int factor) {
    for (int j = 0; j < sh * factor; ++j)
        for (int i = 0; i < sw * factor; ++i) {
            int u = sx + i / factor, v = sy + j / factor;
            std::uint8_t cov = src.coverage(u, v);
            if (cov) blend(x + i, y + j, src.at(u, v), cov / 255.0);
        }
}

void Image::drawResized(const Image& src, int sx, int sy, int sw, int sh, int x, int y, int dw, int dh) {
    for (int j = 0; j < dh; ++j)
        for (int i = 0; i < dw; ++i) {
            int u0 = sx + i * sw / dw, u1 = std::max(u0 + 1, sx + (i + 1) * sw / dw);
            int v0 = sy + j * sh / dh, v1 = std::max(v0 + 1, sy + (j + 1) * sh / dh);
            double r = 0, g = 0, b = 0, cov = 0;
            int count = 0;
            for (int v = v0; v < v1; ++v)
                for (int u = u0; u < u1; ++u) {
                    double c = src.coverage(u, v) / 255.0;
                    Rgb p = src.at(u, v);
                    r += p.r * c;
                    g += p.g * c;
                    b += p.b * c;
                    cov += c;
                    ++count;
                }
            if (cov > 0) blend(x + i, y + j, Rgb{clampByte(r / cov), clampByte(g / cov), clampByte(b / cov)}, cov / count);
        }
}

void Image::mirrorRegion(int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = 0; i < w / 2; ++i) {
            int a = x + i, b = x + w - 1 - i;
            if (!inside(a, j) || !inside(b, j)) continue;
            size_t ia = static_cast<size_t>(j) * width_ + a, ib = static_cast<size_t>(j) * width_ + b;
            std::swap(pixels_[ia], pixels_[ib]);
            std::swap(coverage_[ia], coverage_[ib]);
        }
}

void Image::outlineRegion(int x, int y, int w, int h, Rgb c) {
    std::vector<std::uint8_t> solid(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) solid[static_cast<size_t>(j) * w + i] = coverage(x + i, y + j) >= 128;
    auto isSolid = [&](int i, int j) { return i >= 0 && j >= 0 && i < w && j < h && solid[static_cast<size_t>(j) * w + i]; };
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (isSolid(i, j)) continue;
            if (isSolid(i - 1, j) || isSolid(i + 1, j) || isSolid(i, j - 1) || isSolid(i, j + 1)) set(x + i, y + j, c);
        }
}

void Image::closePinholes() {
    auto solid = [&](int x, int y) { return coverage(x, y) >= 128; };
    for (int y = 1; y + 1 < height_; ++y)
        for (int x = 1; x + 1 < width_; ++x) {
            if (solid(x, y) || !solid(x - 1, y) || !solid(x + 1, y) || !solid(x, y - 1) || !solid(x, y + 1)) continue;
            Rgb a = mix(at(x - 1, y), at(x + 1, y), 0.5), b = mix(at(x, y - 1), at(x, y + 1), 0.5);
            set(x, y, mix(a, b, 0.5));
        }
}

}  // namespace pic
