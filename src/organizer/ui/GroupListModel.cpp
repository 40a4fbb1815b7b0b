#include "organizer/ui/GroupListModel.h"

#include "platform/Translate.h"
#include "records/PimDocument.h"

GroupListModel::GroupListModel(QObject* parent) : QAbstractTableModel(parent) {}

void GroupListModel::refill(const PimDocument& document) {
    beginResetModel();
    rows_.clear();
    for (const auto& [id, group] : document.phGroups())
        rows_.push_back(GroupEntry{id, group.Desc});
    endResetModel();
}

int GroupListModel::rowOf(int32_t id) const {
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].id == id) return static_cast<int>(row);
    }
    return -1;
}

int GroupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GroupListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant GroupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() != 0) return {};
    const GroupEntry& row = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) return QString::fromStdString(row.desc);
    if (role == Qt::UserRole) return row.id;
    return {};
}

QVariant GroupListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) return _("Group");
    return {};
}
