#include <sys/stat.h>

#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>

#include "FrameFixture.h"
#include "shell/FirstWindowSize.h"
#include "shell/ui/FramePlacement.h"
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
        if (withPerson) doc.add(listedPerson("Miller"));
        EXPECT_TRUE(storage.save(doc, dir.file(name), SaveMode::Overwrite));
        return dir.file(name);
    }
    QStringList recentMenuTexts() {
        QStringList texts;
        for (QAction* action : frame->commands().recentFilesMenu()->actions())
            texts << action->text() + (action->isEnabled() ? "" : " (disabled)");
        return texts;
    }
    // The title as the desktop shows it: "*" where unsaved changes are marked.
    std::string title() const {
        QString shown = frame->windowTitle();
        shown.replace(QStringLiteral("[*][*]"), QStringLiteral("\x01"));
        shown.replace(QStringLiteral("[*]"), frame->isWindowModified() ? "*" : "");
        return shown.replace(QStringLiteral("\x01"), QStringLiteral("[*]")).toStdString();
    }
};

TEST_F(MainFrameTest, DocumentArgumentsAndRecentEntriesSetTitleMenuAndCommands) {
    const std::string first = writeDocument("first.pgr", true, false);
    const std::string second = writeDocument("second.pgr", false, true);
    start({first, second});
    EXPECT_EQ(title(), "Quillmate [" + second + "]");
    // Save, Backup, Compact and Export Phone Book follow the document shown.
    const auto fileCommands = [this] {
        return std::tuple(enabled(cmd::kSave), enabled(cmd::kBackup), enabled(cmd::kCompact),
                          enabled(cmd::kExportPhoneBook));
    };
    EXPECT_EQ(fileCommands(), std::tuple(false, true, false, true));
    EXPECT_EQ(recentMenuTexts().size(), 2);
    EXPECT_TRUE(prompts.messages.empty());

    frame->commands().recentFilesMenu()->actions().at(1)->trigger();
    EXPECT_EQ(title(), "Quillmate [" + first + "]");
    EXPECT_EQ(fileCommands(), std::tuple(false, true, true, false));
    EXPECT_EQ(recentMenuTexts().first(), QString::fromStdString("&1 " + first));
    EXPECT_EQ(frame->commands().recentFilesMenu()->actions().at(0)->statusTip(),
              "Open this document");
}

// The desktop's mark of unsaved changes; a file name's own "[*]" stays as it is.
TEST_F(MainFrameTest, TitleMarksUnsavedChanges) {
    start({});
    // Unsaved changes show in the title, and go with saving.
    add(Task::createdAt(DateTime::now(clock)));
    EXPECT_EQ(title(), "Quillmate [Untitled]*");
    const std::string odd = dir.file("odd[*].pgr");
    prompts.paths = {odd};
    frame->runCommand(cmd::kSaveAs);
    EXPECT_EQ(title(), "Quillmate [" + odd + "]");
    add(Task::createdAt(DateTime::now(clock)));
    EXPECT_EQ(title(), "Quillmate [" + odd + "]*");
}

