#pragma once

#include <QSpinBox>

// The print preview's page box: the page on show, "2 of 14", where a page number can be
// typed (or stepped with the arrows) to go to that page directly.
class PageBox : public QSpinBox {
    Q_OBJECT

public:
    explicit PageBox(QWidget* parent = nullptr);

    // Shows the 0-based page `current` of `count` pages, without asking for a page.
    void showPage(int current, int count);

signals:
    // The user chose the page of 0-based `index`.
    void pageChosen(int index);
};
