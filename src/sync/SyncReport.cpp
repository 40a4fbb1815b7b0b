#include "sync/SyncReport.h"

#include "platform/Translate.h"

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
        lines.push_back(std::move(line));
    }
    return lines;
}
