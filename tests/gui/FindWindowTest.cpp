#include <QAbstractItemModelTester>

#include "FrameFixture.h"
#include "organizer/ui/FindDialog.h"
#include "organizer/ui/PersonDialog.h"

namespace {

class FindWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        frame->show();
        Person anna =
            listedPerson("Miller, Anna", "", {*groupNamed(workspace->document(), "White Pages")});
        anna.setNotes("Gas\r\nThe boiler is in the cellar");
        add(anna);
        add(taskDue("Service the boiler", DateTime::fromFields(2026, 12, 20)));
        add(taskDue("Buy stamps", DateTime::fromFields(2026, 12, 20)));
    }
    // Opens the window and types `text`; waits for the whole list.
    FindDialog& find(const char* text) {
        frame->runCommand(cmd::kFind);
        FindDialog* dialog = organizer->findDialog();
        EXPECT_TRUE(dialog->isVisible());
        if (tester == nullptr)
            tester = std::make_unique<QAbstractItemModelTester>(
                dialog->resultList()->model(),
                QAbstractItemModelTester::FailureReportingMode::Fatal);
        QTest::keyClicks(dialog->textBox(), text);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->searching(); }));
        return *dialog;
    }
    // The rows of the list, headings and records, as "TEXT | DATE".
    static QStringList rows(const QTreeView* list) {
        QStringList shown;
        const QAbstractItemModel* model = list->model();
        for (int group = 0; group < model->rowCount(); ++group) {
            const QModelIndex heading = model->index(group, 0);
            shown << heading.data().toString();
            for (int row = 0; row < model->rowCount(heading); ++row)
                shown << model->index(row, 0, heading).data().toString() + " | " +
                             model->index(row, 1, heading).data().toString();
        }
        return shown;
    }

    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(FindWindowTest, GoesToAFoundTasksDayAndAPersonsEditorAndFollowsTheDocument) {
    FindDialog& dialog = find("BOILER");
    EXPECT_EQ(rows(dialog.resultList()),
              (QStringList{"Persons (1)", "Miller, Anna - Notes: The boiler is in the cellar | ",
                           "Tasks (1)", "Service the boiler | 12/20/2026"}));
    EXPECT_EQ(dialog.statusText()->text(), "2 records found");
    screenshot(dialog, "find-window");

    // Down reaches the list; Down passes the heading to the task; Enter goes to its day.
    QTest::keyClick(dialog.textBox(), Qt::Key_Down);
    QTest::keyClick(dialog.resultList(), Qt::Key_Down);
    QTest::keyClick(dialog.resultList(), Qt::Key_Down);
    QTest::keyClick(dialog.resultList(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(organizer->calendar()->selectedDate(), QDate(2026, 12, 20));
    EXPECT_EQ(organizer->taskList()->currentIndex().data().toString(), "Service the boiler");
    EXPECT_TRUE(enabled(cmd::kTaskEdit));

    // A person hidden by the phone book's group and filter is shown, and its editor opened.
    QTest::keyClicks(organizer->phoneBookPanel()->filterBox(), "zz");
    bool edited = false;
    whenOpen<PersonDialog>([&](PersonDialog& editor) {
        edited = editor.windowTitle() == "Edit Person";
        EXPECT_EQ(organizer->phoneBookPanel()->personList()->currentIndex().data().toString(),
                  "Miller, Anna");
    });
    // The text is kept: Enter in the box takes the first record.
    QTest::keyClick(find("").textBox(), Qt::Key_Return);
    EXPECT_TRUE(edited);
    EXPECT_EQ(organizer->phoneBookPanel()->groupBox()->currentText(), "White Pages");

    // The list follows the document while it is open.
    FindDialog& open = find("stamp");
    const auto says = [&](const char* status) {
        return QTest::qWaitFor([&] { return open.statusText()->text() == status; });
    };
    add(taskDue("Stamp album", DateTime::fromFields(2026, 12, 24)));
    EXPECT_TRUE(says("2 records found"));
    workspace->runStep(UndoStep::DeleteTask,
                       [](PimDocument& document) { document.remove<Task>(2); });
    EXPECT_TRUE(says("1 record found"));
    EXPECT_EQ(rows(open.resultList()), (QStringList{"Tasks (1)", "Stamp album | 12/24/2026"}));

    // Escape closes.
    QTest::keyClick(open.textBox(), Qt::Key_Escape);
    EXPECT_FALSE(organizer->findDialog()->isVisible());
}

}  // namespace
