#include "textio/TextExport.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/Translate.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "records/RecordFields.h"

namespace {

// The forms of dates and times, fetched once per export.
struct Formats {
    const Locale& locale;
    std::string shortDate;
    std::string shortTime;
};

// A field's value as text files show it: a view of the record's own text, or of
// `scratch` when it is computed.
template <class Record>
std::string_view textValue(const Record& record, const FieldSpec<Record>& field,
                           const Formats& formats, std::string& scratch) {
    switch (field.type) {
        case FieldType::Text:
            return field.textOf(record);
        case FieldType::Number:
            scratch = std::to_string(record.*field.number);
            return scratch;
        case FieldType::Flag:
            return flagValue(record, field) ? "TRUE" : "FALSE";
        case FieldType::Yearly:
            scratch = (record.*field.yearly).text();
            return scratch;
        case FieldType::Date:
            break;
    }
    DateTime value = record.*field.date;
    // An appointment's day and times go by the rule its views list it by.
    if constexpr (std::is_same_v<Record, Appointment>) {
        if (field.date == &Appointment::DueDate)
            value = record.day();
        else if (field.date == &Appointment::StartTime)
            value = record.firstStart();
        else if (field.date == &Appointment::EndTime)
            value = record.firstEnd();
    }
    switch (field.dateText) {
        case DateText::Day:
            scratch = value.date().formatDate(formats.locale, formats.shortDate);
            break;
        case DateText::TimeOfDay:
            scratch = value.formatTime(formats.locale, formats.shortTime);
            break;
        case DateText::MinutesBefore:
            if constexpr (std::is_same_v<Record, Appointment>)
                scratch = std::to_string(alarmWarningMinutes(record));
            else
                scratch.clear();
            break;
    }
    return scratch;
}

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

// The text of the records `forEach(line)` hands to `line` one by one; `stored` is how many
// records the collection holds (none: an empty text).
template <class Record, class ForEach>
std::string buildText(ForEach forEach, size_t stored, TransferKind kind,
                      const TextTransferSpec& spec, const Formats& formats, int32_t* count) {
    if (count) *count = 0;
    if (stored == 0) return "";
    // The columns in the order the names were given (a script that names the order
    // expects it; the wizard gives its list's order), each field once.
    std::vector<const FieldSpec<Record>*> columns;
    const auto& exported = exportFieldNames(kind);
    for (const std::string& name : spec.columnFields) {
        if (std::find(exported.begin(), exported.end(), name) == exported.end()) continue;
        const auto* field = fieldByTextName<Record>(name);
        if (field && std::find(columns.begin(), columns.end(), field) == columns.end())
            columns.push_back(field);
    }
    const char encloser = spec.encloser.empty() ? 0 : spec.encloser[0];
    const char separator = spec.separator.empty() ? ',' : spec.separator[0];

    std::string out;
    out.reserve(stored * (columns.size() * 12 + 1));
    if (spec.firstLineHasNames) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i != 0) out += separator;
            appendEnclosed(out, columns[i]->textName, encloser);
        }
        out += '\n';
    }
    std::string scratch;
    int32_t lines = 0;
    forEach([&](const Record& record) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i != 0) out += separator;
            const std::string_view value = textValue(record, *columns[i], formats, scratch);
            if (!value.empty()) appendEnclosed(out, value, encloser);
        }
        out += '\n';
        ++lines;
    });
    if (count) *count = lines;
    return out;
}

template <class Record>
std::string buildText(const RecordStore<Record>& records, TransferKind kind,
                      const TextTransferSpec& spec, const Formats& formats, int32_t* count) {
    const auto forEach = [&](const auto& line) {
        for (const auto& [id, record] : records)
            line(record);
    };
    return buildText<Record>(forEach, records.size(), kind, spec, formats, count);
}

// The appointments, a repeating one as its occurrences that start from `from` up to `to`.
std::string appointmentText(const PimDocument& document, DateTime from, DateTime to,
                            const TextTransferSpec& spec, const Formats& formats, int32_t* count) {
    const auto forEach = [&](const auto& line) {
        for (const auto& [id, appointment] : document.appointments()) {
            if (!appointment.repeats()) {
                line(appointment);
                continue;
            }
            ExpansionBudget budget;
            for (const Occurrence& o : occurrencesStarting(appointment, from, to, budget))
                line(standAlone(o));
        }
    };
    return buildText<Appointment>(forEach, document.appointments().size(),
                                  TransferKind::Appointments, spec, formats, count);
}

}  // namespace

int alarmWarningMinutes(const Appointment& a) {
    if (!a.Alarm || !a.StartTime.isValid() || !a.AlarmTime.isValid()) return 0;
    // Whole seconds first: a quarter of an hour made of doubles must not read as 14.
    const auto seconds = std::llround((a.firstStart() - a.AlarmTime).days() * 86400.0);
    return static_cast<int>(std::clamp<long long>(seconds / 60, 0, 60));
}

std::string exportText(TransferKind kind, const PimDocument& document, const TextTransferSpec& spec,
                       const Locale& locale, int32_t* records, std::string* note) {
    if (note) note->clear();
    const Formats formats{locale, locale.shortDatePicture(), locale.shortTimePicture()};
    switch (kind) {
        case TransferKind::Persons:
            return buildText(document.persons(), kind, spec, formats, records);
        case TransferKind::Tasks:
            return buildText(document.tasks(), kind, spec, formats, records);
        case TransferKind::Appointments:
            break;
    }
    // The window the iCalendar import used to write repeating events in.
    const DateTime today = DateTime::today(document.clock());
    const auto [from, to] = flatteningWindow(today);
    const auto& all = document.appointments();
    const bool repeats = std::any_of(all.begin(), all.end(),
                                     [](const auto& entry) { return entry.second.repeats(); });
    if (note && repeats) {
        *note = fillIn(_("Repeating appointments were written as their occurrences from %s to %s."),
                       {from.formatDate(locale, DateStyle::Short),
                        (to - DateTimeSpan(1.0)).formatDate(locale, DateStyle::Short)});
    }
    return appointmentText(document, from, to, spec, formats, records);
}

ExportResult exportFile(TransferKind kind, const PimDocument& document,
                        const TextTransferSpec& spec, const Locale& locale) {
    ExportResult result;
    const std::string text =
        exportText(kind, document, spec, locale, &result.records, &result.note);
    result.status = writeFileAtomically(spec.fileName, text);
    if (!result.status) {
        result.records = 0;
        result.note.clear();
    }
    return result;
}
