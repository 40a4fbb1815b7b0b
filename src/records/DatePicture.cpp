#include "records/DatePicture.h"

#include "platform/Locale.h"

namespace {

// The first character of a UTF-8 text.
std::string firstCharacter(const std::string& text) {
    size_t end = text.empty() ? 0 : 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return text.substr(0, end);
}

std::string number(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// Walks a picture, handing each run of one letter to `expand` and copying the rest.
// `expand` returns false for letters it does not know, which are then copied as they stand.
template <typename Expand>
std::string walkPicture(std::string_view picture, Expand expand) {
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted literal; a doubled quote inside stands for one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (!expand(c, run, out)) out.append(run, c);
        i += run;
    }
    return out;
}

}  // namespace

std::string formatDatePicture(const CalendarFields& f, std::string_view picture,
                              const Locale& locale) {
    return walkPicture(picture, [&](char c, size_t run, std::string& out) {
        switch (c) {
            case 'd':
                if (run <= 2)
                    out += number(f.day, run);
                else
                    out += locale.dayName(f.dayOfWeek, run == 3);
                return true;
            case 'M':
                if (run <= 2)
                    out += number(f.month, run);
                else
                    out += locale.monthName(f.month, run == 3);
                return true;
            case 'y':
                if (run == 1)
                    out += std::to_string(f.year % 100);
                else if (run == 2)
                    out += number(f.year % 100, 2);
                else
                    out += number(f.year, 4);
                return true;
            default:
                return false;
        }
    });
}

std::string formatTimePicture(const CalendarFields& f, std::string_view picture,
                              const Locale& locale) {
    const int hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
    const std::string marker = f.hour < 12 ? locale.amText() : locale.pmText();
    return walkPicture(picture, [&](char c, size_t run, std::string& out) {
        const size_t width = run >= 2 ? 2 : 1;
        switch (c) {
            case 'h':
                out += number(hour12, width);
                return true;
            case 'H':
                out += number(f.hour, width);
                return true;
            case 'm':
                out += number(f.minute, width);
                return true;
            case 's':
                out += number(f.second, width);
                return true;
            case 't':
                out += run == 1 ? firstCharacter(marker) : marker;
                return true;
            default:
                return false;
        }
    });
}
