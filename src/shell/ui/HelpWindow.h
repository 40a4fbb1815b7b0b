#pragma once

#include <QWidget>

class QTextBrowser;

// The program's own help pages (built into the program) in a window of their own.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page ("Introduction", "calendar", ...) and raises the window. An unknown
    // page leaves the window as it was.
    void showPage(const QString& page);
    // The resource that holds a page.
    [[nodiscard]] static QString pageUrl(const QString& page);
    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};
