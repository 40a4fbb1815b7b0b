#include "shell/ui/MainFrame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "FrameFixture.h"
#include "Screenshot.h"
#include "organizer/ui/OrganizerView.h"
#include "shell/CommandId.h"
#include "shell/FirstWindowSize.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/RestoreBackupDialog.h"

namespace {

class MainFrameTest : public FrameFixture {
protected:
    // Writes a document holding the given records and returns its path.
    std::string writeDocument(const char* name, bool withTask, bool withPerson) {
        PimDocument doc(clock);
        doc.seedDefaultGroups();
        if (withTask) doc.add(Task::createdAt(DateTime::now(clock)));
        if (withPerson) {
            Person person;
            person.LName = "Miller";
            doc.add(person);
        }
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        EXPECT_TRUE(storage.save(doc, path, SaveMode::Overwrite));
        return path;
    }
    QStringList recentMenuTexts() {
        QStringList texts;
        for (QAction* action : frame->commands().recentFilesMenu()->actions())
            texts << action->text() + (action->isEnabled() ? "" : " (disabled)");
        return texts;
    }

    QTemporaryDir dir;
};

TEST_F(MainFrameTest, DocumentArgumentsAndRecentEntriesSetTitleMenuAndCommands) {
    const std::string first = writeDocument("first.pgr", true, false);
    const std::string second = writeDocument("second.pgr", false, true);
    start({first, second});
    EXPECT_EQ(frame->windowTitle().toStdString(), "Quillmate [" + second + "]");
    EXPECT_FALSE(enabled(cmd::kSave));
    EXPECT_TRUE(enabled(cmd::kBackup));
    EXPECT_FALSE(enabled(cmd::kCompact));
    EXPECT_TRUE(enabled(cmd::kExportPhoneBook));
    EXPECT_EQ(recentMenuTexts().size(), 2);
    EXPECT_TRUE(prompts.messages.empty());

    frame->commands().recentFilesMenu()->actions().at(1)->trigger();
    EXPECT_EQ(frame->windowTitle().toStdString(), "Quillmate [" + first + "]");
    EXPECT_TRUE(enabled(cmd::kCompact));
    EXPECT_FALSE(enabled(cmd::kExportPhoneBook));
    EXPECT_EQ(recentMenuTexts().first(), QString::fromStdString("&1 " + first));
    EXPECT_EQ(frame->commands().recentFilesMenu()->actions().at(0)->statusTip(),
              QStringLiteral("Open this document"));
}

TEST_F(MainFrameTest, FirstStartShowsANewDocumentAndWritesOnlyTheDefaults) {
    start({});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quillmate [Untitled]"));
    for (int id : {cmd::kSave, cmd::kBackup, cmd::kCompact, cmd::kExportTasks, cmd::kPrint})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(cmd::kSaveAs));
    EXPECT_EQ(recentMenuTexts(), QStringList{QStringLiteral("(Empty) (disabled)")});
    EXPECT_EQ(statusText(), QStringLiteral("Ready"));
    const std::map<std::string, MemorySettingsStore::Section> expected = {
        {"Files", {{"OpenLastFile", uint32_t{0}}}},
        {"Alarm", {{"AlarmSound", std::string("beep.wav")}, {"UseAlarmSound", uint32_t{1}}}},
    };
    EXPECT_EQ(settings.sections(), expected);

    // Changes reach the command states at once.
    frame->document().add(Task::createdAt(DateTime::now(clock)));
    EXPECT_TRUE(enabled(cmd::kSave));
    EXPECT_TRUE(enabled(cmd::kCompact));
    EXPECT_FALSE(enabled(cmd::kBackup));

    const std::string saved = dir.filePath("saved.pgr").toStdString();
    prompts.paths = {saved};
    frame->runCommand(cmd::kSave);
    EXPECT_EQ(frame->windowTitle().toStdString(), "Quillmate [" + saved + "]");
    EXPECT_FALSE(enabled(cmd::kSave));
    EXPECT_TRUE(enabled(cmd::kBackup));
    EXPECT_EQ(recentMenuTexts(), QStringList{QString::fromStdString("&1 " + saved)});
}

TEST_F(MainFrameTest, MenusCarryTextsShortcutsAndPrompts) {
    start({});
    QStringList titles;
    for (QAction* menu : frame->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Tasks", "&Phone Book",
                                   "&Appointments", "&Report", "&Help"}));
    QAction* newAction = frame->commands().action(cmd::kNew);
    EXPECT_EQ(newAction->text(), QStringLiteral("&New"));
    EXPECT_EQ(newAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(newAction->statusTip(), QStringLiteral("Create a new document"));
    EXPECT_EQ(newAction->toolTip(), QStringLiteral("New"));

    QStringList toolbar;
    for (QAction* action : frame->commands().toolBar()->actions()) {
        toolbar << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());
    }
    EXPECT_EQ(toolbar,
              (QStringList{"New", "Open", "Save", "|", "Undo", "Redo", "|", "About", "Help"}));
}

