#include "organizer/EditorDates.h"

#include <algorithm>

EditorDates EditorDates::standard() {
    return {DateTime::fromFields(1990, 1, 1), DateTime::fromFields(2035, 12, 31)};
}

EditorDates EditorDates::around(DateTime start) {
    EditorDates dates = standard();
    if (!start.isValid()) return dates;
    dates.first = std::min(dates.first, start.date());
    dates.last = std::max(dates.last, start.date());
    return dates;
}

bool EditorDates::contains(DateTime date) const {
    return date.isValid() && date.date() >= first && date.date() <= last;
}
