#include "sync/ItemCodec.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstring>

#include "exchange/CalendarItemPatch.h"
#include "exchange/CalendarOutline.h"
#include "exchange/ICalImport.h"
#include "exchange/LibicalTurn.h"
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

namespace {

// The occurrences of a series a server item may bring, and those of all its series: an
// hourly series over the three years of the window, some fifty daily ones.
constexpr size_t kOccurrencesPerSeries = 30'000;
constexpr size_t kOccurrencesPerItem = 50'000;

// The records of the appointments an import made of an item: sync compares occurrences,
// each of a series from a year back to two years ahead, as records of their own.
class OccurrenceRecords {
public:
    OccurrenceRecords(const Clock& clock, const CalendarImportResult& result)
        : window_(flatteningWindow(DateTime::today(clock))), result_(result) {}

    void add(const Appointment& appointment, std::vector<ParsedRecord>& records) {
        const bool replacesOne = std::find(result_.replacingOne.begin(), result_.replacingOne.end(),
                                           appointment.ID) != result_.replacingOne.end();
        if (!appointment.schedule.has() && !replacesOne) {
            records.push_back({RecordKind::Appointment, fieldsOf(appointment)});
            return;
        }
        const bool series = appointment.repeats() || replacesOne;
        ExpansionBudget budget;
        const std::vector<Occurrence> occurrences =
            series ? occurrencesStarting(appointment, window_.from, window_.to, budget,
                                         kOccurrencesPerSeries + 1)
                   : occurrencesStarting(appointment, DateTime(DateTime::kMinValue),
                                         DateTime(DateTime::kMaxValue), budget, 1);
        total_ += occurrences.size();
        if (budget.exhausted || occurrences.size() > kOccurrencesPerSeries ||
            total_ > kOccurrencesPerItem) {
            failures_.push_back(_("repeats too often to expand"));
            return;
        }
        if (occurrences.empty()) {
            failures_.push_back(_("no occurrence from a year ago to two years ahead"));
            return;
        }
        recurring_ |= series;
        for (const Occurrence& occurrence : occurrences)
            records.push_back({RecordKind::Appointment, fieldsOf(standAlone(occurrence))});
    }

    // Whether any of them is an occurrence of a series.
    [[nodiscard]] bool recurring() const { return recurring_; }
    // Why the first that added nothing added nothing; nullptr when each added.
    [[nodiscard]] const char* failure() const {
        return failures_.empty() ? nullptr : failures_.front();
    }

private:
    const OccurrenceWindow window_;
    const CalendarImportResult& result_;
    size_t total_ = 0;
    bool recurring_ = false;
    std::vector<const char*> failures_;
};

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
    OccurrenceRecords appointments(clock_, result);
    for (const auto& [id, appointment] : scratch.appointments())
        appointments.add(appointment, item.records);
    for (const auto& [id, task] : scratch.tasks())
        item.records.push_back({RecordKind::Task, fieldsOf(task)});
    item.recurring = appointments.recurring();
    item.uid = calendarUid(text);
    if (item.records.size() == 1 && item.records[0].kind == RecordKind::Task)
        item.records[0].undated = !hasDate(text);
    if (item.records.empty() && !item.recurring) {
        const char* failure = appointments.failure();
        item.error = !result.skipped.empty() || failure == nullptr
                         ? firstReason(result.skipped, _("no event or to-do in it"))
                         : failure;
    }
    return item;
}

std::string CalendarCodec::write(std::string_view serverText, RecordKind kind, const Fields& fields,
                                 const std::vector<bool>& changed, const std::string& uid) const {
    const auto turn = libicalTurn();
    if (kind == RecordKind::Task) return patchTodo(serverText, taskOf(fields), changed, uid);
    const Appointment appointment = appointmentOf(fields);
    // An event needs a start; a record without one has nothing to say.
    if (!appointment.StartTime.isValid()) return {};
    return patchEvent(serverText, appointment, changed, uid);
}
