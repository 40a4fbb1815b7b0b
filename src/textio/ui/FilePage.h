#pragma once

#include <QWizardPage>

struct TransferRun;
class QLineEdit;
class QPushButton;

// The first page: the text file to read or write.
class FilePage : public QWizardPage {
    Q_OBJECT

public:
    FilePage(TransferRun& run, QWidget* parent = nullptr);

    [[nodiscard]] bool isComplete() const override;
    bool validatePage() override;
    [[nodiscard]] QLineEdit* pathEdit() const { return path_; }
    [[nodiscard]] QPushButton* browseButton() const { return browse_; }

private:
    void browse();

    TransferRun& run_;
    QLineEdit* path_;
    QPushButton* browse_;
};
