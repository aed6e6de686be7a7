// Painted scenery from a small layer language (content/pictures/scenes.txt),
// each scene known by its kind and number ("backdrop 3", "still 7"):
// each picture is a list of layers painted in order, back to front, over the
// 640 x 480 visible part of a 1024 x 512 picture. The layers:
//   sky TOP BOTTOM                 vertical gradient over everything
//   stars COUNT                    small white stars
//   sun X Y R COLOUR               a glowing disc
//   glow X Y R COLOUR              a soft light
//   clouds COUNT COLOUR            soft cloud banks
//   mountains BASE AMP COLOUR      jagged ridge down to the bottom
//   hills BASE AMP COLOUR          rolling ridge
//   city BASE COLOUR               skyline with lit windows
//   sea Y TOP BOTTOM               water from Y down, with glints
//   wall TOP BOTTOM Y              a back wall from the top down to Y
//   floor Y NEAR FAR               a perspective floor from Y down
//   pillars COUNT COLOUR           columns standing on the floor line
//   bars COLOUR                    prison bars across the wall
//   pipes COLOUR                   pipes and panels on the wall
//   rays COLOUR                    light shafts from above
//   ruins BASE COLOUR              broken columns and arches
//   snow COUNT                     falling snowflakes
//   bubbles COUNT                  rising bubbles
//   crystals COUNT COLOUR          floating crystal shards
//   swirl X Y COLOUR               a spiral of energy
//   grid Y COLOUR                  a glowing floor grid
//   deck Y COLOUR                  a ship's deck with rail
//   rails Y COLOUR                 railway tracks into the distance
//   fortress X BASE W H COLOUR     a walled fortress with towers, standing on BASE
//   vignette STRENGTH              darkened corners
//   text X Y SIZE COLOUR WORDS...  a caption (centred on X, Y)
#pragma once

#include <string>
#include <vector>

#include "tools/common/Image.h"

namespace picgen {

// The scenes of scenes.txt by name.
const std::vector<std::string>* sceneLayers(const std::string& name);
// Paints the named scene into the top-left 640 x 480 (and fills the rest of
// the picture by extending the edges, so stretched sampling stays clean).
void paintScene(pic::Image& img, const std::string& name);
// Paints one layer line into a region (x0, y0, w, h) of the picture.
void paintLayer(pic::Image& img, const std::string& line, int x0, int y0, int w, int h, unsigned seed);
// Copies the right and bottom edges of the 640 x 480 picture outward.
void extendEdges(pic::Image& img, int w, int h);

}  // namespace picgen
