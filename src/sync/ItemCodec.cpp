#include "sync/ItemCodec.h"
#include "platform/Translate.h"

#include <cstring>

#include "exchange/CalendarItemPatch.h"
#include "exchange/CalendarOutline.h"
#include "exchange/ICalImport.h"
#include "exchange/VCardImport.h"
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
    const VCardImportResult result = importVCardText(scratch, text);
    if (!result.status) {
        item.error = result.status.reason();
    } else if (scratch.persons().size() != 1) {
        item.error = scratch.persons().size() == 0
                         ? firstReason(result.skipped, _("no vCard in it"))
                         : _("it holds more than one vCard");
    } else {
        item.records.push_back(
            {RecordKind::Person, fieldsOf(scratch.persons().begin()->second, scratch)});
        item.uid = vcardUid(text);
    }
    return item;
}

std::string AddressBookCodec::write(std::string_view serverText, RecordKind, const Fields& fields,
                                    const std::vector<bool>& changed,
                                    const std::string& uid) const {
    return patchVCard(serverText, fields, changed, uid);
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
    ParsedItem item;
    PimDocument scratch(clock_);
    const CalendarImportResult result = importICalendarText(scratch, text, CalendarParts::Both);
    if (!result.status) {
        item.error = result.status.reason();
        return item;
    }
    for (const auto& [id, appointment] : scratch.appointments())
        item.records.push_back({RecordKind::Appointment, fieldsOf(appointment)});
    for (const auto& [id, task] : scratch.tasks())
        item.records.push_back({RecordKind::Task, fieldsOf(task)});
    item.recurring = result.recurringEvents > 0;
    item.uid = calendarUid(text);
    if (item.records.size() == 1 && item.records[0].kind == RecordKind::Task)
        item.records[0].undated = !hasDate(text);
    // A series with no occurrence in the window holds no record, and that is no fault.
    if (item.records.empty() && !item.recurring)
        item.error = firstReason(result.skipped, _("no event or to-do in it"));
    return item;
}

std::string CalendarCodec::write(std::string_view serverText, RecordKind kind, const Fields& fields,
                                 const std::vector<bool>& changed, const std::string& uid) const {
    if (kind == RecordKind::Task) return patchTodo(serverText, taskOf(fields), changed, uid);
    const Appointment appointment = appointmentOf(fields);
    // An event needs a start; a record without one has nothing to say.
    if (!appointment.StartTime.isValid()) return {};
    return patchEvent(serverText, appointment, changed, uid);
}
