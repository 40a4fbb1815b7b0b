#pragma once

class QAbstractItemModel;
class QPoint;
class QTreeView;
class QWidget;

// A list of records as the organizer shows them: whole rows, one selected at a time,
// the selection visible while another control has the focus, a mark on the list that has
// the keyboard focus, and cut cells shown whole in a tooltip.
[[nodiscard]] QTreeView* makeRecordList(QAbstractItemModel* model, QWidget* parent);

// The selected row of such a list, or -1.
[[nodiscard]] int selectedRow(const QTreeView* list);

// Selects the row at a point of the list's viewport, if any: a right click selects the row
// under it first, as a left click would.
void selectRowAt(QTreeView* list, const QPoint& pos);

// Selects and shows a row; clears the selection for -1.
void showSelectedRow(QTreeView* list, int row);
