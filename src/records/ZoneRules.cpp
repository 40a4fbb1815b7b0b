#include "records/ZoneRules.h"

#include "records/CivilDays.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace {

using civil::daysFromCivil;
using civil::floorDiv;
using civil::isLeap;

constexpr int64_t kDay = 86400;

int64_t bigEndian(std::string_view bytes, size_t at, size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | uint8_t(bytes[at + i]);
    if (size == 4) return int32_t(uint32_t(value));
    return int64_t(value);
}

// A zone name as the database spells them: no way out of its folder.
bool isZoneName(std::string_view name) {
    if (name.empty() || name.size() > 255 || name.front() == '/') return false;
    for (const char c : name) {
        const bool fits = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '/' || c == '_' || c == '-' || c == '+';
        if (!fits) return false;
    }
    return name.find("//") == std::string_view::npos;
}

int yearOf(int64_t day) {
    int64_t y = 1970 + floorDiv(day, 366);
    while (daysFromCivil(y + 1, 1, 1) <= day)
        ++y;
    return int(y);
}

// Reads a POSIX TZ string's parts in turn.
class PosixReader {
public:
    explicit PosixReader(std::string_view text) : text_(text) {}
    bool atEnd() const { return at_ >= text_.size(); }
    bool peek(char c) const { return !atEnd() && text_[at_] == c; }
    bool skip(char c) {
        if (!peek(c)) return false;
        ++at_;
        return true;
    }
    bool name() {
        if (skip('<')) {
            const size_t close = text_.find('>', at_);
            if (close == std::string_view::npos) return false;
            at_ = close + 1;
            return true;
        }
        const size_t start = at_;
        while (!atEnd() && ((text_[at_] >= 'A' && text_[at_] <= 'Z') ||
                            (text_[at_] >= 'a' && text_[at_] <= 'z')))
            ++at_;
        return at_ - start >= 3;
    }
    bool number(int& value) {
        const size_t start = at_;
        value = 0;
        while (!atEnd() && text_[at_] >= '0' && text_[at_] <= '9')
            value = value * 10 + (text_[at_++] - '0');
        return at_ > start && value < 100000;
    }
    // [+-]hh[:mm[:ss]] as seconds.
    bool time(int32_t& seconds) {
        const bool negative = skip('-');
        if (!negative) skip('+');
        int h = 0, m = 0, s = 0;
        if (!number(h)) return false;
        if (skip(':') && (!number(m) || (skip(':') && !number(s)))) return false;
        seconds = (negative ? -1 : 1) * (h * 3600 + m * 60 + s);
        return true;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
};

}  // namespace

const ZoneRules* ZoneRules::named(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<ZoneRules>, std::less<>> loaded;
    const std::lock_guard lock(mutex);
    if (const auto it = loaded.find(name); it != loaded.end()) return it->second.get();
    std::unique_ptr<ZoneRules> zone;
    if (isZoneName(name)) {
        const char* dir = std::getenv("TZDIR");
        const std::string path =
            std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/" + std::string(name);
        std::ifstream file(path, std::ios::binary);
        std::string bytes;
        if (file) {
            bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            if (bytes.size() <= (1u << 20)) zone = fromTzif(std::string(name), bytes);
        }
    }
    return loaded.emplace(std::string(name), std::move(zone)).first->second.get();
}

