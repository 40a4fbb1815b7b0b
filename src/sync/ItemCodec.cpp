#include "sync/ItemCodec.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstring>

#include "exchange/CalendarItemPatch.h"
#include "exchange/CalendarOutline.h"
#include "exchange/CalendarZones.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/LibicalTurn.h"
#include "exchange/SeriesPatch.h"
#include "exchange/VCardImport.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "sync/DavXml.h"
#include "sync/VCardPatch.h"

namespace {

// The first reason an import gave for what it skipped, or `otherwise`.
template <class Skipped>
std::string firstReason(const Skipped& skipped, const char* otherwise) {
    return skipped.empty() ? otherwise : skipped.front().reason;
}

}  // namespace

std::string ItemCodec::multigetBody(const std::vector<std::string>& hrefs) const {
    const std::string report = multigetReport();
    std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<c:" + report +
                       " xmlns:d=\"DAV:\" xmlns:c=\"" + std::string(dataNamespace()) +
                       "\"><d:prop><d:getetag/><c:" + dataProperty() + "/></d:prop>";
    for (const std::string& href : hrefs)
        body += "<d:href>" + xmlEscaped(href) + "</d:href>";
    return body + "</c:" + report + ">";
}

ParsedItem AddressBookCodec::parse(std::string_view text) const {
    ParsedItem item;
    PimDocument scratch(clock_);
    // Without the universal group, the first category would be numbered as it is, and read
    // back as no group at all.
    scratch.seedDefaultGroups();
    const VCardImportResult result = importVCardText(scratch, text);
    if (!result.status) {
        item.error = result.status.reason();
    } else if (scratch.persons().empty()) {
        item.error = firstReason(result.skipped, _("no vCard in it"));
    } else if (scratch.persons().size() + result.skipped.size() != 1) {
        // A card beside the person's, even one naming no one, would take the patch meant
        // for the person's.
        item.error = _("it holds more than one vCard");
    } else {
        const Person& person = scratch.persons().begin()->second;
        item.records.push_back({SyncRecord(person, groupNamesOf(person, scratch))});
        item.uid = vcardUid(text);
    }
    return item;
}

std::string AddressBookCodec::write(std::string_view serverText, const SyncRecord& record,
                                    const FieldKeys& changed, const std::string& uid) const {
    return patchVCard(serverText, record.person(), record.groups, changed, uid);
}

namespace {

// Whether any line of the calendar is a due date or start (of whatever component).
bool hasDate(std::string_view text) {
    const std::string unfolded = "\n" + unfoldedText(text);
    for (const char* name : {"\nDUE", "\nDTSTART"}) {
        for (size_t at = unfolded.find(name); at != std::string::npos;
             at = unfolded.find(name, at + 1)) {
            const char next = unfolded[at + std::strlen(name)];
            if (next == ':' || next == ';') return true;
        }
    }
    return false;
}

}  // namespace

ParsedItem CalendarCodec::parse(std::string_view text) const {
    // One turn for the whole item: the import and the UID read after it.
    const auto turn = libicalTurn();
    ParsedItem item;
    PimDocument scratch(clock_);
    const CalendarImportResult result = importICalendarText(scratch, text, CalendarParts::Both);
    if (!result.status) {
        item.error = result.status.reason();
        return item;
    }
    const std::string localZone = localZoneName();
    for (const auto& [id, read] : scratch.appointments()) {
        Appointment appointment = read;
        // Ours are written in the zone of this machine, whose time they keep: read back, a
        // series of that zone is one on local time.
        if (!localZone.empty() && appointment.schedule.get().zone == localZone)
            appointment.schedule.edit().zone.clear();
        const bool replacesOne =
            std::ranges::find(result.replacingOne, id) != result.replacingOne.end();
        if (!replacesOne) {
            item.records.push_back({SyncRecord(appointment)});
            continue;
        }
        // An override of a series the server holds elsewhere: read as the one occurrence
        // it is, and never written into, since it has no series of its own here.
        const Occurrence occurrence = nextOccurrence(appointment, DateTime(DateTime::kMinValue));
        if (occurrence.start.isNull()) continue;
        item.records.push_back({SyncRecord(standAlone(occurrence))});
        item.recurring = true;
    }
    for (const auto& [id, task] : scratch.tasks())
        item.records.push_back({SyncRecord(task)});
    item.uid = calendarUid(text);
    if (item.records.size() == 1 && item.records[0].record.kind() == RecordKind::Task)
        item.records[0].undated = !hasDate(text);
    if (item.records.empty())
        item.error = firstReason(result.skipped, _("no event or to-do in it"));
    return item;
}

std::string CalendarCodec::write(std::string_view serverText, const SyncRecord& record,
                                 const FieldKeys& changed, const std::string& uid) const {
    const auto turn = libicalTurn();
    if (record.kind() == RecordKind::Task) {
        // As patchTodo numbers them (TodoField).
        const std::vector<bool> marked = {changed.contains("Description"),
                                          changed.contains("Priority"), changed.contains("DueDate"),
                                          changed.contains("DoneDate")};
        return patchTodo(serverText, record.task(), marked, uid);
    }
    // As patchEvent numbers them (EventField), the schedule after them for patchSeries.
    std::vector<bool> marked = {changed.contains("Description"), changed.contains("StartTime"),
                                changed.contains("EndTime"), changed.contains(kAlarmField),
                                changed.contains(kScheduleField)};
    const std::string patched = writeEvent(serverText, record, marked, uid);
    // The server's trigger counts from the start or the end, its days on their wall clock,
    // or names a moment: moved times may move its alarm otherwise than ours moved, and it
    // is rewritten then.
    const auto at = [](EventField field) { return static_cast<size_t>(field); };
    const bool moved = marked[at(EventField::Start)] || marked[at(EventField::End)] ||
                       marked[at(EventField::Count)];
    if (serverText.empty() || patched.empty() || marked[at(EventField::Alarm)] || !moved)
        return patched;
    const ParsedItem back = parse(patched);
    const SyncField& alarm = *syncField(RecordKind::Appointment, kAlarmField);
    if (back.records.size() != 1 || alarm.text(back.records[0].record) == alarm.text(record))
        return patched;
    marked[at(EventField::Alarm)] = true;
    return writeEvent(serverText, record, marked, uid);
}

std::string CalendarCodec::writeEvent(std::string_view serverText, const SyncRecord& record,
                                      const std::vector<bool>& marked,
                                      const std::string& uid) const {
    Appointment appointment = record.appointment();
    // An event needs a start; a record without one has nothing to say.
    if (!appointment.StartTime.isValid()) return {};
    const bool series = !syncField(RecordKind::Appointment, kScheduleField)->text(record).empty() ||
                        marked[static_cast<size_t>(EventField::Count)];
    if (!series) return patchEvent(serverText, appointment, marked, uid);
    // A series is written as the export writes it, under the item's UID; into the server's
    // item only what changed goes.
    appointment.uid = uid;
    PimDocument scratch(clock_);
    scratch.add(std::move(appointment));
    const std::string ours = icalendarText(scratch, CalendarParts::Appointments);
    return serverText.empty() ? ours : patchSeries(serverText, ours, marked);
}
