#include "exchange/ICalExport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "exchange/CalendarText.h"
#include "exchange/LibicalTurn.h"
#include "exchange/SeriesEvent.h"
#include "fileio/AtomicFile.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

// The text is written here rather than built as libical components and printed: for a
// large calendar those took nearly all of the export's time. It is the text libical wrote.

namespace {

// FNV-1a, so that a record exported twice unchanged keeps its UID and calendars that import
// it again update it rather than add it twice.
uint64_t hashOf(const std::string& text, double moment) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (const char c : text)
        mix(static_cast<unsigned char>(c));
    const auto bits = static_cast<uint64_t>(std::llround(moment * 86400.0));
    for (int i = 0; i < 8; ++i)
        mix(static_cast<unsigned char>(bits >> (8 * i)));
    return hash;
}

class CalendarWriter {
public:
    CalendarWriter(std::string& out, DateTime now) : out_(out) {
        // DTSTAMP is in UTC.
        const int64_t seconds = std::max<int64_t>(seconds_.toSeconds(now), 0);
        stamp_ = "DTSTAMP:";
        if (const auto fields = DateTime::fromLocalSeconds(seconds).fields())
            appendCalendarTime(stamp_, *fields, true, true);
        stamp_ += "\r\n";
    }

    void event(const Appointment& a) {
        if (SeriesEventWriter::writes(a)) {
            const std::string& given = a.schedule.get().uid;
            series_.write(
                a, given.empty() ? uid("appointment", a.ID, a.Description, a.StartTime) : given,
                stamp_);
            return;
        }
        out_ += "BEGIN:VEVENT\r\n";
        uidLine(uid("appointment", a.ID, a.Description, a.StartTime));
        out_ += stamp_;
        const DateTime end = std::max(a.EndTime, a.StartTime);
        const auto instants = seconds_.spanInstantsOf(a.StartTime, end);
        time("DTSTART", a.StartTime, instants.start);
        time("DTEND", end, instants.end);
        appendCalendarText(out_, line_, "SUMMARY", a.Description);
        if (a.Alarm && a.AlarmTime.isValid())
            appendCalendarAlarm(out_, line_,
                                std::llround((a.StartTime - a.AlarmTime).days() * 86400.0),
                                a.Description);
        out_ += "END:VEVENT\r\n";
    }

    // The zone definitions the events need.
    [[nodiscard]] std::string zoneDefinitions() const { return series_.zoneDefinitions(); }

    void toDo(const Task& t) {
        out_ += "BEGIN:VTODO\r\n";
        uidLine(uid("task", t.ID, t.Description, t.DueDate));
        out_ += stamp_;
        appendCalendarText(out_, line_, "SUMMARY", t.Description);
        if (t.DueDate.isValid()) {
            if (t.DueDate == t.DueDate.date()) {
                if (const auto fields = t.DueDate.fields()) {
                    out_ += "DUE;VALUE=DATE:";
                    appendCalendarTime(out_, *fields, false, false);
                    out_ += "\r\n";
                }
            } else {
                time("DUE", t.DueDate, seconds_.instantOf(t.DueDate));
            }
        }
        if (t.isDone()) {
            out_ += "STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\n";
            if (t.DoneDate.isValid()) time("COMPLETED", t.DoneDate, seconds_.instantOf(t.DoneDate));
        } else {
            static constexpr const char* kPriorities[] = {"PRIORITY:1\r\n", "PRIORITY:5\r\n",
                                                          "PRIORITY:9\r\n"};
            out_ += "STATUS:NEEDS-ACTION\r\n";
            if (t.Priority >= Task::High && t.Priority <= Task::Low)
                out_ += kPriorities[t.Priority];
        }
        out_ += "END:VTODO\r\n";
    }

private:
    // The UID when a record has none of its own, built in a buffer the writer reuses.
    const std::string& uid(const char* kind, int32_t id, const std::string& text, DateTime moment) {
        static constexpr char kHex[] = "0123456789abcdef";
        const uint64_t hash = hashOf(text, moment.continuous());
        uid_.assign(kind);
        uid_ += '-';
        if (id < 0) uid_ += '-';
        appendCalendarNumber(uid_, static_cast<uint64_t>(std::llabs(int64_t{id})));
        uid_ += '-';
        for (int shift = 60; shift >= 0; shift -= 4)
            uid_ += kHex[(hash >> shift) & 0xF];
        uid_ += "@quillmate";
        return uid_;
    }

    void uidLine(const std::string& uid) {
        out_ += "UID:";
        out_ += uid;
        out_ += "\r\n";
    }

    // In UTC at `instant`, or floating (which every reader takes as local time) without one.
    void time(std::string_view name, DateTime local, std::optional<int64_t> instant) {
        const auto fields = local.fields();
        if (!fields) return;
        out_ += name;
        out_ += ':';
        const auto utcFields = instant ? DateTime::fromLocalSeconds(*instant).fields() : fields;
        appendCalendarTime(out_, utcFields ? *utcFields : *fields, true, instant && utcFields);
        out_ += "\r\n";
    }

    std::string& out_;
    std::string stamp_;  // the DTSTAMP line, the same for every record
    std::string line_;   // scratch for a text property
    std::string uid_;    // scratch for a UID
    SecondsConverter seconds_;
    SeriesEventWriter series_{out_};
};

}  // namespace

std::string icalendarText(const PimDocument& document, CalendarParts parts, int32_t* records) {
    const auto turn = libicalTurn();  // for the zones it names
    std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tarnwick//Quillmate//EN\r\n";
    const size_t header = out.size();
    CalendarWriter writer(out, DateTime::now(document.clock()));
    int32_t count = 0;
    if (hasAppointments(parts)) {
        for (const auto& [id, appointment] : document.appointments()) {
            // An event needs a start; a record without one has nothing to say. A series
            // starts on its DueDate.
            if (!appointment.StartTime.isValid()) continue;
            if (SeriesEventWriter::writes(appointment) && !appointment.DueDate.isValid()) continue;
            writer.event(appointment);
            ++count;
        }
    }
    if (hasTasks(parts)) {
        for (const auto& [id, task] : document.tasks()) {
            writer.toDo(task);
            ++count;
        }
    }
    // Zones go before the events that name them.
    out.insert(header, writer.zoneDefinitions());
    out += "END:VCALENDAR\r\n";
    if (records) *records = count;
    return out;
}

ExportResult exportICalendarFile(const PimDocument& document, const std::string& path,
                                 CalendarParts parts) {
    ExportResult result;
    const std::string text = icalendarText(document, parts, &result.records);
    result.status = writeFileAtomically(path, text);
    if (!result.status) result.records = 0;
    return result;
}
