// Portrait sheets 347 to 354: 512 x 512, 5 x 5 cells of 96 x 96 from the
// top-left. Column c, row r lives on sheet 347 + 2 (c / 5) + (r >= 5) at
// cell (c mod 5, r mod 5).
#include "tools/picgen/Characters.h"
#include "tools/picgen/Picture.h"

namespace picgen {

namespace {

void paintPortraitSheet(pic::Image& img, int index) {
    img.fill(pic::rgb(24, 24, 32));
    const int firstColumn = (index / 2) * 5, firstRow = (index % 2) * 5;
    for (int cc = 0; cc < 5; ++cc)
        for (int rr = 0; rr < 5; ++rr) {
            PortraitCell cell = portraitCell(firstColumn + cc, firstRow + rr);
            if (!cell.look) continue;
            paintPortrait(img, cc * 96, rr * 96, 96, *cell.look, cell.expression);
        }
}

}  // namespace

void addPortraitSheets(Jobs& jobs) {
    for (int i = 0; i < 8; ++i)
        jobs.push_back({347 + i, 512, 512, false, [i](pic::Image& img) { paintPortraitSheet(img, i); }, ""});
}

}  // namespace picgen
