#include <QDateEdit>
#include <QLabel>
#include <QSpinBox>

#include "FrameFixture.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/OccurrenceQuestion.h"
#include "organizer/ui/RepeatBox.h"
#include "support/SeriesRecords.h"

namespace {

DateTime dec(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

// Runs `drive` on the dialog of type T once it is shown, which may be after another dialog
// closed; looks for it every 10 ms, giving up after five seconds.
template <class T>
void whenShown(std::function<void(T&)> drive, int triesLeft = 500) {
    QTimer::singleShot(10, [drive, triesLeft] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && triesLeft > 0) return whenShown<T>(drive, triesLeft - 1);
        ASSERT_NE(dialog, nullptr) << "no " << T::staticMetaObject.className() << " shown";
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

class OccurrenceWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        frame->show();
        list = organizer->appointmentList();
    }

    // "9:00 AM-9:30 AM Standup" for each row of a day.
    QStringList listedOn(int day) {
        organizer->calendar()->setSelectedDate(QDate(2026, 12, day));
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows << list->model()->index(row, 0).data().toString() + ' ' +
                        list->model()->index(row, 1).data().toString();
        return rows;
    }
    // Selects the first row of a day and runs `command`; `answer` answers the question.
    void onFirstRow(int day, int command, std::function<void(OccurrenceQuestion&)> answer) {
        listedOn(day);
        list->setFocus();
        clickRow(list, 0);
        whenShown<OccurrenceQuestion>(std::move(answer));
        frame->runCommand(command);
    }
    static std::function<void(OccurrenceQuestion&)> choose(OccurrenceScope scope) {
        return [scope](OccurrenceQuestion& question) { question.button(scope)->click(); };
    }
    QString undoText() const { return frame->commands().action(cmd::kUndo)->text(); }

    QTreeView* list = nullptr;
};

TEST_F(OccurrenceWindowTest, DayListShowsWholeDaysFirstSeveralDaysAndTheRepeatMark) {
    add(repeating(appointmentAt("Standup", dec(7, 9), dec(7, 9, 30)), "FREQ=WEEKLY"));
    add(severalDays("Night shift", dec(6, 22), dec(7, 6)));
    add(wholeDays("Fair", dec(7), dec(9)));
    frame->resize(900, 600);
    EXPECT_EQ(listedOn(7),
              QStringList({"All day Fair", "-6:00 AM Night shift", "9:00 AM-9:30 AM Standup"}));
    screenshot(*frame, "occurrences-day-list");
    const QModelIndex standup = list->model()->index(2, 1);
    EXPECT_FALSE(standup.data(Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_EQ(standup.data(Qt::AccessibleDescriptionRole).toString(), "Repeats");
    EXPECT_TRUE(list->model()->index(0, 1).data(Qt::AccessibleDescriptionRole).isNull());
}

// Which occurrences each scope takes is the occurrence edits' rule; the window shows the
// answer reaching it, and each step undone.
TEST_F(OccurrenceWindowTest, OneMovedOneDeletedFollowingChangedAndEachUndone) {
    add(repeating(appointmentAt("Standup", dec(7, 9), dec(7, 9, 30)), "FREQ=WEEKLY;BYDAY=MO,TH"));
    const QStringList standup = {"9:00 AM-9:30 AM Standup"};

    // Thursday's moved to Friday alone.
    whenOpen<AppointmentDialog>([](AppointmentDialog& dialog) {
        dialog.datePicker()->setDate(QDate(2026, 12, 11));
        dialog.okButton()->click();
    });
    onFirstRow(10, cmd::kAppointmentEdit, choose(OccurrenceScope::This));
    EXPECT_EQ(listedOn(10), QStringList());
    EXPECT_EQ(listedOn(11), standup);
    EXPECT_EQ(undoText(), "&Undo Change Occurrence");
    frame->runCommand(cmd::kUndo);
    EXPECT_EQ(listedOn(10), standup);

    // Thursday's deleted alone.
    onFirstRow(10, cmd::kAppointmentDelete, choose(OccurrenceScope::This));
    EXPECT_EQ(listedOn(10), QStringList());
    EXPECT_EQ(undoText(), "&Undo Delete Occurrence");
    frame->runCommand(cmd::kUndo);
    EXPECT_EQ(listedOn(10), standup);

    // From the next Monday on it has another name.
    whenOpen<AppointmentDialog>([](AppointmentDialog& dialog) {
        dialog.textField()->setText("Team standup");
        dialog.okButton()->click();
    });
    onFirstRow(14, cmd::kAppointmentEdit, choose(OccurrenceScope::ThisAndFollowing));
    EXPECT_EQ(listedOn(10), standup);
    EXPECT_EQ(listedOn(17), QStringList({"9:00 AM-9:30 AM Team standup"}));
    EXPECT_EQ(undoText(), "&Undo Change Following Occurrences");
    frame->runCommand(cmd::kUndo);
    EXPECT_EQ(listedOn(17), standup);
}

TEST_F(OccurrenceWindowTest, QuestionAnswersFromTheKeyboardAndEscapeChangesNothing) {
    add(repeating(appointmentAt("Standup", dec(7, 9), dec(7, 9, 30)), "FREQ=DAILY"));
    onFirstRow(8, cmd::kAppointmentDelete, [](OccurrenceQuestion& question) {
        EXPECT_TRUE(question.button(OccurrenceScope::This)->isDefault());
        EXPECT_EQ(question.button(OccurrenceScope::ThisAndFollowing)->accessibleName(),
                  "This and Following");
        QTest::keyClick(&question, Qt::Key_Escape);
    });
    EXPECT_EQ(listedOn(8).size(), 1);
    EXPECT_EQ(undoText(), "&Undo Add Appointment");

    onFirstRow(8, cmd::kAppointmentDelete, [](OccurrenceQuestion& question) {
        activate(question);
        QTest::keyClick(&question, Qt::Key_F, Qt::AltModifier);
        // A mnemonic presses its button visibly, so the click comes a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !question.isVisible(); }));
    });
    EXPECT_EQ(listedOn(8), QStringList());
    EXPECT_EQ(listedOn(7).size(), 1);
    EXPECT_EQ(undoText(), "&Undo Delete Following Occurrences");
}

}  // namespace

TEST_F(OccurrenceWindowTest, AnOccurrenceShowsTheSeriesRepeatAndAChangedRepeatIsNotForItAlone) {
    add(repeating(appointmentAt("Standup", dec(7, 9), dec(7, 9, 30)), "FREQ=WEEKLY;BYDAY=MO,TH"));
    whenOpen<AppointmentDialog>([](AppointmentDialog& dialog) {
        EXPECT_EQ(dialog.repeatBox()->wordsLabel()->text(), "Every week on Monday and Thursday");
        dialog.repeatBox()->intervalBox()->setValue(2);
        dialog.okButton()->click();
    });
    onFirstRow(10, cmd::kAppointmentEdit, [](OccurrenceQuestion& question) {
        EXPECT_FALSE(question.button(OccurrenceScope::This)->isVisible());
        EXPECT_TRUE(question.button(OccurrenceScope::ThisAndFollowing)->isDefault());
        question.button(OccurrenceScope::All)->click();
    });
    EXPECT_EQ(listedOn(7).size(), 1);
    EXPECT_EQ(listedOn(14), QStringList()) << "every other week now";
    EXPECT_EQ(listedOn(21).size(), 1);
    EXPECT_EQ(undoText(), "&Undo Change All Occurrences");
}
