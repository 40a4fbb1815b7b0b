#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "organizer/PhoneBookRows.h"

class PimDocument;

// The group list's one column "Group": every group's description in the document's order,
// each row carrying the group's ID. A refill resets the model.
class GroupListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GroupListModel(QObject* parent = nullptr);

    // Takes the document's groups again.
    void refill(const PimDocument& document);
    [[nodiscard]] const std::vector<GroupEntry>& rows() const { return rows_; }
    // The row of a group; -1 when it is not listed.
    [[nodiscard]] int rowOf(int32_t id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<GroupEntry> rows_;
};
