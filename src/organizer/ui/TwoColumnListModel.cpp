#include "organizer/ui/TwoColumnListModel.h"
#include "platform/Translate.h"

TwoColumnListModel::TwoColumnListModel(const char* firstTitle, const char* secondTitle,
                                       QObject* parent)
    : QAbstractTableModel(parent), titles_{firstTitle, secondTitle} {}

int TwoColumnListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows());
}

int TwoColumnListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TwoColumnListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 1)
        return {};
    return QString::fromUtf8(_(titles_[section]));
}

bool TwoColumnListModel::isRow(const QModelIndex& index) const {
    return index.isValid() && index.row() >= 0 && static_cast<size_t>(index.row()) < rows();
}
