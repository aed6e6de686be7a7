// 222-239: the eighteen battle backdrops; 240: the sky of a weapon skill.
// 1024 x 512 each, the visible picture in the top-left 640 x 480.
#include <string>

#include "tools/picgen/Picture.h"
#include "tools/picgen/Scenery.h"

namespace picgen {

void addBattleBackdrops(Jobs& jobs) {
    for (int i = 0; i <= 18; ++i)
        jobs.push_back({222 + i, 1024, 512, false, [i](pic::Image& img) { paintScene(img, "backdrop " + std::to_string(i)); }, ""});
}

}  // namespace picgen
