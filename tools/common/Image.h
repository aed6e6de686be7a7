// A picture being drawn by the content tools: RGB colour plus a coverage
// value per pixel, so that keyed pictures know which pixels are see-through
// and plain pictures can be composited over a backdrop.
#pragma once

#include <cstdint>
#include <vector>

namespace pic {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}
// Linear mix: t 0 gives a, 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
// Scales the brightness (1.0 keeps it); clamps to 0..255.
Rgb shade(Rgb c, double factor);

class Image {
public:
    Image() = default;
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb at(int x, int y) const;
    // The colours, top row first, three bytes a pixel (for a PNG file).
    std::vector<std::uint8_t> rgbBytes() const;
    std::uint8_t coverage(int x, int y) const;
    // Writes the colour with full coverage.
    void set(int x, int y, Rgb c);
    // Blends the colour in with opacity a (0..1); coverage grows likewise.
    void blend(int x, int y, Rgb c, double a);
    // Makes the pixel see-through again (keyed pictures).
    void clear(int x, int y);

    void fill(Rgb c);
    void fillRect(int x, int y, int w, int h, Rgb c, double a = 1.0);
    void frameRect(int x, int y, int w, int h, Rgb c, int thickness = 1);
    // Vertical gradient from top colour to bottom colour.
    void gradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom);
    // Filled ellipse with a soft (anti-aliased) edge; centre and radii in pixels.
    void fillEllipse(double cx, double cy, double rx, double ry, Rgb c, double a = 1.0);
    // Hard-edged ellipse for pixel art.
    void fillEllipseHard(double cx, double cy, double rx, double ry, Rgb c);
    void line(double x0, double y0, double x1, double y1, Rgb c, double width = 1.0, double a = 1.0);
    // Filled polygon (even-odd), anti-aliased by 4x4 supersampling when soft.
    void fillPolygon(const std::vector<double>& xy, Rgb c, double a = 1.0, bool soft = true);
    // Copies src with its coverage onto this picture at (x, y).
    void draw(const Image& src, int x, int y);
    // Copies a region of src, scaled by an integer factor, nearest pixel.
    void drawScaled(const Image& src, int sx, int sy, int sw, int sh, int x, int y, int factor);
    // Copies a region with box-filter down-scaling to (dw, dh).
    void drawResized(const Image& src, int sx, int sy, int sw, int sh, int x, int y, int dw, int dh);
    // Mirrors a region horizontally in place.
    void mirrorRegion(int x, int y, int w, int h);
    // Draws a 1-pixel outline of colour c around every covered pixel of the region.
    void outlineRegion(int x, int y, int w, int h, Rgb c);
    // Fills see-through pixels whose four neighbours are all covered (they
    // would show as holes in a keyed picture) with their neighbours' colour.
    void closePinholes();

private:
    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
    std::vector<std::uint8_t> coverage_;
};

}  // namespace pic
