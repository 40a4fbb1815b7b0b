#pragma once

#include <cstdint>
#include <vector>

#include "organizer/Reminders.h"
#include "records/DateTime.h"

class PimDocument;

// The appointments whose alarm is set, ordered by day, so that a reminder tick looks at
// the few days it examines instead of walking every appointment. Rebuilt after each
// change of the document, which walks every record anyway to refill the day view.
class AlarmIndex {
public:
    // Collects the alarms of the document as it is now.
    void rebuild(const PimDocument& document);

    // The reminders due at `now` with `shown` selected, exactly as dueReminders() finds
    // them in the document the index was built from.
    [[nodiscard]] std::vector<Reminder> dueReminders(const PimDocument& document, DateTime shown,
                                                     DateTime now) const;

    // How many alarms are set.
    [[nodiscard]] size_t size() const { return entries_.size(); }

private:
    struct Entry {
        double day;    // the local date of DueDate, on the continuous scale
        double alarm;  // AlarmTime on the continuous scale
        int32_t id;
    };
    std::vector<Entry> entries_;
};
