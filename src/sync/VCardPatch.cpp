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

// Field positions, as fieldNames(RecordKind::Person) lists them.
enum Field : size_t {
    kFirst,
    kLast,
    kCompany,
    kPosition,
    kAddr1,
    kAddr2,
    kCity,
    kState,
    kZip,
    kHome,
    kWork,
    kExt,
    kFax,
    kPager,
    kCell,
    kEmail,
    kWeb,
    kNotes,
    kGroups,
    kBirthday,
    kAnniversary,
    kFieldCount
};

// The phone slots in the order the card reader fills them from a number's kinds.
enum Slot { kFaxSlot, kPagerSlot, kCellSlot, kWorkSlot, kHomeSlot, kNoSlot };

Person personOf(const Fields& f) {
    PersonTexts texts{};
    for (size_t i = 0; i < std::size(kSyncedPersonTexts); ++i)
        texts[size_t(kSyncedPersonTexts[i])] = f[i];
    Person p;
    p.setTexts(texts);
    p.Birthday = MonthDay::parse(f[kBirthday]).value_or(MonthDay());
    p.Anniversary = MonthDay::parse(f[kAnniversary]).value_or(MonthDay());
    return p;
}

std::vector<std::string_view> categoriesOf(const std::string& joined) {
    std::vector<std::string_view> names;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        if (comma != 0) names.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return names;
}

std::string categoryList(const std::string& joined) {
    std::string list;
    for (const std::string_view name : categoriesOf(joined))
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

std::string nameValue(CardLine* line, const Fields& f) {
    std::vector<std::string> parts(5);
    if (line != nullptr) {
        const auto old = splitEscaped(line->parsed.value, ';', VCardEscaping::Backslash);
        for (size_t i = 0; i < old.size() && i < parts.size(); ++i)
            parts[i] = std::string(old[i]);
    }
    // Further given names would join the first name when read back.
    parts[0] = escapeVCardText(f[kLast]);
    parts[1] = escapeVCardText(f[kFirst]);
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

std::string patchVCard(std::string_view serverCard, const Fields& f,
                       const std::vector<bool>& changed, const std::string& uid) {
    const Person person = personOf(f);
    if (serverCard.empty()) {
        std::string card;
        appendVCard(card, person, categoriesOf(f[kGroups]), VCardVersion::V3);
        const size_t afterVersion = card.find("\r\n", card.find("VERSION:")) + 2;
        card.insert(afterVersion, "UID:" + escapeVCardText(uid) + "\r\n");
        return card;
    }
    CardPatch card(serverCard);
    auto any = [&](std::initializer_list<Field> which) {
        for (const Field field : which) {
            if (changed[field]) return true;
        }
        return false;
    };
    if (any({kFirst, kLast})) {
        CardLine* n = card.first("N");
        card.set(n, "N", nameValue(n, f));
        card.set(card.first("FN"), "FN", escapeVCardText(vcardFormattedName(person)));
    }
    if (changed[kCompany]) card.set(card.first("ORG"), "ORG", escapeVCardText(f[kCompany]));
    if (changed[kPosition]) card.set(card.first("TITLE"), "TITLE", escapeVCardText(f[kPosition]));
    if (any({kAddr1, kAddr2, kCity, kState, kZip})) {
        CardLine* adr = card.first("ADR", true);
        card.set(adr, "ADR", addressValue(adr, person));
    }
    const std::tuple<Field, Slot, const char*> phones[] = {
        {kHome, kHomeSlot, "TEL;TYPE=HOME,VOICE"},
        {kCell, kCellSlot, "TEL;TYPE=CELL"},
        {kFax, kFaxSlot, "TEL;TYPE=FAX"},
        {kPager, kPagerSlot, "TEL;TYPE=PAGER"}};
    for (const auto& [field, slot, fresh] : phones) {
        if (changed[field]) card.set(card.phone(slot), fresh, escapeVCardText(f[field]));
    }
    if (any({kWork, kExt})) {
        card.set(card.phone(kWorkSlot), "TEL;TYPE=WORK,VOICE",
                 escapeVCardText(joinPhoneExtension(f[kWork], f[kExt])));
    }
    if (changed[kEmail])
        card.set(card.first("EMAIL", true), "EMAIL;TYPE=INTERNET", escapeVCardText(f[kEmail]));
    if (changed[kWeb]) card.set(card.first("URL", true), "URL", escapeVCardText(f[kWeb]));
    if (changed[kNotes]) card.set(card.first("NOTE"), "NOTE", escapeVCardText(f[kNotes]), true);
    if (changed[kGroups])
        card.set(card.first("CATEGORIES"), "CATEGORIES", categoryList(f[kGroups]), true);
    const VCardVersion version = card.version();
    if (changed[kBirthday])
        card.set(card.first("BDAY"), "BDAY", vcardDay(person.Birthday, version), true);
    if (changed[kAnniversary]) {
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
