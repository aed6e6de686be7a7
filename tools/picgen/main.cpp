// picgen: paints every bitmap resource of the game and the window icon.
// Usage: picgen <content/pictures folder> <output Res folder> <font file>
#include <cstdio>
#include <set>
#include <string>

#include "tools/common/BmpFile.h"
#include "tools/picgen/Picture.h"
#include "tools/picgen/TextPainter.h"

namespace picgen {
namespace {
std::string gContentDir;
}
const std::string& contentDir() { return gContentDir; }
void setContentDir(const std::string& dir) { gContentDir = dir; }
}  // namespace picgen

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: picgen <content/pictures> <Res folder> <font.ttf>\n");
        return 2;
    }
    picgen::setContentDir(argv[1]);
    const std::string outDir = argv[2];
    if (!picgen::openFonts(argv[3])) {
        std::fprintf(stderr, "picgen: cannot open the font %s\n", argv[3]);
        return 1;
    }
    picgen::Jobs jobs;
    picgen::addInterfacePictures(jobs);
    picgen::addTitlePictures(jobs);
    picgen::addSpriteSheets(jobs);
    picgen::addTileAtlas(jobs);
    picgen::addPortraitSheets(jobs);
    picgen::addFaceIcons(jobs);
    picgen::addCardPictures(jobs);
    picgen::addBattleBackdrops(jobs);
    picgen::addEventPictures(jobs);
    picgen::addEffectSheet(jobs);

    std::set<std::string> seen;
    int failures = 0;
    for (const picgen::PictureJob& job : jobs) {
        const std::string name = job.fileName.empty() ? "Bitmap_" + std::to_string(job.id) + ".bmp" : job.fileName;
        if (!seen.insert(name).second) {
            std::fprintf(stderr, "picgen: %s is made twice\n", name.c_str());
            ++failures;
            continue;
        }
        pic::Image image(job.width, job.height);
        job.paint(image);
        if (job.keyed) image.closePinholes();
        if (image.width() != job.width || image.height() != job.height) {
            std::fprintf(stderr, "picgen: %s painted at the wrong size\n", name.c_str());
            ++failures;
            continue;
        }
        if (!pic::writeBmp(outDir + "/" + name, image, job.keyed)) {
            std::fprintf(stderr, "picgen: cannot write %s\n", name.c_str());
            ++failures;
        }
    }
    picgen::closeFonts();
    return failures ? 1 : 0;
}
