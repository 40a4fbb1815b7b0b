"""Prints every occurrence of the events of an iCalendar file that starts in a range of days,
as python3-recurring-ical-events expands them, one line each in start order:
"2026-01-05T09:00:00 to 2026-01-05T10:00:00: Summary". Times are local (the zone of TZ);
a date is its day at 00:00, and an event of a date without an end lasts that day (RFC 5545,
3.6.1). Events the program does not take (cancelled, or without a summary) are left out.
Usage: expand_icalendar.py FILE FIRST-DAY DAY-AFTER-LAST."""
import datetime
import sys

import icalendar
import recurring_ical_events


def local(value):
    if not isinstance(value, datetime.datetime):
        return datetime.datetime(value.year, value.month, value.day)
    if value.tzinfo is None:
        return value
    return value.astimezone().replace(tzinfo=None)


def main(path, first, after):
    start = datetime.datetime.fromisoformat(first)
    stop = datetime.datetime.fromisoformat(after)
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    # A margin, since the range is read in each event's own zone; cut to local time below.
    margin = datetime.timedelta(days=3)
    lines = []
    for event in recurring_ical_events.of(calendar).between(start - margin, stop + margin):
        if event.get("summary") is None or str(event.get("status", "")).upper() == "CANCELLED":
            continue
        begin = local(event.decoded("dtstart"))
        end = local(event.decoded("dtend"))
        if end == begin and not isinstance(event.decoded("dtstart"), datetime.datetime):
            end = begin + datetime.timedelta(days=1)
        if start <= begin < stop:
            lines.append(begin.isoformat() + " to " + end.isoformat() + ": "
                         + str(event.get("summary")))
    for line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main(*sys.argv[1:4])
