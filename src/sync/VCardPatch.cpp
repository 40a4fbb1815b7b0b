#include "sync/VCardPatch.h"

#include <array>
#include <optional>
#include <tuple>
#include <utility>

#include "exchange/PhoneExtension.h"
#include "exchange/VCardLine.h"
#include "exchange/VCardLineReader.h"
#include "exchange/VCardValue.h"
#include "exchange/VCardWriter.h"
#include "records/Person.h"
#include "records/Trimmed.h"

namespace {

// The phone slots in the order the card reader fills them from a number's kinds.
enum Slot { kFaxSlot, kPagerSlot, kCellSlot, kWorkSlot, kHomeSlot, kNoSlot };

std::string categoryList(const std::vector<std::string>& groups) {
    std::string list;
    for (const std::string& name : groups)
        list += (list.empty() ? "" : ",") + escapeVCardText(name);
    return list;
}

bool hasWord(std::string_view text, std::string_view word) {
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (equalsIgnoringCase(text.substr(at, word.size()), word)) return true;
    }
    return false;
}

Slot slotOf(const VCardLine& line) {
    std::string types;
    for (const VCardParameter& parameter : line.parameters) {
        if (parameter.name == "TYPE") types += parameter.value + ",";
    }
    if (hasWord(types, "fax")) return kFaxSlot;
    if (hasWord(types, "pager")) return kPagerSlot;
    if (hasWord(types, "cell") || hasWord(types, "mobile")) return kCellSlot;
    if (hasWord(types, "work")) return kWorkSlot;
    if (hasWord(types, "home")) return kHomeSlot;
    return kNoSlot;
}

// The line rewritten with a new value: group, name and parameters kept, but the encoding
// and character set, which described the old value.
std::string rewritten(const VCardLine& line, std::string_view value) {
    std::string out;
    if (!line.group.empty()) out.append(line.group).append(".");
    out += line.name;
    const auto quoted = [](const std::string& value) {
        return value.find_first_of(",;:") == std::string::npos ? value : "\"" + value + "\"";
    };
    // The types go back as one unquoted list (TYPE=WORK,VOICE), as they are usually written;
    // quoted, readers would take the list for one type.
    std::string types;
    for (const VCardParameter& parameter : line.parameters) {
        if (parameter.name == "TYPE") types += (types.empty() ? "" : ",") + quoted(parameter.value);
    }
    for (const VCardParameter& parameter : line.parameters) {
        if (parameter.name == "ENCODING" || parameter.name == "CHARSET") continue;
        if (parameter.name != "TYPE")
            out += ";" + parameter.name + "=" + quoted(parameter.value);
        else if (!types.empty())
            out += ";TYPE=" + std::exchange(types, std::string());
    }
    out += ":";
    out += value;
    return out;
}

// One content line of the card, read once.
struct CardLine {
    std::string text;
    VCardLine parsed;
    bool valid = false;
    std::optional<std::string> replacement;  // "" removes the line
};

class CardPatch {
public:
    CardPatch(std::string_view card) {
        VCardLineReader reader(card);
        std::string_view content;
        while (reader.next(content)) {
            lines_.push_back({std::string(content), {}, false, std::nullopt});
            if (lines_.back().text.starts_with("END:VCARD")) break;
        }
        for (CardLine& line : lines_)
            line.valid = parseVCardLine(line.text, 0, line.parsed);
    }

    // The version the card is written in.
    VCardVersion version() const {
        for (const CardLine& line : lines_) {
            if (line.valid && line.parsed.name == "VERSION")
                return trimmed(line.parsed.value).starts_with("4") ? VCardVersion::V4
                                                                   : VCardVersion::V3;
        }
        return VCardVersion::V3;
    }

    // The first line of that property, a preferred one first when `preferred`.
    CardLine* first(std::string_view name, bool preferred = false) {
        if (preferred) {
            for (CardLine& line : lines_) {
                if (line.valid && line.parsed.name == name &&
                    (line.parsed.has("TYPE", "PREF") || line.parsed.hasParameter("PREF")))
                    return &line;
            }
        }
        for (CardLine& line : lines_) {
            if (line.valid && line.parsed.name == name) return &line;
        }
        return nullptr;
    }

    // Sets the value of `line`, or adds `fresh` (name and parameters) when there is none;
    // an empty value removes the line. Other lines of the name go when `only` is set.
    void set(CardLine* line, std::string_view fresh, const std::string& value, bool only = false) {
        if (only) {
            for (CardLine& other : lines_) {
                if (&other != line && line != nullptr && other.valid &&
                    other.parsed.name == line->parsed.name)
                    other.replacement = "";
            }
        }
        if (line != nullptr)
            line->replacement = value.empty() ? std::string() : rewritten(line->parsed, value);
        else if (!value.empty())
            added_.push_back(std::string(fresh) + ":" + value);
    }

    // Removes the lines of that property but `kept`.
    void removeOthers(std::string_view name, const CardLine* kept) {
        for (CardLine& line : lines_) {
            if (&line != kept && line.valid && line.parsed.name == name) line.replacement = "";
        }
    }

