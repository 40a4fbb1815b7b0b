#include "exchange/SeriesEvent.h"

#include <algorithm>

#include "exchange/CalendarText.h"
#include "exchange/CalendarZones.h"
#include "exchange/WrittenTime.h"
#include "records/SecondsConverter.h"
#include "records/ZoneRules.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t dayOf(int64_t wall) {
    return wall - ((wall % kDay) + kDay) % kDay;
}

int64_t wallOf(DateTime value) {
    return value.localSeconds().value_or(0);
}

// How long before each start the alarm rings: as long as before the first, as the clocks
// run, which is what the trigger says and what sync keeps of it.
int64_t alarmLead(const Appointment& a) {
    if (!a.StartTime.isValid()) return 0;
    SecondsConverter seconds(SecondsConverter::Memory::None);
    return secondsBetween(a.AlarmTime, a.firstStart(), seconds, a.later(Appointment::kLaterAlarm),
                          a.later(Appointment::kLaterStart));
}

}  // namespace

bool SeriesEventWriter::writes(const Appointment& a) {
    const Schedule& s = a.schedule.get();
    return s.allDay || !s.lastDay.isNull() || !s.zone.empty() || s.repeats() || !s.removed.empty();
}

void SeriesEventWriter::write(const Appointment& a, std::string_view uid,
                              std::string_view stampLine) {
    const Schedule& schedule = a.schedule.get();
    const SeriesOutline outline = seriesOutline(a);
    const Form form = formOf(a, outline);
    out_ += "BEGIN:VEVENT\r\n";
    appendCalendarText(out_, line_, "UID", uid);
    out_ += stampLine;
    time("DTSTART", form, outline.first);
    time("DTEND", form, outline.first + std::max<int64_t>(outline.duration, 0));
    if (schedule.rule) rule(*schedule.rule, form, outline.until);
    for (const DateTime added : schedule.added)
        time("RDATE", form, wallOf(added));
    // A removed date of a timed series takes out its day: readers take an EXDATE for the
    // start it names, so each start of the day is named.
    std::vector<int64_t> removed;
    for (const DateTime start : schedule.removed) {
        const auto starts = startsRemovedBy(a, start);
        removed.insert(removed.end(), starts.begin(), starts.end());
    }
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    for (const int64_t start : removed)
        time("EXDATE", form, start);
    appendCalendarText(out_, line_, "SUMMARY", a.Description);
    if (a.Alarm && a.AlarmTime.isValid())
        appendCalendarAlarm(out_, line_, alarmLead(a), a.Description);
    out_ += "END:VEVENT\r\n";

    for (const ChangedOccurrence& change : schedule.changed) {
        // A changed occurrence whose start was removed has nothing left to replace.
        if (std::binary_search(removed.begin(), removed.end(), wallOf(change.replaces))) continue;
        changedOccurrence(change, form, uid, stampLine);
    }
}

std::string SeriesEventWriter::zoneDefinitions() const {
    std::string text;
    for (const std::string& zone : zones_)
        text += zoneDefinition(zone);
    return text;
}

SeriesEventWriter::Form SeriesEventWriter::formOf(const Appointment& a,
                                                  const SeriesOutline& outline) {
    const Schedule& schedule = a.schedule.get();
    if (schedule.allDay) return {Form::Date, "", nullptr};
    if (outline.zone != nullptr) {
        nameZone(schedule.zone);
        return {Form::Zoned, schedule.zone, outline.zone};
    }
    if (!a.repeats()) {
        // One time, so UTC serves as it does for an ordinary appointment, where both ends
        // name one instant each.
        const int64_t end = outline.first + std::max<int64_t>(outline.duration, 0);
        const auto instants = seconds_.spanInstantsOf(DateTime::fromLocalSeconds(outline.first),
                                                      DateTime::fromLocalSeconds(end));
        return {instants.start ? Form::Utc : Form::Floating, "", nullptr};
    }
    const Form& local = localForm();
    if (local.kind == Form::Zoned) nameZone(local.zone);
    return local;
}

const SeriesEventWriter::Form& SeriesEventWriter::localForm() {
    if (!local_) {
        const std::string name = localZoneName();
        if (name.empty())
            local_ = Form{Form::Floating, "", nullptr};
        else if (isUtcZoneName(name))
            local_ = Form{Form::Utc, "", nullptr};
        else
            local_ = Form{Form::Zoned, name, ZoneRules::named(name)};
    }
    return *local_;
}

void SeriesEventWriter::nameZone(const std::string& zone) {
    if (std::find(zones_.begin(), zones_.end(), zone) == zones_.end()) zones_.push_back(zone);
}

void SeriesEventWriter::time(std::string_view name, const Form& form, int64_t wall) {
    const DateTime value = DateTime::fromLocalSeconds(wall);
    std::optional<CalendarFields> fields = value.fields();
    if (!fields) return;
    out_ += name;
    bool utc = false;
    switch (form.kind) {
        case Form::Date:
            out_ += ";VALUE=DATE";
            break;
        case Form::Zoned:
            out_ += ";TZID=";
            out_ += form.zone;
            break;
        case Form::Floating:
            break;
        case Form::Utc:
            // Every time of a series in this form has an instant.
            if (const auto written = writtenTime(value, seconds_)) {
                fields = written->fields;
                utc = written->utc;
            }
            break;
    }
    out_ += ':';
    appendCalendarTime(out_, *fields, form.kind != Form::Date, utc);
    out_ += "\r\n";
}

void SeriesEventWriter::rule(const RecurrenceRule& rule, const Form& form, int64_t until) {
    RecurrenceRule written = rule;
    // UNTIL takes the form of the start: a date, a floating time, or UTC.
    if (until != INT64_MAX) {
        DateTime value;
        bool isUtc = false;
        switch (form.kind) {
            case Form::Date:
                value = DateTime::fromLocalSeconds(dayOf(until));
                break;
            case Form::Floating:
                value = DateTime::fromLocalSeconds(until);
                break;
            case Form::Zoned:
            case Form::Utc:
                isUtc = true;
                if (rule.untilIsUtc)
                    value = rule.until;
                else if (form.kind == Form::Zoned)
                    value = DateTime::fromLocalSeconds(form.rules->instantOf(until));
                else if (const auto instant = seconds_.instantOf(DateTime::fromLocalSeconds(until)))
                    value = DateTime::fromLocalSeconds(*instant);
                break;
        }
        if (value.isValid()) {
            written.until = value;
            written.untilIsDate = form.kind == Form::Date;
            written.untilIsUtc = isUtc;
        }
    }
    appendCalendarLine(out_, "RRULE:" + written.text());
}

void SeriesEventWriter::changedOccurrence(const ChangedOccurrence& change, const Form& form,
                                          std::string_view uid, std::string_view stampLine) {
    const int64_t start = wallOf(change.start);
    int64_t end = std::max(wallOf(change.end), start);
    // Whole days end on the day after the last, as the series' own end does.
    if (form.kind == Form::Date) end = std::max(dayOf(end + kDay - 1), dayOf(start) + kDay);
    out_ += "BEGIN:VEVENT\r\n";
    appendCalendarText(out_, line_, "UID", uid);
    out_ += stampLine;
    time("RECURRENCE-ID", form, wallOf(change.replaces));
    time("DTSTART", form, start);
    time("DTEND", form, end);
    appendCalendarText(out_, line_, "SUMMARY", change.description);
    if (change.alarm)
        appendCalendarAlarm(out_, line_, int64_t{change.alarmMinutes} * 60, change.description);
    out_ += "END:VEVENT\r\n";
}