std::unique_ptr<ZoneRules> ZoneRules::fromTzif(std::string name, std::string_view bytes) {
    constexpr size_t kHeader = 44;
    const auto counts = [&](size_t at, int64_t c[6]) {
        if (bytes.size() < at + kHeader || bytes.substr(at, 4) != "TZif") return false;
        for (int i = 0; i < 6; ++i)
            c[i] = bigEndian(bytes, at + 20 + 4 * i, 4);
        return std::all_of(c, c + 6, [](int64_t v) { return v >= 0 && v < (1 << 20); });
    };
    int64_t c[6];  // isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt
    if (!counts(0, c)) return nullptr;
    const auto blockSize = [&](size_t timeSize) {
        return size_t(c[3]) * timeSize + size_t(c[3]) + size_t(c[4]) * 6 + size_t(c[5]) +
               size_t(c[2]) * (timeSize + 4) + size_t(c[1]) + size_t(c[0]);
    };
    size_t at = kHeader;
    size_t timeSize = 4;
    if (bytes[4] >= '2') {
        // Version 2 and later repeat the data with 64-bit times, which is what is read.
        at += blockSize(4);
        if (!counts(at, c)) return nullptr;
        at += kHeader;
        timeSize = 8;
    }
    if (bytes.size() < at + blockSize(timeSize) || c[4] == 0) return nullptr;
    auto zone = std::unique_ptr<ZoneRules>(new ZoneRules);
    zone->name_ = std::move(name);
    const size_t types = at + size_t(c[3]) * (timeSize + 1);
    const auto offsetOfType = [&](size_t type) -> std::optional<int32_t> {
        if (type >= size_t(c[4])) return std::nullopt;
        return int32_t(bigEndian(bytes, types + type * 6, 4));
    };
    zone->initialOffset_ = *offsetOfType(0);
    for (int64_t i = 0; i < c[3]; ++i) {
        const int64_t when = bigEndian(bytes, at + size_t(i) * timeSize, timeSize);
        const auto offset = offsetOfType(uint8_t(bytes[at + size_t(c[3]) * timeSize + size_t(i)]));
        if (!offset) return nullptr;
        zone->transitions_.push_back({when, *offset});
    }
    if (!std::is_sorted(zone->transitions_.begin(), zone->transitions_.end(),
                        [](const Transition& a, const Transition& b) { return a.at < b.at; }))
        return nullptr;
    at += blockSize(timeSize);
    // The footer: a POSIX TZ string between two line feeds, for times after the table.
    if (timeSize == 8 && at < bytes.size() && bytes[at] == '\n') {
        const size_t end = bytes.find('\n', at + 1);
        if (end != std::string_view::npos) {
            PosixReader r(bytes.substr(at + 1, end - at - 1));
            PosixRule rule;
            int32_t west = 0;
            bool ok = r.name() && r.time(west);
            rule.standard = -west;
            if (ok && !r.atEnd()) {
                rule.hasDaylight = r.name();
                rule.daylight = rule.standard + 3600;
                if (rule.hasDaylight && !r.peek(',') && r.time(west)) rule.daylight = -west;
                const auto when = [&](PosixRule::When& w) {
                    if (!r.skip(',')) return false;
                    if (r.skip('M')) {
                        if (!r.number(w.month) || !r.skip('.') || !r.number(w.week) ||
                            !r.skip('.') || !r.number(w.weekday))
                            return false;
                        if (w.month < 1 || w.month > 12 || w.week < 1 || w.week > 5 ||
                            w.weekday > 6)
                            return false;
                    } else if (r.skip('J')) {
                        if (!r.number(w.julian) || w.julian < 1 || w.julian > 365) return false;
                    } else if (!r.number(w.zeroJulian) || w.zeroJulian > 365) {
                        return false;
                    }
                    return !r.skip('/') || r.time(w.time);
                };
                ok = rule.hasDaylight && when(rule.start) && when(rule.end) && r.atEnd();
            }
            if (ok) zone->tail_ = rule;
        }
    }
    return zone;
}

int64_t ZoneRules::posixOffsetAt(int64_t utc) const {
    const PosixRule& rule = *tail_;
    if (!rule.hasDaylight) return rule.standard;
    // The wall-clock second of a rule's change in a year, as seconds since 1970 on that clock.
    const auto changeIn = [](int64_t year, const PosixRule::When& w) {
        int64_t day = 0;
        if (w.julian >= 0) {
            day = daysFromCivil(year, 1, 1) + w.julian - 1;
            if (isLeap(year) && w.julian >= 60) ++day;
        } else if (w.zeroJulian >= 0) {
            day = daysFromCivil(year, 1, 1) + w.zeroJulian;
        } else {
            const int64_t first = daysFromCivil(year, w.month, 1);
            const int firstWeekday = int((first % 7 + 7 + 4) % 7);  // 0 Sunday
            day = first + (w.weekday - firstWeekday + 7) % 7 + 7 * (w.week - 1);
            const int64_t next =
                w.month == 12 ? daysFromCivil(year + 1, 1, 1) : daysFromCivil(year, w.month + 1, 1);
            while (day >= next)
                day -= 7;
        }
        return day * kDay + w.time;
    };
    const int year = yearOf(floorDiv(utc + rule.standard, kDay));
    const int64_t start = changeIn(year, rule.start) - rule.standard;
    const int64_t end = changeIn(year, rule.end) - rule.daylight;
    const bool daylight = start < end ? utc >= start && utc < end : utc < end || utc >= start;
    return daylight ? rule.daylight : rule.standard;
}

int64_t ZoneRules::offsetAt(int64_t utc) const {
    const auto after = std::upper_bound(transitions_.begin(), transitions_.end(), utc,
                                        [](int64_t t, const Transition& x) { return t < x.at; });
    if (after == transitions_.end() && tail_) return posixOffsetAt(utc);
    if (after == transitions_.begin()) return initialOffset_;
    return std::prev(after)->offset;
}

int64_t ZoneRules::instantOf(int64_t wall) const {
    // The offsets a day either side: a wall time is read with one of them.
    const int64_t before = offsetAt(wall - kDay);
    const int64_t after = offsetAt(wall + kDay);
    const int64_t early = wall - before, late = wall - after;
    const bool earlyFits = offsetAt(early) == before;
    const bool lateFits = offsetAt(late) == after;
    if (earlyFits && lateFits) return std::min(early, late);  // a repeated time: the first
    if (lateFits) return late;
    return early;  // fits, or a skipped time read with the offset before the change
}
