#include "textio/AppointmentImport.h"
#include "platform/Translate.h"

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "textio/ImportValues.h"

namespace {
constexpr int kAppointment = 0, kDate = 1, kStartTime = 2, kEndTime = 3, kAlarmed = 4,
              kAlarmTime = 5;
}  // namespace

AppointmentImport::AppointmentImport(const PimDocument& document, std::vector<int> columnOf,
                                     const Locale& locale)
    : RecordImport(std::move(columnOf)),
      batch_(document.contents().store<Appointment>()),
      dates_(locale),
      today_(DateTime::today(document.clock())),
      working_(Appointment::createdAt(DateTime::now(document.clock()))) {
    const DateTime now = DateTime::now(document.clock());
    nowToTheMinute_ = now - DateTimeSpan::fromParts(0, 0, 0, now.second());
    for (const auto& [id, appointment] : document.appointments()) {
        if (appointment.schedule.has())
            taken_.addScheduled(appointment);
        else
            taken_.add(appointment.StartTime, appointment.EndTime);
    }
}

DateTime AppointmentImport::timeOnDueDate(std::string_view value, bool& read) const {
    DateTime moment;
    if (const auto time = dates_.parseTime(value)) {
        const DateTime day = working_.DueDate;
        moment = DateTime::fromFields(day.year(), day.month(), day.day(), time->hour, time->minute);
    }
    read = moment.isValid();
    return roundToQuarterHour(read ? moment : nowToTheMinute_);
}

const char* AppointmentImport::importRecord(const std::vector<std::string_view>& values) {
    Appointment& a = working_;
    a.Description.clear();
    bool named = false, dated = false, started = false, ended = false;
    forEachField(values, [&](int field, std::string_view value) {
        switch (field) {
            case kAppointment:
                if (!value.empty()) {
                    a.Description = value;
                    named = true;
                }
                break;
            case kDate: {
                const DateTime date = dates_.parseDate(value);
                dated = date.isValid();
                a.DueDate = dated ? date : today_;
                break;
            }
            case kStartTime:
                a.StartTime = timeOnDueDate(value, started);
                break;
            case kEndTime:
                a.EndTime = timeOnDueDate(value, ended);
                if (a.EndTime < a.StartTime) a.EndTime = a.StartTime;
                break;
            case kAlarmed:
                a.Alarm = isOneOf(value, {"true", "t", "yes", "1"});
                break;
            case kAlarmTime:
                a.AlarmTime = a.StartTime;
                warningMinutes_ = roundToFive(readInteger(value));
                break;
        }
    });
    if (!hasColumn(kAlarmTime)) {
        a.AlarmTime = a.StartTime;
        warningMinutes_ = 0;
    }
    if (!named) return _("no appointment text");
    if (!dated) return _("no date that can be read");
    if (!started) return _("no start time that can be read");
    if (!ended) return _("no end time that can be read");
    if (taken_.clashes(a.StartTime, a.EndTime)) return _("clashes with an existing appointment");
    if (warningMinutes_ >= 0 && warningMinutes_ <= 60)
        a.AlarmTime = a.AlarmTime - DateTimeSpan::fromParts(0, 0, warningMinutes_, 0);

    Appointment added = a;
    trimInPlace(added.Description);
    const DateTime start = added.StartTime, end = added.EndTime;
    if (!batch_.add(std::move(added))) return _("no identifier left");
    taken_.add(start, end);
    return nullptr;
}
