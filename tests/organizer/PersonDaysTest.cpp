#include "organizer/PersonDays.h"

#include <gtest/gtest.h>

#include "organizer/DayView.h"
#include "organizer/PersonDayReminders.h"
#include "organizer/PersonForm.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/Collect.h"
#include "support/FixedLocale.h"
#include "support/Records.h"

namespace {

DateTime day(int year, int month, int d) {
    return DateTime::fromFields(year, month, d);
}

MonthDay yearly(const char* text) {
    return MonthDay::parse(text).value();
}

class PersonDaysTest : public testing::Test {
protected:
    PersonDaysTest() {
        Person ada;
        ada.setFName("Ada");
        ada.setLName("Lovelace");
        ada.Birthday = yearly("1815-12-10");
        ada.Anniversary = yearly("1835-07-08");
        ada_ = doc.add(ada);
        Person acme;
        acme.setCompany("Acme");
        acme.Anniversary = yearly("--12-10");
        acme_ = doc.add(acme);
    }

    FixedClock clock{LocalTime{2026, 12, 1, 8, 0, 0, 0}};
    PimDocument doc{clock};
    int32_t ada_ = 0;
    int32_t acme_ = 0;
};

TEST_F(PersonDaysTest, DaysListAsEntriesOfTheirDayThatNoAppointmentCommandTouches) {
    doc.add(appointmentAt("Dentist", day(2026, 12, 10) + DateTimeSpan(0.375),
                          day(2026, 12, 10) + DateTimeSpan(0.4)));
    EXPECT_EQ(collect(personDaysBetween(doc, day(1815, 1, 1), day(1816, 12, 31)),
                      &PersonDay::description),
              (std::vector<std::string>{"Ada Lovelace's birthday", "Acme's anniversary",
                                        "Ada Lovelace's birthday (1)", "Acme's anniversary"}))
        << "first in their own year, without a count; a yearless day every year";

    DocumentDoor viewDoor(doc, nullptr);
    DayView view(viewDoor);
    view.showDate(day(2026, 12, 10));
    ASSERT_EQ(collect(view.appointmentRows(), &AppointmentRow::description),
              (std::vector<std::string>{"Ada Lovelace's birthday (211)", "Acme's anniversary",
                                        "Dentist"}));
    EXPECT_EQ(std::vector<int32_t>({view.personAt(0), view.personAt(1), view.personAt(2)}),
              (std::vector<int32_t>{ada_, acme_, 0}));
    view.clickAppointmentList(true);
    view.selectAppointmentRow(0);
    EXPECT_FALSE(view.appointmentCommandsApply());
    view.deleteSelectedAppointment();
    view.refill();
    EXPECT_EQ(view.appointmentRows().size(), 3u) << "Delete took nothing";
    EXPECT_EQ(view.appointmentSelection().row, -1) << "nor does a refill select the birthday";
}

TEST_F(PersonDaysTest, RemindersComeTheDaysAskedAheadOnceAYear) {
    const FixedLocale locale;
    // Today, the days ahead wanted, the reminders due.
    const std::tuple<DateTime, int, std::vector<std::string>> cases[] = {
        {day(2026, 12, 1), 8, {}},
        {day(2026, 12, 3),
         7,
         {"Ada Lovelace's birthday (211) is on Thursday, December 10, 2026.",
          "Acme's anniversary is on Thursday, December 10, 2026."}},
        {day(2026, 12, 10),
         0,
         {"Ada Lovelace's birthday (211) is today.", "Acme's anniversary is today."}},
        {day(2026, 12, 11), 60, {}},
        {day(2026, 12, 11),
         364,
         {"Ada Lovelace's birthday (212) is on Friday, December 10, 2027.",
          "Ada Lovelace's anniversary (192) is on Thursday, July 8, 2027.",
          "Acme's anniversary is on Friday, December 10, 2027."}},
        {day(2026, 12, 10), -1, {}},
    };
    for (const auto& [today, ahead, messages] : cases)
        EXPECT_EQ(
            collect(duePersonDayReminders(doc, today, ahead, locale), &PersonDayReminder::message),
            messages)
            << today.format("%Y-%m-%d") << " " << ahead;

    UndoHistory history(doc);
    DocumentDoor door(doc, &history);
    for (const PersonDayReminder& reminder :
         duePersonDayReminders(doc, day(2026, 12, 5), 5, locale))
        EXPECT_TRUE(notePersonDayReminded(door, reminder));
    EXPECT_TRUE(duePersonDayReminders(doc, day(2026, 12, 10), 0, locale).empty())
        << "shown once in the year";
    EXPECT_EQ(duePersonDayReminders(doc, day(2027, 12, 10), 0, locale).size(), 2u)
        << "and again the next";

    // A birthday moved in the editor is reminded of anew.
    PersonForm form = PersonForm::of(doc, *doc.persons().find(ada_));
    form.birthday = yearly("1815-12-11");
    EXPECT_EQ(form.written().BirthdayReminded, 0);
    form.birthday = yearly("1815-12-10");
    EXPECT_EQ(form.written().BirthdayReminded, 2026) << "an unchanged day keeps its note";
}

}  // namespace
