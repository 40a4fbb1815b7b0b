#include "textio/ui/TextTransferController.h"
#include "platform/Translate.h"

#include <QWidget>

#include "platform/UserPrompts.h"
#include "shell/CommandId.h"
#include "textio/ImportReport.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"
#include "textio/TransferWizardRules.h"
#include "textio/ui/TextTransferWizard.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

TextTransferController::TextTransferController(Workspace& workspace, FrameHost& frame,
                                               UserPrompts& prompts, const Locale& locale)
    : QObject(frame.window()),
      workspace_(workspace),
      frame_(frame),
      prompts_(prompts),
      locale_(locale) {
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
                              frame_.window());
    connect(&wizard, &TextTransferWizard::helpPageRequested, this,
            [this](const QString& page) { frame_.showHelpPage(page); });
    if (wizard.exec() != QDialog::Accepted) return;

    if (!import) {
        // Nothing is said of an export that worked, but what it changed in writing (a
        // series as its occurrences); one that did not must not pass for done.
        const ExportResult result = exportFile(kind, workspace_.document(), spec, locale_);
        if (!result.status)
            prompts_.showMessage(result.status.message(), _("File Error"), MessageIcon::Error);
        else if (!result.note.empty())
            prompts_.showMessage(result.note, transferWizardTitle(kind, false),
                                 MessageIcon::Information);
        return;
    }
    // The lists refill when the document reports the change, once for the whole import.
    const ImportResult result = workspace_.runStep(importStep(kind), [&](PimDocument& document) {
        return importFile(kind, document, spec, locale_);
    });
    showImportReport(prompts_, delimitedTally(kind, result, spec.fileName), importedCaption(kind));
}
