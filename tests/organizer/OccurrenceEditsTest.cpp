#include "organizer/OccurrenceEdits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/ProcessGuards.h"
#include "support/SeriesRecords.h"

namespace {

DateTime jan(int day, int hour = 0, int minute = 0) {
    return DateTime::fromFields(2027, 1, day, hour, minute);
}

class OccurrenceEditsTest : public testing::Test {
protected:
    // "01-14 09:00 Standup" for every occurrence of every appointment in January and
    // February, in start order.
    [[nodiscard]] std::string listed() const {
        std::vector<std::string> lines;
        for (const auto& [id, appointment] : document_.appointments()) {
            for (const Occurrence& o :
                 occurrencesOnDays(appointment, jan(1), DateTime::fromFields(2027, 2, 28)))
                lines.push_back(o.start.format("%m-%d %H:%M ") + o.description());
        }
        std::sort(lines.begin(), lines.end());
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : ", ") + line;
        return text;
    }

    TzGuard tz_{"Europe/Berlin"};
    FixedClock clock_{LocalTime{2027, 1, 1, 8, 0, 0, 0}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
};

// Each scope of a delete and a change on a series with a removed and a moved occurrence:
// what is listed afterwards, the undo step's name, and undo bringing the series back.
TEST_F(OccurrenceEditsTest, EachScopeChangesWhatItNamesAsOneUndoStep) {
    // Mondays and Thursdays from 4 January, eight times; the 21st taken out, the 25th late.
    Appointment weekly = repeating(appointmentAt("Standup", jan(4, 9), jan(4, 9, 30)),
                                   "FREQ=WEEKLY;BYDAY=MO,TH;COUNT=8");
    weekly.uid = "standup@elsewhere";
    weekly.schedule.edit().removed = {jan(21, 9)};
    weekly.schedule.edit().changed = {{jan(25, 9), jan(25, 11), jan(25, 11, 30), "Late", false, 0}};
    // Whole days from 4 January up to the 8th.
    Appointment fair = repeating(wholeDays("Fair", jan(4), jan(4)), "FREQ=DAILY;UNTIL=20270108");
    fair.uid = "fair@elsewhere";

    struct Edit {
        DateTime start, end;
        std::string text;
    };
    struct Case {
        const char* what;
        bool wholeDays;
        DateTime key;
        OccurrenceScope scope;
        std::optional<Edit> edit;  // none: a delete
        const char* step;
        const char* after;
    };
    using enum OccurrenceScope;
    const std::optional<Edit> remove;
    const Case cases[] = {
        {"delete one", false, jan(14, 9), This, remove, "Delete Occurrence",
         "01-04 09:00 Standup, 01-07 09:00 Standup, 01-11 09:00 Standup, "
         "01-18 09:00 Standup, 01-25 11:00 Late, 01-28 09:00 Standup"},
        {"delete following", false, jan(14, 9), ThisAndFollowing, remove,
         "Delete Following Occurrences",
         "01-04 09:00 Standup, 01-07 09:00 Standup, 01-11 09:00 Standup"},
        {"delete following from the first", false, jan(4, 9), ThisAndFollowing, remove,
         "Delete Appointment", ""},
        {"delete all", false, jan(14, 9), All, remove, "Delete Appointment", ""},
        {"move one to Friday", false, jan(14, 9), This, Edit{jan(15, 10), jan(15, 10, 30), "Moved"},
         "Change Occurrence",
         "01-04 09:00 Standup, 01-07 09:00 Standup, 01-11 09:00 Standup, 01-15 10:00 Moved, "
         "01-18 09:00 Standup, 01-25 11:00 Late, 01-28 09:00 Standup"},
        {"following an hour later", false, jan(14, 9), ThisAndFollowing,
         Edit{jan(14, 10), jan(14, 10, 30), "Standup"}, "Change Following Occurrences",
         "01-04 09:00 Standup, 01-07 09:00 Standup, 01-11 09:00 Standup, "
         "01-14 10:00 Standup, 01-18 10:00 Standup, 01-25 11:00 Late, 01-28 10:00 Standup"},
        {"following from the first is all", false, jan(4, 9), ThisAndFollowing,
         Edit{jan(4, 9), jan(4, 9, 30), "Daily meeting"}, "Change All Occurrences",
         "01-04 09:00 Daily meeting, 01-07 09:00 Daily meeting, 01-11 09:00 Daily meeting, "
         "01-14 09:00 Daily meeting, 01-18 09:00 Daily meeting, 01-25 11:00 Late, "
         "01-28 09:00 Daily meeting"},
        // The weekdays, the removed start and the moved one's key all follow a day later.
        {"all a day later", false, jan(14, 9), All, Edit{jan(15, 9), jan(15, 10), "Standup"},
         "Change All Occurrences",
         "01-05 09:00 Standup, 01-08 09:00 Standup, 01-12 09:00 Standup, "
         "01-15 09:00 Standup, 01-19 09:00 Standup, 01-25 11:00 Late, 01-29 09:00 Standup"},
        {"whole days: delete following", true, jan(6), ThisAndFollowing, remove,
         "Delete Following Occurrences", "01-04 00:00 Fair, 01-05 00:00 Fair"},
        {"whole days: following renamed", true, jan(7), ThisAndFollowing,
         Edit{jan(7), jan(7), "Fair (last days)"}, "Change Following Occurrences",
         "01-04 00:00 Fair, 01-05 00:00 Fair, 01-06 00:00 Fair, 01-07 00:00 Fair (last days), "
         "01-08 00:00 Fair (last days)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t id = document_.add(c.wholeDays ? fair : weekly);
        history_.clear();
        const std::string before = listed();
        if (c.edit) {
            Appointment edited =
                occurrenceAsAppointment(occurrenceAt(*document_.appointments().find(id), c.key));
            edited.DueDate = c.edit->start.date();
            edited.StartTime = c.edit->start;
            edited.EndTime = c.wholeDays ? edited.EndTime : c.edit->end;
            edited.Description = c.edit->text;
            EXPECT_NE(changeOccurrences(door_, id, c.key, c.scope, edited), 0);
        } else {
            EXPECT_TRUE(removeOccurrences(door_, id, c.key, c.scope));
        }
        EXPECT_EQ(listed(), c.after);
        EXPECT_EQ(history_.undoName(), c.step);
        // A new series goes under a UID of its own, or another program takes it for the old.
        std::set<std::string> uids;
        for (const auto& [other, appointment] : document_.appointments())
            uids.insert(appointment.uid);
        EXPECT_EQ(uids.size(), document_.appointments().size());
        history_.undo();
        EXPECT_EQ(listed(), before);
        document_.remove<Appointment>(id);
    }

    // Given back the values the series gives it, the late one is no exception any more, its
    // alarm counted in the editor's whole minutes.
    weekly.Alarm = true;
    weekly.AlarmTime = jan(4, 8, 45);
    const int32_t id = document_.add(weekly);
    Appointment plain = occurrenceAsAppointment(occurrenceAt(weekly, jan(18, 9)));
    plain.DueDate = jan(25);
    plain.StartTime = jan(25, 9);
    plain.EndTime = jan(25, 9, 30);
    plain.AlarmTime = jan(25, 8, 45);
    ASSERT_NE(changeOccurrences(door_, id, jan(25, 9), OccurrenceScope::This, plain), 0);
    EXPECT_TRUE(document_.appointments().find(id)->schedule.get().changed.empty());
}

}  // namespace
