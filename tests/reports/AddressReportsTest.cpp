#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "reports/AddressLines.h"
#include "reports/PersonChoice.h"
#include "reports/PhoneBookReport.h"
#include "reports/RecordingCanvas.h"
#include "support/Collect.h"
#include "support/Records.h"

namespace {

Person person(std::string first, std::string last, std::string company = "") {
    Person p;
    p.setFName(std::move(first));
    p.setLName(std::move(last));
    p.setCompany(std::move(company));
    p.setRName(p.displayName());
    return p;
}

ReportInputs addressees(std::vector<Person> persons, User user = {}) {
    ReportInputs inputs;
    inputs.persons = std::move(persons);
    inputs.user = std::move(user);
    return inputs;
}

std::vector<std::string> names(const std::vector<Person>& persons) {
    return collect(persons, [](const Person& p) {
        return std::string(p.LName().empty() ? p.Company() : p.LName());
    });
}

TEST(PhoneBookReport, OrdersByLastNameByteForByteNamelessFirstFiveEntriesAPage) {
    RecordingCanvas canvas(letterAt100Dpi());
    const PhoneBookReport sorted(
        canvas, {person("Ann", "Smith"), person("Bob", "smith"), person("", "", "Zeta"),
                 person("Zoe", "Adams"), person("", "", "Acme"), person("", "Adams")});
    // "Adams" alone sorts before "Adams, Zoe"; upper case before lower case.
    EXPECT_EQ(names(sorted.persons()),
              (std::vector<std::string>{"Acme", "Zeta", "Adams", "Adams", "Smith", "smith"}));
    EXPECT_EQ(sorted.persons()[2].FName(), "");

    std::vector<Person> persons;
    for (char c = 'A'; c <= 'K'; ++c)
        persons.push_back(person("", std::string(1, c)));
    const auto report = layOut(ReportKind::PhoneBook, canvas, addressees(persons));
    ASSERT_EQ(report->pageCount(), 3);
    report->printPage(canvas, 1);
    // Page 2 holds F to J, one entry every eight lines from two lines below the top.
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(canvas.at(std::string(1, char('F' + k))).y, kTop + 2 * kLine + 8 * k * kLine);
    EXPECT_TRUE(canvas.find("E") == nullptr && canvas.find("K") == nullptr);
    EXPECT_EQ(canvas.at("Page 2 of 3").y, kBottom - kLine);
}

TEST(PhoneBookReport, EntryLinesAndRule) {
    RecordingCanvas canvas(letterAt100Dpi());
    Person p = person("  Ann ", "Lee", "Lee & Co");
    p.setWkPhone("555-1000");
    p.setWkExt("12");
    p.setFax("555-2000");
    p.setAddr1("1 Elm St");
    p.setCity("Salem");
    p.setState("OR");
    p.setZip("97301");
    const auto report = layOut(ReportKind::PhoneBook, canvas, addressees({p, Person{}}));
    report->printPage(canvas, 0);
    const int y0 = kTop + 2 * kLine;
    const std::tuple<const char*, int, int> expected[] = {
        {"Ann Lee", kCol1, 0},
        {"Company: Lee & Co", kCol1, 1},
        {"1 Elm St", kCol1, 3},
        // Without a second address line the city line moves up one.
        {"Salem, OR 97301", kCol1, 4},
        {"Work Phone: 555-1000 Ext. 12", kCol2, 1},
        {"Fax: 555-2000", kCol2, 2},
        // The empty person comes first: a full entry of labels.
        {"Work Phone: ", kCol2, 1 - 8},
    };
    for (const auto& [text, x, row] : expected)
        EXPECT_EQ(canvas.where(text), std::pair(x, y0 + (8 + row) * kLine)) << text;
    const RecordingCanvas::Line rule{kCol1, y0 + 15 * kLine, 750, y0 + 15 * kLine};
    EXPECT_NE(std::find(canvas.lines.begin(), canvas.lines.end(), rule), canvas.lines.end());
}

TEST(AddressLines, CityLineLeavesNoStrayPunctuationAndTheNamelessAreAddressedByCompany) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Salem", "OR", "97301", "Salem, OR 97301"},
        {" Salem ", "", "", "Salem,"},
        {"", "OR", "", "OR"},
        {"", "", "", ""},
    };
    for (const auto& [city, state, zip, line] : cases)
        EXPECT_EQ(cityLine(city, state, zip), line) << city << "|" << state << "|" << zip;
    const std::tuple<const char*, const char*, const char*, const char*> addressees[] = {
        {"Ann", "Lee", "Lee & Co", "Ann Lee"},
        {"", "Roe", "Roe Ltd", "Roe"},
        {" ", "", " Acme Ltd ", "Acme Ltd"},
        {"", "", "", ""},
    };
    for (const auto& [first, last, company, name] : addressees)
        EXPECT_EQ(addresseeName(person(first, last, company)), name)
            << first << "|" << last << "|" << company;
}

