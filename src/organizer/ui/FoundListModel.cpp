#include "organizer/ui/FoundListModel.h"

#include <QFont>

#include "organizer/FoundRow.h"
#include "organizer/RecordSearch.h"
#include "platform/Translate.h"

namespace {

constexpr const char* kHeadings[kFoundKindCount] = {N_("Persons"), N_("Appointments"), N_("Tasks")};
// A heading's index carries this instead of its group's number plus one.
constexpr quintptr kHeading = 0;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FoundListModel::FoundListModel(const PimDocument& document, const RecordSearch& search,
                               const Locale& locale, QObject* parent)
    : QAbstractItemModel(parent), document_(document), search_(search), locale_(locale) {}

void FoundListModel::reset(const std::function<void()>& change) {
    beginResetModel();
    change();
    forget();
    endResetModel();
}

void FoundListModel::forget() {
    groups_.clear();
    rows_ = 0;
    shown_.clear();
}

void FoundListModel::update() {
    const auto& results = search_.results();
    // A search begun again (the document changed) lists its records anew.
    if (results.size() < rows_) reset([] {});
    while (rows_ < results.size()) {
        const FoundKind kind = results[rows_].kind;
        if (groups_.empty() || groups_.back().kind != kind) {
            const int group = static_cast<int>(groups_.size());
            beginInsertRows({}, group, group);
            groups_.push_back({kind, rows_, 0});
            endInsertRows();
        }
        // Results come grouped by kind: the rest of this kind's go under its heading.
        size_t end = rows_;
        while (end < results.size() && results[end].kind == kind)
            ++end;
        Group& group = groups_.back();
        const int groupRow = static_cast<int>(groups_.size() - 1);
        const int first = static_cast<int>(group.count);
        beginInsertRows(index(groupRow, 0), first, first + static_cast<int>(end - rows_) - 1);
        group.count += end - rows_;
        rows_ = end;
        endInsertRows();
        emit dataChanged(index(groupRow, 0), index(groupRow, 0), {Qt::DisplayRole});
    }
}

const FoundRecord* FoundListModel::record(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kHeading) return nullptr;
    const Group& group = groups_[index.internalId() - 1];
    const size_t result = group.first + static_cast<size_t>(index.row());
    return result < search_.results().size() ? &search_.results()[result] : nullptr;
}

QModelIndex FoundListModel::firstRecord() const {
    return groups_.empty() ? QModelIndex() : index(0, 0, index(0, 0));
}

QModelIndex FoundListModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) return {};
    if (!parent.isValid()) return createIndex(row, column, kHeading);
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex FoundListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kHeading) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kHeading);
}

int FoundListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(groups_.size());
    if (parent.internalId() != kHeading || parent.column() != 0) return 0;
    return static_cast<int>(groups_[static_cast<size_t>(parent.row())].count);
}

int FoundListModel::columnCount(const QModelIndex&) const {
    return 2;
}

Qt::ItemFlags FoundListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // A heading can be passed through but not chosen.
    if (index.internalId() == kHeading) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant FoundListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (index.internalId() == kHeading) {
        const Group& group = groups_[static_cast<size_t>(index.row())];
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role != Qt::DisplayRole || index.column() != 0) return {};
        return QString::fromUtf8(
            fillIn(_("%s (%s)"),
                   {_(kHeadings[static_cast<size_t>(group.kind)]), std::to_string(group.count)}));
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const Group& group = groups_[index.internalId() - 1];
    const size_t result = group.first + static_cast<size_t>(index.row());
    if (result >= search_.results().size()) return {};
    const Shown& row = shown(result);
    return index.column() == 0 ? row.text : row.when;
}

const FoundListModel::Shown& FoundListModel::shown(size_t result) const {
    const auto known = shown_.find(result);
    if (known != shown_.end()) return known->second;
    const FoundRow row = foundRow(document_, search_.results()[result], search_.filter());
    // A row is one line: line breaks of a description show as spaces.
    QString text = utf8(foundText(row));
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    return shown_[result] = Shown{text, utf8(row.when.formatDate(locale_))};
}

QVariant FoundListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromUtf8(section == 0 ? _("Found") : _("Date"));
}
