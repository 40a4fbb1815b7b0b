#pragma once

#include <QWizard>

#include <string>

#include "textio/ui/TransferRun.h"

class FieldsPage;
class FilePage;
class FormatPage;

// The three-page wizard of the import and export commands: the file, its format, the
// fields. Finish leaves the choices in the transfer settings; the command then moves the records.
class TextTransferWizard : public QWizard {
    Q_OBJECT

public:
    TextTransferWizard(bool import, TransferKind kind, const std::string& title,
                       TextTransferSpec& spec, UserPrompts& prompts, QWidget* parent = nullptr);

    [[nodiscard]] FilePage* filePage() const { return filePage_; }
    [[nodiscard]] FormatPage* formatPage() const { return formatPage_; }
    [[nodiscard]] FieldsPage* fieldsPage() const { return fieldsPage_; }

signals:
    // The Help button asks for this help page.
    void helpPageRequested(const QString& page);

private:
    void pageShown(int id);

    TransferRun run_;
    FilePage* filePage_;
    FormatPage* formatPage_;
    FieldsPage* fieldsPage_;
};
