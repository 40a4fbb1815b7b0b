"""Prints what python3-icalendar reads from an iCalendar file, one line per event, alarm and
to-do, so that a test can compare it with the records the file was written from."""
import sys

import icalendar


def text(value):
    return value.isoformat() if hasattr(value, "isoformat") else str(value)


def main(path):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    print("calendar " + str(calendar.get("version")))
    for component in calendar.walk():
        if component.name == "VEVENT":
            print("event " + text(component.decoded("dtstart")) + " to "
                  + text(component.decoded("dtend")) + ": " + str(component.get("summary")))
            for alarm in component.walk("VALARM"):
                print("  alarm " + str(alarm.get("action")) + " "
                      + text(alarm.decoded("trigger")))
        elif component.name == "VTODO":
            line = "todo " + str(component.get("status"))
            if "due" in component:
                line += " due " + text(component.decoded("due"))
            if "priority" in component:
                line += " priority " + str(component.get("priority"))
            if "completed" in component:
                line += " completed " + text(component.decoded("completed"))
            print(line + ": " + str(component.get("summary")))


if __name__ == "__main__":
    main(sys.argv[1])
