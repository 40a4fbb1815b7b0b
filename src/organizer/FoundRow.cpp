#include "organizer/FoundRow.h"

#include <array>
#include <string_view>

#include "organizer/DayRows.h"
#include "organizer/PersonFilter.h"
#include "platform/Translate.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

namespace {

// The names of a person's texts, in PersonText order.
constexpr std::array<const char*, kPersonTextCount> kPersonLabels = {
    N_("First name"), N_("Last name"),  N_("Name"),       N_("Company"),   N_("Position"),
    N_("Address"),    N_("Address"),    N_("City"),       N_("State"),     N_("ZIP code"),
    N_("Notes"),      N_("Home phone"), N_("Work phone"), N_("Extension"), N_("Fax"),
    N_("Cell phone"), N_("Pager"),      N_("E-mail"),     N_("Web page"),
};

// The line of `value` whose folded text holds the needle; the first line when none does
// (a match on a number's digits alone).
std::string_view matchingLine(std::string_view value, const PersonFilter& filter) {
    std::string_view first;
    for (size_t at = 0; at <= value.size();) {
        size_t end = value.find('\n', at);
        if (end == std::string_view::npos) end = value.size();
        std::string_view line = value.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (at == 0) first = line;
        if (foldCase(line).find(filter.needle()) != std::string::npos) return line;
        at = end + 1;
    }
    return first;
}

// The day of a series' next occurrence from today; the day of its last once it is over.
DateTime seriesDay(const Appointment& appointment, DateTime today) {
    const Occurrence next = nextOccurrence(appointment, today);
    if (!next.start.isNull()) return next.start.date();
    const DaySpan span = coveredDays(appointment);
    if (span.last.isNull()) return span.first;
    const auto last = occurrencesOnDays(appointment, span.last, span.last);
    return last.empty() ? span.last : last.back().start.date();
}

// The day whose task list shows the task (see isTaskListedOn).
DateTime taskDay(const Task& task, DateTime today) {
    const DateTime due = task.DueDate.date();
    if (isTaskListedOn(task, due, today)) return due;
    const DateTime done = task.DoneDate.date();
    if (task.isDone() && !done.isNull() && done <= today) return done;
    if (Task::listedPriority(task.Priority) != Task::Done && due <= today) return today;
    return due;
}

FoundRow personFound(const Person& person, uint16_t part, const PersonFilter& filter) {
    FoundRow row;
    const PersonPart matched = personPart(part);
    const bool named = !person.RName().empty();
    row.title = named ? person.RName() : person.Company();
    const PersonText field = matched.field;
    const bool inName =
        field == PersonText::FName || field == PersonText::LName || field == PersonText::RName;
    const bool inTitle = named ? inName : field == PersonText::Company;
    if (!inTitle || matched.digits) {
        row.label = kPersonLabels[static_cast<size_t>(field)];
        row.excerpt = matchingLine(person.text(field), filter);
    }
    return row;
}

FoundRow appointmentFound(const Appointment& appointment, uint16_t part, const PersonFilter& filter,
                          DateTime today) {
    FoundRow row;
    row.title = appointment.Description;
    const auto& changed = appointment.schedule.get().changed;
    const int change = changedPart(part);
    if (change >= 0 && size_t(change) < changed.size()) {
        row.label = N_("Changed occurrence");
        row.excerpt = matchingLine(changed[size_t(change)].description, filter);
    }
    row.when = appointment.repeats() ? seriesDay(appointment, today) : appointment.DueDate.date();
    row.day = row.when;
    return row;
}

}  // namespace

FoundRow foundRow(const PimDocument& document, const FoundRecord& found,
                  const PersonFilter& filter) {
    const DateTime today = DateTime::today(document.clock());
    switch (found.kind) {
        case FoundKind::Person:
            if (const Person* person = document.persons().find(found.id))
                return personFound(*person, found.part, filter);
            break;
        case FoundKind::Appointment:
            if (const Appointment* appointment = document.appointments().find(found.id))
                return appointmentFound(*appointment, found.part, filter, today);
            break;
        case FoundKind::Task:
            if (const Task* task = document.tasks().find(found.id))
                return FoundRow{
                    task->Description, nullptr, {}, task->DueDate.date(), taskDay(*task, today)};
            break;
    }
    return {};
}

std::string foundText(const FoundRow& row) {
    if (row.label == nullptr) return row.title;
    if (row.title.empty()) return fillIn(_("%s: %s"), {_(row.label), row.excerpt});
    // TRANSLATORS: a found record's name, then the name of the text that matched and the
    // line of it that did: "Miller, Anna - Notes: the boiler".
    return fillIn(_("%s - %s: %s"), {row.title, _(row.label), row.excerpt});
}
