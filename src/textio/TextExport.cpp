#include "textio/TextExport.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "platform/Locale.h"
#include "records/PimDocument.h"

namespace {

// The forms of dates and times, fetched once per export.
struct Formats {
    const Locale& locale;
    std::string shortDate;
    std::string shortTime;
};

// A column's value: a view of the record's own text, or of `scratch` when it is computed.
template <class Record>
struct Column {
    const char* name;
    std::string_view (*value)(const Record&, const Formats&, std::string& scratch);
};

// A column that writes one text field as it is stored.
template <class Record, std::string Record::*Field>
constexpr Column<Record> text(const char* name) {
    return {name, [](const Record& r, const Formats&, std::string&) {
                return std::string_view(r.*Field);
            }};
}

const Column<Person> kPersonColumns[] = {
    text<Person, &Person::FName>("FirstName"),   text<Person, &Person::LName>("LastName"),
    text<Person, &Person::Addr1>("Address1"),    text<Person, &Person::Addr2>("Address2"),
    text<Person, &Person::City>("City"),         text<Person, &Person::State>("State"),
    text<Person, &Person::Zip>("ZipCode"),       text<Person, &Person::HmPhone>("HomePhone"),
    text<Person, &Person::WkPhone>("WorkPhone"), text<Person, &Person::WkExt>("WorkExtension"),
    text<Person, &Person::Fax>("Fax"),           text<Person, &Person::CelPhone>("CelPhone"),
    text<Person, &Person::Pager>("Pager"),       text<Person, &Person::EMail>("E-Mail"),
    text<Person, &Person::WebPage>("WebPage"),   text<Person, &Person::Company>("Company"),
    text<Person, &Person::Position>("Position"), text<Person, &Person::Notes>("Notes"),
};

std::string_view shortDate(DateTime value, const Formats& f, std::string& scratch) {
    scratch = value.date().formatDate(f.locale, f.shortDate);
    return scratch;
}

std::string_view shortTime(DateTime value, const Formats& f, std::string& scratch) {
    scratch = value.formatTime(f.locale, f.shortTime);
    return scratch;
}

const Column<Task> kTaskColumns[] = {
    text<Task, &Task::Description>("Task"),
    {"DueDate",
     [](const Task& t, const Formats& f, std::string& s) { return shortDate(t.DueDate, f, s); }},
    {"Priority",
     [](const Task& t, const Formats&, std::string& s) {
         s = std::to_string(t.Priority);
         return std::string_view(s);
     }},
};

const Column<Appointment> kAppointmentColumns[] = {
    text<Appointment, &Appointment::Description>("Appointment"),
    {"Date", [](const Appointment& a, const Formats& f,
                std::string& s) { return shortDate(a.DueDate, f, s); }},
    {"StartTime", [](const Appointment& a, const Formats& f,
                     std::string& s) { return shortTime(a.StartTime, f, s); }},
    {"EndTime", [](const Appointment& a, const Formats& f,
                   std::string& s) { return shortTime(a.EndTime, f, s); }},
    {"Alarmed", [](const Appointment& a, const Formats&,
                   std::string&) { return std::string_view(a.Alarm ? "TRUE" : "FALSE"); }},
    {"AlarmTime",
     [](const Appointment& a, const Formats&, std::string& s) {
         s = std::to_string(alarmWarningMinutes(a));
         return std::string_view(s);
     }},
};

// Every value doubles the encloser inside it, so that any reader gets it back unchanged.
void appendEnclosed(std::string& out, std::string_view value, char encloser) {
    if (encloser == 0) {
        out += value;
        return;
    }
    out += encloser;
    size_t from = 0;
    for (size_t at; (at = value.find(encloser, from)) != std::string_view::npos; from = at + 1) {
        out.append(value.substr(from, at + 1 - from));
        out += encloser;
    }
    out.append(value.substr(from));
    out += encloser;
}

template <class Record>
std::string buildText(const RecordStore<Record>& records, std::span<const Column<Record>> all,
                      const TextTransferSpec& spec, const Formats& formats, int32_t* count) {
    if (count) *count = 0;
    if (records.empty()) return "";
    // The fixed order of the columns, whatever order the names were given in, so that
    // the header always names the values beneath it.
    std::vector<const Column<Record>*> columns;
    for (const Column<Record>& column : all) {
        if (std::find(spec.columnFields.begin(), spec.columnFields.end(), column.name) !=
            spec.columnFields.end()) {
            columns.push_back(&column);
        }
    }
    const char encloser = spec.encloser.empty() ? 0 : spec.encloser[0];
    const char separator = spec.separator.empty() ? ',' : spec.separator[0];

    std::string out;
    out.reserve(records.size() * (columns.size() * 12 + 1));
    if (spec.firstLineHasNames) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i != 0) out += separator;
            appendEnclosed(out, columns[i]->name, encloser);
        }
        out += '\n';
    }
    std::string scratch;
    for (const auto& [id, record] : records) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i != 0) out += separator;
            const std::string_view value = columns[i]->value(record, formats, scratch);
            if (!value.empty()) appendEnclosed(out, value, encloser);
        }
        out += '\n';
    }
    if (count) *count = static_cast<int32_t>(records.size());
    return out;
}

}  // namespace

int alarmWarningMinutes(const Appointment& a) {
    if (!a.Alarm || !a.StartTime.isValid() || !a.AlarmTime.isValid()) return 0;
    // Whole seconds first: a quarter of an hour made of doubles must not read as 14.
    const auto seconds = std::llround((a.StartTime - a.AlarmTime).days() * 86400.0);
    return static_cast<int>(std::clamp<long long>(seconds / 60, 0, 60));
}

std::string exportText(TransferKind kind, const PimDocument& document, const TextTransferSpec& spec,
                       const Locale& locale, int32_t* records) {
    const Formats formats{locale, locale.shortDatePicture(), locale.shortTimePicture()};
    switch (kind) {
        case TransferKind::Persons:
            return buildText<Person>(document.persons(), kPersonColumns, spec, formats, records);
        case TransferKind::Tasks:
            return buildText<Task>(document.tasks(), kTaskColumns, spec, formats, records);
        case TransferKind::Appointments:
            break;
    }
    return buildText<Appointment>(document.appointments(), kAppointmentColumns, spec, formats,
                                  records);
}

ExportResult exportFile(TransferKind kind, const PimDocument& document,
                        const TextTransferSpec& spec, const Locale& locale) {
    ExportResult result;
    const std::string text = exportText(kind, document, spec, locale, &result.records);
    result.status = writeFileAtomically(spec.fileName, text);
    if (!result.status) result.records = 0;
    return result;
}

ExportResult ExportPersons(const PimDocument& document, const TextTransferSpec& spec,
                           const Locale& locale) {
    return exportFile(TransferKind::Persons, document, spec, locale);
}

ExportResult ExportTasks(const PimDocument& document, const TextTransferSpec& spec,
                         const Locale& locale) {
    return exportFile(TransferKind::Tasks, document, spec, locale);
}

ExportResult ExportAppointments(const PimDocument& document, const TextTransferSpec& spec,
                                const Locale& locale) {
    return exportFile(TransferKind::Appointments, document, spec, locale);
}
