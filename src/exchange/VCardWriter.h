#pragma once

#include <string>
#include <string_view>
#include <vector>

class MonthDay;
class Person;

// The vCard versions written: 3.0, which most programs read, and 4.0.
enum class VCardVersion { V3, V4 };

// Appends the card of `person`, filed in the groups named `categories`, to `out`: lines end
// in CR LF and are folded before 76 bytes, never inside a UTF-8 character. Empty fields are
// left out; N and FN are always written. Line breaks in notes are written as "\n". `uid`,
// when given, is written as its UID.
void appendVCard(std::string& out, const Person& person,
                 const std::vector<std::string_view>& categories, VCardVersion version,
                 std::string_view uid = {});

// A birthday or anniversary as a card of `version` holds it: "1990-02-29" (3.0) or
// "19900229" (4.0), "--0229" without a year; "" when unset.
[[nodiscard]] std::string vcardDay(const MonthDay& day, VCardVersion version);
// The property an anniversary is written as: ANNIVERSARY in 4.0, which 3.0 does not have.
[[nodiscard]] std::string_view anniversaryProperty(VCardVersion version);

// The formatted name (FN) of a person: first and last name, or the company.
[[nodiscard]] std::string vcardFormattedName(const Person& person);
// The street of a person's address: its two lines joined by a line break.
[[nodiscard]] std::string vcardStreet(const Person& person);
// A phone number as a TEL value: one that begins with "tel:" gets a second, since readers
// take the first for the scheme of a tel: address and drop it.
[[nodiscard]] std::string vcardNumber(std::string_view number);

// Appends one content line to `out`, folded before 76 bytes (never inside a UTF-8
// character), with its CR LF.
void appendFoldedLine(std::string& out, std::string_view line);

// Text escaped for a vCard value: "\", "," and ";" get a backslash, line breaks become "\n",
// other control characters but the tab are left out.
// Numbers and web addresses are escaped too, as readers unescape every value.
[[nodiscard]] std::string escapeVCardText(std::string_view text);
