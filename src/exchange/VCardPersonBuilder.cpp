#include "exchange/VCardPersonBuilder.h"

#include <algorithm>
#include <array>
#include <optional>

#include "exchange/PhoneExtension.h"
#include "exchange/PhoneSlots.h"
#include "exchange/RecordUids.h"
#include "exchange/VCardLine.h"
#include "fileio/TextEncoding.h"
#include "records/LineBreaks.h"
#include "records/Trimmed.h"
#include "textio/ImportValues.h"

namespace {

// A text that is not needed any more without blanks at either end; it keeps its storage
// when it has none there.
std::string trimmedText(std::string&& text) {
    if (trimmed(text).size() != text.size()) return std::string(trimmed(text));
    return std::move(text);
}

// Where the line from `from` on ends: at the next CR or LF, or at the end of the text. A
// plain loop: find_first_of makes a library call per byte.
size_t lineEnd(std::string_view text, size_t from) {
    while (from < text.size() && text[from] != '\r' && text[from] != '\n')
        ++from;
    return from;
}

// Adds `part` to `out`, after ", " when `out` holds something already.
void appendPart(std::string& out, std::string_view part) {
    if (!out.empty()) out += ", ";
    out += part;
}

// The lines of a text joined by ", ", blank ones left out.
std::string oneLine(std::string_view text) {
    std::string out;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t end = lineEnd(text, from);
        const std::string_view line = trimmed(text.substr(from, end - from));
        if (!line.empty()) appendPart(out, line);
        from = end + 1;
    }
    return out;
}

// `value` unescaped: the value itself when nothing in it is escaped, as in most, else its
// unescaped text in `out`.
std::string_view unescaped(std::string_view value, VCardEscaping escaping, std::string& out) {
    if (value.find('\\') == std::string_view::npos) return value;
    out = unescapeValue(value, escaping);
    return out;
}

// The properties a person is made of; every other one is passed over undecoded.
bool isWanted(std::string_view name) {
    static constexpr std::array<std::string_view, 15> kWanted = {
        "N",    "FN",         "ORG",       "TITLE", "ADR",         "TEL",           "EMAIL", "URL",
        "NOTE", "CATEGORIES", "X-ABLABEL", "BDAY",  "ANNIVERSARY", "X-ANNIVERSARY", "UID"};
    return std::find(kWanted.begin(), kWanted.end(), name) != kWanted.end();
}

}  // namespace

void VCardPersonBuilder::reset(VCardEscaping escaping) {
    // Cleared rather than made anew, so that the lists keep their room from card to card.
    escaping_ = escaping;
    family_.clear();
    given_.clear();
    formatted_.clear();
    hasName_ = false;
    for (Candidate* slot : {&company_, &position_, &address_, &email_, &url_})
        *slot = Candidate();
    notes_.clear();
    birthday_ = {};
    anniversary_ = {};
    phones_.clear();
    labels_.clear();
    categories_.clear();
    uid_.clear();
    leftOut_ = 0;
}

void VCardPersonBuilder::offer(Candidate& slot, std::string&& value, bool preferred) {
    if (value.empty()) return;
    // Of two values for one field, one is left out: the later, unless only it is preferred.
    if (slot.taken) ++leftOut_;
    if (slot.taken && (slot.preferred || !preferred)) return;
    slot = {std::move(value), preferred, true, escaping_};
}