TEST_F(MainFrameTest, FirstStartWritesOnlyTheDefaultsAndCommandsCarryTheirTextsAndToggle) {
    start({});
    EXPECT_EQ(title(), "Quillmate [Untitled]");
    EXPECT_EQ(recentMenuTexts(), QStringList{"(Empty) (disabled)"});
    const std::map<std::string, MemorySettingsStore::Section> expected = {
        {"Files", {{"OpenLastFile", uint32_t{0}}}},
        {"Alarm", {{"AlarmSound", std::string("beep.wav")}, {"UseAlarmSound", uint32_t{1}}}},
    };
    EXPECT_EQ(settings.sections(), expected);
    const QAction* newAction = frame->commands().action(cmd::kNew);
    EXPECT_EQ(newAction->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(newAction->statusTip(), "Create a new document");
    for (QAction* action : frame->commands().toolBar()->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull())
            << action->toolTip().toStdString();

    for (int id : {cmd::kReportEnvelopes, cmd::kReportWeekly, cmd::kPageSetup}) {
        frame->runCommand(id);
        EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith("Not available yet: ")) << id;
    }
    EXPECT_FALSE(workspace->document().isModified());
    EXPECT_TRUE(prompts.messages.empty());

    QAction* openLast = frame->commands().action(cmd::kOpenLastFile);
    QAction* audible = frame->commands().action(cmd::kAudibleAlarm);
    EXPECT_EQ(std::pair(openLast->isChecked(), audible->isChecked()), std::pair(false, true));
    openLast->trigger();
    audible->trigger();
    EXPECT_EQ(std::pair(openLast->isChecked(), audible->isChecked()), std::pair(true, false));
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

TEST_F(MainFrameTest, CtrlQAsksTheSaveQuestionAndACancelStillRecordsThePlacement) {
    start({});
    frame->show();
    activate(*frame);
    EXPECT_FALSE(enabled(cmd::kSave));
    add(Task::createdAt(DateTime::now(clock)));
    EXPECT_TRUE(enabled(cmd::kSave)) << "a change reaches the commands at once";
    EXPECT_FALSE(enabled(cmd::kBackup)) << "never saved, nothing to back up";
    prompts.answers = {MessageAnswer::Cancel};
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Save changes to Untitled?");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(settings.readNumber("Settings", "wp.left"));
    EXPECT_TRUE(settings.readNumber("Settings", "wp.wpMaxPosition.y"));
    prompts.answers = {MessageAnswer::No};
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame->isVisible());
}

// A file of another kind is the document lifecycle's case; a pipe only the real storage
// meets.
TEST_F(MainFrameTest, ALastFileThatIsAPipeNeverHoldsUpTheStart) {
    const std::string fifo = dir.file("pipe.pgr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);  // nobody ever writes to it
    settings.writeNumber("Files", "OpenLastFile", 1);
    settings.writeText("Files", "LastFileUsed", fifo);
    start({});
    EXPECT_EQ(workspace->document().path(), "");
    EXPECT_EQ(workspace->document().phGroups().size(), 3u);
    EXPECT_TRUE(frame->commands().action(cmd::kOpenLastFile)->isChecked());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("Unable to load last file opened"), std::string::npos)
        << prompts.messages[0].text;
}

TEST_F(MainFrameTest, HelpOpensAtTheIntroductionAndAtEachPane) {
    start({});
    frame->runCommand(cmd::kHelpTopics);
    ASSERT_NE(frame->helpWindow(), nullptr);
    const auto shown = [this] { return frame->helpWindow()->browser()->source(); };
    EXPECT_EQ(shown(), QUrl(HelpWindow::pageUrl("Introduction")));
    OrganizerView* view = organizer;
    const std::pair<QWidget*, const char*> panes[] = {
        {view->taskList()->viewport(), "tasklist"},
        {view->appointmentList()->viewport(), "apptbook"},
        {view->dateLabel(), "apptbook"},
        {view->calendar(), "calendar"},
    };
    for (const auto& [widget, page] : panes) {
        QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &whatsThis);
        EXPECT_EQ(shown(), QUrl(HelpWindow::pageUrl(QString::fromLatin1(page)))) << page;
    }
    EXPECT_EQ(view->helpPageFor(frame->commands().toolBar()), QString());

    // The date label shows the long date with its century, and choosing a day changes nothing.
    EXPECT_EQ(view->dateLabel()->text(), "Sunday, December 6, 2026");
    view->calendar()->setSelectedDate(QDate(2031, 2, 3));
    EXPECT_EQ(view->dateLabel()->text(), "Monday, February 3, 2031");
    EXPECT_EQ(workspace->document().currentDate(), DateTime::fromFields(2031, 2, 3));
    EXPECT_FALSE(workspace->document().isModified());
}

