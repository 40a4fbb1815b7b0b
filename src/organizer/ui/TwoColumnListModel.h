#pragma once

#include <QAbstractTableModel>

#include <string_view>

// A two-column list over rows that core computed and keeps; a refill resets the model.
class TwoColumnListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Around a refill of the rows, so that the list forgets the old ones.
    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    TwoColumnListModel(const char* firstTitle, const char* secondTitle, QObject* parent);
    // The number of rows core holds, and whether an index names one of them.
    [[nodiscard]] virtual size_t rows() const = 0;
    [[nodiscard]] bool isRow(const QModelIndex& index) const;
    // Record text (UTF-8) for a cell.
    [[nodiscard]] static QString text(std::string_view utf8) {
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }

private:
    const char* titles_[2];
};
