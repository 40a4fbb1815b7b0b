#pragma once

#include <string>
#include <string_view>

#include "records/Person.h"

// The text typed into the phone book's filter box, folded for a search without regard
// to case or accents.
class PersonFilter {
public:
    // The text the filter box holds; "" lets every person through.
    explicit PersonFilter(std::string_view typed = {});

    [[nodiscard]] bool empty() const { return needle_.empty(); }
    // The folded text to look for.
    [[nodiscard]] const std::string& needle() const { return needle_; }
    // Whether every person this filter lets through also passes `wider` (the text typed
    // before a key was added), so that narrowing need only look at what is listed.
    [[nodiscard]] bool narrows(const PersonFilter& wider) const;

private:
    std::string needle_;
};

// Folds UTF-8 text for searching: letters to lower case, and Latin letters to their
// letters without accents ("Müller" to "muller", "ß" to "ss"); other text stays as it is.
[[nodiscard]] std::string foldCase(std::string_view text);
// The same, appended to `out`.
void appendFolded(std::string& out, std::string_view text);
// The digits of a phone number alone, appended to `out`: a search looks for typed digits
// there besides the number as written, so that "5551234" finds "555-1234".
void appendNumberDigits(std::string& out, std::string_view number);
// Whether a person's text is a phone number the phone book filter also searches by its
// digits alone.
[[nodiscard]] bool isDialledNumber(PersonText field);
