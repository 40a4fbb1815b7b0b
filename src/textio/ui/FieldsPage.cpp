#include "textio/ui/FieldsPage.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/Translate.h"
#include "textio/ColumnAliases.h"
#include "textio/ui/FieldAssignDialog.h"
#include "textio/ui/TransferHelp.h"
#include "textio/ui/TransferRun.h"

namespace {

constexpr int kFieldColumn = 1;  // the field a column of the file is read into

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// "Persons Fields": the heading of the program's own fields.
QString fieldsOf(const std::string& entityName) {
    return text(fillIn(_("%s Fields"), {_(entityName.c_str())}));
}

// A sample may span lines; the row shows it on one.
QString oneLine(const std::string& value) {
    return text(value).simplified();
}

}  // namespace

FieldsPage::FieldsPage(TransferRun& run, QWidget* parent) : QWizardPage(parent), run_(run) {
    setObjectName(QStringLiteral("fieldsPage"));
    auto* group = new QGroupBox(_("Available Fields"), this);
    list_ = new QTreeView(group);
    model_ = new QStandardItemModel(this);
    list_->setModel(model_);
    list_->setAccessibleName(group->title());
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformRowHeights(true);
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(list_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    TransferHelp::attach(TransferHelp::kFieldList, {list_, group});
    if (run_.import) {
        connect(list_, &QTreeView::clicked, this,
                [this](const QModelIndex& index) { chooseField(index.row()); });
    }
}

void FieldsPage::refresh() {
    const std::string source = run_.spec.firstLine + '\n' + run_.spec.separator +
                               run_.spec.encloser + (run_.spec.firstLineHasNames ? "1" : "0");
    if (built_ && (!run_.import || source == builtFrom_)) return;
    built_ = true;
    builtFrom_ = source;
    model_->clear();
    if (run_.import)
        buildImportRows();
    else
        buildExportRows();
}

void FieldsPage::buildExportRows() {
    model_->setHorizontalHeaderLabels({fieldsOf(run_.spec.entityName)});
    for (const std::string& name : run_.spec.fieldNames) {
        auto* item = new QStandardItem(text(name));
        item->setCheckable(true);
        item->setCheckState(Qt::Unchecked);
        model_->appendRow(item);
    }
}

void FieldsPage::buildImportRows() {
    const std::vector<std::string> columns = splitFirstLine(run_.spec);
    const std::vector<std::string> sample = run_.spec.firstLineHasNames
                                                ? firstRecordValues(run_.spec, run_.sample)
                                                : std::vector<std::string>();
    // Names we know start assigned; the user may change them.
    rowFields_ = run_.spec.firstLineHasNames ? assignColumnsByName(run_.kind, columns, sample)
                                             : std::vector<std::string>(columns.size());
    QStringList headers = {_("Import Fields"), fieldsOf(run_.spec.entityName)};
    if (!sample.empty()) headers << _("First Record");
    model_->setHorizontalHeaderLabels(headers);
    for (size_t i = 0; i < columns.size(); ++i) {
        QList<QStandardItem*> row = {new QStandardItem(text(columns[i])),
                                     new QStandardItem(text(rowFields_[i]))};
        if (!sample.empty()) row << new QStandardItem(i < sample.size() ? oneLine(sample[i]) : "");
        model_->appendRow(row);
    }
    const int width = list_->viewport()->width() > 100 ? list_->viewport()->width() : 400;
    for (int c = 0; c < headers.size(); ++c)
        list_->setColumnWidth(c, width / int(headers.size()));
}

void FieldsPage::assignRow(int row, const std::string& field) {
    if (row < 0 || size_t(row) >= rowFields_.size()) return;
    assignField(rowFields_, size_t(row), field);
    for (size_t i = 0; i < rowFields_.size(); ++i)
        model_->item(int(i), kFieldColumn)->setText(text(rowFields_[i]));
}

void FieldsPage::chooseField(int row) {
    if (row < 0 || size_t(row) >= rowFields_.size()) return;
    FieldAssignDialog dialog(run_.spec.fieldNames, rowFields_[size_t(row)], this);
    if (dialog.exec() != QDialog::Accepted) return;
    assignRow(row, dialog.importThisField() ? dialog.selectedField() : std::string());
}

bool FieldsPage::validatePage() {
    std::optional<WizardRefusal> refusal;
    if (run_.import) {
        refusal = finishImportFields(run_.kind, rowFields_, run_.spec);
    } else {
        std::vector<bool> ticked;
        for (int i = 0; i < model_->rowCount(); ++i)
            ticked.push_back(model_->item(i)->checkState() == Qt::Checked);
        refusal = finishExportFields(ticked, run_.spec);
    }
    if (refusal) showRefusal(run_, *refusal);
    return !refusal;
}
