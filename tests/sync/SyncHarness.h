#pragma once

#include <functional>
#include <string>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/Records.h"
#include "sync/CollectionSync.h"
#include "sync/FakeDavServer.h"

// A document synced with one collection of the fake server.

inline const std::string kItems = "/books/main/";

inline std::string card(const std::string& last, const std::string& workPhone,
                        const std::string& extra = "") {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + last + "\r\nN:" + last + ";Ada;;;\r\nFN:Ada " +
           last + "\r\nTEL;TYPE=WORK,VOICE:" + workPhone + "\r\n" + extra + "END:VCARD\r\n";
}

struct SyncHarness {
    FixedClock clock{LocalTime{2026, 12, 7, 9, 0, 0, 0}};
    PimDocument document{clock};
    FakeDavServer server;
    CollectionState state{FakeDavServer::kCollection, "", {}};
    AddressBookCodec cards{clock};
    CalendarCodec calendar{clock};
    const ItemCodec* codec = &cards;
    SyncReport report;
    bool preferHere = false;

    SyncHarness() { document.seedDefaultGroups(); }

    Status sync() {
        report = SyncReport();
        DavClient dav(server, true);
        CollectionSync run(dav, *codec, document, state, report, "quillmate-test");
        if (preferHere) run.preferHere();
        return run.run();
    }
    const Person& only() const { return document.persons().begin()->second; }
    void addPerson(const char* last) {
        Person person;
        person.setLName(last);
        document.add(person);
    }
    SyncHarness& store(const std::string& name, std::string body) {
        server.store(kItems + name, std::move(body));
        return *this;
    }
    void editOnly(const std::function<void(Person&)>& change) {
        Person person = only();
        change(person);
        document.replace(person);
    }
};
