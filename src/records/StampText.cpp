#include "records/StampText.h"

#include <charconv>
#include <cstdio>

std::string stampText(DateTime time) {
    if (!time.isValid()) return {};
    // The year padded too: a time before the year 1000 (a server may send one) must read
    // back in the fixed widths below.
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year(), time.month(),
                  time.day(), time.hour(), time.minute(), time.second());
    return text;
}

DateTime timeOfStamp(std::string_view text) {
    // Fixed widths and separators, as written: "YYYY-MM-DD HH:MM:SS".
    static constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) return {};
    int fields[6] = {};
    size_t at = 0;
    for (int& field : fields) {
        const size_t end = kShape.find_first_not_of('0', at);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        const auto [ptr, error] = std::from_chars(text.data() + at, text.data() + stop, field);
        if (error != std::errc() || ptr != text.data() + stop) return {};
        if (stop < text.size() && text[stop] != kShape[stop]) return {};
        at = stop + 1;
    }
    return DateTime::fromFields(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}
