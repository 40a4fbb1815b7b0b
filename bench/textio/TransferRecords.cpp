#include "TransferRecords.h"

#include <string>

namespace {

std::string numbered(const char* text, int i) {
    return text + std::to_string(i);
}

}  // namespace

void addTransferRecords(PimContents& contents, TransferKind kind, int count) {
    for (int i = 0; i < count; ++i) {
        if (kind == TransferKind::Persons) {
            Person p;
            p.setFName(numbered("Ann", i));
            p.setLName(numbered("O'Hara-M\xC3\xBCller ", i));
            p.setAddr1(numbered("Main Street, Apt ", i));
            p.setAddr2("c/o \"Ed\"");
            p.setCity("Z\xC3\xBCrich");
            p.setState("ZH");
            p.setZip("8001");
            p.setHmPhone("+41 44 000 00 00");
            p.setWkPhone("+41 44 000 00 01");
            p.setWkExt("12");
            p.setFax("+41 44 000 00 02");
            p.setCelPhone("+41 79 000 00 03");
            p.setPager("555");
            p.setEMail(numbered("ann", i) + "@example.org");
            p.setWebPage("https://example.org/ann");
            p.setCompany("Smith \"Tools\", Ltd.");
            p.setPosition("Engineer");
            p.setNotes("First line\r\nsecond line");
            contents.persons.addNew(p);
        } else if (kind == TransferKind::Tasks) {
            Task t = Task::createdAt(DateTime::fromFields(2026, 1 + i % 12, 1 + i % 28));
            t.Description = numbered("Call \"Bo\" about item ", i);
            t.Priority = i % 4;
            contents.tasks.addNew(t);
        } else {
            // Half-hour appointments, sixteen a day, none clashing.
            const DateTime day = DateTime::fromFields(2020, 1, 1) + DateTimeSpan(i / 16);
            const DateTime start = day + DateTimeSpan::fromParts(0, 8, 30 * (i % 16), 0);
            Appointment a = Appointment::createdAt(start);
            a.Description = numbered("Meeting ", i);
            a.DueDate = day;
            a.StartTime = start;
            a.EndTime = start + DateTimeSpan::fromParts(0, 0, 15, 0);
            a.Alarm = i % 2 == 0;
            a.AlarmTime = start - DateTimeSpan::fromParts(0, 0, 10, 0);
            contents.appointments.addNew(a);
        }
    }
}
