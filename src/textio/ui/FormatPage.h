#pragma once

#include <QWizardPage>

struct TransferRun;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;

// The second page: the separator, the encloser and whether the first line holds names.
class FormatPage : public QWizardPage {
    Q_OBJECT

public:
    FormatPage(TransferRun& run, QWidget* parent = nullptr);

    // Shows the first line of the file chosen (import) and proposes its characters,
    // unless the user chose them already.
    void refresh();
    bool validatePage() override;
    [[nodiscard]] QListWidget* separatorList() const { return separators_; }
    [[nodiscard]] QListWidget* encloserList() const { return enclosers_; }
    [[nodiscard]] QCheckBox* headerBox() const { return header_; }
    [[nodiscard]] QGroupBox* firstLineGroup() const { return firstLineGroup_; }

private:
    TransferRun& run_;
    QGroupBox* firstLineGroup_;
    QPlainTextEdit* firstLine_;
    QCheckBox* header_;
    QListWidget* separators_;
    QListWidget* enclosers_;
    bool userChose_ = false;  // a choice of the user is never overwritten by a guess
    bool guessing_ = false;
};
