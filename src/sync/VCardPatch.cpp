#include "sync/VCardPatch.h"
#include "sync/VCardPatchLines.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>

#include "exchange/PhoneExtension.h"
#include "exchange/PhoneSlots.h"
#include "exchange/VCardLine.h"
#include "exchange/VCardLineReader.h"
#include "exchange/VCardValue.h"
#include "exchange/VCardWriter.h"
#include "fileio/TextEncoding.h"
#include "records/Person.h"
#include "records/Trimmed.h"

namespace {

std::string categoryList(const std::vector<std::string>& groups, VCardEscaping escaping) {
    std::string list;
    for (const std::string& name : groups)
        list += (list.empty() ? "" : ",") + escapedForCard(name, escaping);
    return list;
}

// Photos, sounds and keys, whatever they are called: the reader passes them over.
bool isBinary(const VCardLine& line) {
    return line.has("ENCODING", "BASE64") || line.has("ENCODING", "B");
}

bool isPreferred(const VCardLine& line) {
    return line.has("TYPE", "PREF") || line.hasParameter("PREF");
}

// One content line of the card, read once.
struct CardLine {
    std::string text;
    VCardLine parsed;
    bool valid = false;
    // As the reader takes its value: a VERSION line sets it for the lines after it.
    VCardEscaping escaping = VCardEscaping::Backslash;
    std::optional<std::string> replacement;  // "" removes the line

    // Whether it is a property `name` of the person's card that the reader takes: a binary
    // value it passes over, and rewritten without its encoding it would be read.
    bool holds(std::string_view name) const {
        return valid && parsed.name == name && !isBinary(parsed);
    }
};

class CardPatch {
public:
    CardPatch(std::string_view card, bool unicode) : unicode_(unicode) {
        VCardLineReader reader(card);
        std::string_view content;
        while (reader.next(content))
            lines_.push_back({std::string(content), {}, false, {}, std::nullopt});
        // Parsed once all are in place, since a parsed line views its text. The card ends
        // where the reader ends it; the lines of a card inside it (an agent's) and any
        // before it are kept as they are, but they are not the person's.
        int depth = 0;
        for (size_t i = 0; i < lines_.size(); ++i) {
            CardLine& line = lines_[i];
            line.escaping = endEscaping_;
            if (!parseVCardLine(line.text, 0, line.parsed)) continue;
            if (isCardBoundary(line.parsed, "BEGIN")) {
                ++depth;
            } else if (depth > 0 && isCardBoundary(line.parsed, "END")) {
                if (--depth > 0) continue;
                end_ = i;
                lines_.resize(i + 1);
                break;
            } else {
                line.valid = depth == 1;
                if (line.valid && line.parsed.name == "VERSION")
                    endEscaping_ = trimmed(line.parsed.value, " \t").starts_with("2.")
                                       ? VCardEscaping::Version21
                                       : VCardEscaping::Backslash;
            }
        }
    }

    // The version the card is written in.
    VCardVersion version() const {
        const CardLine* line = versionLine();
        return line != nullptr && trimmed(line->parsed.value).starts_with("4") ? VCardVersion::V4
                                                                               : VCardVersion::V3;
    }

    // How the value of `line` is escaped, or of a line added at the card's end (nullptr).
    // The reader takes a version "2." for 2.1, from its VERSION line on.
    VCardEscaping escaping(const CardLine* line) const {
        return line != nullptr ? line->escaping : endEscaping_;
    }

    // The first line of that property, a preferred one first when `preferred`.
    CardLine* first(std::string_view name, bool preferred = false) {
        if (preferred) {
            for (CardLine& line : lines_) {
                if (line.holds(name) && isPreferred(line.parsed)) return &line;
            }
        }
        for (CardLine& line : lines_) {
            if (line.holds(name)) return &line;
        }
        return nullptr;
    }

    // Sets the value of `line`, or adds `fresh` (name and parameters) when there is none;
    // an empty value removes the line. Other lines of the name go when `only` is set.
    void set(CardLine* line, std::string_view fresh, const std::string& value, bool only = false) {
        if (only) {
            for (CardLine& other : lines_) {
                if (&other != line && line != nullptr && other.holds(line->parsed.name))
                    other.replacement = "";
            }
        }
        if (line != nullptr)
            line->replacement = value.empty()
                                    ? std::string()
                                    : rewrittenCardLine(line->parsed, value, escaping(line));
        else if (!value.empty())
            added_.push_back(encodedCardLine(fresh, value, escaping(nullptr)));
    }

    // Removes the lines of that property but `kept`.
    void removeOthers(std::string_view name, const CardLine* kept) {
        for (CardLine& line : lines_) {
            if (&line != kept && line.holds(name)) line.replacement = "";
        }
    }

