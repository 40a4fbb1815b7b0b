#pragma once

#include <string>

#include "organizer/FindIndex.h"
#include "records/DateTime.h"

class PersonFilter;
class PimDocument;

// What a list or a line of output shows of a found record.
struct FoundRow {
    // A person's name (the company for one without), an appointment's or task's description.
    std::string title;
    // The name of the text that holds the match (untranslated, for _()) with the line of it
    // that does; nullptr when the match is in the title.
    const char* label = nullptr;
    std::string excerpt;
    // An appointment's day (a series' next occurrence from today, its last once it is
    // over), a task's due date; null for a person.
    DateTime when;
    // The day whose lists show the record: an open task overdue is listed on today, a done
    // one on the day it was done. Null for a person.
    DateTime day;
};

// The row of a record that a search for `filter` found; an empty one for a record that is
// gone.
[[nodiscard]] FoundRow foundRow(const PimDocument& document, const FoundRecord& found,
                                const PersonFilter& filter);

// The title with the text that matched after it ("Miller, Anna - Notes: the boiler"), in
// the user's language.
[[nodiscard]] std::string foundText(const FoundRow& row);
