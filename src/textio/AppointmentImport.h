#pragma once

#include "records/Appointment.h"
#include "records/DateParse.h"
#include "records/PimDocument.h"
#include "textio/ClashIndex.h"
#include "textio/RecordImport.h"

// Appointments: a record needs a text, a date, a start and an end that can be read, and
// must not share time with an appointment already in the document (those added by this
// import included, and every timed occurrence of a series), so importing the same file
// twice adds nothing. Times fall on the record's date,
// rounded to the quarter hour; an end before the start becomes the start. The alarm warning is
// rounded to five minutes and kept when it lies between 0 and 60; without an "AlarmTime" column the
// alarm is at the start.
class AppointmentImport : public RecordImport {
public:
    // Imports into `document`, reading field f from column columnOf[f]. Dates and times are read in
    // `locale`'s forms.
    AppointmentImport(const PimDocument& document, std::vector<int> columnOf, const Locale& locale);
    // nullptr when the record was taken, otherwise why not.
    const char* importRecord(const std::vector<std::string_view>& values) override;
    void addTo(PimDocument& document) override { document.addAll(std::move(batch_)); }

private:
    // The time in `value` on the working record's date; the current time when unreadable.
    DateTime timeOnDueDate(std::string_view value, bool& read) const;

    NewRecords<Appointment> batch_;  // the records taken, added in one edit at the end
    DateParser dates_;
    DateTime today_;
    DateTime nowToTheMinute_;
    Appointment working_;
    int32_t warningMinutes_ = 0;
    ClashIndex taken_;
};
