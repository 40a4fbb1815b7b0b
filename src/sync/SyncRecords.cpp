#include "sync/SyncRecords.h"

#include <algorithm>
#include <cstdio>

#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"
#include "sync/ScheduleField.h"
#include "textio/GroupFiling.h"

namespace {

constexpr const char* kPersonFields[] = {
    N_("first name"), N_("last name"), N_("company"), N_("position"), N_("address"),
    N_("address 2"),  N_("city"),      N_("state"),   N_("zip code"), N_("home phone"),
    N_("work phone"), N_("extension"), N_("fax"),     N_("pager"),    N_("cell phone"),
    N_("e-mail"),     N_("web page"),  N_("notes"),   N_("groups"),   N_("birthday"),
    N_("anniversary")};
constexpr const char* kAppointmentFields[] = {N_("description"), N_("start"), N_("end"),
                                              N_("alarm"), N_("repetition")};
constexpr const char* kTaskFields[] = {N_("description"), N_("priority"), N_("due date"),
                                       N_("done date")};

constexpr size_t kGroupsField = std::size(kSyncedPersonTexts);

std::string timeText(DateTime time) {
    return time.isValid() ? time.format("%Y-%m-%d %H:%M:%S") : std::string();
}

DateTime timeOfText(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return {};
    return DateTime::fromFields(y, mo, d, h, mi, s);
}

std::vector<std::string> splitNames(const std::string& joined) {
    std::vector<std::string> names;
    size_t from = 0;
    while (from < joined.size()) {
        const size_t comma = std::min(joined.find(',', from), joined.size());
        if (comma > from) names.push_back(joined.substr(from, comma - from));
        from = comma + 1;
    }
    return names;
}

void writeInto(Appointment& appointment, const Fields& fields) {
    appointment.Description = fields[0];
    appointment.StartTime = timeOfText(fields[1]);
    appointment.EndTime = timeOfText(fields[2]);
    appointment.DueDate = appointment.StartTime.date();
    appointment.Alarm = !fields[3].empty();
    if (appointment.Alarm) {
        SecondsConverter seconds(SecondsConverter::Memory::None);
        appointment.AlarmTime =
            elapsedFrom(appointment.StartTime, std::atoll(fields[3].c_str()), seconds);
    }
    Schedule schedule = appointment.schedule.get();
    if (readScheduleField(fields[kAppointmentScheduleField], schedule))
        appointment.schedule.set(schedule);
}

void writeInto(Task& task, const Fields& fields) {
    task.Description = fields[0];
    task.Priority = std::clamp(std::atoi(fields[1].c_str()), int(Task::High), int(Task::Done));
    task.DueDate = timeOfText(fields[2]);
    task.DoneDate = timeOfText(fields[3]);
}

int32_t storePerson(PimDocument& document, const Fields& fields, int32_t id) {
    Person person;
    const Person* old = document.persons().find(id);
    if (old != nullptr) person = *old;
    PersonTexts texts = person.texts();
    for (size_t i = 0; i < kGroupsField; ++i)
        texts[size_t(kSyncedPersonTexts[i])] = fields[i];
    person.setTextsNamed(texts);
    person.setDate(PersonDate::Birthday,
                   MonthDay::parse(fields[kBirthdayField]).value_or(MonthDay()));
    person.setDate(PersonDate::Anniversary,
                   MonthDay::parse(fields[kAnniversaryField]).value_or(MonthDay()));
    if (!person.WhitePages && !person.YellowPages) person.WhitePages = 1;
    // Group names are joined by commas, so a name holding one reads as two: a person keeps
    // the groups it had when their names did not change. A new person is always filed, so
    // that it is at least in the universal group the phone book lists.
    if (old == nullptr || fieldsOf(person, document)[kGroupsField] != fields[kGroupsField]) {
        GroupFiling filing(document);
        person.PhGroups = filing.groupsOf(splitNames(fields[kGroupsField]));
        if (!filing.added.empty()) document.addAll(std::move(filing.added));
    }
    if (id != 0 && document.replace(person)) return id;
    return document.add(std::move(person));
}

int32_t storeAppointment(PimDocument& document, const Fields& fields, int32_t id) {
    Appointment appointment;
    if (const Appointment* old = document.appointments().find(id)) appointment = *old;
    writeInto(appointment, fields);
    if (id != 0 && document.replace(appointment)) return id;
    return document.add(std::move(appointment));
}

int32_t storeTask(PimDocument& document, const Fields& fields, int32_t id) {
    Task task;
    if (const Task* old = document.tasks().find(id)) task = *old;
    writeInto(task, fields);
    if (id != 0 && document.replace(task)) return id;
    return document.add(std::move(task));
}

}  // namespace

