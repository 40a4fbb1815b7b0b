#include "exchange/VCardWriter.h"

#include <cstdio>

#include "exchange/PhoneExtension.h"
#include "records/Person.h"

namespace {

// Bytes in a line before it is folded; the continuation's leading blank counts too.
constexpr size_t kFoldWidth = 75;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void appendLine(std::string& out, std::string_view name, std::string_view value) {
    if (value.empty()) return;
    std::string line(name);
    line += ':';
    line += value;
    appendFoldedLine(out, line);
}

}  // namespace

std::string vcardDay(const MonthDay& day, VCardVersion version) {
    if (!day.isSet()) return {};
    char out[16];
    if (day.year() == 0)
        std::snprintf(out, sizeof out, "--%02d%02d", day.month(), day.day());
    else if (version == VCardVersion::V4)
        std::snprintf(out, sizeof out, "%04d%02d%02d", day.year(), day.month(), day.day());
    else
        std::snprintf(out, sizeof out, "%04d-%02d-%02d", day.year(), day.month(), day.day());
    return out;
}

std::string_view anniversaryProperty(VCardVersion version) {
    return version == VCardVersion::V4 ? "ANNIVERSARY" : "X-ANNIVERSARY";
}

std::string vcardFormattedName(const Person& person) {
    if (person.FName().empty())
        return std::string(person.LName().empty() ? person.Company() : person.LName());
    if (person.LName().empty()) return std::string(person.FName());
    return std::string(person.FName()).append(" ").append(person.LName());
}

std::string vcardStreet(const Person& person) {
    if (person.Addr2().empty()) return std::string(person.Addr1());
    return std::string(person.Addr1()).append("\n").append(person.Addr2());
}

std::string vcardNumber(std::string_view number) {
    return hasTelScheme(number) ? "tel:" + std::string(number) : std::string(number);
}

void appendFoldedLine(std::string& out, std::string_view line) {
    size_t width = kFoldWidth;
    while (line.size() > width) {
        size_t cut = width;
        while (cut > 1 && isContinuationByte(line[cut]))
            --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        width = kFoldWidth - 1;
    }
    out.append(line);
    out += "\r\n";
}

std::string escapeVCardText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7f') {
            // No vCard value may hold another control character; readers refuse or mangle
            // the card, as the calendar export knows.
        } else {
            out += c;
        }
    }
    return out;
}

void appendVCard(std::string& out, const Person& p, const std::vector<std::string_view>& categories,
                 VCardVersion version, std::string_view uid) {
    const bool v4 = version == VCardVersion::V4;
    out += "BEGIN:VCARD\r\n";
    out += v4 ? "VERSION:4.0\r\n" : "VERSION:3.0\r\n";
    out += "PRODID:-//Tarnwick//Quillmate//EN\r\n";
    appendLine(out, "UID", escapeVCardText(uid));
    appendFoldedLine(out,
                     "N:" + escapeVCardText(p.LName()) + ";" + escapeVCardText(p.FName()) + ";;;");
    appendFoldedLine(out, "FN:" + escapeVCardText(vcardFormattedName(p)));
    appendLine(out, "ORG", escapeVCardText(p.Company()));
    appendLine(out, "TITLE", escapeVCardText(p.Position()));
    if (!p.Addr1().empty() || !p.Addr2().empty() || !p.City().empty() || !p.State().empty() ||
        !p.Zip().empty()) {
        appendFoldedLine(out, "ADR:;;" + escapeVCardText(vcardStreet(p)) + ";" +
                                  escapeVCardText(p.City()) + ";" + escapeVCardText(p.State()) +
                                  ";" + escapeVCardText(p.Zip()) + ";");
    }
    appendLine(out, v4 ? "TEL;TYPE=home,voice" : "TEL;TYPE=HOME,VOICE",
               escapeVCardText(vcardNumber(p.HmPhone())));
    appendLine(out, v4 ? "TEL;TYPE=work,voice" : "TEL;TYPE=WORK,VOICE",
               escapeVCardText(vcardNumber(joinPhoneExtension(p.WkPhone(), p.WkExt()))));
    appendLine(out, v4 ? "TEL;TYPE=cell" : "TEL;TYPE=CELL",
               escapeVCardText(vcardNumber(p.CelPhone())));
    appendLine(out, v4 ? "TEL;TYPE=fax" : "TEL;TYPE=FAX", escapeVCardText(vcardNumber(p.Fax())));
    appendLine(out, v4 ? "TEL;TYPE=pager" : "TEL;TYPE=PAGER",
               escapeVCardText(vcardNumber(p.Pager())));
    appendLine(out, v4 ? "EMAIL" : "EMAIL;TYPE=INTERNET", escapeVCardText(p.EMail()));
    appendLine(out, "URL", escapeVCardText(p.WebPage()));
    appendLine(out, "BDAY", vcardDay(p.Birthday, version));
    appendLine(out, anniversaryProperty(version), vcardDay(p.Anniversary, version));
    appendLine(out, "NOTE", escapeVCardText(p.Notes()));
    std::string list;
    for (const std::string_view category : categories)
        list += (list.empty() ? "" : ",") + escapeVCardText(category);
    appendLine(out, "CATEGORIES", list);
    out += "END:VCARD\r\n";
}
