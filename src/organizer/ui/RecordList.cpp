#include "organizer/ui/RecordList.h"

#include <QHeaderView>
#include <QTreeView>

#include "organizer/ui/CellToolTips.h"

namespace {

// The narrowest column: room for a row image.
constexpr int kImageWidth = 16;

}  // namespace

QTreeView* makeRecordList(QAbstractItemModel* model, QWidget* parent) {
    auto* list = new QTreeView(parent);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    list->setTextElideMode(Qt::ElideRight);
    list->setContextMenuPolicy(Qt::DefaultContextMenu);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(true);
    // The columns are fitted to the list's width whenever it changes.
    list->header()->setMinimumSectionSize(kImageWidth);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The selection stays visible while another control has the focus.
    QPalette palette = list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    list->setPalette(palette);
    // A visible mark on the list that has the keyboard focus.
    list->setStyleSheet(
        QStringLiteral("QTreeView:focus { border: 2px solid palette(highlight); }"));
    CellToolTips::install(list);
    return list;
}

int selectedRow(const QTreeView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRowAt(QTreeView* list, const QPoint& pos) {
    const QModelIndex hit = list->indexAt(pos);
    if (hit.isValid())
        list->selectionModel()->setCurrentIndex(
            hit, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void showSelectedRow(QTreeView* list, int row) {
    QItemSelectionModel* selected = list->selectionModel();
    if (row < 0) {
        selected->clear();
        return;
    }
    const QModelIndex index = list->model()->index(row, 0);
    selected->setCurrentIndex(index,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}
