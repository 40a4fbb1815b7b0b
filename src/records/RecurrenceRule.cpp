#include "records/RecurrenceRule.h"

#include <charconv>
#include <cstdio>

namespace {

constexpr const char* kFrequencies[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY",
                                        "WEEKLY",   "MONTHLY",  "YEARLY"};
constexpr const char* kWeekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

bool readInt(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

int weekdayOf(std::string_view text) {
    for (int i = 0; i < 7; ++i) {
        if (text == kWeekdays[i]) return i;
    }
    return -1;
}

// Splits a comma list and reads each item with `read`; false at the first bad one.
template <class Item, class Read>
bool readList(std::string_view text, std::vector<Item>& items, Read read) {
    items.clear();
    while (true) {
        const size_t comma = text.find(',');
        Item item{};
        if (!read(text.substr(0, comma), item)) return false;
        items.push_back(item);
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

bool readBounded(std::string_view text, std::vector<int>& items, int low, int high, bool negative) {
    return readList(text, items, [&](std::string_view item, int& value) {
        if (!readInt(item, value)) return false;
        const int magnitude = value < 0 ? -value : value;
        return (value >= 0 || negative) && magnitude >= low && magnitude <= high;
    });
}

bool readWeekdayNum(std::string_view text, WeekdayNum& day) {
    if (text.size() < 2) return false;
    day.weekday = weekdayOf(text.substr(text.size() - 2));
    if (day.weekday < 0) return false;
    day.ordinal = 0;
    const std::string_view ordinal = text.substr(0, text.size() - 2);
    if (ordinal.empty()) return true;
    return readInt(ordinal, day.ordinal) && day.ordinal != 0 && day.ordinal >= -53 &&
           day.ordinal <= 53;
}

// An UNTIL value: a date, a wall time, or a UTC time.
bool readUntil(std::string_view text, RecurrenceRule& rule) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const auto digits = [&](size_t at, size_t length, int& value) {
        return at + length <= text.size() && readInt(text.substr(at, length), value);
    };
    if (!digits(0, 4, year) || !digits(4, 2, month) || !digits(6, 2, day)) return false;
    rule.untilIsDate = text.size() == 8;
    rule.untilIsUtc = false;
    if (!rule.untilIsDate) {
        if (text.size() < 15 || text[8] != 'T' || !digits(9, 2, hour) || !digits(11, 2, minute) ||
            !digits(13, 2, second))
            return false;
        rule.untilIsUtc = text.size() == 16 && text[15] == 'Z';
        if (text.size() != 15 && !rule.untilIsUtc) return false;
        // A leap second stands for the last second of its minute.
        if (second == 60) second = 59;
    }
    rule.until = DateTime::fromFields(year, month, day, hour, minute, second);
    return rule.until.isValid();
}

void appendList(std::string& text, const char* name, const std::vector<int>& items) {
    if (items.empty()) return;
    text += ';';
    text += name;
    text += '=';
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += ',';
        text += std::to_string(items[i]);
    }
}

}  // namespace

std::optional<RecurrenceRule> RecurrenceRule::parse(std::string_view text, std::string* error) {
    RecurrenceRule rule;
    bool hasFrequency = false;
    const auto fail = [&](std::string_view part) -> std::optional<RecurrenceRule> {
        if (error) *error = std::string(part);
        return std::nullopt;
    };
    while (!text.empty()) {
        const size_t semicolon = text.find(';');
        const std::string_view part = text.substr(0, semicolon);
        text =
            semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
        if (part.empty()) continue;
        const size_t equals = part.find('=');
        if (equals == std::string_view::npos) return fail(part);
        const std::string_view name = part.substr(0, equals);
        const std::string_view value = part.substr(equals + 1);
        bool ok = true;
        if (name == "FREQ") {
            ok = false;
            for (int i = 0; i < 7; ++i) {
                if (value == kFrequencies[i]) {
                    rule.frequency = Frequency(i);
                    hasFrequency = ok = true;
                }
            }
        } else if (name == "INTERVAL") {
            ok = readInt(value, rule.interval) && rule.interval >= 1;
        } else if (name == "COUNT") {
            ok = readInt(value, rule.count) && rule.count >= 1;
        } else if (name == "UNTIL") {
            ok = readUntil(value, rule);
        } else if (name == "BYSECOND") {
            ok = readBounded(value, rule.bySecond, 0, 60, false);
        } else if (name == "BYMINUTE") {
            ok = readBounded(value, rule.byMinute, 0, 59, false);
        } else if (name == "BYHOUR") {
            ok = readBounded(value, rule.byHour, 0, 23, false);
        } else if (name == "BYDAY") {
            ok = readList(value, rule.byDay, readWeekdayNum);
        } else if (name == "BYMONTHDAY") {
            ok = readBounded(value, rule.byMonthDay, 1, 31, true);
        } else if (name == "BYYEARDAY") {
            ok = readBounded(value, rule.byYearDay, 1, 366, true);
        } else if (name == "BYWEEKNO") {
            ok = readBounded(value, rule.byWeekNo, 1, 53, true);
        } else if (name == "BYMONTH") {
            ok = readBounded(value, rule.byMonth, 1, 12, false);
        } else if (name == "BYSETPOS") {
            ok = readBounded(value, rule.bySetPos, 1, 366, true);
        } else if (name == "WKST") {
            rule.weekStart = weekdayOf(value);
            ok = rule.weekStart >= 0;
        } else if (!name.starts_with("X-")) {
            ok = false;
        }
        if (!ok) return fail(part);
    }
    if (!hasFrequency) return fail("FREQ");
    // A second has no 60th in a local time: it stands for the 59th.
    for (int& second : rule.bySecond) {
        if (second == 60) second = 59;
    }
    return rule;
}

std::string RecurrenceRule::text() const {
    std::string text = "FREQ=";
    text += kFrequencies[int(frequency)];
    if (!until.isNull()) {
        text += ";UNTIL=";
        if (const auto f = until.fields()) {
            char buffer[32];
            if (untilIsDate)
                std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", f->year, f->month, f->day);
            else
                std::snprintf(buffer, sizeof buffer, "%04d%02d%02dT%02d%02d%02d%s", f->year,
                              f->month, f->day, f->hour, f->minute, f->second,
                              untilIsUtc ? "Z" : "");
            text += buffer;
        }
    }
    if (count > 0) text += ";COUNT=" + std::to_string(count);
    if (interval > 1) text += ";INTERVAL=" + std::to_string(interval);
    appendList(text, "BYSECOND", bySecond);
    appendList(text, "BYMINUTE", byMinute);
    appendList(text, "BYHOUR", byHour);
    if (!byDay.empty()) {
        text += ";BYDAY=";
        for (size_t i = 0; i < byDay.size(); ++i) {
            if (i > 0) text += ',';
            if (byDay[i].ordinal != 0) text += std::to_string(byDay[i].ordinal);
            text += kWeekdays[byDay[i].weekday];
        }
    }
    appendList(text, "BYMONTHDAY", byMonthDay);
    appendList(text, "BYYEARDAY", byYearDay);
    appendList(text, "BYWEEKNO", byWeekNo);
    appendList(text, "BYMONTH", byMonth);
    appendList(text, "BYSETPOS", bySetPos);
    if (weekStart != 0) text += std::string(";WKST=") + kWeekdays[weekStart];
    return text;
}

bool RecurrenceRule::isSimple() const {
    if (frequency < Frequency::Daily) return false;
    if (!bySecond.empty() || !byMinute.empty() || !byHour.empty() || !byYearDay.empty() ||
        !byWeekNo.empty() || !byMonth.empty() || !bySetPos.empty())
        return false;
    switch (frequency) {
        case Frequency::Daily:
            return byDay.empty() && byMonthDay.empty();
        case Frequency::Weekly:
            for (const WeekdayNum& day : byDay) {
                if (day.ordinal != 0) return false;
            }
            return byMonthDay.empty();
        case Frequency::Monthly:
            if (!byMonthDay.empty()) return byDay.empty() && byMonthDay.size() == 1;
            return byDay.size() <= 1 && (byDay.empty() || byDay[0].ordinal != 0);
        default:
            return byDay.empty() && byMonthDay.empty();
    }
}
