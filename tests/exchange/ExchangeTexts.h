#pragma once

#include <string>

#include "platform/Clock.h"
#include "records/DateTime.h"

// What the exchange tests share: the moment they run at, and calendars and cards written in
// a line.

inline const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

inline std::string calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

inline std::string event(const std::string& lines, const char* summary = "Meeting") {
    return "BEGIN:VEVENT\r\nUID:" + std::string(summary) + "\r\nSUMMARY:" + summary + "\r\n" +
           lines + "END:VEVENT\r\n";
}

inline std::string alarm(const std::string& trigger) {
    return "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\n" + trigger + "\r\nEND:VALARM\r\n";
}

inline std::string card(const std::string& lines, const char* version = "3.0") {
    return std::string("BEGIN:VCARD\r\nVERSION:") + version + "\r\n" + lines + "END:VCARD\r\n";
}
