#pragma once

// Which records a calendar file carries: appointments as events, tasks as to-dos, or both.
enum class CalendarParts { Appointments, Tasks, Both };

[[nodiscard]] constexpr bool hasAppointments(CalendarParts parts) {
    return parts != CalendarParts::Tasks;
}
[[nodiscard]] constexpr bool hasTasks(CalendarParts parts) {
    return parts != CalendarParts::Appointments;
}
