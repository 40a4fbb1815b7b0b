#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// Saves a picture of `widget` as NAME.png when QUILLMATE_SCREENSHOTS names a folder, so
// that a change to a window can be looked at.
inline void screenshot(QWidget& widget, const char* name) {
    const QString folder = qEnvironmentVariable("QUILLMATE_SCREENSHOTS");
    if (!folder.isEmpty()) widget.grab().save(folder + u'/' + QLatin1String(name) + ".png");
}

// Runs `drive` on the dialog of type T that the next exec() shows; the dialog is closed
// afterwards whatever happened, so a failed check cannot leave a test hanging.
template <class T>
void whenOpen(std::function<void(T&)> drive) {
    QTimer::singleShot(0, [drive] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        for (QWidget* window : QApplication::topLevelWidgets())
            if (dialog == nullptr && window->isVisible()) dialog = qobject_cast<T*>(window);
        ASSERT_NE(dialog, nullptr) << "no " << T::staticMetaObject.className() << " shown";
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// The field a label of this text names; its buddy, so a missing buddy fails here.
inline QLineEdit* fieldLabelled(const QWidget* page, const QString& text) {
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->text() == text) return qobject_cast<QLineEdit*>(label->buddy());
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
