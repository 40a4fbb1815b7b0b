#include "textio/ColumnAliases.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

#include "textio/ColumnAliasTable.h"

namespace {

// Lower case (ASCII letters, and the capital accented letters of Latin-1 that start
// words), without blanks and punctuation, so "E-mail Address" and "EMailAddress" meet.
std::string normalized(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) {
            // Ã (0xC3) leads the two-byte forms of À to Þ; their lower case is 0x20 on.
            if (c == 0xC3 && i + 1 < name.size()) {
                auto next = static_cast<unsigned char>(name[i + 1]);
                if (next >= 0x80 && next <= 0x9E && next != 0x97) next += 0x20;
                out += static_cast<char>(c);
                out += static_cast<char>(next);
                ++i;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

const ColumnAlias* find(const std::vector<ColumnAlias>& aliases, const std::string& name) {
    const auto it = std::find_if(aliases.begin(), aliases.end(),
                                 [&](const ColumnAlias& a) { return name == a.name; });
    return it == aliases.end() ? nullptr : &*it;
}

std::string withoutDigits(const std::string& name) {
    std::string out;
    std::copy_if(name.begin(), name.end(), std::back_inserter(out),
                 [](char c) { return c < '0' || c > '9'; });
    return out;
}

// The phone a kind such as "Mobile", "* Work" or "Home Fax" names.
std::string phoneOfKind(std::string_view kind) {
    const std::string k = normalized(kind);
    const auto has = [&](const char* word) { return k.find(word) != std::string::npos; };
    if (has("fax")) return "Fax";
    if (has("pager")) return "Pager";
    if (has("mobil") || has("cell") || has("handy") || has("móvil")) return "CelPhone";
    if (has("work") || has("business") || has("office") || has("arbeit")) return "WorkPhone";
    return "HomePhone";
}

// The column holding the kind of the phone in column `column`: the same name with "Type"
// or "Label" in place of "Value" ("Phone 1 - Value" beside "Phone 1 - Type").
std::optional<size_t> kindColumn(const std::vector<std::string>& names, size_t column) {
    const std::string own = normalized(names[column]);
    if (!own.ends_with("value")) return std::nullopt;
    const std::string stem = own.substr(0, own.size() - 5);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string other = normalized(names[i]);
        if (other == stem + "type" || other == stem + "label") return i;
    }
    return std::nullopt;
}

}  // namespace

ColumnMatch matchColumnName(TransferKind kind, std::string_view name) {
    const std::string key = normalized(name);
    const auto& aliases = aliasesOf(kind);
    if (const ColumnAlias* alias = find(aliases, key); alias != nullptr && alias->rank > 0)
        return {alias->field, alias->rank};
    // "Business Phone 2", "E-mail 1 - Value": a numbered column means less than the
    // unnumbered one, and the first of several wins.
    const std::string bare = withoutDigits(key);
    if (bare != key) {
        if (const ColumnAlias* alias = find(aliases, bare); alias != nullptr && alias->rank > 1)
            return {alias->field, alias->rank - 1};
    }
    return {};
}

namespace {

// What each column's name says it holds, a typed phone read as the kind beside it says.
std::vector<ColumnMatch> columnMatches(TransferKind kind, const std::vector<std::string>& names,
                                       const std::vector<std::string>& firstValues) {
    std::vector<ColumnMatch> matches;
    for (size_t i = 0; i < names.size(); ++i) {
        ColumnMatch match = matchColumnName(kind, names[i]);
        if (match.field == kTypedPhone) {
            const auto kindAt = kindColumn(names, i);
            if (kindAt && *kindAt < firstValues.size()) {
                match.field = phoneOfKind(firstValues[*kindAt]);
            } else {
                match.field = "HomePhone";
                match.rank = 1;
            }
        }
        matches.push_back(std::move(match));
    }
    return matches;
}

// Fields a second column may fill: not the texts a person has one of, where a second
// column means something else ("Title" beside "Job Title" is "Mr."), nor the groups.
bool takesAlternates(TransferKind kind, const std::string& field) {
    static const char* const kSingle[] = {"Company",    "Position",    "Notes",     "WorkExtension",
                                          "WhitePages", "YellowPages", "Categories"};
    return kind == TransferKind::Persons &&
           std::find(std::begin(kSingle), std::end(kSingle), field) == std::end(kSingle);
}

}  // namespace

std::vector<std::string> assignColumnsByName(TransferKind kind,
                                             const std::vector<std::string>& names,
                                             const std::vector<std::string>& firstValues) {
    const std::vector<ColumnMatch> matches = columnMatches(kind, names, firstValues);
    // Each field to its best column, the leftmost of equals.
    std::map<std::string, size_t> best;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (matches[i].field.empty()) continue;
        const auto [it, fresh] = best.try_emplace(matches[i].field, i);
        if (!fresh && matches[it->second].rank < matches[i].rank) it->second = i;
    }
    std::vector<std::string> fields(names.size());
    for (const auto& [field, column] : best)
        fields[column] = field;
    return fields;
}

std::vector<std::string> alternateColumns(TransferKind kind, const std::vector<std::string>& names,
                                          const std::vector<std::string>& fields,
                                          const std::vector<std::string>& firstValues) {
    const std::vector<ColumnMatch> matches = columnMatches(kind, names, firstValues);
    std::vector<std::string> alternates(names.size());
    for (size_t i = 0; i < names.size() && i < fields.size(); ++i) {
        const std::string& field = matches[i].field;
        if (!fields[i].empty() || field.empty() || !takesAlternates(kind, field)) continue;
        if (std::find(fields.begin(), fields.end(), field) != fields.end()) alternates[i] = field;
    }
    return alternates;
}