TEST_F(MainFrameTest, StubCommandsSaySoAndChangeNothing) {
    start({});
    for (int id : {cmd::kReportEnvelopes, cmd::kReportWeekly, cmd::kPageSetup}) {
        frame->runCommand(id);
        EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith("Not available yet: "))
            << id << frame->statusBar()->currentMessage().toStdString();
    }
    EXPECT_FALSE(frame->document().isModified());
    EXPECT_TRUE(prompts.messages.empty());

    bool called = false;
    frame->setCommandHandler(cmd::kPersonAdd, [&] { called = true; });
    frame->commands().action(cmd::kPersonAdd)->trigger();
    EXPECT_TRUE(called);
}

TEST_F(MainFrameTest, OptionsToggleTheirCheckMarksAndSettings) {
    start({});
    QAction* openLast = frame->commands().action(cmd::kOpenLastFile);
    QAction* audible = frame->commands().action(cmd::kAudibleAlarm);
    EXPECT_FALSE(openLast->isChecked());
    EXPECT_TRUE(audible->isChecked());
    openLast->trigger();
    audible->trigger();
    EXPECT_TRUE(openLast->isChecked());
    EXPECT_FALSE(audible->isChecked());
    EXPECT_EQ(settings.readNumber("Files", "OpenLastFile"), 1u);
    EXPECT_EQ(settings.readNumber("Alarm", "UseAlarmSound"), 0u);

    const std::pair<int, QWidget*> bars[] = {{cmd::kViewStatusBar, frame->statusBar()},
                                             {cmd::kViewToolbar, frame->commands().toolBar()}};
    for (const auto& [id, bar] : bars) {
        for (const bool shown : {false, true}) {
            frame->commands().action(id)->trigger();
            EXPECT_EQ(bar->isHidden(), !shown) << id;
            EXPECT_EQ(frame->commands().action(id)->isChecked(), shown) << id;
        }
    }
}

TEST_F(MainFrameTest, CancelledCloseStaysOpenButRecordsPlacementAndLastFile) {
    start({});
    frame->document().add(Task::createdAt(DateTime::now(clock)));
    prompts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Save changes to Untitled?");
    EXPECT_EQ(settings.readText("Files", "LastFileUsed"), "Untitled");
    EXPECT_TRUE(settings.readNumber("Settings", "wp.left"));
    EXPECT_TRUE(settings.readNumber("Settings", "wp.wpMaxPosition.y"));

    prompts.answers = {MessageAnswer::No};
    EXPECT_TRUE(frame->close());
}

TEST_F(MainFrameTest, ALastFileThatIsAPipeOrNotADocumentNeverHoldsUpTheStart) {
    const std::string fifo = dir.filePath(QStringLiteral("pipe.pgr")).toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);  // nobody ever writes to it
    const std::string other = dir.filePath(QStringLiteral("other.pgr")).toStdString();
    { std::ofstream(other) << "<Pom Version=\"16\"/>"; }
    settings.writeNumber("Files", "OpenLastFile", 1);
    for (const std::string& path : {fifo, other}) {
        SCOPED_TRACE(path);
        prompts.messages.clear();
        settings.writeText("Files", "LastFileUsed", path);
        start({});
        EXPECT_EQ(frame->document().path(), "");
        EXPECT_EQ(frame->document().phGroups().size(), 3u);
        EXPECT_TRUE(frame->commands().action(cmd::kOpenLastFile)->isChecked());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].text.find(path == fifo ? "Unable to load last file opened"
                                                             : other + ": not a Quillmate"),
                  std::string::npos)
            << prompts.messages[0].text;
    }
}

TEST_F(MainFrameTest, HelpOpensAtTheIntroductionAndAtEachPane) {
    start({});
    frame->runCommand(cmd::kHelpTopics);
    ASSERT_NE(frame->helpWindow(), nullptr);
    EXPECT_EQ(frame->helpWindow()->browser()->source(),
              QUrl(HelpWindow::pageUrl(QStringLiteral("Introduction"))));

    OrganizerView* view = frame->organizerView();
    const std::pair<QWidget*, const char*> panes[] = {
        {view->taskList()->viewport(), "tasklist"},
        {view->appointmentList()->viewport(), "apptbook"},
        {view->dateLabel(), "apptbook"},
        {view->calendar(), "calendar"},
    };
    for (const auto& [widget, page] : panes) {
        QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &whatsThis);
        EXPECT_EQ(frame->helpWindow()->browser()->source(),
                  QUrl(HelpWindow::pageUrl(QString::fromLatin1(page))))
            << page;
    }
    EXPECT_EQ(view->helpPageFor(frame->commands().toolBar()), QString());
}

