#include "exchange/ui/ExchangeController.h"

#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/UserPrompts.h"
#include "shell/CommandId.h"
#include "shell/ui/MainFrame.h"

namespace {

const FileFilter kVCardFiles{"vCard Files (*.vcf)", "*.vcf"};
const FileFilter kICalendarFiles{"iCalendar Files (*.ics)", "*.ics"};
const FileFilter kAllFiles{"All Files (*.*)", "*"};

FileDialogSpec dialogFor(const FileFilter& filter, const char* extension) {
    FileDialogSpec spec;
    spec.defaultExtension = extension;
    spec.filters = {filter, kAllFiles};
    return spec;
}

}  // namespace

ExchangeController::ExchangeController(MainFrame& frame, UserPrompts& prompts, const Locale& locale)
    : QObject(&frame), frame_(frame), prompts_(prompts), locale_(locale) {
    frame.setCommandHandler(cmd::kImportVCard, [this] { importVCard(); });
    frame.setCommandHandler(cmd::kImportICalendar, [this] { importICalendar(); });
    frame.setCommandHandler(cmd::kExportVCard, [this] { exportVCard(); });
    frame.setCommandHandler(cmd::kExportICalendar, [this] { exportICalendar(); });
}

void ExchangeController::importVCard() {
    const auto path = prompts_.askOpenPath(dialogFor(kVCardFiles, "vcf"));
    if (!path) return;
    VCardImportResult result;
    {
        UndoHistory::Step step(frame_.history(), "Import Names");
        result = importVCardFile(frame_.document(), *path);
    }
    if (!result.status)
        prompts_.showMessage(result.status.message(), "Import Error", MessageIcon::Error);
    else
        prompts_.showMessage(vcardImportedMessage(result), "Imported Names",
                             MessageIcon::Information);
}

void ExchangeController::importICalendar() {
    const auto path = prompts_.askOpenPath(dialogFor(kICalendarFiles, "ics"));
    if (!path) return;
    CalendarImportResult result;
    {
        UndoHistory::Step step(frame_.history(), "Import Calendar");
        result = importICalendarFile(frame_.document(), *path, CalendarParts::Both);
    }
    if (!result.status)
        prompts_.showMessage(result.status.message(), "Import Error", MessageIcon::Error);
    else
        prompts_.showMessage(calendarImportedMessage(result, CalendarParts::Both, locale_),
                             "Imported Calendar", MessageIcon::Information);
}

void ExchangeController::exportVCard() {
    const auto path = prompts_.askSavePath(dialogFor(kVCardFiles, "vcf"));
    if (!path) return;
    const ExportResult result =
        exportVCardFile(frame_.document(), *path, VCardVersion::V3, std::nullopt);
    if (!result.status)
        prompts_.showMessage(result.status.message(), "File Error", MessageIcon::Error);
}

void ExchangeController::exportICalendar() {
    const auto path = prompts_.askSavePath(dialogFor(kICalendarFiles, "ics"));
    if (!path) return;
    const ExportResult result = exportICalendarFile(frame_.document(), *path, CalendarParts::Both);
    if (!result.status)
        prompts_.showMessage(result.status.message(), "File Error", MessageIcon::Error);
}
