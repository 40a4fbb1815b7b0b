#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

// Runs `drive` on the dialog of type T that the next exec() shows; the dialog is closed
// afterwards whatever happened, so a failed check cannot leave a test hanging.
template <class T>
void whenOpen(std::function<void(T&)> drive) {
    QTimer::singleShot(0, [drive] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dialog == nullptr && window->isVisible()) dialog = qobject_cast<T*>(window);
        }
        ASSERT_NE(dialog, nullptr) << "no " << T::staticMetaObject.className() << " shown";
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// The field a label of this text names; its buddy, so a missing buddy fails here.
inline QLineEdit* fieldLabelled(const QWidget* page, const QString& text) {
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->text() == text) return qobject_cast<QLineEdit*>(label->buddy());
    }
    return nullptr;
}

// The texts a list shows in one column.
inline QStringList columnTexts(const QAbstractItemModel* model, int column = 0) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

inline void clickRow(QAbstractItemView* view, int row) {
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// Makes the window active, as the offscreen platform does not after a nested dialog.
inline void activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}
