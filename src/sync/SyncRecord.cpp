#include "sync/SyncRecord.h"

#include <algorithm>

#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "sync/SyncFields.h"
#include "textio/GroupFiling.h"

namespace {

// The synced fields of `from` written over `into`, in the order they are set.
void writeFields(const SyncRecord& from, SyncRecord& into) {
    for (const SyncField& field : syncFields(from.kind()))
        field.setText(into, field.text(from));
}

int32_t storePerson(PimDocument& document, const SyncRecord& record, int32_t id) {
    const Person* old = document.persons().find(id);
    SyncRecord target(old != nullptr ? *old : Person(),
                      old != nullptr ? groupNamesOf(*old, document) : std::vector<std::string>());
    const std::string oldGroups = joinedGroups(target.groups);
    writeFields(record, target);
    Person& person = target.person();
    person.setTextsNamed(person.texts());
    if (!person.WhitePages && !person.YellowPages) person.WhitePages = 1;
    // Group names travel joined by commas, so a name holding one reads as two: a person keeps
    // the groups it had when their names did not change. A new person is always filed, so
    // that it is at least in the universal group the phone book lists.
    if (old == nullptr || oldGroups != joinedGroups(record.groups)) {
        GroupFiling filing(document);
        person.PhGroups = filing.groupsOf(record.groups);
        if (!filing.added.empty()) document.addAll(std::move(filing.added));
    }
    if (id != 0 && document.replace(person)) return id;
    return document.add(std::move(person));
}

template <class Record>
int32_t storeOther(PimDocument& document, const SyncRecord& record, int32_t id) {
    const Record* old = document.contents().store<Record>().find(id);
    SyncRecord target(old != nullptr ? *old : Record());
    writeFields(record, target);
    Record& written = std::get<Record>(target.record);
    if (id != 0 && document.replace(written)) return id;
    return document.add(std::move(written));
}

template <class Record>
void keepUidOf(PimDocument& document, int32_t id, const std::string& uid) {
    const Record* record = document.contents().store<Record>().find(id);
    if (record == nullptr || record->uid == uid) return;
    Record kept = *record;
    kept.uid = uid;
    document.replace(std::move(kept));
}

template <class Record>
std::string uidOf(const PimDocument& document, int32_t id) {
    const Record* record = document.contents().store<Record>().find(id);
    return record != nullptr ? record->uid : std::string();
}

}  // namespace

SyncRecord SyncRecord::blank(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return SyncRecord(Person());
        case RecordKind::Appointment:
            return SyncRecord(Appointment());
        case RecordKind::Task:
            return SyncRecord(Task());
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

std::vector<std::string> groupNamesOf(const Person& person, const PimDocument& document) {
    std::vector<std::string> groups;
    for (const int32_t group : person.PhGroups) {
        const PhGroup* named = document.phGroups().find(group);
        if (group != kUniversalGroupId && named != nullptr && !named->Desc.empty())
            groups.push_back(named->Desc);
    }
    std::sort(groups.begin(), groups.end());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
    return groups;
}

std::optional<SyncRecord> syncRecordOf(const PimDocument& document, RecordKind kind, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            if (const Person* p = document.persons().find(id))
                return SyncRecord(*p, groupNamesOf(*p, document));
            break;
        case RecordKind::Appointment:
            if (const Appointment* a = document.appointments().find(id)) return SyncRecord(*a);
            break;
        case RecordKind::Task:
            if (const Task* t = document.tasks().find(id)) return SyncRecord(*t);
            break;
    }
    return std::nullopt;
}

std::vector<std::pair<int32_t, SyncRecord>> recordsOf(const PimDocument& document,
                                                      RecordKind kind) {
    std::vector<std::pair<int32_t, SyncRecord>> out;
    switch (kind) {
        case RecordKind::Person:
            for (const auto& [id, p] : document.persons())
                out.emplace_back(id, SyncRecord(p, groupNamesOf(p, document)));
            break;
        case RecordKind::Appointment:
            for (const auto& [id, a] : document.appointments())
                out.emplace_back(id, SyncRecord(a));
            break;
        case RecordKind::Task:
            for (const auto& [id, t] : document.tasks())
                out.emplace_back(id, SyncRecord(t));
            break;
    }
    return out;
}

int32_t storeRecord(PimDocument& document, const SyncRecord& record, int32_t id) {
    switch (record.kind()) {
        case RecordKind::Person:
            return storePerson(document, record, id);
        case RecordKind::Appointment:
            return storeOther<Appointment>(document, record, id);
        case RecordKind::Task:
            return storeOther<Task>(document, record, id);
    }
    return 0;
}

std::string recordUid(const PimDocument& document, RecordKind kind, int32_t id) {
    switch (kind) {
        case RecordKind::Person:
            return uidOf<Person>(document, id);
        case RecordKind::Appointment:
            return uidOf<Appointment>(document, id);
        case RecordKind::Task:
            return uidOf<Task>(document, id);
    }
    return {};
}

void keepUid(PimDocument& document, RecordKind kind, int32_t id, const std::string& uid) {
    switch (kind) {
        case RecordKind::Person:
            return keepUidOf<Person>(document, id, uid);
        case RecordKind::Appointment:
            return keepUidOf<Appointment>(document, id, uid);
        case RecordKind::Task:
            return keepUidOf<Task>(document, id, uid);
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

std::string recordLabel(const SyncRecord& record) {
    switch (record.kind()) {
        case RecordKind::Person: {
            const Person& p = record.person();
            const std::string name = displayName(p.texts());
            return name.empty() ? std::string(p.Company()) : name;
        }
        case RecordKind::Appointment:
            return record.appointment().Description;
        case RecordKind::Task:
            return record.task().Description;
    }
    return {};
}

bool sameByKey(const SyncRecord& a, const SyncRecord& b) {
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
        case RecordKind::Appointment:
            return a.appointment().Description == b.appointment().Description &&
                   syncFields(RecordKind::Appointment)[1].text(a) ==
                       syncFields(RecordKind::Appointment)[1].text(b);
        case RecordKind::Task:
            return a.task().Description == b.task().Description;
        case RecordKind::Person:
            break;
    }
    const Person& p = a.person();
    const Person& q = b.person();
    if (p.FName() != q.FName() || p.LName() != q.LName()) return false;
    if ((p.FName().empty() && p.LName().empty()) &&
        (p.Company().empty() || p.Company() != q.Company()))
        return false;
    bool aHas = false, bHas = false;
    for (const PersonText text : {PersonText::HmPhone, PersonText::WkPhone, PersonText::Fax,
                                  PersonText::Pager, PersonText::CelPhone, PersonText::EMail}) {
        if (!p.text(text).empty() && p.text(text) == q.text(text)) return true;
        aHas = aHas || !p.text(text).empty();
        bHas = bHas || !q.text(text).empty();
    }
    return !(aHas && bHas);
}