    // The TEL line the reader takes for a slot.
    CardLine* phone(PhoneSlot slot) {
        std::vector<CardLine*> numbers;
        std::vector<CardPhone> choices;
        for (CardLine& line : lines_) {
            // An empty number is none to the reader, nor is a binary value.
            if (!line.holds("TEL") || telNumber(readText(line)).empty()) continue;
            numbers.push_back(&line);
            choices.push_back({phoneSlotOfTypes(line.parsed), isPreferred(line.parsed)});
            // A number without a type may have a kind in its group's label.
            if (choices.back().slot == PhoneSlot::None && !line.parsed.group.empty()) {
                if (const CardLine* label = groupLabel(line.parsed.group))
                    choices.back().slot = phoneSlotNamed(readText(*label));
            }
        }
        const size_t chosen = chosenPhones(choices)[static_cast<size_t>(slot)];
        return chosen == kNoPhone ? nullptr : numbers[chosen];
    }

    std::string text() const {
        std::string out;
        for (size_t i = 0; i <= lines_.size(); ++i) {
            if (i == std::min(end_, lines_.size())) {
                for (const std::string& fresh : added_)
                    appendCardLine(out, fresh);
            }
            if (i == lines_.size()) break;
            const CardLine& line = lines_[i];
            if (!line.replacement)
                appendCardLine(out, line.text);
            else if (!line.replacement->empty())
                appendCardLine(out, *line.replacement);
        }
        return out;
    }

private:
    // The value of the line as the reader reads it: decoded and unescaped.
    std::string readText(const CardLine& line) const {
        std::string scratch;
        return unescapeValue(decodedValue(line.parsed, unicode_, false, scratch), line.escaping);
    }

    // The first label of the group, as the reader finds it.
    const CardLine* groupLabel(std::string_view group) const {
        for (const CardLine& label : lines_) {
            if (label.holds("X-ABLABEL") && label.parsed.group == group) return &label;
        }
        return nullptr;
    }

    const CardLine* versionLine() const {
        for (const CardLine& line : lines_) {
            if (line.valid && line.parsed.name == "VERSION") return &line;
        }
        return nullptr;
    }

    bool unicode_ = false;  // read from UTF-16, whose values no longer have their charset
    std::vector<CardLine> lines_;
    size_t end_ = SIZE_MAX;  // the line that ends the card
    VCardEscaping endEscaping_ = VCardEscaping::Backslash;
    std::vector<std::string> added_;
};

// The parts of a structured value as written, still escaped. Decoded, since the line is
// written back without its encoding and character set.
std::vector<std::string> oldParts(const CardLine* line, size_t count, VCardEscaping escaping) {
    std::vector<std::string> parts(count);
    if (line == nullptr) return parts;
    std::string scratch;
    const std::string_view value = decodedValue(line->parsed, false, false, scratch);
    const auto old = splitEscaped(value, ';', escaping);
    for (size_t i = 0; i < old.size() && i < parts.size(); ++i)
        parts[i] = std::string(old[i]);
    return parts;
}

std::string nameValue(CardLine* line, const Person& p, VCardEscaping escaping) {
    std::vector<std::string> parts = oldParts(line, 5, escaping);
    // Further given names would join the first name when read back.
    parts[0] = escapedForCard(p.LName(), escaping);
    parts[1] = escapedForCard(p.FName(), escaping);
    parts[2].clear();
    return joinedCardParts(parts, escaping);
}

std::string addressValue(CardLine* line, const Person& p, VCardEscaping escaping) {
    if (p.Addr1().empty() && p.Addr2().empty() && p.City().empty() && p.State().empty() &&
        p.Zip().empty())
        return {};
    std::vector<std::string> parts = oldParts(line, 7, escaping);
    // The second street line is written into the street, so the extended address goes.
    parts[1].clear();
    parts[2] = escapedForCard(vcardStreet(p), escaping);
    parts[3] = escapedForCard(p.City(), escaping);
    parts[4] = escapedForCard(p.State(), escaping);
    parts[5] = escapedForCard(p.Zip(), escaping);
    return joinedCardParts(parts, escaping);
}

}  // namespace

