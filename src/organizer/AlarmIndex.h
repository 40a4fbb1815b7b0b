#pragma once

#include <cstdint>
#include <vector>

#include "organizer/Reminders.h"
#include "records/DateTime.h"

class Locale;
class PimDocument;

// The appointments whose alarm is set, so that a reminder tick looks at the few that can
// be due instead of walking every appointment. Ordinary ones are ordered by day, so that a
// tick looks at the days it examines. Each appointment with a schedule is held by its next
// alarm, never by its occurrences, so that a series without end costs nothing until that
// alarm rings; a tick that finds it no longer due moves it on to the alarm after. Rebuilt
// after each change of the document, which walks every record anyway to refill the day
// view.
class AlarmIndex {
public:
    // Collects the alarms of the document as it is now, from today on by its clock.
    void rebuild(const PimDocument& document);

    // The reminders due at `now` in a tick that follows one at `since`, exactly as
    // dueReminders() finds them in the document the index was built from.
    [[nodiscard]] std::vector<Reminder> dueReminders(const PimDocument& document, DateTime since,
                                                     DateTime now, const Locale& locale);

    // How many appointments may ring.
    [[nodiscard]] size_t size() const { return entries_.size() + schedules_.size(); }

private:
    struct Entry {
        double day;    // the local date of DueDate, on the continuous scale
        double alarm;  // AlarmTime on the continuous scale
        int32_t id;
    };
    // An appointment with a schedule: for a tick that follows one at `since` or later,
    // nothing of it is due before `nextAlarm`.
    struct Scheduled {
        int32_t id;
        DateTime since;
        DateTime nextAlarm;  // null for never
    };

    void collectOrdinary(const PimDocument& document, DateTime since, DateTime now,
                         std::vector<int32_t>& ids) const;

    std::vector<Entry> entries_;
    // Notes the earliest next alarm of them all (null for none) and the latest `since`: a
    // tick that follows one at that `since` or later, before that alarm, finds nothing of
    // them due without looking at each.
    void noteBounds();

    std::vector<Scheduled> schedules_;  // ascending ID
    DateTime earliestAlarm_;
    DateTime latestSince_;
};
