#pragma once

#include <QAbstractItemModel>

#include <functional>
#include <unordered_map>
#include <vector>

#include "organizer/FindIndex.h"

class Locale;
class PimDocument;
class RecordSearch;

// The records a search found, under one heading per kind ("Tasks (3)"), each row saying
// what matched and when. Rows are added as the search finds them; the texts are made for
// the rows shown, so that a search finding every record costs no more than its results.
class FoundListModel : public QAbstractItemModel {
    Q_OBJECT

public:
    FoundListModel(const PimDocument& document, const RecordSearch& search, const Locale& locale,
                   QObject* parent = nullptr);

    // Forgets every row around `change` to the search (a new one started).
    void reset(const std::function<void()>& change);
    // Adds the rows of what the search found since the last call.
    void update();
    // The record of a row; nullptr for a heading.
    [[nodiscard]] const FoundRecord* record(const QModelIndex& index) const;
    // The first record's row; invalid when nothing was found.
    [[nodiscard]] QModelIndex firstRecord() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Group {
        FoundKind kind;
        size_t first;  // its first result's place in the search's results
        size_t count;
    };
    struct Shown {
        QString text;
        QString when;
    };
    [[nodiscard]] const Shown& shown(size_t result) const;
    void forget();

    const PimDocument& document_;
    const RecordSearch& search_;
    const Locale& locale_;
    std::vector<Group> groups_;
    size_t rows_ = 0;  // results shown
    mutable std::unordered_map<size_t, Shown> shown_;
};