std::string patchVCard(std::string_view serverCard, const Person& person,
                       const std::vector<std::string>& groups, const FieldKeys& changed,
                       const std::string& uid) {
    if (serverCard.empty()) {
        std::string card;
        const std::vector<std::string_view> categories(groups.begin(), groups.end());
        appendVCard(card, person, categories, VCardVersion::V3);
        const size_t afterVersion = card.find("\r\n", card.find("VERSION:")) + 2;
        card.insert(afterVersion, "UID:" + escapeVCardText(uid) + "\r\n");
        return card;
    }
    // Read as the importer reads it, and written back as UTF-8, as it is sent.
    std::string converted;
    const bool unicode = serverCard.starts_with("\xFF\xFE") || serverCard.starts_with("\xFE\xFF");
    if (unicode) converted = utf16ToUtf8(serverCard.substr(2), serverCard[0] == '\xFE');
    CardPatch card(unicode ? std::string_view(converted) : withoutUtf8Bom(serverCard), unicode);
    auto any = [&](std::initializer_list<std::string_view> which) {
        for (const std::string_view field : which) {
            if (changed.contains(field)) return true;
        }
        return false;
    };
    // Each value is escaped as the line it goes into is read.
    const auto put = [&](CardLine* line, std::string_view fresh, const auto& value,
                         bool only = false) {
        card.set(line, fresh, value(card.escaping(line)), only);
    };
    const auto text = [](std::string_view field) {
        return [field](VCardEscaping escaping) { return escapedForCard(field, escaping); };
    };
    const auto number = [](std::string_view field) {
        return [field](VCardEscaping escaping) {
            return escapedForCard(vcardNumber(field), escaping);
        };
    };
    if (any({"FName", "LName"})) {
        CardLine* n = card.first("N");
        put(n, "N", [&](VCardEscaping escaping) { return nameValue(n, person, escaping); });
        put(card.first("FN"), "FN", text(vcardFormattedName(person)));
    }
    if (any({"Company"})) put(card.first("ORG"), "ORG", text(person.Company()));
    if (any({"Position"})) put(card.first("TITLE"), "TITLE", text(person.Position()));
    if (any({"Addr1", "Addr2", "City", "State", "Zip"})) {
        CardLine* adr = card.first("ADR", true);
        put(adr, "ADR",
            [&](VCardEscaping escaping) { return addressValue(adr, person, escaping); });
    }
    const std::tuple<std::string_view, PersonText, PhoneSlot, const char*> phones[] = {
        {"HmPhone", PersonText::HmPhone, PhoneSlot::Home, "TEL;TYPE=HOME,VOICE"},
        {"CelPhone", PersonText::CelPhone, PhoneSlot::Cell, "TEL;TYPE=CELL"},
        {"Fax", PersonText::Fax, PhoneSlot::Fax, "TEL;TYPE=FAX"},
        {"Pager", PersonText::Pager, PhoneSlot::Pager, "TEL;TYPE=PAGER"}};
    for (const auto& [key, field, slot, fresh] : phones) {
        if (any({key})) put(card.phone(slot), fresh, number(person.text(field)));
    }
    if (any({"WkPhone", "WkExt"})) {
        const std::string work = joinPhoneExtension(person.WkPhone(), person.WkExt());
        put(card.phone(PhoneSlot::Work), "TEL;TYPE=WORK,VOICE", number(work));
    }
    if (any({"EMail"})) put(card.first("EMAIL", true), "EMAIL;TYPE=INTERNET", text(person.EMail()));
    if (any({"WebPage"})) put(card.first("URL", true), "URL", text(person.WebPage()));
    if (any({"Notes"})) put(card.first("NOTE"), "NOTE", text(person.Notes()), true);
    if (any({kGroupsField})) {
        put(
            card.first("CATEGORIES"), "CATEGORIES",
            [&](VCardEscaping escaping) { return categoryList(groups, escaping); }, true);
    }
    const VCardVersion version = card.version();
    if (any({"Birthday"}))
        card.set(card.first("BDAY"), "BDAY", vcardDay(person.Birthday, version), true);
    if (any({"Anniversary"})) {
        // Cards may hold it under both names: one is kept, the other would bring it back.
        CardLine* line = card.first("ANNIVERSARY");
        if (line == nullptr) line = card.first("X-ANNIVERSARY");
        for (const std::string_view name : {"ANNIVERSARY", "X-ANNIVERSARY"})
            card.removeOthers(name, line);
        card.set(line, anniversaryProperty(version), vcardDay(person.Anniversary, version));
    }
    return card.text();
}

std::string vcardUid(std::string_view text) {
    VCardLineReader reader(text);
    std::string_view content;
    VCardLine line;
    // The card's own, not that of a card inside it (an agent's).
    int depth = 0;
    while (reader.next(content)) {
        if (!parseVCardLine(content, 0, line)) continue;
        if (isCardBoundary(line, "BEGIN"))
            ++depth;
        else if (depth > 0 && isCardBoundary(line, "END") && --depth == 0)
            break;
        else if (depth == 1 && line.name == "UID")
            return unescapeValue(trimmed(line.value), VCardEscaping::Backslash);
    }
    return {};
}
