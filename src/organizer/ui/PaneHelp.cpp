#include "organizer/ui/PaneHelp.h"

#include <QApplication>
#include <QEvent>
#include <QShortcut>
#include <QWidget>

PaneHelp::PaneHelp(QWidget& window, std::map<const QWidget*, QString> panes)
    : QObject(&window), window_(window), panes_(std::move(panes)) {
    for (const auto& [pane, page] : panes_)
        const_cast<QWidget*>(pane)->installEventFilter(this);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &window);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        const QString page = pageFor(QApplication::focusWidget());
        if (!page.isEmpty()) emit helpRequested(page);
    });
}

QString PaneHelp::pageFor(const QWidget* widget) const {
    for (; widget != nullptr && widget != &window_; widget = widget->parentWidget()) {
        if (const auto it = panes_.find(widget); it != panes_.end()) return it->second;
    }
    return {};
}

bool PaneHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WhatsThis) {
        const QString page = pageFor(qobject_cast<QWidget*>(watched));
        if (!page.isEmpty()) {
            emit helpRequested(page);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
