#pragma once

#include <QObject>

class QAbstractItemView;

// Shows a cell's whole text as its tooltip when the column is too narrow for it, and no
// tooltip otherwise.
class CellToolTips : public QObject {
    Q_OBJECT

public:
    // Watches the list's viewport; the list owns the watcher.
    static void install(QAbstractItemView* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CellToolTips(QAbstractItemView* list);
    QAbstractItemView* list_;
};
