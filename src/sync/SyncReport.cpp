#include "sync/SyncReport.h"

#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "sync/ScheduleField.h"
#include "sync/SyncFields.h"

namespace {

// A value as the user reads it: a schedule summed up, nothing said so.
std::string shown(const SyncConflict& conflict, const std::string& value) {
    if (conflict.kind == RecordKind::Appointment && conflict.field == kScheduleField)
        return scheduleFieldSummary(value);
    return value.empty() ? std::string(_("(empty)")) : "\"" + value + "\"";
}

}  // namespace

std::string SyncConflict::line() const {
    return fillIn(keptOurs ? _("%s \"%s\": %s here %s, on the server %s; ours kept")
                           : _("%s \"%s\": %s here %s, on the server %s; the server's kept"),
                  {kindName(kind), label, _(syncField(kind, field)->label), shown(*this, ours),
                   shown(*this, theirs)});
}

bool keepOurs(PimDocument& document, const SyncConflict& conflict) {
    std::optional<SyncRecord> record = syncRecordOf(document, conflict.kind, conflict.id);
    const SyncField* field = syncField(conflict.kind, conflict.field);
    if (!record || field == nullptr) return false;
    field->setText(*record, conflict.ours);
    return storeRecord(document, *record, conflict.id) != 0;
}

bool SyncReport::movedAny() const {
    for (const auto& [kind, c] : counts)
        if (c.up + c.down + c.deletedHere + c.deletedThere > 0) return true;
    return false;
}

std::vector<std::string> SyncReport::countLines() const {
    std::vector<std::string> lines;
    for (const auto& [kind, count] : counts) {
        const char* kinds = kind == RecordKind::Person        ? _("persons")
                            : kind == RecordKind::Appointment ? _("appointments")
                                                              : _("tasks");
        std::string line = fillIn(_("%s: %s up, %s down"),
                                  {kinds, std::to_string(count.up), std::to_string(count.down)});
        if (count.deletedHere > 0)
            line += fillIn(_(", %s deleted here"), {std::to_string(count.deletedHere)});
        if (count.deletedThere > 0)
            line += fillIn(_(", %s deleted on the server"), {std::to_string(count.deletedThere)});
        if (count.alreadyHere > 0)
            line += fillIn(_(", %s already here"), {std::to_string(count.alreadyHere)});
        lines.push_back(std::move(line));
    }
    return lines;
}
