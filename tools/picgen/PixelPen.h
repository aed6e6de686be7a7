// Hard-edged drawing for pixel art, offset into one cell of a sheet and
// clipped to it, so a figure never spills into its neighbour.
#pragma once

#include <initializer_list>
#include <vector>

#include "tools/common/Image.h"

namespace picgen {

class PixelPen {
public:
    PixelPen(pic::Image& image, int cellX, int cellY, double dx = 0, double dy = 0, int cellW = 32, int cellH = 40)
        : image_(image), cellX_(cellX), cellY_(cellY), dx_(dx), dy_(dy), cellW_(cellW), cellH_(cellH) {}

    void rect(double x, double y, double w, double h, pic::Rgb c);
    void ellipse(double cx, double cy, double rx, double ry, pic::Rgb c);
    void poly(std::initializer_list<double> xy, pic::Rgb c);
    // A line of the given width with square ends.
    void thick(double x0, double y0, double x1, double y1, double width, pic::Rgb c);

private:
    void plot(int x, int y, pic::Rgb c);  // cell coordinates after the offset
    pic::Image& image_;
    int cellX_, cellY_;
    double dx_, dy_;
    int cellW_, cellH_;
};

}  // namespace picgen