TEST_F(MainFrameTest, PlacementIsRestoredUnlessItIsOffTheScreen) {
    start({});
    const QSize minimum = frame->minimumSize();
    EXPECT_GE(minimum.width(), organizer->designedSize().width());
    const auto place = [this](int64_t left, int64_t top, int64_t right, int64_t bottom) {
        const std::pair<const char*, int64_t> sides[] = {
            {"wp.left", left}, {"wp.top", top}, {"wp.right", right}, {"wp.bottom", bottom}};
        for (const auto& [side, value] : sides)
            settings.writeNumber("Settings", side, static_cast<uint32_t>(value));
        start({});
        frame->showWithStoredPlacement();
    };
    settings.writeNumber("Settings", "wp.showCmd", 1);
    place(40, 30, 40 + minimum.width() + 50, 30 + minimum.height() + 30);
    EXPECT_EQ(frame->geometry(), QRect(40, 30, minimum.width() + 50, minimum.height() + 30));
    frame->hide();

    // At the 32-bit limits it is fitted onto the screen, and written back just as sane.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    place(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_LE(frame->width(), std::max(available.width(), minimum.width()));
    EXPECT_TRUE(available.intersects(frame->geometry()));
    const WindowPlacement written = frame->currentPlacement();
    EXPECT_EQ(written.normal.right - written.normal.left, frame->width());
    frame->hide();

    // Off the screen it is shown as at a first start: at least the designed size for its
    // font, within the screen's free area.
    place(-5000, INT32_MIN, -4000, INT32_MAX);
    const QFontMetrics metrics(frame->font());
    const PixelSize first = firstWindowSize(metrics.averageCharWidth(), metrics.height(),
                                            {available.width(), available.height()});
    EXPECT_TRUE(frame->size().expandedTo(QSize(first.width, first.height)) == frame->size());
    EXPECT_TRUE(available.contains(frame->frameGeometry())) << "on the screen, and no larger";
    // The phone book has room for eight rows where the screen has it.
    QApplication::processEvents();
    const QTreeView* persons = organizer->phoneBookPanel()->personList();
    const int rowHeight = std::max(persons->fontMetrics().height() + 6, 1);
    if (available.height() >= 768) {
        EXPECT_GE(persons->viewport()->height(), 8 * rowHeight)
            << frame->width() << "x" << frame->height();
    }
    // There the appointment list's heading is not cut.
    QApplication::processEvents();
    const QHeaderView* header = organizer->appointmentList()->header();
    EXPECT_GE(header->sectionSize(1), header->fontMetrics().horizontalAdvance("Appointment") +
                                          2 * header->fontMetrics().averageCharWidth());
    screenshot(*frame, "first-window");
}

// File > Restore Backup... says when there is nothing to restore, lists what each save
// kept, and restores the version chosen.
TEST_F(MainFrameTest, RestoreBackupListsTheVersionsAndRestoresOne) {
    const std::string path = writeDocument("home.pgr", false, false);
    const RotatingBackups backups(dir.file("backups"), [] { return 10; });
    storage.keepBackups(backups);
    start({path});
    workspace->setBackups(backups);
    frame->runCommand(cmd::kRestoreBackup);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.starts_with("No earlier versions of " + path));

    workspace->runStep(UndoStep::AddTask, [&](PimDocument& document) {
        document.add(Task::createdAt(DateTime::now(clock)));
    });
    frame->runCommand(cmd::kSave);
    QString listed;
    whenOpen<RestoreBackupDialog>([&](RestoreBackupDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>();
        EXPECT_EQ(list->count(), 1);
        listed = list->item(0)->text();
        screenshot(dialog, "restore-backup");
        dialog.accept();
    });
    frame->runCommand(cmd::kRestoreBackup);
    EXPECT_TRUE(listed.startsWith("1    ")) << listed.toStdString();
    EXPECT_TRUE(listed.endsWith("0 tasks    0 appointments")) << listed.toStdString();
    EXPECT_TRUE(workspace->document().tasks().empty());
}

// However large a window's least size, a first window is never larger than the screen's
// free area nor placed off it: its contents give way.
TEST(FramePlacement, AFirstWindowStaysWithinTheScreen) {
    QMainWindow window;
    auto* contents = new QWidget;
    contents->setMinimumSize(5000, 4000);
    window.setCentralWidget(contents);
    window.setMinimumSize(5000, 4000);
    showCentred(window);
    QApplication::processEvents();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed = window.frameGeometry();
    EXPECT_TRUE(available.contains(placed))
        << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height()
        << " in " << available.width() << "x" << available.height();
}

}  // namespace
