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

// Writes the folded form of the two-byte character `lead`, `next` at `out` and returns
// where it ends; nullptr when the character has none.
char* foldLetter(char* out, unsigned char lead, unsigned char next) {
    const unsigned codePoint = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
    // Combining accents (U+0300..U+036F), as in decomposed text, fold away.
    if (codePoint >= 0x300 && codePoint <= 0x36F) return out;
    char letter = '-';
    if (codePoint >= 0xC0 && codePoint <= 0xFF) letter = kLatin1Letters[codePoint - 0xC0];
    if (codePoint >= 0x100 && codePoint <= 0x17F) letter = kLatinExtendedLetters[codePoint - 0x100];
    if (letter == '-') return nullptr;
    if (letter != '*') {
        *out = letter;
        return out + 1;
    }
    const std::string_view two = twoLetters(codePoint);
    out[0] = two[0];
    out[1] = two[1];
    return out + 2;
}

}  // namespace

void appendFolded(std::string& out, std::string_view text) {
    // No character folds longer than it is, so the text is written in place and the
    // string cut to what was written: the whole document is folded at every change.
    const size_t at = out.size();
    out.resize(at + text.size());
    char* const start = out.data() + at;
    char* to = start;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xC3 && c <= 0xCD && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if ((next & 0xC0) == 0x80) {
                if (char* end = foldLetter(to, c, next)) {
                    to = end;
                    ++i;
                    continue;
                }
            }
        }
        *to++ = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    out.resize(at + size_t(to - start));
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

void appendNumberDigits(std::string& out, std::string_view number) {
    for (const char c : number) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
}

bool isDialledNumber(PersonText field) {
    switch (field) {
        case PersonText::HmPhone:
        case PersonText::WkPhone:
        case PersonText::Pager:
        case PersonText::Fax:
        case PersonText::CelPhone:
            return true;
        default:
            return false;
    }
}
