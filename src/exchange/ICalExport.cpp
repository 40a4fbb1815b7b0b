#include "exchange/ICalExport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "exchange/CalendarText.h"
#include "exchange/LibicalTurn.h"
#include "exchange/RecordUids.h"
#include "exchange/SeriesEvent.h"
#include "exchange/WrittenTime.h"
#include "fileio/AtomicFile.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

// The text is written here rather than built as libical components and printed: for a
// large calendar those took nearly all of the export's time. It is the text libical wrote.

namespace {

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
            series_.write(a, uids_.of(a), stamp_);
            return;
        }
        out_ += "BEGIN:VEVENT\r\n";
        uidLine(uids_.of(a));
        out_ += stamp_;
        const WrittenSpan span = writtenSpanOf(a, seconds_);
        time("DTSTART", span.start);
        time("DTEND", span.end);
        appendCalendarText(out_, line_, "SUMMARY", a.Description);
        if (a.Alarm && a.AlarmTime.isValid()) {
            const DateTime start = a.firstStart();
            const bool startLater = start == a.StartTime && a.later(Appointment::kLaterStart);
            appendCalendarAlarm(out_, line_,
                                secondsBetween(a.AlarmTime, start, seconds_,
                                               a.later(Appointment::kLaterAlarm), startLater),
                                a.Description);
        }
        out_ += "END:VEVENT\r\n";
    }

    // The zone definitions the events need.
    [[nodiscard]] std::string zoneDefinitions() const { return series_.zoneDefinitions(); }

    void toDo(const Task& t) {
        out_ += "BEGIN:VTODO\r\n";
        uidLine(uids_.of(t));
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
                time("DUE", writtenTime(t.DueDate, seconds_, t.later(Task::kLaterDue)));
            }
        }
        if (t.isDone()) {
            out_ += "STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\n";
            if (t.DoneDate.isValid())
                time("COMPLETED", writtenTime(t.DoneDate, seconds_, t.later(Task::kLaterDone)));
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
    void uidLine(const std::string& uid) { appendCalendarText(out_, line_, "UID", uid); }

    void time(std::string_view name, const std::optional<WrittenTime>& written) {
        if (!written) return;
        out_ += name;
        out_ += ':';
        appendCalendarTime(out_, written->fields, true, written->utc);
        out_ += "\r\n";
    }

    std::string& out_;
    std::string stamp_;  // the DTSTAMP line, the same for every record
    std::string line_;   // scratch for a text property
    UidMaker uids_;
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