void VCardPersonBuilder::take(const VCardLine& line, const TextFacts& text) {
    if (!isWanted(line.name)) return;
    // Binary values are photos, logos, sounds and keys, whatever they are called. The
    // parameters are looked through once for what they say of the value.
    bool binary = false;
    bool preferred = false;
    for (const VCardParameter& parameter : line.parameters) {
        const std::string_view parameterName = parameter.name;
        if (parameterName == "ENCODING")
            binary = binary || equalsIgnoringCase(parameter.value, "BASE64") ||
                     equalsIgnoringCase(parameter.value, "B");
        else if (parameterName == "TYPE")
            preferred = preferred || equalsIgnoringCase(parameter.value, "PREF");
        else if (parameterName == "PREF")
            preferred = true;
    }
    if (binary) return;
    std::string_view value = decodedValue(line, text.unicode, text.utf8, scratch_);
    // A value decoded from quoted-printable or another character set may hold some that the
    // text did not.
    const bool decoded = value.data() == scratch_.data();
    if ((text.strayControls || decoded) &&
        std::any_of(value.begin(), value.end(), isStrayControl)) {
        cleaned_.assign(value);
        std::erase_if(cleaned_, isStrayControl);
        value = cleaned_;
    }
    // Compared as views, which look at the sizes first; a std::string against a literal
    // calls memcmp for each.
    const std::string_view name = line.name;
    if (name == "N") {
        if (!hasName_) takeName(value);
    } else if (name == "FN") {
        if (formatted_.empty()) formatted_ = trimmedText(unescapeValue(value, escaping_));
    } else if (name == "ORG") {
        offer(company_, joinedParts(value, ';'), false);
    } else if (name == "TITLE") {
        offer(position_, unescapeValue(value, escaping_), false);
    } else if (name == "ADR") {
        offer(address_, std::string(value), preferred);
    } else if (name == "TEL") {
        takePhone(line, unescapeValue(value, escaping_), preferred);
    } else if (name == "EMAIL") {
        offer(email_, trimmedText(unescapeValue(value, escaping_)), preferred);
    } else if (name == "URL") {
        offer(url_, trimmedText(unescapeValue(value, escaping_)), preferred);
    } else if (name == "NOTE") {
        const std::string_view note = unescaped(value, escaping_, unescaped_);
        if (!note.empty()) {
            if (!notes_.empty()) notes_ += '\n';
            notes_ += note;
        }
    } else if (name == "CATEGORIES") {
        splitEscapedInto(value, ',', escaping_, parts_);
        for (const std::string_view part : parts_) {
            std::string categoryName(trimmed(unescaped(part, escaping_, unescaped_)));
            if (!categoryName.empty() && std::find(categories_.begin(), categories_.end(),
                                                   categoryName) == categories_.end())
                categories_.push_back(std::move(categoryName));
        }
    } else if (name == "UID") {
        if (uid_.empty()) uid_ = trimmedText(keptUid(unescapeValue(value, escaping_)));
    } else if (name == "BDAY") {
        takeDay(birthday_, value);
    } else if (name == "ANNIVERSARY" || name == "X-ANNIVERSARY") {
        takeDay(anniversary_, value);
    } else if (name == "X-ABLABEL" && !line.group.empty()) {
        labels_.emplace_back(line.group, unescapeValue(value, escaping_));
    }
}

void VCardPersonBuilder::takeDay(MonthDay& slot, std::string_view value) {
    // An empty value is no day (not today); one in words ("circa 1800") has no field.
    const std::string text(trimmed(unescapeValue(value, escaping_)));
    if (text.empty()) return;
    const std::optional<MonthDay> day = MonthDay::parse(text);
    if (day && slot.isSet() && *day == slot) return;  // ANNIVERSARY and X-ANNIVERSARY alike
    if (!day || slot.isSet()) {
        ++leftOut_;
        return;
    }
    slot = *day;
}

std::string VCardPersonBuilder::joinedParts(std::string_view value, char separator) {
    splitEscapedInto(value, separator, escaping_, parts_);
    std::string out;
    for (const std::string_view part : parts_) {
        std::string text = unescapeValue(part, escaping_);
        if (text.empty()) continue;
        if (out.empty())
            out = std::move(text);
        else
            out.append(", ").append(text);
    }
    return out;
}

void VCardPersonBuilder::takeName(std::string_view value) {
    splitEscapedInto(value, ';', escaping_, parts_);
    const std::vector<std::string_view>& parts = parts_;
    auto part = [&](size_t i) {
        return i < parts.size() ? trimmedText(unescapeValue(parts[i], escaping_)) : std::string();
    };
    family_ = part(0);
    given_ = part(1);
    // Further given names join the first; titles and suffixes have no field.
    if (std::string further = part(2); !further.empty())
        given_ += (given_.empty() ? "" : " ") + further;
    hasName_ = !family_.empty() || !given_.empty();
}

void VCardPersonBuilder::takePhone(const VCardLine& line, std::string number, bool preferred) {
    Phone phone;
    phone.number = telNumber(std::move(number));
    if (phone.number.empty()) return;
    phone.slot = phoneSlotOfTypes(line);
    phone.preferred = preferred;
    phone.group = line.group;
    phones_.push_back(std::move(phone));
}

PhoneSlot VCardPersonBuilder::phoneSlot(const Phone& phone) const {
    if (phone.slot != PhoneSlot::None || phone.group.empty()) return phone.slot;
    // Some programs put the kind of a number into a label of the same group.
    for (const auto& [group, label] : labels_) {
        if (group == phone.group) return phoneSlotNamed(label);
    }
    return PhoneSlot::None;
}

