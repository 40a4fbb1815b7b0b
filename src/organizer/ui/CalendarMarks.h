#pragma once

class PimDocument;
class QCalendarWidget;

// Draws the days of the calendar's shown page that hold an appointment or an open task in
// bold, and keeps today marked with a tinted background while another day is selected.
void markCalendarDays(QCalendarWidget& calendar, const PimDocument& document);
