// The game names Windows font faces; these are the Debian fonts that stand
// in for them, in one table.
#pragma once

#include <string>
#include <vector>

namespace fontfaces {

// The fallback for glyphs a face lacks, and for faces that will not open.
extern const char* const kFallbackFile;  // IPA Gothic

// The font files for a face name (Shift-JIS bytes as the game names it), in
// order of preference; unknown faces get IPA P Gothic.
std::vector<std::string> filesForFace(const std::string& faceCp932);

}  // namespace fontfaces
