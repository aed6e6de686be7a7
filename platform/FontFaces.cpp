#include "platform/FontFaces.h"

#include "platform/Text.h"

namespace fontfaces {
namespace {

constexpr const char* kIpaPGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
constexpr const char* kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

struct FaceEntry {
    const char* faceUtf8;
    std::vector<std::string> files;
};

// Packages: fonts-ipafont-gothic, fonts-rocknroll, fonts-aoyagi-kouzan-t,
// fonts-bebas-neue, fonts-urw-base35 (tools/install-deps.sh).
const std::vector<FaceEntry>& table() {
    static const std::vector<FaceEntry> t = {
        {"ＭＳ Ｐゴシック", {kIpaPGothic}},
        {"MS UI Gothic", {kIpaPGothic}},
        {"ＭＳ ゴシック", {kIpaGothic}},
        {"HG創英角ﾎﾟｯﾌﾟ体", {"/usr/share/fonts/truetype/rocknroll/RocknRollOne-Regular.ttf", kIpaPGothic}},
        {"HGS行書体", {"/usr/share/fonts/truetype/aoyagi-kouzan-t/AoyagiKouzanT.ttf", kIpaPGothic}},
        {"Impact",
         {"/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf",
          "/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Bold.otf", kIpaPGothic}},
        {"Monotype Crosiva", {"/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf", kIpaPGothic}},
    };
    return t;
}

}  // namespace

const char* const kFallbackFile = kIpaGothic;

std::vector<std::string> filesForFace(const std::string& faceCp932) {
    const std::string utf8 = text::cp932ToUtf8(faceCp932.data(), static_cast<int>(faceCp932.size()));
    for (const FaceEntry& e : table())
        if (utf8 == e.faceUtf8) return e.files;
    return {kIpaPGothic};
}

}  // namespace fontfaces
