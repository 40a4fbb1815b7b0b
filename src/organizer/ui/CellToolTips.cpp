#include "organizer/ui/CellToolTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPixmap>
#include <QStyle>
#include <QToolTip>

CellToolTips::CellToolTips(QAbstractItemView* list) : QObject(list), list_(list) {}

void CellToolTips::install(QAbstractItemView* list) {
    list->viewport()->installEventFilter(new CellToolTips(list));
}

bool CellToolTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = list_->indexAt(help->pos());
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = list_->visualRect(index);
    // The room the text needs: its width, the image beside it and the item margins.
    const int margin = 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    int needed = list_->fontMetrics().horizontalAdvance(text) + 2 * margin;
    if (index.data(Qt::DecorationRole).canConvert<QPixmap>()) needed += 16 + margin;
    if (index.isValid() && !text.isEmpty() && needed > cell.width())
        QToolTip::showText(help->globalPos(), text, list_->viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}
