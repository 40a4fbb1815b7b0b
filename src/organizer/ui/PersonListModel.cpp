#include "organizer/ui/PersonListModel.h"
#include "platform/Translate.h"

#include "organizer/PhoneBookView.h"

PersonListModel::PersonListModel(const PhoneBookView& book, QObject* parent)
    : TwoColumnListModel(N_("Name"), N_("Company"), parent), book_(book) {}

size_t PersonListModel::rows() const {
    return book_.rowCount();
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !isRow(index)) return {};
    const PersonRow row = book_.row(static_cast<size_t>(index.row()));
    return text(index.column() == 0 ? row.name : row.company);
}
