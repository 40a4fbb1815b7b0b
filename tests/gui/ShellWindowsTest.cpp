#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

#include "Screenshot.h"
#include "platform/Clock.h"
#include "platform/qt/QtUserPrompts.h"
#include "records/PimDocument.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/HelpWindow.h"
#include "workspace/ui/DocumentFolder.h"

namespace {

TEST(HelpWindow, ShowsEveryPageTheProgramNamesAndClosesFromTheKeyboardAndItsButton) {
    HelpWindow help;
    for (const char* page : {"Introduction", "calendar", "apptbook", "tasklist", "phonebook",
                             "csvimport", "csvexport", "dlgpraddr"}) {
        const QString name = QString::fromLatin1(page);
        ASSERT_TRUE(QFile::exists(":/help/" + name + ".htm")) << page;
        help.showPage(name);
        EXPECT_EQ(help.browser()->source(), QUrl(HelpWindow::pageUrl(name))) << page;
        EXPECT_FALSE(help.browser()->documentTitle().isEmpty()) << page;
    }
    help.showPage("no-such-page");
    EXPECT_EQ(help.browser()->source(), QUrl(HelpWindow::pageUrl("dlgpraddr")));

    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        help.showPage("Introduction");
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(help.browser(), key.key(), key.keyboardModifiers());
        EXPECT_FALSE(help.isVisible()) << QKeySequence(key).toString().toStdString();
    }
    help.showPage("Introduction");
    help.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
    EXPECT_FALSE(help.isVisible());
}

TEST(AboutDialog, ShowsNameVersionAndPicture) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "About Quillmate");
    QStringList texts;
    bool picture = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) texts << label->text();
        if (!label->pixmap().isNull()) picture = true;
    }
    EXPECT_TRUE(texts.contains("Quillmate"));
    EXPECT_TRUE(texts.contains("VERSION 1.6"));
    EXPECT_TRUE(picture);
}

TEST(QtUserPrompts, FiltersKeepTheirTextsAndFilterByTheirPatterns) {
    const std::vector<FileFilter> filters = {{"Quillmate Files (*.pgr)", "*.pgr"},
                                             {"All Files (*.*)", "*"}};
    EXPECT_EQ(QtUserPrompts::nameFilters(filters),
              QStringLiteral("Quillmate Files (*.pgr);;All Files (*)"));
}

TEST(QtUserPrompts, FileDialogOpensWideEnoughForEveryColumn) {
    // A small font, so that what the columns need fits the small offscreen screen.
    const QFont appFont = QApplication::font();
    QFont small = appFont;
    small.setPixelSize(10);
    QApplication::setFont(small);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("home.pgr")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1500, 'x'));
    file.close();

    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        auto* tree = dialog->findChild<QTreeView*>();
        const QAbstractItemModel* model = tree->model();
        QTRY_VERIFY(model->rowCount(tree->rootIndex()) > 0);
        const QModelIndex row = model->index(0, 0, tree->rootIndex());
        const QHeaderView* header = tree->header();
        for (int column = 1; column < header->count(); ++column) {
            const QString text = row.siblingAtColumn(column).data().toString();
            EXPECT_GT(header->sectionSize(column), tree->fontMetrics().horizontalAdvance(text))
                << text.toStdString();
        }
        EXPECT_LE(header->length(), tree->viewport()->width());
        inspected = true;
        dialog->reject();
    });
    FileDialogSpec spec;
    spec.directory = dir.path().toStdString();
    spec.filters = {{"Quillmate Files (*.pgr)", "*.pgr"}};
    EXPECT_FALSE(QtUserPrompts().askOpenPath(spec));
    QApplication::setFont(appFont);
    EXPECT_TRUE(inspected);
}

TEST(QtUserPrompts, FileDialogsOpenInTheDocumentsFolderNotTheCurrentOne) {
    QTemporaryDir dir;
    const FixedClock clock(LocalTime{2026, 5, 10, 8, 0, 0, 0});
    PimDocument document(clock);
    QtUserPrompts prompts;
    prompts.setStartFolder(
        [&document] { return QFile::encodeName(documentDialogFolder(document)).toStdString(); });
    QString opened;
    QTimer::singleShot(0, [&opened] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        opened = dialog->directory().absolutePath();
        dialog->reject();
    });
    document.setPath(QFile::encodeName(dir.filePath(QStringLiteral("home.pgr"))).toStdString());
    EXPECT_FALSE(prompts.askSavePath(FileDialogSpec{}));
    EXPECT_EQ(opened, dir.path());
}

// The recovery question's three buttons, and what each answers; Escape is "Later".
TEST(QtUserPrompts, RestoreDiscardLaterAnswerYesNoAndCancel) {
    QtUserPrompts prompts;
    for (const auto& [button, answer] :
         std::vector<std::pair<QString, MessageAnswer>>{{"&Restore", MessageAnswer::Yes},
                                                        {"&Discard", MessageAnswer::No},
                                                        {"&Later", MessageAnswer::Cancel},
                                                        {"", MessageAnswer::Cancel}}) {
        QStringList texts;
        QTimer::singleShot(0, [&texts, button = button] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr) return;
            screenshot(*box, "recovery-question");
            for (auto* push : box->findChildren<QPushButton*>()) {
                texts << push->text();
                if (push->text() == button) push->click();
            }
            if (button.isEmpty()) QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(prompts.showMessage("Changes?", "Quillmate", MessageIcon::Exclamation,
                                      MessageButtons::RestoreDiscardLater),
                  answer)
            << button.toStdString();
        texts.sort();
        EXPECT_EQ(texts, (QStringList{"&Discard", "&Later", "&Restore"}));
    }
}

}  // namespace
