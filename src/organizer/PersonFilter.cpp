#include "organizer/PersonFilter.h"

namespace {

// The letters of U+00C0..U+00FF and U+0100..U+017F without their accents, in lower case:
// '-' keeps the character (the multiplication and division signs), '*' is one that
// stands for two letters (see twoLetters).
constexpr std::string_view kLatin1Letters =
    "aaaaaa*ceeeeiiiidnooooo-ouuuuy**aaaaaa*ceeeeiiiidnooooo-ouuuuy*y";
constexpr std::string_view kLatinExtendedLetters =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**"
    "rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

std::string_view twoLetters(unsigned codePoint) {
    switch (codePoint) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
        case 0x133:
            return "ij";
        default:
            return "oe";  // U+0152, U+0153
    }
}

// Appends the folded form of the two-byte character `lead`, `next`; false when it has none.
bool appendFoldedLetter(std::string& out, unsigned char lead, unsigned char next) {
    const unsigned codePoint = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
    // Combining accents (U+0300..U+036F), as in decomposed text, fold away.
    if (codePoint >= 0x300 && codePoint <= 0x36F) return true;
    char letter = '-';
    if (codePoint >= 0xC0 && codePoint <= 0xFF) letter = kLatin1Letters[codePoint - 0xC0];
    if (codePoint >= 0x100 && codePoint <= 0x17F) letter = kLatinExtendedLetters[codePoint - 0x100];
    if (letter == '-') return false;
    if (letter == '*')
        out.append(twoLetters(codePoint));
    else
        out.push_back(letter);
    return true;
}

}  // namespace

void appendFolded(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c + ('a' - 'A')));
            continue;
        }
        if (c >= 0xC3 && c <= 0xCD && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if ((next & 0xC0) == 0x80 && appendFoldedLetter(out, c, next)) {
                ++i;
                continue;
            }
        }
        out.push_back(static_cast<char>(c));
    }
}

std::string foldCase(std::string_view text) {
    std::string folded;
    appendFolded(folded, text);
    return folded;
}

PersonFilter::PersonFilter(std::string_view typed) : needle_(foldCase(typed)) {}

bool PersonFilter::narrows(const PersonFilter& wider) const {
    return needle_.find(wider.needle_) != std::string::npos;
}
