#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTextBrowser>

#include "GuiHelpers.h"
#include "platform/Clock.h"
#include "platform/qt/QtUserPrompts.h"
#include "records/PimDocument.h"
#include "shell/ui/HelpWindow.h"
#include "support/ScratchDir.h"
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

// File dialogs open in the document's folder (not the current one), wide enough for
// every column.
TEST(QtUserPrompts, FileDialogsOpenInTheDocumentsFolderWideEnoughForEveryColumn) {
    EXPECT_EQ(QtUserPrompts::nameFilters(
                  {{"Quillmate Files (*.pgr)", "*.pgr"}, {"All Files (*.*)", "*"}}),
              "Quillmate Files (*.pgr);;All Files (*)");
    // A small font, so that what the columns need fits the small offscreen screen.
    const QFont appFont = QApplication::font();
    QFont small = appFont;
    small.setPixelSize(10);
    QApplication::setFont(small);
    const ScratchDir dir;
    writeBytes(dir.file("home.pgr"), std::string(1500, 'x'));
    const FixedClock clock(LocalTime{2026, 5, 10, 8, 0, 0, 0});
    PimDocument document(clock);
    QtUserPrompts prompts;
    prompts.setStartFolder(
        [&document] { return QFile::encodeName(documentDialogFolder(document)).toStdString(); });
    document.setPath(dir.file("home.pgr"));

    QStringList opened;
    whenOpen<QFileDialog>([&](QFileDialog& dialog) {
        opened << dialog.directory().absolutePath();
        auto* tree = dialog.findChild<QTreeView*>();
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
    });
    FileDialogSpec spec;
    spec.filters = {{"Quillmate Files (*.pgr)", "*.pgr"}};
    EXPECT_FALSE(prompts.askOpenPath(spec));
    whenOpen<QFileDialog>(
        [&](QFileDialog& dialog) { opened << dialog.directory().absolutePath(); });
    EXPECT_FALSE(prompts.askSavePath(FileDialogSpec{}));
    QApplication::setFont(appFont);
    const QString folder = QString::fromStdString(dir.path());
    EXPECT_EQ(opened, (QStringList{folder, folder}));
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
        whenOpen<QMessageBox>([&texts, button = button](QMessageBox& box) {
            screenshot(box, "recovery-question");
            for (auto* push : box.findChildren<QPushButton*>()) {
                texts << push->text();
                if (push->text() == button) push->click();
            }
            if (button.isEmpty()) QTest::keyClick(&box, Qt::Key_Escape);
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