Appointment appointmentOf(const Fields& fields) {
    Appointment appointment;
    writeInto(appointment, fields);
    return appointment;
}

Task taskOf(const Fields& fields) {
    Task task;
    writeInto(task, fields);
    return task;
}

std::span<const char* const> fieldNames(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return kPersonFields;
        case RecordKind::Appointment:
            return kAppointmentFields;
        case RecordKind::Task:
            return kTaskFields;
    }
    return {};
}

const char* kindName(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return _("person");
        case RecordKind::Appointment:
            return _("appointment");
        case RecordKind::Task:
            return _("task");
    }
    return "";
}

UndoStep editStepOf(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return UndoStep::EditPerson;
        case RecordKind::Appointment:
            return UndoStep::EditAppointment;
        case RecordKind::Task:
            return UndoStep::EditTask;
    }
    return UndoStep::EditPerson;
}

char kindLetter(RecordKind kind) {
    return kind == RecordKind::Person ? 'P' : kind == RecordKind::Appointment ? 'A' : 'T';
}

bool kindOfLetter(char letter, RecordKind& kind) {
    for (const RecordKind each : {RecordKind::Person, RecordKind::Appointment, RecordKind::Task}) {
        if (kindLetter(each) == letter) {
            kind = each;
            return true;
        }
    }
    return false;
}

Fields fieldsOf(const Person& person, const PimDocument& document) {
    Fields fields;
    fields.reserve(std::size(kPersonFields));
    for (const PersonText text : kSyncedPersonTexts)
        fields.emplace_back(person.text(text));
    std::vector<std::string> groups;
    for (const int32_t group : person.PhGroups) {
        const PhGroup* named = document.phGroups().find(group);
        if (group != kUniversalGroupId && named != nullptr && !named->Desc.empty())
            groups.push_back(named->Desc);
    }
    std::sort(groups.begin(), groups.end());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
    std::string joined;
    for (const std::string& name : groups)
        joined += (joined.empty() ? "" : ",") + name;
    fields.push_back(std::move(joined));
    fields.push_back(person.Birthday.text());
    fields.push_back(person.Anniversary.text());
    return fields;
}

Fields fieldsOf(const Appointment& a) {
    std::string schedule = scheduleField(a.schedule.get());
    DateTime start = a.StartTime;
    DateTime end = a.EndTime;
    if (!schedule.empty() && a.DueDate.isValid() && start.isValid() && end.isValid()) {
        // A series starts on its DueDate at the StartTime's time of day, and ends on its last
        // day at the EndTime's.
        const DateTime last =
            a.schedule.get().lastDay.isValid() ? a.schedule.get().lastDay : a.DueDate.date();
        start = a.DueDate.date() + (start - start.date());
        end = last.date() + (end - end.date());
    }
    std::string alarm;
    if (a.Alarm && a.AlarmTime.isValid() && a.StartTime.isValid()) {
        // As the clocks run: an hour they skip or repeat between the two counts as it passed.
        SecondsConverter seconds(SecondsConverter::Memory::None);
        alarm = std::to_string(secondsBetween(a.StartTime, a.AlarmTime, seconds));
    }
    return {a.Description, timeText(start), timeText(end), alarm, std::move(schedule)};
}

Fields fieldsOf(const Task& t) {
    return {t.Description, std::to_string(t.Priority), timeText(t.DueDate),
            t.isDone() ? timeText(t.DoneDate) : std::string()};
}

