#include "DocumentGenerator.h"

#include <array>
#include <string>
#include <string_view>

#include "records/PimDocument.h"

namespace {

// xorshift64*: fast, and the same on every machine.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 2685821657736338717ull;
    }
    size_t below(size_t n) { return static_cast<size_t>(next() % n); }
    template <size_t N>
    std::string_view pick(const std::array<std::string_view, N>& items) {
        return items[below(N)];
    }
    std::string digits(size_t n) {
        std::string text;
        for (size_t i = 0; i < n; ++i)
            text += static_cast<char>('0' + below(10));
        return text;
    }

private:
    uint64_t state_;
};

constexpr std::array<std::string_view, 16> kFirst = {
    "Ann",    "Bob",  "Carla",     "Dieter", "Eve",  "François", "Grace", "Hiroshi",
    "Ingrid", "José", "Katarzyna", "Liam",   "Mona", "Nils",     "Olga",  "Pedro"};
constexpr std::array<std::string_view, 16> kLast = {
    "Smith", "O'Brien", "Müller",   "Nakamura",     "Johansson", "García", "Kowalski", "Dubois",
    "Rossi", "Novak",   "Andersen", "Papadopoulos", "Schmidt",   "Nguyen", "Brown",    "Fischer"};
constexpr std::array<std::string_view, 8> kCompany = {
    "Acme Corporation", "Smith & Sons Ltd.", "Northwind Traders",  "Contoso",
    "Initech",          "Globex <Europe>",   "Umbrella Logistics", "Stark Industries"};
constexpr std::array<std::string_view, 8> kPosition = {
    "Engineer", "Head of Sales", "Accountant", "CEO", "Nurse", "Teacher", "Plumber", ""};
constexpr std::array<std::string_view, 8> kStreet = {
    "Main Street", "Elm Avenue", "Rue de la Paix", "Hauptstraße",
    "Via Roma",    "Oak Lane",   "Station Road",   "Kings Boulevard"};
constexpr std::array<std::string_view, 8> kCity = {"Springfield", "Paris", "München", "Roma",
                                                   "Kraków",      "Osaka", "Lisboa",  "Toronto"};
constexpr std::array<std::string_view, 12> kWords = {
    "meeting", "call", "review", "the", "quarterly",  "report",
    "dentist", "buy",  "milk",   "&",   "\"urgent\"", "<draft>"};

std::string sentence(Random& random, size_t words) {
    std::string text;
    for (size_t i = 0; i < words; ++i) {
        if (i > 0) text += ' ';
        text += random.pick(kWords);
    }
    return text;
}

std::string phone(Random& random) {
    std::string number = "(";
    number += random.digits(3);
    number += ") ";
    number += random.digits(3);
    number += '-';
    number += random.digits(4);
    return number;
}

// Seconds since 1970 of a moment in 2026 to 2028, on a whole minute.
DateTime someTime(Random& random) {
    return DateTime::fromSeconds(1767225600 + static_cast<int64_t>(random.below(3 * 525600)) * 60);
}

Person makePerson(Random& random) {
    PersonTextFields t;
    t.FName = random.pick(kFirst);
    t.LName = random.pick(kLast);
    t.RName = displayName(t.views());
    t.Company = random.pick(kCompany);
    t.Position = random.pick(kPosition);
    t.Addr1 = random.digits(1 + random.below(4)) + " " + std::string(random.pick(kStreet));
    if (random.below(4) == 0) t.Addr2 = "Apartment " + random.digits(2);
    t.City = random.pick(kCity);
    t.State = random.below(2) ? "CA" : "";
    t.Zip = random.digits(5);
    t.HmPhone = phone(random);
    t.WkPhone = phone(random);
    if (random.below(3) == 0) t.WkExt = random.digits(3);
    if (random.below(3) == 0) t.Fax = phone(random);
    t.CelPhone = phone(random);
    if (random.below(8) == 0) t.Pager = phone(random);
    t.EMail = t.FName + "." + t.LName + "@example.com";
    t.WebPage = "https://www.example.com/~" + t.LName;
    const size_t lines = 1 + random.below(4);
    for (size_t i = 0; i < lines; ++i) {
        if (i > 0) t.Notes += "\r\n";
        t.Notes += sentence(random, 4 + random.below(8));
    }
    Person p;
    p.setTexts(t);
    p.PhGroups = {static_cast<int32_t>(2 + random.below(2)), 1};
    return p;
}

Task makeTask(Random& random) {
    Task t = Task::createdAt(someTime(random));
    t.Description = sentence(random, 3 + random.below(6));
    t.Priority = static_cast<int32_t>(random.below(4));
    if (t.isDone()) t.DoneDate = t.DueDate.date();
    return t;
}

Appointment makeAppointment(Random& random) {
    const DateTime start = someTime(random);
    Appointment a = Appointment::createdAt(start);
    a.Description = sentence(random, 2 + random.below(6));
    a.DueDate = start.date();
    a.EndTime = start + DateTimeSpan::fromParts(0, 1 + static_cast<int32_t>(random.below(3)), 0, 0);
    a.Alarm = random.below(3) == 0;
    a.AlarmTime = start - DateTimeSpan::fromParts(0, 0, 15, 0);
    a.Done = random.below(5) == 0;
    return a;
}

}  // namespace

void generateDocument(PimDocument& document, size_t count, uint64_t seed) {
    Random random(seed);
    PimContents contents;
    contents.seedDefaultGroups();
    for (size_t i = 0; i < count; ++i) {
        contents.persons.addNew(makePerson(random));
        contents.tasks.addNew(makeTask(random));
        contents.appointments.addNew(makeAppointment(random));
    }
    contents.user.FName = "Owner";
    contents.user.LName = "Of This File";
    contents.user.City = "Springfield";
    document.adoptContents(std::move(contents));
}
