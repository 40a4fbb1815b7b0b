#include "records/StampText.h"

#include <charconv>

std::string stampText(DateTime time) {
    return time.isValid() ? time.format("%Y-%m-%d %H:%M:%S") : std::string();
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
