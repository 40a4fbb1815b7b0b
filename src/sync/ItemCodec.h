#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/DavXml.h"
#include "sync/SyncFields.h"
#include "sync/SyncRecord.h"

class Clock;

// A record a server item holds.
struct ParsedRecord {
    SyncRecord record;
    bool undated = false;  // a to-do without date, whose due date is the day it was read
};

// What a server item holds, read through the program's own vCard or iCalendar import.
struct ParsedItem {
    std::vector<ParsedRecord> records;  // the occurrences of a recurring event each
    std::string uid;
    bool recurring = false;
    std::string error;  // why the item cannot be read; "" when it was
};

// How the items of one kind of collection are read and written.
class ItemCodec {
public:
    virtual ~ItemCodec() = default;
    // The collection's name in the state and in messages: "address book", "calendar".
    [[nodiscard]] virtual const char* name() const = 0;
    [[nodiscard]] virtual const char* contentType() const = 0;
    [[nodiscard]] virtual const char* extension() const = 0;
    // The report that fetches items by href, and the property that carries their text.
    [[nodiscard]] virtual const char* multigetReport() const = 0;
    [[nodiscard]] virtual std::string_view dataNamespace() const = 0;
    [[nodiscard]] virtual const char* dataProperty() const = 0;
    // The body of the report that fetches the items `hrefs` name with their texts.
    [[nodiscard]] std::string multigetBody(const std::vector<std::string>& hrefs) const;
    // The kinds of record the collection holds.
    [[nodiscard]] virtual std::vector<RecordKind> kinds() const = 0;
    // Reads one item.
    [[nodiscard]] virtual ParsedItem parse(std::string_view text) const = 0;
    // The item's text with the record written in: new (`serverText` empty) and named `uid`,
    // or the server's own with only the fields `changed` names rewritten. "" when the
    // server's text has no place for the record.
    [[nodiscard]] virtual std::string write(std::string_view serverText, const SyncRecord& record,
                                            const FieldKeys& changed,
                                            const std::string& uid) const = 0;
};

// Persons as vCards.
class AddressBookCodec : public ItemCodec {
public:
    explicit AddressBookCodec(const Clock& clock) : clock_(clock) {}
    const char* name() const override { return "address book"; }
    const char* contentType() const override { return "text/vcard; charset=utf-8"; }
    const char* extension() const override { return ".vcf"; }
    const char* multigetReport() const override { return "addressbook-multiget"; }
    std::string_view dataNamespace() const override { return kCardDav; }
    const char* dataProperty() const override { return "address-data"; }
    std::vector<RecordKind> kinds() const override { return {RecordKind::Person}; }
    ParsedItem parse(std::string_view text) const override;
    std::string write(std::string_view serverText, const SyncRecord& record,
                      const FieldKeys& changed, const std::string& uid) const override;

private:
    const Clock& clock_;
};

// Appointments as events and tasks as to-dos.
class CalendarCodec : public ItemCodec {
public:
    // `events`, `todos`: which kinds the calendar takes; a server refuses the others.
    explicit CalendarCodec(const Clock& clock, bool events = true, bool todos = true)
        : clock_(clock), events_(events), todos_(todos) {}
    const char* name() const override { return "calendar"; }
    const char* contentType() const override { return "text/calendar; charset=utf-8"; }
    const char* extension() const override { return ".ics"; }
    const char* multigetReport() const override { return "calendar-multiget"; }
    std::string_view dataNamespace() const override { return kCalDav; }
    const char* dataProperty() const override { return "calendar-data"; }
    std::vector<RecordKind> kinds() const override {
        std::vector<RecordKind> kinds;
        if (events_) kinds.push_back(RecordKind::Appointment);
        if (todos_) kinds.push_back(RecordKind::Task);
        return kinds;
    }
    ParsedItem parse(std::string_view text) const override;
    std::string write(std::string_view serverText, const SyncRecord& record,
                      const FieldKeys& changed, const std::string& uid) const override;

private:
    // An appointment written into the server's text: the fields `marked` as EventField
    // numbers them, the schedule after them.
    std::string writeEvent(std::string_view serverText, const SyncRecord& record,
                           const std::vector<bool>& marked, const std::string& uid) const;

    const Clock& clock_;
    bool events_;
    bool todos_;
};
