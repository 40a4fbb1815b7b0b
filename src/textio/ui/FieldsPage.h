#pragma once

#include <QWizardPage>

#include <string>
#include <vector>

struct TransferRun;
class QStandardItemModel;
class QTreeView;

// The last page. Export: the fields to write, ticked. Import: one row per column of the
// file, with the field it is read into and the value of the first record.
class FieldsPage : public QWizardPage {
    Q_OBJECT

public:
    FieldsPage(TransferRun& run, QWidget* parent = nullptr);

    // Builds the rows the first time, and again when the file or its format changed since,
    // as the old rows would name columns the file does not have.
    void refresh();
    bool validatePage() override;
    // Gives `field` ("" for none) to the row, taking it from another row that had it.
    void assignRow(int row, const std::string& field);
    // The fields of the import rows, "" where a column is not imported.
    [[nodiscard]] const std::vector<std::string>& rowFields() const { return rowFields_; }
    [[nodiscard]] QTreeView* list() const { return list_; }
    [[nodiscard]] QStandardItemModel* model() const { return model_; }

private:
    void buildExportRows();
    void buildImportRows();
    void chooseField(int row);

    TransferRun& run_;
    QTreeView* list_;
    QStandardItemModel* model_;
    std::vector<std::string> rowFields_;
    std::string builtFrom_;  // the file's first line and format the rows were built from
    bool built_ = false;
};
