#include "platform/FontFaces.h"

namespace fontfaces {
namespace {

constexpr const char* kIpaPGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
constexpr const char* kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// Face names as the game spells them: string literals here compile to
// Shift-JIS like the game's own.
struct FaceEntry {
    const char* faceCp932;
    std::vector<std::string> files;
};

// Packages: fonts-ipafont-gothic, fonts-rocknroll, fonts-aoyagi-kouzan-t,
// fonts-liberation, fonts-dejavu-extra, fonts-urw-base35
// (tools/install-deps.sh). Impact's stand-ins are narrow, heavy sans faces
// with lower case ("Sp", "Spead"): Liberation Sans Narrow Bold, else DejaVu
// Sans Condensed Bold where a newer Liberation comes without its Narrow.
const std::vector<FaceEntry>& table() {
    static const std::vector<FaceEntry> t = {
        {"ＭＳ Ｐゴシック", {kIpaPGothic}},
        {"MS UI Gothic", {kIpaPGothic}},
        {"ＭＳ ゴシック", {kIpaGothic}},
        {"HG創英角ﾎﾟｯﾌﾟ体", {"/usr/share/fonts/truetype/rocknroll/RocknRollOne-Regular.ttf", kIpaPGothic}},
        {"HGS行書体", {"/usr/share/fonts/truetype/aoyagi-kouzan-t/AoyagiKouzanT.ttf", kIpaPGothic}},
        {"Impact",
         {"/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf",
          "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf", kIpaPGothic}},
        {"Monotype Crosiva", {"/usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf", kIpaPGothic}},
    };
    return t;
}

// The name without spaces (one-byte, or the two-byte 0x81 0x40) and with
// ASCII letters in upper case, so "MS UI Gothic" and "ＭＳ　Ｐゴシック"
// spelled a little differently still match.
std::string normalised(const std::string& cp932) {
    std::string out;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cp932[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (lead && i + 1 < cp932.size()) {
            if (!(c == 0x81 && static_cast<unsigned char>(cp932[i + 1]) == 0x40)) out.append(cp932, i, 2);
            ++i;
        } else if (c != ' ') {
            out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : static_cast<char>(c));
        }
    }
    return out;
}

}  // namespace

const char* const kFallbackFile = kIpaGothic;

std::vector<std::string> filesForFace(const std::string& faceCp932) {
    const std::string name = normalised(faceCp932);
    for (const FaceEntry& e : table())
        if (name == normalised(e.faceCp932)) return e.files;
    return {kIpaPGothic};
}

}  // namespace fontfaces
