#include "organizer/PersonFilter.h"

void appendFolded(std::string& out, std::string_view text) {
    const size_t at = out.size();
    out.append(text);
    char* folded = out.data() + at;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < text.size()) {
            // U+00C0..U+00DE (but the multiplication sign) have their lower case 0x20 on.
            const auto next = static_cast<unsigned char>(text[++i]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i] = static_cast<char>(next + 0x20);
        }
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
