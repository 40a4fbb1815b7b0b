#include "organizer/ui/ClearButton.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

void giveClearButton(QLineEdit& line, const QString& name) {
    line.setClearButtonEnabled(true);
    // The button draws its image only, so it is named rather than given a text.
    for (QAction* clear : line.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
        clear->setToolTip(name);
    for (QToolButton* clear :
         line.findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        clear->setAccessibleName(name);
}
