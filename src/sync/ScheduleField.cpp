#include "sync/ScheduleField.h"

#include <vector>

#include "platform/Translate.h"
#include "records/StampText.h"

namespace {

std::string timeText(DateTime time) {
    return time.isValid() ? stampText(time) : std::string("-");
}

bool readTime(std::string_view text, DateTime& time) {
    if (text == "-") {
        time = DateTime();
        return true;
    }
    time = timeOfStamp(text);
    return time.isValid();
}

// A description on one line: line breaks and backslashes escaped.
std::string oneLine(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string fromOneLine(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

// The text split at `separator`, at most `parts` pieces (the last takes the rest).
std::vector<std::string_view> split(std::string_view text, char separator, size_t parts) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        const size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        out.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    out.push_back(text);
    return out;
}

}  // namespace

std::string scheduleField(const Schedule& s) {
    std::string out;
    if (s.allDay) out += "allday\n";
    if (s.lastDay.isValid()) out += "last " + timeText(s.lastDay) + "\n";
    if (!s.zone.empty()) out += "zone " + s.zone + "\n";
    if (s.rule) out += "rule " + s.rule->text() + "\n";
    for (const DateTime added : s.added)
        out += "add " + timeText(added) + "\n";
    for (const DateTime removed : s.removed)
        out += "del " + timeText(removed) + "\n";
    for (const ChangedOccurrence& c : s.changed) {
        out += "chg " + timeText(c.replaces) + "|" + timeText(c.start) + "|" + timeText(c.end) +
               "|" + (c.alarm ? std::to_string(c.alarmMinutes) : std::string("-")) + "|" +
               oneLine(c.description) + "\n";
    }
    return out;
}

bool readScheduleField(std::string_view text, Schedule& schedule) {
    Schedule s;
    s.remindedUntil = schedule.remindedUntil;
    for (const std::string_view line : split(text, '\n', SIZE_MAX)) {
        if (line.empty()) continue;
        const std::vector<std::string_view> parts = split(line, ' ', 2);
        const std::string_view name = parts[0];
        const std::string_view value = parts.size() > 1 ? parts[1] : std::string_view();
        if (name == "allday") {
            s.allDay = true;
        } else if (name == "last") {
            if (!readTime(value, s.lastDay)) return false;
        } else if (name == "zone") {
            s.zone = value;
        } else if (name == "rule") {
            s.rule = RecurrenceRule::parse(value);
            if (!s.rule) return false;
        } else if (name == "add" || name == "del") {
            DateTime time;
            if (!readTime(value, time)) return false;
            (name == "add" ? s.added : s.removed).push_back(time);
        } else if (name == "chg") {
            const std::vector<std::string_view> c = split(value, '|', 5);
            ChangedOccurrence change;
            if (c.size() != 5 || !readTime(c[0], change.replaces) ||
                !readTime(c[1], change.start) || !readTime(c[2], change.end))
                return false;
            change.alarm = c[3] != "-";
            if (change.alarm) change.alarmMinutes = std::atoi(std::string(c[3]).c_str());
            change.description = fromOneLine(c[4]);
            s.changed.push_back(std::move(change));
        } else {
            return false;
        }
    }
    schedule = std::move(s);
    return true;
}

std::string scheduleFieldSummary(std::string_view text) {
    if (text.empty()) return _("does not repeat");
    Schedule s;
    if (!readScheduleField(text, s)) return std::string(text);
    std::string out = s.rule ? "RRULE:" + s.rule->text() : std::string(_("does not repeat"));
    if (!s.changed.empty())
        out += ", " + fillIn(_("%s changed"), {std::to_string(s.changed.size())});
    if (!s.removed.empty())
        out += ", " + fillIn(_("%s removed"), {std::to_string(s.removed.size())});
    return out;
}
