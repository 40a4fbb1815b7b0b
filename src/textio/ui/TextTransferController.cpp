#include "textio/ui/TextTransferController.h"

#include "organizer/ui/OrganizerView.h"
#include "platform/UserPrompts.h"
#include "shell/CommandId.h"
#include "shell/ui/MainFrame.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"
#include "textio/TransferWizardRules.h"
#include "textio/ui/TextTransferWizard.h"

namespace {

// The Edit menu's name of an import ("Undo Import Names").
const char* importStepName(TransferKind kind) {
    switch (kind) {
        case TransferKind::Persons:
            return "Import Names";
        case TransferKind::Tasks:
            return "Import Tasks";
        case TransferKind::Appointments:
            break;
    }
    return "Import Appointments";
}

}  // namespace

TextTransferController::TextTransferController(MainFrame& frame, UserPrompts& prompts,
                                               const Locale& locale)
    : QObject(&frame), frame_(frame), prompts_(prompts), locale_(locale) {
    const struct {
        int id;
        TransferKind kind;
        bool import;
    } commands[] = {
        {cmd::kExportPhoneBook, TransferKind::Persons, false},
        {cmd::kExportTasks, TransferKind::Tasks, false},
        {cmd::kExportAppointments, TransferKind::Appointments, false},
        {cmd::kImportPhoneBook, TransferKind::Persons, true},
        {cmd::kImportTasks, TransferKind::Tasks, true},
        {cmd::kImportAppointments, TransferKind::Appointments, true},
    };
    for (const auto& c : commands)
        frame.setCommandHandler(c.id, [this, c] { run(c.kind, c.import); });
}

void TextTransferController::run(TransferKind kind, bool import) {
    TextTransferSpec spec = import ? makeImportSpec(kind) : makeExportSpec(kind);
    TextTransferWizard wizard(import, kind, transferWizardTitle(kind, import), spec, prompts_,
                              &frame_);
    if (OrganizerView* view = frame_.organizerView()) {
        connect(&wizard, &TextTransferWizard::helpPageRequested, view,
                &OrganizerView::helpRequested);
    }
    if (wizard.exec() != QDialog::Accepted) return;

    if (!import) {
        // Nothing is said of an export that worked; one that did not must not pass for done.
        const ExportResult result = exportFile(kind, frame_.document(), spec, locale_);
        if (!result.status)
            prompts_.showMessage(result.status.message(), "File Error", MessageIcon::Error);
        return;
    }
    ImportResult result;
    {
        UndoHistory::Step step(frame_.history(), importStepName(kind));
        result = importFile(kind, frame_.document(), spec, locale_);
    }
    // The lists refill when the document reports the change, once for the whole import.
    prompts_.showMessage(importedMessage(kind, result.added), importedCaption(kind),
                         MessageIcon::Information);
    frame_.updateCommandStates();
}
