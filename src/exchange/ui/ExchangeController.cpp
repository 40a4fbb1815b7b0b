#include "exchange/ui/ExchangeController.h"
#include "platform/Translate.h"

#include <QWidget>

#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/RecordUids.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/UserPrompts.h"
#include "shell/CommandId.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

namespace {

// Descriptions in English, shown through _().
const FileFilter kVCardFiles{N_("vCard Files (*.vcf)"), "*.vcf"};
const FileFilter kICalendarFiles{N_("iCalendar Files (*.ics)"), "*.ics"};
const FileFilter kAllFiles{N_("All Files (*.*)"), "*"};

FileDialogSpec dialogFor(const FileFilter& filter, const char* extension) {
    FileDialogSpec spec;
    spec.defaultExtension = extension;
    spec.filters = {{_(filter.description.c_str()), filter.pattern},
                    {_(kAllFiles.description.c_str()), kAllFiles.pattern}};
    return spec;
}

}  // namespace

ExchangeController::ExchangeController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                                       const Locale& locale)
    : QObject(frame.window()), workspace_(workspace), prompts_(prompts), locale_(locale) {
    frame.setCommandHandler(cmd::kImportVCard, [this] { importVCard(); });
    frame.setCommandHandler(cmd::kImportICalendar, [this] { importICalendar(); });
    frame.setCommandHandler(cmd::kExportVCard, [this] { exportVCard(); });
    frame.setCommandHandler(cmd::kExportICalendar, [this] { exportICalendar(); });
}

void ExchangeController::importVCard() {
    const auto path = prompts_.askOpenPath(dialogFor(kVCardFiles, "vcf"));
    if (!path) return;
    const VCardImportResult result = workspace_.runStep(
        UndoStep::ImportNames, [&] { return importVCardFile(workspace_.document(), *path); });
    showImportReport(prompts_, vcardTally(result, *path), _("Imported Names"));
}

void ExchangeController::importICalendar() {
    const auto path = prompts_.askOpenPath(dialogFor(kICalendarFiles, "ics"));
    if (!path) return;
    const CalendarImportResult result = workspace_.runStep(UndoStep::ImportCalendar, [&] {
        return importICalendarFile(workspace_.document(), *path, CalendarParts::Both);
    });
    showImportReport(prompts_, calendarTally(result, CalendarParts::Both, locale_, *path),
                     _("Imported Calendar"));
}

void ExchangeController::exportVCard() {
    const auto path = prompts_.askSavePath(dialogFor(kVCardFiles, "vcf"));
    if (!path) return;
    giveUidsFirst({true, false, false});
    const ExportResult result =
        exportVCardFile(workspace_.document(), *path, VCardVersion::V3, std::nullopt);
    if (!result.status)
        prompts_.showMessage(result.status.message(), _("File Error"), MessageIcon::Error);
}

void ExchangeController::exportICalendar() {
    const auto path = prompts_.askSavePath(dialogFor(kICalendarFiles, "ics"));
    if (!path) return;
    giveUidsFirst(UidKinds::of(CalendarParts::Both));
    const ExportResult result =
        exportICalendarFile(workspace_.document(), *path, CalendarParts::Both);
    if (!result.status)
        prompts_.showMessage(result.status.message(), _("File Error"), MessageIcon::Error);
}

void ExchangeController::giveUidsFirst(UidKinds kinds) {
    // Kept with the records, so that the next export names them the same: a step of its
    // own, which the user saves with the document.
    if (lacksUids(workspace_.document(), kinds))
        workspace_.runStep(UndoStep::Export, [&] { giveUids(workspace_.document(), kinds); });
}
