#include "platform/FontLayout.h"

#include <algorithm>

namespace fontlayout {
namespace {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Offsets of every character start in s, plus s.size().
std::vector<std::size_t> boundaries(const std::string& s) {
    std::vector<std::size_t> b;
    std::size_t i = 0;
    while (i < s.size()) {
        b.push_back(i);
        i += static_cast<std::size_t>(characterLength(s.data() + i, static_cast<int>(s.size() - i)));
    }
    b.push_back(s.size());
    return b;
}

// The line cut to fit `width` with "..." on a character boundary.
std::string cutWithEllipsis(const std::string& line, int width, const MeasureFn& measure) {
    const std::vector<std::size_t> b = boundaries(line);
    // Largest k such that the first k characters plus "..." fit.
    std::size_t lo = 0, hi = b.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (measure(line.substr(0, b[mid]) + "...") <= width) lo = mid;
        else hi = mid - 1;
    }
    return line.substr(0, b[lo]) + "...";
}

// Splits one line into lines no wider than `width`: after a space, or next
// to a two-byte character, or inside a word only when nothing else fits.
std::vector<std::string> wrap(const std::string& line, int width, const MeasureFn& measure) {
    std::vector<std::string> out;
    std::string rest = line;
    while (!rest.empty()) {
        if (measure(rest) <= width) {
            out.push_back(rest);
            break;
        }
        const std::vector<std::size_t> b = boundaries(rest);
        // The longest prefix of whole characters that fits (at least one).
        std::size_t fit = 1;
        while (fit + 1 < b.size() && measure(rest.substr(0, b[fit + 1])) <= width) ++fit;
        // Prefer a break opportunity at or before it.
        std::size_t cut = fit;
        for (std::size_t k = fit; k >= 1; --k) {
            const unsigned char before = static_cast<unsigned char>(rest[b[k - 1]]);
            const unsigned char after = static_cast<unsigned char>(rest[b[k]]);
            if (before == ' ' || isLeadByte(before) || isLeadByte(after) || after == ' ') {
                cut = k;
                break;
            }
            if (k == 1) break;
        }
        std::string head = rest.substr(0, b[cut]);
        std::size_t next = b[cut];
        while (next < rest.size() && rest[next] == ' ') ++next;  // spaces at a break vanish
        while (!head.empty() && head.back() == ' ') head.pop_back();
        out.push_back(head);
        rest = rest.substr(next);
    }
    if (out.empty()) out.emplace_back();
    return out;
}

}  // namespace

int characterLength(const char* p, int remaining) {
    if (remaining >= 2 && isLeadByte(static_cast<unsigned char>(p[0]))) return 2;
    return 1;
}

bool endsOnCharacterBoundary(const std::string& s, std::size_t count) {
    std::size_t i = 0;
    while (i < count) i += static_cast<std::size_t>(characterLength(s.data() + i, static_cast<int>(s.size() - i)));
    return i == count;
}

Layout layoutText(const std::string& text, int rectWidth, int rectHeight, std::uint32_t format, int lineHeight,
                  const MeasureFn& measure) {
    // Logical lines: "\n" (with an optional "\r" before it) starts a line;
    // a single-line block drops the breaks.
    std::vector<std::string> logical;
    {
        std::string current;
        std::size_t i = 0;
        while (i < text.size()) {
            const int n = characterLength(text.data() + i, static_cast<int>(text.size() - i));
            if (n == 1 && (text[i] == '\n' || text[i] == '\r')) {
                const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
                if (!(format & gfx::kDtSingleLine)) {
                    logical.push_back(current);
                    current.clear();
                }
                i += crlf ? 2 : 1;
                continue;
            }
            current.append(text, i, static_cast<std::size_t>(n));
            i += static_cast<std::size_t>(n);
        }
        logical.push_back(current);
    }

    std::vector<std::string> lines;
    const bool wrapping = (format & gfx::kDtWordBreak) && !(format & gfx::kDtSingleLine) && rectWidth > 0;
    for (const std::string& l : logical) {
        if (wrapping) {
            for (std::string& w : wrap(l, rectWidth, measure)) lines.push_back(std::move(w));
        } else {
            lines.push_back(l);
        }
    }

    Layout layout;
    const bool ellipsis = (format & (gfx::kDtWordEllipsis | gfx::kDtEndEllipsis)) != 0;
    for (std::string& l : lines) {
        int w = measure(l);
        if (ellipsis && w > rectWidth && !(format & gfx::kDtCalcRect)) {
            l = cutWithEllipsis(l, rectWidth, measure);
            w = measure(l);
        }
        PlacedLine p{l, 0, 0, w};
        layout.lines.push_back(std::move(p));
        layout.width = std::max(layout.width, w);
    }
    layout.height = static_cast<int>(layout.lines.size()) * lineHeight;

    int top = 0;
    if (format & gfx::kDtSingleLine) {
        if (format & gfx::kDtBottom) top = rectHeight - lineHeight;
        else if (format & gfx::kDtVCentre) top = (rectHeight - lineHeight) / 2;
    }
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        PlacedLine& p = layout.lines[i];
        p.y = top + static_cast<int>(i) * lineHeight;
        if (format & gfx::kDtRight) p.x = rectWidth - p.width;
        else if (format & gfx::kDtCentre) p.x = (rectWidth - p.width) / 2;
        else p.x = 0;
    }
    return layout;
}

}  // namespace fontlayout
