#include "platform/Translate.h"

#include <algorithm>
#include <cctype>

std::string countText(const PluralText& text, unsigned long count) {
    return fillIn(translatedPlural(text.singular, text.plural, count), {std::to_string(count)});
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    text.reserve(pattern.size() + 16 * values.size());
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            text += pattern[i];
            continue;
        }
        if (pattern[i + 1] == '%') {
            text += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        size_t position = 0;
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
            position = std::min<size_t>(position * 10 + size_t(pattern[j++] - '0'), 1000);
        const bool numbered = j < pattern.size() && pattern[j] == '$' && position > 0;
        if (numbered) ++j;
        const bool directive = (numbered || j == i + 1) && j < pattern.size() &&
                               (pattern[j] == 's' || pattern[j] == 'd');
        if (!directive) {
            text += pattern[i];  // not one of ours: kept as written
            continue;
        }
        const size_t index = numbered ? position - 1 : next++;
        if (index < values.size()) text += values.begin()[index];
        i = j;
    }
    return text;
}