Fields fieldsOf(const PimDocument& document, RecordKind kind, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            if (const Person* p = document.persons().find(id)) return fieldsOf(*p, document);
            break;
        case RecordKind::Appointment:
            if (const Appointment* a = document.appointments().find(id)) return fieldsOf(*a);
            break;
        case RecordKind::Task:
            if (const Task* t = document.tasks().find(id)) return fieldsOf(*t);
            break;
    }
    return {};
}

std::vector<std::pair<int32_t, Fields>> recordsOf(const PimDocument& document, RecordKind kind) {
    std::vector<std::pair<int32_t, Fields>> out;
    switch (kind) {
        case RecordKind::Person:
            for (const auto& [id, p] : document.persons())
                out.emplace_back(id, fieldsOf(p, document));
            break;
        case RecordKind::Appointment:
            for (const auto& [id, a] : document.appointments())
                out.emplace_back(id, fieldsOf(a));
            break;
        case RecordKind::Task:
            for (const auto& [id, t] : document.tasks())
                out.emplace_back(id, fieldsOf(t));
            break;
    }
    return out;
}

int32_t storeRecord(PimDocument& document, RecordKind kind, const Fields& fields, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            return storePerson(document, fields, id);
        case RecordKind::Appointment:
            return storeAppointment(document, fields, id);
        case RecordKind::Task:
            return storeTask(document, fields, id);
    }
    return 0;
}

namespace {

template <class Record>
void keepUidOf(PimDocument& document, const RecordStore<Record>& store, int32_t id,
               const std::string& uid) {
    const Record* record = store.find(id);
    if (record == nullptr || record->uid == uid) return;
    Record kept = *record;
    kept.uid = uid;
    document.replace(std::move(kept));
}

}  // namespace

std::string recordUid(const PimDocument& document, RecordKind kind, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            if (const Person* p = document.persons().find(id)) return p->uid;
            break;
        case RecordKind::Appointment:
            if (const Appointment* a = document.appointments().find(id)) return a->uid;
            break;
        case RecordKind::Task:
            if (const Task* t = document.tasks().find(id)) return t->uid;
            break;
    }
    return {};
}

void keepUid(PimDocument& document, RecordKind kind, int32_t id, const std::string& uid) {
    switch (kind) {
        case RecordKind::Person:
            return keepUidOf(document, document.persons(), id, uid);
        case RecordKind::Appointment:
            return keepUidOf(document, document.appointments(), id, uid);
        case RecordKind::Task:
            return keepUidOf(document, document.tasks(), id, uid);
    }
}

void removeRecord(PimDocument& document, RecordKind kind, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            document.remove<Person>(id);
            break;
        case RecordKind::Appointment:
            document.remove<Appointment>(id);
            break;
        case RecordKind::Task:
            document.remove<Task>(id);
            break;
    }
}

std::string recordLabel(RecordKind kind, const Fields& fields) {
    if (kind != RecordKind::Person) return fields[0];
    PersonTexts texts{};
    texts[size_t(PersonText::FName)] = fields[0];
    texts[size_t(PersonText::LName)] = fields[1];
    const std::string name = displayName(texts);
    return name.empty() ? fields[2] : name;
}

bool sameByKey(RecordKind kind, const Fields& a, const Fields& b) {
    if (a.empty() || b.empty() || a[0] != b[0]) return false;
    switch (kind) {
        case RecordKind::Appointment:
            return a[1] == b[1];
        case RecordKind::Task:
            return true;
        case RecordKind::Person:
            break;
    }
    if (a[1] != b[1]) return false;
    if ((a[0] + a[1]).empty() && (a[2].empty() || a[2] != b[2])) return false;
    // Home, work, fax, pager and cell phone, and e-mail.
    constexpr size_t kContacts[] = {9, 10, 12, 13, 14, 15};
    bool aHas = false, bHas = false;
    for (const size_t i : kContacts) {
        if (!a[i].empty() && a[i] == b[i]) return true;
        aHas = aHas || !a[i].empty();
        bHas = bHas || !b[i].empty();
    }
    return !(aHas && bHas);
}
