#pragma once

#include <QObject>
#include <QString>

#include <map>

class QWidget;

// The help pages of a window's panes: context help or F1 over a pane, or over anything
// inside it, asks for the pane's page.
class PaneHelp : public QObject {
    Q_OBJECT

public:
    // `panes` maps each pane to its page ("tasklist"); F1 works anywhere in `window`.
    PaneHelp(QWidget& window, std::map<const QWidget*, QString> panes);

    // The page of the pane that holds the widget, or "" for none.
    [[nodiscard]] QString pageFor(const QWidget* widget) const;

signals:
    void helpRequested(const QString& page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::map<const QWidget*, QString> panes_;
};