TEST(EnvelopeReport, OnePagePerPersonReturnAndDeliveryAddress) {
    RecordingCanvas canvas(letterAt100Dpi());
    const User owner{"Pat", "Owner", "Owner Inc", "", "9 Oak Rd", "", "Bend", "OR", ""};
    Person full = person("Ann", "Lee", "Lee & Co");
    full.setAddr1("1 Elm St");
    full.setAddr2("  Suite 4 ");
    full.setCity("Salem");
    full.setZip("97301");
    const auto report = layOut(ReportKind::Envelopes, canvas,
                               addressees({full, person("", "Roe"), Person{}}, owner));
    ASSERT_EQ(report->pageCount(), 3);

    report->printPage(canvas, 0);
    // The return address: name, first address line, city line (no empty second line).
    for (const auto& [text, row] : {std::pair{"Pat Owner", 0}, {"9 Oak Rd", 1}, {"Bend, OR", 2}})
        EXPECT_EQ(canvas.where(text), std::pair(kCol1, kTop + row * kLine)) << text;
    // The delivery block centres on the second column by its city line and hangs from
    // half the content height, counted from the printable area's top.
    const int x = kCol2 - int(std::string("Salem, 97301").size()) * 6 / 2;
    for (const auto& [text, row] :
         {std::pair{"Ann Lee", 0}, {"1 Elm St", 1}, {"Suite 4", 2}, {"Salem, 97301", 3}})
        EXPECT_EQ(canvas.where(text), std::pair(x, 450 + kLine + row * kLine)) << text;
    EXPECT_EQ(canvas.find("Lee & Co"), nullptr);
    EXPECT_TRUE(canvas.lines.empty());

    canvas.clear();
    report->printPage(canvas, 1);
    EXPECT_EQ(canvas.at("Roe").x, kCol2);
    // Name, first address line, then the empty city line.
    EXPECT_EQ(canvas.texts.back().text, "");
    EXPECT_EQ(canvas.texts.back().y, 450 + 3 * kLine);
}

TEST(PersonChoice, ListTextSortedWithoutCaseAndChosenTopToBottom) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    document.seedDefaultGroups();
    ASSERT_TRUE(groupNamed(document, "All").has_value());
    const int32_t all = *groupNamed(document, "All");
    const int32_t white = *groupNamed(document, "White Pages");
    const auto add = [&](const char* name, const char* company, std::vector<int32_t> groups) {
        return document.add(listedPerson(name, company, std::move(groups)));
    };
    const int32_t zed = add("zed", "", {all});
    const int32_t adams = add("Adams, Zoe ", "Acme", {all, white});
    const int32_t firm = add("", "Beta Ltd", {all});
    add("Outsider", "", {white});

    const auto choices = personChoices(document, all);
    EXPECT_EQ(choices, (std::vector<PersonChoice>{
                           {firm, "(Beta Ltd)"}, {adams, "Adams, Zoe  (Acme)"}, {zed, "zed"}}));
    EXPECT_EQ(personChoices(document, white).size(), 2u);
    EXPECT_FALSE(groupNamed(document, "all").has_value());

    EXPECT_EQ(collect(chosenPersons(document, choices, {true, false, true}), &Person::ID),
              (std::vector<int32_t>{firm, zed}));
    EXPECT_EQ(groupMembers(document, white).size(), 2u);
}

}  // namespace