void VCardPersonBuilder::fillPhones(PersonTextFields& person) {
    choices_.clear();
    for (const Phone& phone : phones_)
        choices_.push_back({phoneSlot(phone), phone.preferred});
    const auto chosen = chosenPhones(choices_);
    std::array<std::string, kPhoneSlotCount> numbers;
    size_t filled = 0;
    for (size_t slot = 0; slot < kPhoneSlotCount; ++slot) {
        if (chosen[slot] == kNoPhone) continue;
        numbers[slot] = std::move(phones_[chosen[slot]].number);
        ++filled;
    }
    leftOut_ += static_cast<int32_t>(phones_.size() - filled);
    const auto number = [&](PhoneSlot slot) -> std::string& {
        return numbers[static_cast<size_t>(slot)];
    };
    person.HmPhone = std::move(number(PhoneSlot::Home));
    // Split as the number will be kept, trimmed: "555 x12" with a blank after it must give
    // what the "555 ext. 12" written back from it gives.
    const PhoneWithExtension split =
        splitPhoneExtension(trimmed(number(PhoneSlot::Work), kFieldBlanks));
    person.WkPhone = split.number;
    person.WkExt = split.extension;
    person.CelPhone = std::move(number(PhoneSlot::Cell));
    person.Fax = std::move(number(PhoneSlot::Fax));
    person.Pager = std::move(number(PhoneSlot::Pager));
}

void VCardPersonBuilder::fillAddress(PersonTextFields& person) {
    if (!address_.taken) return;
    const VCardEscaping escaping = address_.escaping;
    splitEscapedInto(address_.value, ';', escaping, parts_);
    const std::vector<std::string_view>& parts = parts_;
    // Part i unescaped and trimmed, until the next call; "" for a part the value lacks.
    auto part = [&](size_t i) {
        return i < parts.size() ? trimmed(unescaped(parts[i], escaping, unescaped_))
                                : std::string_view();
    };
    // The street may hold several lines, as line breaks or (vCard 4.0) as a list: the first
    // is the first address line, the others are joined by ", " into the second, as address
    // lines hold no line breaks. Version 2.1 has no lists: a comma in its street is text.
    if (parts.size() > 2) {
        if (escaping == VCardEscaping::Version21)
            items_.assign(1, parts[2]);
        else
            splitEscapedInto(parts[2], ',', escaping, items_);
        bool first = true;
        for (const std::string_view item : items_) {
            const std::string_view text = unescaped(item, escaping, unescaped_);
            size_t from = 0;
            while (from <= text.size()) {
                const size_t end = lineEnd(text, from);
                const std::string_view line = trimmed(text.substr(from, end - from));
                if (first)
                    person.Addr1 = line;
                else if (!line.empty())
                    appendPart(person.Addr2, line);
                first = false;
                from = end + 1;
            }
        }
    }
    if (person.Addr2.empty()) person.Addr2 = oneLine(part(1));
    if (person.Addr2.empty()) person.Addr2 = oneLine(part(0));
    person.City = part(3);
    person.State = part(4);
    person.Zip = part(5);
}

PersonTextFields VCardPersonBuilder::takeTexts() {
    PersonTextFields person;
    if (hasName_) {
        person.LName = std::move(family_);
        person.FName = std::move(given_);
    } else if (!formatted_.empty() && formatted_ != company_.value) {
        // A formatted name alone: its last word is taken for the family name.
        const size_t space = formatted_.find_last_of(' ');
        if (space == std::string::npos) {
            person.FName = formatted_;
        } else {
            person.FName = std::string(trimmed(std::string_view(formatted_).substr(0, space)));
            person.LName = formatted_.substr(space + 1);
        }
    }
    person.Company = std::move(company_.value);
    person.Position = std::move(position_.value);
    fillAddress(person);
    fillPhones(person);
    person.EMail = std::move(email_.value);
    person.WebPage = std::move(url_.value);
    person.Notes = std::move(notes_);
    // Line breaks are CR LF wherever a card put them, so that they come back as written.
    for (size_t i = 0; i < kPersonTextCount; ++i) {
        std::string& text = person[PersonText(i)];
        // Two plain searches, and none in the many empty texts.
        if (!text.empty() &&
            (text.find('\n') != std::string::npos || text.find('\r') != std::string::npos))
            text = withCrLf(text);
    }
    return person;
}