    // The TEL line the reader takes for a slot: typed first, then untyped ones in the order
    // the reader fills home, work and cell.
    CardLine* phone(Slot slot) {
        std::array<CardLine*, kNoSlot> typed{};
        std::vector<CardLine*> untyped;
        for (CardLine& line : lines_) {
            if (!line.valid || line.parsed.name != "TEL") continue;
            const Slot found = slotOf(line.parsed);
            if (found == kNoSlot)
                untyped.push_back(&line);
            else if (typed[found] == nullptr)
                typed[found] = &line;
        }
        if (typed[slot] != nullptr) return typed[slot];
        size_t next = 0;
        for (const Slot room : {kHomeSlot, kWorkSlot, kCellSlot}) {
            if (typed[room] != nullptr) continue;
            if (next == untyped.size()) break;
            if (room == slot) return untyped[next];
            ++next;
        }
        return nullptr;
    }

    std::string text() const {
        std::string out;
        for (const CardLine& line : lines_) {
            if (line.text.starts_with("END:VCARD")) {
                for (const std::string& fresh : added_)
                    appendFoldedLine(out, fresh);
            }
            if (!line.replacement)
                appendFoldedLine(out, line.text);
            else if (!line.replacement->empty())
                appendFoldedLine(out, *line.replacement);
        }
        return out;
    }

private:
    std::vector<CardLine> lines_;
    std::vector<std::string> added_;
};

std::string nameValue(CardLine* line, const Person& p) {
    std::vector<std::string> parts(5);
    if (line != nullptr) {
        const auto old = splitEscaped(line->parsed.value, ';', VCardEscaping::Backslash);
        for (size_t i = 0; i < old.size() && i < parts.size(); ++i)
            parts[i] = std::string(old[i]);
    }
    // Further given names would join the first name when read back.
    parts[0] = escapeVCardText(p.LName());
    parts[1] = escapeVCardText(p.FName());
    parts[2].clear();
    return parts[0] + ";" + parts[1] + ";" + parts[2] + ";" + parts[3] + ";" + parts[4];
}

std::string addressValue(CardLine* line, const Person& p) {
    if (p.Addr1().empty() && p.Addr2().empty() && p.City().empty() && p.State().empty() &&
        p.Zip().empty())
        return {};
    std::vector<std::string> parts(7);
    if (line != nullptr) {
        const auto old = splitEscaped(line->parsed.value, ';', VCardEscaping::Backslash);
        for (size_t i = 0; i < old.size() && i < parts.size(); ++i)
            parts[i] = std::string(old[i]);
    }
    // The second street line is written into the street, so the extended address goes.
    parts[1].clear();
    parts[2] = escapeVCardText(vcardStreet(p));
    parts[3] = escapeVCardText(p.City());
    parts[4] = escapeVCardText(p.State());
    parts[5] = escapeVCardText(p.Zip());
    std::string value = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        value += ";" + parts[i];
    return value;
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
    CardPatch card(serverCard);
    auto any = [&](std::initializer_list<std::string_view> which) {
        for (const std::string_view field : which) {
            if (changed.contains(field)) return true;
        }
        return false;
    };
    const auto text = [&](PersonText field) { return escapeVCardText(person.text(field)); };
    if (any({"FName", "LName"})) {
        CardLine* n = card.first("N");
        card.set(n, "N", nameValue(n, person));
        card.set(card.first("FN"), "FN", escapeVCardText(vcardFormattedName(person)));
    }
    if (any({"Company"})) card.set(card.first("ORG"), "ORG", text(PersonText::Company));
    if (any({"Position"})) card.set(card.first("TITLE"), "TITLE", text(PersonText::Position));
    if (any({"Addr1", "Addr2", "City", "State", "Zip"})) {
        CardLine* adr = card.first("ADR", true);
        card.set(adr, "ADR", addressValue(adr, person));
    }
    const std::tuple<std::string_view, PersonText, Slot, const char*> phones[] = {
        {"HmPhone", PersonText::HmPhone, kHomeSlot, "TEL;TYPE=HOME,VOICE"},
        {"CelPhone", PersonText::CelPhone, kCellSlot, "TEL;TYPE=CELL"},
        {"Fax", PersonText::Fax, kFaxSlot, "TEL;TYPE=FAX"},
        {"Pager", PersonText::Pager, kPagerSlot, "TEL;TYPE=PAGER"}};
    for (const auto& [key, field, slot, fresh] : phones) {
        if (any({key})) card.set(card.phone(slot), fresh, text(field));
    }
    if (any({"WkPhone", "WkExt"})) {
        card.set(card.phone(kWorkSlot), "TEL;TYPE=WORK,VOICE",
                 escapeVCardText(joinPhoneExtension(person.WkPhone(), person.WkExt())));
    }
    if (any({"EMail"}))
        card.set(card.first("EMAIL", true), "EMAIL;TYPE=INTERNET", text(PersonText::EMail));
    if (any({"WebPage"})) card.set(card.first("URL", true), "URL", text(PersonText::WebPage));
    if (any({"Notes"})) card.set(card.first("NOTE"), "NOTE", text(PersonText::Notes), true);
    if (any({kGroupsField}))
        card.set(card.first("CATEGORIES"), "CATEGORIES", categoryList(groups), true);
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
    while (reader.next(content)) {
        if (parseVCardLine(content, 0, line) && line.name == "UID")
            return unescapeValue(trimmed(line.value), VCardEscaping::Backslash);
    }
    return {};
}