TEST_F(MainFrameTest, DateLabelShowsTheLongDateWithItsCentury) {
    start({});
    EXPECT_EQ(frame->organizerView()->dateLabel()->text(),
              QStringLiteral("Sunday, December 6, 2026"));
    frame->organizerView()->calendar()->setSelectedDate(QDate(2031, 2, 3));
    EXPECT_EQ(frame->organizerView()->dateLabel()->text(),
              QStringLiteral("Monday, February 3, 2031"));
    EXPECT_EQ(frame->document().currentDate(), DateTime::fromFields(2031, 2, 3));
    EXPECT_FALSE(frame->document().isModified());
}

TEST_F(MainFrameTest, PlacementIsRestoredUnlessItIsOffTheScreen) {
    start({});
    const QSize minimum = frame->minimumSize();
    EXPECT_GE(minimum.width(), frame->organizerView()->designedSize().width());

    settings.writeNumber("Settings", "wp.showCmd", 1);
    settings.writeNumber("Settings", "wp.left", 40);
    settings.writeNumber("Settings", "wp.top", 30);
    settings.writeNumber("Settings", "wp.right", 40 + minimum.width() + 50);
    settings.writeNumber("Settings", "wp.bottom", 30 + minimum.height() + 30);
    frame->showWithStoredPlacement();
    EXPECT_EQ(frame->geometry(), QRect(40, 30, minimum.width() + 50, minimum.height() + 30));
    frame->hide();

    // At the 32-bit limits it is fitted onto the screen, and written back just as sane.
    start({});
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* side : {"wp.left", "wp.top"})
        settings.writeNumber("Settings", side, static_cast<uint32_t>(INT32_MIN));
    for (const char* side : {"wp.right", "wp.bottom"})
        settings.writeNumber("Settings", side, static_cast<uint32_t>(INT32_MAX));
    frame->showWithStoredPlacement();
    EXPECT_LE(frame->width(), std::max(available.width(), minimum.width()));
    EXPECT_TRUE(available.intersects(frame->geometry()));
    const WindowPlacement written = frame->currentPlacement();
    EXPECT_EQ(written.normal.right - written.normal.left, frame->width());
    frame->hide();

    start({});
    settings.writeNumber("Settings", "wp.left", static_cast<uint32_t>(-5000));
    settings.writeNumber("Settings", "wp.right", static_cast<uint32_t>(-4000));
    frame->showWithStoredPlacement();
    EXPECT_GE(frame->geometry().left(), 0);
    // Shown as on a first start: the designed size scaled to the window's own font.
    const QFontMetrics metrics(frame->font());
    const PixelSize first = firstWindowSize(metrics.averageCharWidth(), metrics.height(),
                                            {available.width(), available.height()});
    EXPECT_EQ(frame->size(), QSize(first.width, first.height).expandedTo(minimum));
    // There the appointment list's heading is not cut.
    QApplication::processEvents();
    const QHeaderView* header = frame->organizerView()->appointmentList()->header();
    EXPECT_GE(header->sectionSize(1), header->fontMetrics().horizontalAdvance("Appointment") +
                                          2 * header->fontMetrics().averageCharWidth());
    screenshot(*frame, "first-window");
}

TEST_F(MainFrameTest, CtrlQAsksTheSaveQuestionAsClosingDoes) {
    start({});
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->document().add(Task::createdAt(DateTime::now(clock)));
    prompts.answers = {MessageAnswer::Cancel};
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Save changes to Untitled?");
    EXPECT_TRUE(frame->isVisible());
    prompts.answers = {MessageAnswer::No};
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame->isVisible());
}

}  // namespace

namespace {

// File > Restore Backup... says when there is nothing to restore, lists what each save
// kept, and restores the version chosen as one step of Undo.
TEST_F(MainFrameTest, RestoreBackupListsTheVersionsAndRestoresOneAsAStep) {
    const std::string path = writeDocument("home.pgr", false, false);
    const RotatingBackups backups(dir.filePath("backups").toStdString(), [] { return 10; });
    storage.keepBackups(backups);
    start({path});
    workspace->setBackups(backups);
    frame->runCommand(cmd::kRestoreBackup);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.starts_with("No earlier versions of " + path));

    workspace->runStep(UndoStep::AddTask,
                       [&] { workspace->document().add(Task::createdAt(DateTime::now(clock))); });
    frame->runCommand(cmd::kSave);
    QString listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<RestoreBackupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>();
        listed = list->item(0)->text();
        EXPECT_EQ(list->count(), 1);
        screenshot(*dialog, "restore-backup");
        dialog->accept();
    });
    frame->runCommand(cmd::kRestoreBackup);
    EXPECT_TRUE(listed.startsWith("1    ")) << listed.toStdString();
    EXPECT_TRUE(listed.endsWith("0 tasks    0 appointments")) << listed.toStdString();
    EXPECT_TRUE(frame->document().tasks().empty());
}

}  // namespace
